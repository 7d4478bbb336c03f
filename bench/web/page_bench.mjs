// SPDX-License-Identifier: GPL-3.0-or-later
// The page's two timings, printed, never asserted:
//   - ready for typing: the page loaded from a local server (python3 -m
//     http.server, as ./run.sh --web serves it) into a browser context of its
//     own with the cache off, from navigation start to the moment the boxes
//     are there and «Вычислить» is enabled (the engine compiled);
//   - «Вычислить»: the button's click handled and the page laid out again,
//     the built-in example's 29 results written.
import { spawn } from 'node:child_process';
import net from 'node:net';
import { isReady, siteDir, startBrowser } from '../../tests/web/site.mjs';

const runs = Number(process.env.RUNS ?? 9);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(1)} ms`;

async function freePort() {
  const server = net.createServer();
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const { port } = server.address();
  await new Promise((resolve) => server.close(resolve));
  return port;
}

async function pythonServer() {
  const port = await freePort();
  const child = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', String(port), '--directory', siteDir],
    { stdio: 'ignore' });
  const origin = `http://127.0.0.1:${port}`;
  for (let i = 0; i < 100; ++i) {
    try {
      await fetch(`${origin}/`);
      return { origin, close: () => child.kill() };
    } catch {
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }
  child.kill();
  throw new Error('python3 -m http.server did not start');
}

const server = await pythonServer();
const { browser, close } = await startBrowser();
try {
  const loads = [];
  for (let i = 0; i < runs; ++i) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setCacheEnabled(false);
    await page.goto(`${server.origin}/`, { waitUntil: 'domcontentloaded' });
    // Polled every millisecond in the page; the time is the page's own clock
    // from its navigation start.
    const handle = await page.waitForFunction(
      `(${isReady})() && (window.readyAt ??= performance.now())`, { polling: 1, timeout: 15000 });
    loads.push(await handle.jsonValue());
    await context.close();
  }
  console.log(`=== the page ready for typing, empty cache, ${runs} loads ===`);
  console.log(`median ${ms(median(loads))}, min ${ms(Math.min(...loads))}, max ${ms(Math.max(...loads))} (goal ≤ 1 s)`);

  const page = await browser.newPage();
  await page.goto(`${server.origin}/`);
  await page.waitForFunction(isReady, { timeout: 15000 });
  const clicks = await page.evaluate(async () => {
    const button = document.getElementById('BitBtn1');
    const result = document.getElementById('EXp');
    const times = [];
    for (let i = 0; i < 101; ++i) {
      result.value = '';
      const start = performance.now();
      button.click();
      document.body.getBoundingClientRect();  // style and layout of what it wrote
      times.push(performance.now() - start);
      if (!result.value) throw new Error('«Вычислить» wrote no Xp');
      await new Promise((resolve) => setTimeout(resolve, 0));
    }
    return times;
  });
  console.log('=== «Вычислить» in the page, the built-in example, 101 clicks ===');
  console.log(`first ${ms(clicks[0])}, median ${ms(median(clicks))}, max ${ms(Math.max(...clicks))} (goal ≤ 20 ms)`);
} finally {
  await close();
  server.close();
}
