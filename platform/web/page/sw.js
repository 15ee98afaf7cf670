// The page's service worker: keeps the files of one build of the site in a cache named by the
// build's version and answers from it, so that a second visit plays without the network. The
// worker of a new build fetches its files, takes over at once and drops the old caches.
'use strict';

const cacheName = 'quillmere-@QUILLMERE_VERSION@';
const files = [ './', @QUILLMERE_FILES@ ];

self.addEventListener('install', (event) => {
    // Past the browser's HTTP cache, which may still hold an older build's files.
    const requests = files.map((file) => new Request(file, {cache : 'no-cache'}));
    event.waitUntil(caches.open(cacheName)
                        .then((cache) => cache.addAll(requests))
                        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
                        .then((names) => Promise.all(
                                  names.filter((name) => name.startsWith('quillmere-') &&
                                                         name !== cacheName)
                                      .map((name) => caches.delete(name))))
                        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET')
        return;
    event.respondWith(caches.open(cacheName).then(
        (cache) => cache.match(event.request, {ignoreSearch : true})
                       .then((cached) => cached || fetch(event.request))));
});
