// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of the page for the README: the built-in example after
// «Вычислить» in Debian's Chromium, in Russian.
//   tests/web/run.sh installs puppeteer-core first; then
//   node tools/render_web.mjs [docs/web.png]
import path from 'node:path';
import { openPage, repo, serveSite, startBrowser } from '../tests/web/site.mjs';

const out = path.resolve(process.argv[2] ?? path.join(repo, 'docs/web.png'));
const site = await serveSite();
const chrome = await startBrowser();
try {
  const { page } = await openPage(chrome.browser, site.origin);
  await page.setViewport({ width: 1000, height: 760 });
  await page.click('#BitBtn1');
  // As wide as the form: the commands above it wrap, no empty page beside it.
  const form = await (await page.$('#Panel1')).boundingBox();
  await page.setViewport({ width: Math.ceil(form.x + form.width + 12), height: 760 });
  await page.screenshot({ path: out, fullPage: true });
  console.log(`render_web: ${out}`);
} finally {
  await chrome.close();
  await site.close();
}
