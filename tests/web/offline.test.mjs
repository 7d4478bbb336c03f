// SPDX-License-Identifier: GPL-3.0-or-later
// The page asks nothing of anyone but its own site, and its content policy
// keeps it so; once opened, it opens again without its server.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, test } from 'node:test';
import {
  boxTexts, desktop, fields, isReady, names, openPage, serveSite, sheetFile, siteDir, startBrowser,
} from './site.mjs';

const [site, chrome] = await Promise.all([serveSite(), startBrowser()]);
after(() => Promise.all([chrome.close(), site.close()]));

test('loading, calculating, marking and the help request nothing outside the site, every file is there, and the policy stops another origin', async () => {
  const { page, requests, errors } = await openPage(chrome.browser, site.origin);
  await page.click('#BitBtn1');
  await page.keyboard.press('F3');
  await page.waitForSelector('#marks:not([hidden])');
  await page.click('#cmd-help');
  await page.waitForSelector('#help[open]');
  assert.deepEqual(requests.filter((url) => new URL(url).origin !== site.origin && !/^(data|blob):/.test(url)), []);
  // What the server gave is what the tab asked for: no worker went around it.
  for (const served of site.served) assert.ok(fs.existsSync(path.join(siteDir, served)), served);
  assert.ok(site.served.some((served) => served.endsWith('.wasm')), site.served.join(' '));
  assert.deepEqual(errors, []);

  // The content policy (its sources: make_site_test) stops a request to
  // another origin on this machine, where nothing listens: the policy, not
  // the refused connection, must stop it.
  const stopped = await page.evaluate((url) => new Promise((resolve) => {
    document.addEventListener('securitypolicyviolation', (event) => resolve(event.violatedDirective));
    setTimeout(() => resolve(null), 2000);
    fetch(url).catch(() => {});
  }), `http://127.0.0.2:${new URL(site.origin).port}/`);
  assert.equal(stopped, 'connect-src');
});

test('once opened, the page reloads with its server gone and «Вычислить» works', async () => {
  const own = await serveSite();  // this case's server, taken away below
  const { page, errors } = await openPage(chrome.browser, own.origin);
  // The site's worker has kept the files and is the one that answers the next load.
  await page.waitForFunction(async () => (await navigator.serviceWorker.getRegistration())?.active?.state === 'activated',
    { timeout: 30000 });
  await own.close();
  await page.setOfflineMode(true);
  await page.reload({ waitUntil: 'load' });
  await page.waitForFunction(`(${isReady})() || document.getElementById('message').open`, { timeout: 30000 });
  const stopped = await page.$eval('#message', (dialog) => dialog.open && dialog.textContent);
  assert.equal(stopped, false);
  assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));

  // The sheet kept across the reload is the example without its results.
  const results = fields.filter((field) => field.role === 'Result').map((field) => field.name);
  const before = await boxTexts(page, names);
  assert.deepEqual(results.map((name) => before[name]), results.map(() => ''));
  await page.click('#BitBtn1');
  assert.deepEqual(await boxTexts(page, names), JSON.parse(desktop(['--calculate'], sheetFile(before, ','))).fields);
  assert.deepEqual(errors, []);
});
