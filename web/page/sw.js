// Keeps the page's files so that it opens without a network: each request
// goes to the network first and falls back to the copy kept last time.
const CACHE = 'orbilux';
const FILES = ['./', 'index.html', 'page.js', 'figure.js', 'orbilux.js', 'orbilux.wasm', 'style.css', 'icon.svg',
               'manifest.webmanifest'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin)
    return;
  event.respondWith(fetch(request).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      caches.open(CACHE).then((cache) => cache.put(request, copy));
    }
    return response;
  }).catch(() => caches.match(request, {ignoreSearch: true})));
});
