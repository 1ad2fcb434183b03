// SPDX-License-Identifier: MIT
// Keeps the page for use without a network: every file of it is stored at
// the first visit and served from the store after. The build writes the list
// of files and names the store after their content, so a new version of the
// page installs a new store, fetching every file past the HTTP cache: a
// host's cache headers cannot put an old file into a new version.
const kStore = 'tavro-@PAGE_VERSION@';
const kFiles = [@PAGE_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kStore)
    .then((store) => store.addAll(kFiles.map((file) => new Request(file, { cache: 'reload' }))))
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
  event.respondWith(caches.open(kStore)
    .then((store) => store.match(event.request, { ignoreSearch: true }))
    .then((stored) => stored || fetch(event.request)));
});
