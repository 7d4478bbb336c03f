// SPDX-License-Identifier: GPL-3.0-or-later
// The page without the network: once opened from its server, the site's own
// files are kept in a cache named after this build and answered from it.
// make_site.py writes the build's files and their hash in. A new build is a
// new worker with a cache of its own; it takes over once no tab of the page
// is open (a page never mixes two builds' files), and drops the old cache.
const CACHE = "pothenot-@SITE_HASH@";
const FILES = ["@SITE_FILES@"];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(
    // From the server itself, never the browser's copy of an older build.
    FILES.map((file) => new Request(file, { cache: "reload" })))));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(
    names.filter((name) => name.startsWith("pothenot-") && name !== CACHE).map((name) => caches.delete(name)))));
});

// Only this site's files: anything else goes on as the page asked it.
self.addEventListener("fetch", (event) => {
  const { request } = event;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE).then((cache) => cache.match(request)).then((kept) => kept ?? fetch(request)));
});
