// SPDX-License-Identifier: MIT
// Keeps the page for use without a network: every file of it is stored at
// the first visit and served from the store after; a new version of the page
// (a new name below, set when the page is built) replaces the old store.
const kStore = 'tavro-@PAGE_VERSION@';
const kFiles = [
  './', 'index.html', 'style.css', 'main.js', 'tavro.js', 'tavro.wasm', 'grid-ascii.woff2',
  'manifest.webmanifest', 'icons/tavro.svg', 'icons/tavro-128.png', 'icons/tavro-256.png',
];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kStore).then((store) => store.addAll(kFiles))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== kStore)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((stored) => stored || fetch(event.request)));
});
