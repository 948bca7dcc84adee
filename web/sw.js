// The service worker of the served page: it keeps the page's files, so that
// the page opens and computes with no network, as an installed app does.
// The build writes in the files and a version that changes with any of
// them; a new version's worker fetches them all afresh and drops the old.
'use strict';

const version = '@VERSION@';
const files = ['./', '@FILES@'];
const cacheName = 'rampwall-' + version;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('rampwall-') && name !== cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The kept file when there is one, the network otherwise: the page's files
// belong together, so none is mixed in from another version.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(event.request, {ignoreSearch: true}))
    .then((kept) => kept || fetch(event.request)));
});
