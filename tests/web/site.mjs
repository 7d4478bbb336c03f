// SPDX-License-Identifier: GPL-3.0-or-later
// What the page's browser tests and benchmarks share: the site served from a
// local port, Debian's Chromium started afresh, the page opened with every
// request it makes recorded, and the desktop program's own answers.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

export const repo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const siteDir = path.resolve(process.env.POTHENOT_SITE ?? path.join(repo, 'build-web/site'));
export const pothenot = path.resolve(process.env.POTHENOT_BIN ?? path.join(repo, 'build/ui/pothenot'));

// What the site holds (web/tools/make_site.py); a module script and the
// engine's streaming compile need their types, as python3 -m http.server gives them.
const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.wasm': 'application/wasm', '.png': 'image/png' };

/// The site on a free port of 127.0.0.1, as a plain static server gives it:
/// no caching headers, every path asked for kept in `served`.
export async function serveSite(dir = siteDir) {
  if (!fs.existsSync(path.join(dir, 'index.html'))) throw new Error(`${dir}/index.html is missing: build the site with ./web/build.sh first`);
  const served = [];
  const server = http.createServer((request, response) => {
    const { pathname } = new URL(request.url, 'http://site');
    served.push(pathname);
    const file = path.join(dir, decodeURIComponent(pathname), pathname.endsWith('/') ? 'index.html' : '');
    fs.readFile(file.startsWith(dir) ? file : dir, (error, bytes) => (error ? response.writeHead(404).end()
      : response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' }).end(bytes)));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  // Closed, the server is gone: the browser's kept-alive connections with it.
  const close = () => new Promise((resolve) => { server.close(resolve); server.closeAllConnections(); });
  return { origin: `http://127.0.0.1:${server.address().port}`, served, close };
}

/// Debian's Chromium, headless, with a profile of its own that goes when it
/// closes. The language is the browser's own (`--lang`; headless Chromium
/// tells the page only what `--accept-lang` says).
export async function startBrowser({ lang = 'ru-RU' } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'pothenot-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: false,  // the flag is given below as it is, not puppeteer's variant of it
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`, `--lang=${lang}`, `--accept-lang=${lang}`],
    defaultViewport: { width: 1280, height: 900 },
  });
  return { browser, close: async () => (await browser.close(), fs.rmSync(profile, { recursive: true, force: true })) };
}

/// The site's page in a tab of a browser context of its own (its own storage
/// and cache), ready for typing: the engine loaded and the boxes there. Every
/// request the tab makes lands in `requests`, and every uncaught error or
/// console error in `errors`.
export async function openPage(browser, origin) {
  const page = await (await browser.createBrowserContext()).newPage();
  const requests = [], errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  await page.goto(`${origin}/`, { waitUntil: 'load' });
  await ready(page);
  return { page, requests, errors };
}

/// Whether the page can be typed into: the engine loaded, the boxes wired
/// and the sheet on them (the page marks its body then). Evaluated in the page.
export const isReady = () => document.body?.dataset.ready === '1';

export const ready = (page) => page.waitForFunction(isReady, { timeout: 30000 });

/// The 48 fields as the desktop declares them (calc/fields.cpp): name, role
/// and the built-in example's text (written there with a decimal comma).
export const fields = [...fs.readFileSync(path.join(repo, 'calc/fields.cpp'), 'utf8')
  .matchAll(/\{"(\w+)",\s*R::(\w+),\s*"([^"]*)"/g)].map(([, name, role, text]) => ({ name, role, text }));
export const names = fields.map((field) => field.name);

/// A sheet file of these texts, as the desktop writes one.
export const sheetFile = (texts, decimalSeparator) =>
  JSON.stringify({ format: 'pothenot-sheet', version: 1, decimalSeparator, fields: texts }, null, 2) + '\n';

/// What the desktop program writes for a sheet: `pothenot <args> FILE`, the
/// sheet given as a file in a folder of its own.
export function desktop(args, sheetText, name = 'лист.pothenot') {
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'pothenot-sheet-')), name);
  fs.writeFileSync(file, sheetText);
  try {
    return execFileSync(pothenot, [...args, file], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
  } finally {
    fs.rmSync(path.dirname(file), { recursive: true, force: true });
  }
}

/// The 48 texts the page shows, by box id.
export const boxTexts = (page, names) => page.evaluate(
  (ids) => Object.fromEntries(ids.map((id) => [id, document.getElementById(id)?.value ?? null])), names);

/// Types `text` into the box `id` as a person does: its text selected with a
/// triple click and real key presses (an empty text: the box's text deleted).
export async function typeInto(page, id, text) {
  await page.click(`#${id}`, { count: 3 });
  await (text === '' ? page.keyboard.press('Backspace') : page.keyboard.type(text));
}
