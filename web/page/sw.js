// Keeps the page's files so that it opens without a network: each request
// goes to the network first and falls back to the copy kept last time. The
// cache is named by the version and a digest of the files (written in by the
// build), so an upgraded page never mixes its files with an older page's;
// older caches go when this worker takes over.
const CACHE = '@CACHE_NAME@';
const FILES = ['./', 'index.html', 'page.js', 'figure.js', 'orbilux.js', 'orbilux.wasm', 'style.css', 'icon.svg',
               'manifest.webmanifest'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('orbilux') && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin)
    return;
  // The copy is taken before the page reads the answer, and written before
  // the worker may stop.
  const fetched = fetch(request).then((response) => [response, response.ok ? response.clone() : null]);
  event.respondWith(fetched.then(([response]) => response, () => caches.match(request, {ignoreSearch: true})));
  event.waitUntil(fetched.then(([, copy]) => copy && caches.open(CACHE).then((cache) => cache.put(request, copy)),
                               () => undefined));
});
