// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet kept: saved to a file and opened again, a bad file refused, the
// sheet across a reload, «Очистить» undone, and the browser's language's
// decimal separator.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, test } from 'node:test';
import { boxTexts, desktop, fields, names, openPage, ready, serveSite, sheetFile, startBrowser, typeInto } from './site.mjs';

const example = (separator) => Object.fromEntries(fields.map(
  (field) => [field.name, field.role === 'Result' ? '' : field.text.replace(',', separator)]));

const [site, chrome] = await Promise.all([serveSite(), startBrowser()]);
const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'pothenot-downloads-'));
after(() => Promise.all([chrome.close(), site.close(), fs.promises.rm(downloads, { recursive: true, force: true })]));

// A new page on the site whose downloads land in a folder of their own.
async function sheetPage() {
  const opened = await openPage(chrome.browser, site.origin);
  const folder = fs.mkdtempSync(path.join(downloads, 'page-'));
  await (await opened.page.createCDPSession()).send('Browser.setDownloadBehavior',
    { behavior: 'allow', downloadPath: folder, browserContextId: opened.page.browserContext().id });
  return { ...opened, folder };
}

// «Сохранить лист», the student's name typed where the page asks for it (a
// sheet without a file); the file it downloads.
async function save(page, folder, student) {
  await page.click('#cmd-save');
  if (student !== undefined) {
    await page.waitForSelector('#student-dialog[open]');
    await typeInto(page, 'student', student);
    await page.click('#student-ok');
  }
  for (let i = 0; i < 600; ++i, await new Promise((resolve) => setTimeout(resolve, 25))) {
    const done = fs.readdirSync(folder).filter((name) => !name.endsWith('.crdownload'));
    if (done.length) return path.join(folder, done[0]);
  }
  throw new Error('no file was downloaded');
}

const open = async (page, file) => (await page.$('#file-input')).uploadFile(file);

test('a sheet saved is the desktop\'s file byte for byte and opens again as it was, a bad file is refused, '
  + 'the sheet survives a reload and «Очистить» is undone and redone', async () => {
  const { page, folder, errors } = await sheetPage();
  await page.click('#BitBtn1');
  const shown = await boxTexts(page, names);
  const saved = await save(page, folder, 'Иванова А. П.');
  const withStudent = JSON.stringify({ ...JSON.parse(sheetFile(example(','), ',')), student: 'Иванова А. П.' });
  assert.equal(fs.readFileSync(saved, 'utf8'), desktop(['--calculate'], withStudent));

  // Opened in a new page (the example on it), and saved back to its file.
  const again = await sheetPage();
  await open(again.page, saved);
  await again.page.waitForFunction(() => document.getElementById('EXp').value !== '');
  assert.deepEqual(await boxTexts(again.page, names), shown);
  assert.ok(fs.readFileSync(await save(again.page, again.folder)).equals(fs.readFileSync(saved)));

  // A file that is not a sheet: the desktop's sentence, and the sheet stays.
  const bad = path.join(downloads, 'не лист.pothenot');
  fs.writeFileSync(bad, '{"format": "pothenot-sheet", "version": 1, "fields": ');
  await open(page, bad);
  await page.waitForSelector('#message[open]');
  const sentence = (() => {
    try { desktop(['--calculate'], fs.readFileSync(bad), 'не лист.pothenot'); } catch (failure) { return failure.stderr; }
  })().trim().replace(/^pothenot: /, '').replace(/«[^«»]*\/не лист\.pothenot»/, '«не лист.pothenot»');
  assert.match(sentence, /^Файл «не лист\.pothenot» /);
  assert.equal(await page.$eval('#message-text', (p) => p.textContent), sentence);
  await page.click('#message-ok');
  assert.deepEqual(await boxTexts(page, names), shown);

  // The sheet survives a reload; «Очистить» is undone and redone exactly.
  await page.reload();
  await ready(page);
  assert.deepEqual(await boxTexts(page, names), shown);

  await page.click('#BitBtn3');
  assert.deepEqual(Object.values(await boxTexts(page, names)), names.map(() => ''));
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyZ');
  assert.deepEqual(await boxTexts(page, names), shown);
  await page.keyboard.down('Shift');
  await page.keyboard.press('KeyZ');
  assert.deepEqual(Object.values(await boxTexts(page, names)), names.map(() => ''));
  assert.deepEqual([...errors, ...again.errors], []);
});

test('a browser in English gets the example with a decimal point and calculates it as the desktop does', async () => {
  const english = await startBrowser({ lang: 'en-US' });
  try {
    const { page } = await openPage(english.browser, site.origin);
    await page.click('#BitBtn1');
    const expected = JSON.parse(desktop(['--calculate'], sheetFile(example('.'), '.'))).fields;
    assert.equal(expected.EK1K3, '-10044.72');
    assert.deepEqual(await boxTexts(page, names), expected);
  } finally {
    await english.close();
  }
});
