// SPDX-License-Identifier: MIT
// Keeps the page for use without a network: every file of it is stored at
// the first visit and served from the store after; the phrases once the page
// has asked for them. The build writes the list
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

// The phrases are fetched by the page only when it needs them: once fetched,
// past the HTTP cache, they stay in this version's store.
const kPhrases = new URL('phrases.bin', self.location).href;

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(kStore).then(async (store) => {
    const stored = await store.match(event.request, { ignoreSearch: true });
    if (stored || event.request.url !== kPhrases) return stored || fetch(event.request);
    const response = await fetch(new Request(kPhrases, { cache: 'reload' }));
    if (response.ok) await store.put(kPhrases, response.clone());
    return response;
  }));
});
