// SPDX-License-Identifier: GPL-3.0-or-later
// Offline cache of the page: every file it is made of is cached on install; afterwards a fresh
// copy is fetched when the network answers and the cached one serves when it does not.
const CACHE = 'kr4100-site-v1';
const FILES = ['./', 'index.html', 'app.js', 'style.css', 'manifest.webmanifest', 'icon.svg',
  'kr4100_core.js', 'kr4100_core.wasm'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    // One file missing (a core not built yet) must not keep the rest out of the cache.
    .then((cache) => Promise.all(FILES.map((file) => cache.add(file).catch(() => undefined))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((key) => key !== CACHE).map((key) => caches.delete(key))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request)
    .then((response) => {
      if (response.ok) {
        const copy = response.clone();
        void caches.open(CACHE).then((cache) => cache.put(request, copy));
      }
      return response;
    })
    .catch(() => caches.match(request, { ignoreSearch: true })
      .then((cached) => cached ?? Response.error())));
});
