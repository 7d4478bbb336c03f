// SPDX-License-Identifier: GPL-3.0-or-later
// The page asks nothing of anyone but its own site, and its content policy
// keeps it so.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, test } from 'node:test';
import { openPage, serveSite, siteDir, startBrowser } from './site.mjs';

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
