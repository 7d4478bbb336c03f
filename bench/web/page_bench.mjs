// SPDX-License-Identifier: GPL-3.0-or-later
// The page's two timings, printed, never asserted:
//   - ready for typing: the page loaded from a local server (python3 -m
//     http.server, as ./run.sh --web serves it) into a browser context of its
//     own with the cache off, from navigation start to the moment the boxes
//     are there, wired and filled (the engine compiled and started);
//   - «Вычислить»: the button's click handled and the page laid out again,
//     the built-in example's 29 results written: the first click after each
//     of those loads, and 101 clicks in one page.
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

// One click of «Вычислить» with Xp emptied first, so that the click has the
// 29 results to write: its handler and the layout of what it wrote, in ms.
// Evaluated in the page.
function clickCalculate() {
  const result = document.getElementById('EXp');
  result.value = '';
  const start = performance.now();
  document.getElementById('BitBtn1').click();
  document.body.getBoundingClientRect();
  const time = performance.now() - start;
  if (!result.value) throw new Error('«Вычислить» wrote no Xp');
  return time;
}

const server = await pythonServer();
const { browser, close } = await startBrowser();
try {
  const loads = [];
  const firsts = [];
  for (let i = 0; i < runs; ++i) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setCacheEnabled(false);
    await page.goto(`${server.origin}/`, { waitUntil: 'domcontentloaded' });
    // Looked at on every change of the page's document (the ready mark is
    // one), not polled, so the watching costs the page nothing; the time is
    // the page's own clock from its navigation start.
    const handle = await page.waitForFunction(
      `(${isReady})() && (window.readyAt ??= performance.now())`, { polling: 'mutation', timeout: 15000 });
    loads.push(await handle.jsonValue());
    firsts.push(await page.evaluate(clickCalculate));
    await context.close();
  }
  console.log(`=== the page ready for typing, empty cache, ${runs} loads ===`);
  console.log(`median ${ms(median(loads))}, min ${ms(Math.min(...loads))}, max ${ms(Math.max(...loads))} (goal ≤ 1 s)`);
  console.log(`=== the first «Вычислить» after each of those loads ===`);
  console.log(`median ${ms(median(firsts))}, min ${ms(Math.min(...firsts))}, max ${ms(Math.max(...firsts))} (goal ≤ 20 ms)`);

  const page = await browser.newPage();
  await page.goto(`${server.origin}/`);
  await page.waitForFunction(isReady, { timeout: 15000 });
  const clicks = [];
  for (let i = 0; i < 101; ++i) clicks.push(await page.evaluate(clickCalculate));
  console.log('=== «Вычислить» in the page, the built-in example, 101 clicks in one page ===');
  console.log(`median ${ms(median(clicks))}, min ${ms(Math.min(...clicks))}, max ${ms(Math.max(...clicks))} (goal ≤ 20 ms)`);
} finally {
  await close();
  server.close();
}
