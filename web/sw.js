// Keeps the page's files for a visit without a network. The build writes its
// version into this file (the shipped files' hash), so a new build is a new
// worker: it keeps its own files whole before it takes over, and then drops
// the previous build's.
"use strict";

const version = "@SNOWGIG_WEB_VERSION@";
const kept = "snowgig-" + version;
const files = ["./", "index.html", "page.js", "page.css", "snowgig.js", "snowgig.wasm",
               "snowgig.dat", "manifest.webmanifest", "icon-32.png", "icon-192.png",
               "icon-256.png", "icon-512.png"];

self.addEventListener("install", (event) => {
  // The browser's cache may hold an older build's files: each is checked with
  // the server, which answers "not modified" for those the page has just
  // downloaded.
  event.waitUntil(caches.open(kept)
    .then((cache) => cache.addAll(files.map((file) => new Request(file, {cache: "no-cache"}))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith("snowgig-") && name != kept)
                                      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The server first, so that an open network always gets what it has now; the
// kept files when it cannot be reached.
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method != "GET" || new URL(request.url).origin != self.location.origin)
    return;
  event.respondWith(fetch(request).catch(() =>
    caches.open(kept).then((cache) => cache.match(request, {ignoreSearch: true}))
                     .then((response) => response || Response.error())));
});
