// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet in the browser against the desktop program: the built-in
// example typed key by key and calculated, then marked with F3.
import assert from 'node:assert/strict';
import { after, test } from 'node:test';
import { boxTexts, desktop, fields, names, openPage, serveSite, sheetFile, startBrowser, typeInto } from './site.mjs';

const results = fields.filter((field) => field.role === 'Result').map((field) => field.name);

// The desktop's tints of F3's marks (the problem window's box backgrounds)
// and its words for them.
const tints = { correct: 'rgb(204, 240, 204)', carried: 'rgb(255, 238, 176)', wrong: 'rgb(255, 196, 196)',
  unreadable: 'rgb(216, 216, 248)' };
const words = { correct: 'верно', carried: 'следует из ошибки', wrong: 'ошибка', unreadable: 'не читается', empty: 'пусто' };

const [site, chrome] = await Promise.all([serveSite(), startBrowser()]);
after(() => Promise.all([chrome.close(), site.close()]));
const { page, errors } = await openPage(chrome.browser, site.origin);

const background = (ids) => page.evaluate(
  (list) => Object.fromEntries(list.map((id) => [id, getComputedStyle(document.getElementById(id)).backgroundColor])), ids);
const sheet = async () => sheetFile(await boxTexts(page, names), ',');

test('the built-in example typed into an emptied sheet and calculated shows the desktop\'s 48 texts', async () => {
  await page.click('#BitBtn3');  // «Очистить»
  for (const field of fields) if (field.role === 'Given') await typeInto(page, field.name, field.text);
  await page.click('#BitBtn1');  // «Вычислить»
  const typed = Object.fromEntries(fields.map((field) => [field.name, field.role === 'Result' ? '' : field.text]));
  const expected = JSON.parse(desktop(['--calculate'], sheetFile(typed, ','))).fields;
  assert.deepEqual(await boxTexts(page, names), expected);
  assert.equal(expected.EK1K3, '-10044,72');  // the cut the hand scheme makes
});

test('F3 tints each result box and lists each result as the desktop marks them', async () => {
  // Two digits of K1 swapped and the first box that reads K1 worked on from
  // it, as the desktop's step gives it; Yp unreadable, δε empty.
  const k1 = (await boxTexts(page, ['EK1'])).EK1;
  await typeInto(page, 'EK1', k1.replace(/(\d)(\d)/, '$2$1'));
  await typeInto(page, 'EYp', 'абв');
  await typeInto(page, 'Ede', '');
  const next = JSON.parse(desktop(['--check', '--json'], await sheet()))[0].marks.find((box) => box.carried && box.carried !== box.expected);
  await typeInto(page, next.field, next.carried);
  const [marked] = JSON.parse(desktop(['--check', '--json'], await sheet()));
  const firstError = desktop(['--check'], await sheet()).split('\t')[3];
  const marks = Object.fromEntries(marked.marks.map((box) => [box.field, box.mark]));
  assert.deepEqual(new Set(Object.values(marks)), new Set(['correct', 'carried', 'wrong', 'unreadable', 'empty']));

  const unmarked = (await background(['EK1'])).EK1;
  await page.keyboard.press('F3');
  await page.waitForSelector('#marks:not([hidden])');
  assert.deepEqual(await background(results), Object.fromEntries(results.map((name) => [name, tints[marks[name]] ?? unmarked])));

  // The list: a row per result in the marking's order, the student's text,
  // the worksheet's and the word; above it the first error in words.
  const rows = await page.$$eval('#marks-table tbody tr', (trs) => trs.map((tr) => [...tr.cells].map((cell) => cell.textContent.trim())));
  const texts = await boxTexts(page, results);
  assert.deepEqual(rows.map((row) => row.slice(1)), marked.marks.map((box) => [texts[box.field], box.expected, words[box.mark]]));
  const summary = await page.$eval('#marks-summary', (p) => p.textContent);
  assert.ok(summary.startsWith(firstError[0].toUpperCase() + firstError.slice(1)), summary);

  // Any typing takes the marks away.
  await typeInto(page, 'EK1', k1);
  assert.equal((await background(['EK2'])).EK2, unmarked);
  assert.deepEqual(errors, []);
});
