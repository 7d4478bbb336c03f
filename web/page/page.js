// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet in a browser: the problem window's 48 boxes and buttons, the
// sheet as a document (its file's name, student, variant, the undo of
// «Очистить»), F3's marks, files, variants, print and help. Every number is
// the engine's (calc/ compiled to WebAssembly); the page only moves texts.
const $ = (id) => document.getElementById(id);
const PROGRAM = "Задача Потенота";
const STORE = "pothenot.sheet";
const SUFFIX = ".pothenot";
const body = document.body.dataset;
const FIRST = Number(body.firstVariant), LAST = Number(body.lastVariant);

// The desktop's rule: a comma where the language writes one, else a point.
const separator = new Intl.NumberFormat(navigator.language).formatToParts(1.5)
  .find((p) => p.type === "decimal")?.value === "," ? "," : ".";

let engine, fields, boxes;
const doc = {
  student: "", variant: null, variantGivens: null, // the variant while its givens stay
  fileName: "", kept: null,                         // the file last read or written
  steps: [], done: 0, stepFields: [],               // «Очистить» steps, steps[0..done) done
};
let known = {};              // the texts as last written by the page or typed
const written = new Map();   // each box's text as the page last wrote it
const lastInput = new Map(); // each box's last kind of input ("historyUndo"…)
let marked = false;
let suggestion = FIRST + Math.floor(Math.random() * Math.min(999, LAST - FIRST + 1));

const texts = () => Object.fromEntries(fields.map((f) => [f.name, boxes.get(f.name).value]));
const givens = () => fields.filter((f) => f.given).map((f) => boxes.get(f.name).value);
const isResult = (f) => !f.given && !f.mirrorOf;
const variantNow = () =>
  doc.variant !== null && JSON.stringify(givens()) === JSON.stringify(doc.variantGivens) ? doc.variant : null;
const sheetText = () => engine.writeSheet({ fields: texts(), decimalSeparator: separator,
  variant: variantNow(), student: doc.student });
const isModified = () => doc.kept !== null && sheetText() !== doc.kept;

// ---- The boxes -------------------------------------------------------------

function show(name, text) {
  const box = boxes.get(name);
  if (box.value !== text) box.value = text;
  written.set(name, text);
  lastInput.delete(name);
  for (const m of fields) if (m.mirrorOf === name) show(m.name, text);
}

// Writes texts as the document does (a file, a step, Calculate): no typing.
// A mirror follows its given unless it is written itself (an undo puts back
// a mirror typed apart from its given).
function write(values) {
  unmark();
  for (const f of fields) if (!f.mirrorOf && f.name in values) show(f.name, values[f.name]);
  for (const f of fields) if (f.mirrorOf && f.name in values) show(f.name, values[f.name]);
  known = texts();
  changed();
}

function typed(name, kind) {
  const box = boxes.get(name);
  lastInput.set(name, kind);
  for (const m of fields) if (m.mirrorOf === name) show(m.name, box.value);
  unmark();
  // A given typed, or a box a step writes, and the steps go: an undo never
  // overwrites what was typed. A result typed leaves them, as Calculate does.
  const now = texts();
  let forget = false;
  for (const f of fields) {
    if (now[f.name] === known[f.name]) continue;
    forget ||= !isResult(f) || doc.stepFields.includes(f.name);
  }
  known = now;
  if (forget) forgetSteps();
  changed();
}

function forgetSteps() {
  doc.steps = []; doc.done = 0; doc.stepFields = [];
}

// After every change: the title, the undo commands, and the sheet kept.
function changed() {
  const modified = isModified();
  document.title = doc.fileName ? `${body.formTitle} — ${doc.fileName}${modified ? "*" : ""}` : body.formTitle;
  const undo = doc.steps[doc.done - 1], redo = doc.steps[doc.done];
  $("cmd-undo").disabled = !undo;
  $("cmd-undo").textContent = undo ? `Отменить ${undo.name}` : "Отменить";
  $("cmd-redo").disabled = !redo;
  $("cmd-redo").textContent = redo ? `Повторить ${redo.name}` : "Повторить";
  printHeader();
  try {
    localStorage.setItem(STORE, JSON.stringify({ ...doc, separator, fields: texts() }));
  } catch { /* storage off or full: the sheet lives on in the page */ }
}

// The printed sheet's header, as the desktop's page has it: the program, the
// variant while its givens stay, the student; the date on the right.
function printHeader() {
  const variant = variantNow(), student = doc.student.trim().replace(/\s+/g, " ");
  const title = [variant ? `Вариант ${variant}` : "", student].filter(Boolean).join(" — ");
  $("print-title").textContent = title ? `${PROGRAM} · ${title}` : PROGRAM;
  $("print-date").textContent = new Date().toLocaleDateString("ru-RU", { day: "2-digit", month: "2-digit", year: "numeric" });
}

// ---- The form's buttons and the undo -------------------------------------

function calculate() {
  const result = engine.calculateSheet(sheetText(), doc.fileName || "лист");
  if (result.sheet) {
    const read = engine.readSheet(result.sheet, doc.fileName || "лист");
    if (read.ok) write(Object.fromEntries(fields.filter(isResult).map((f) => [f.name, read.fields[f.name] ?? ""])));
  }
  unmark();
  if (result.message) message(result.message);
}

function clearSheet() {
  const before = texts();
  write(Object.fromEntries(fields.map((f) => [f.name, ""])));
  step("очистку", before, texts());
}

function step(name, before, after) {
  const names = fields.map((f) => f.name).filter((n) => before[n] !== after[n]);
  if (!names.length) return;
  const pick = (all) => Object.fromEntries(names.map((n) => [n, all[n]]));
  doc.steps.splice(doc.done, Infinity, { name, before: pick(before), after: pick(after) });
  doc.done = doc.steps.length;
  doc.stepFields = [...new Set([...doc.stepFields, ...names])];
  changed();
}

function undo() {
  if (doc.done === 0) return;
  write(doc.steps[--doc.done].before);
}

function redo() {
  if (doc.done === doc.steps.length) return;
  write(doc.steps[doc.done++].after);
}

// ---- F3: the marks ---------------------------------------------------------

function check() {
  unmark();
  const text = sheetText();
  const result = engine.markSheet(text);
  if (result.error) return message(result.error);
  // The right texts of the list's «Верно» column: the class check's marks of the same sheet.
  const expected = Object.fromEntries((engine.checkSheet(text).marks ?? []).map((m) => [m.field, m.expected]));
  const rows = result.marks.map((m) => {
    const box = boxes.get(m.field);
    if (m.tint) box.style.backgroundColor = m.tint;
    box.title = m.note;
    box.setAttribute("aria-description", m.note);
    const row = document.createElement("tr");
    const quantity = fields.find((f) => f.name === m.field).quantity;
    for (const cell of [quantity, box.value, expected[m.field] ?? "", m.word]) {
      const td = row.insertCell();
      td.textContent = cell;
      td.title = m.note;
    }
    if (m.tint) row.lastChild.style.backgroundColor = m.tint;
    row.dataset.field = m.field;
    return row;
  });
  $("marks-summary").textContent = result.summary;
  $("marks-table").tBodies[0].replaceChildren(...rows);
  $("marks").hidden = false;
  marked = true;
}

// Any change takes the marks away, and the list says the sheet has changed.
function unmark() {
  if (!marked) return;
  marked = false;
  for (const box of boxes.values()) {
    box.style.backgroundColor = "";
    box.removeAttribute("title");
    box.removeAttribute("aria-description");
  }
  $("marks-table").tBodies[0].replaceChildren();
  $("marks-summary").textContent = "Лист изменён после проверки. Нажмите F3, чтобы проверить его снова.";
}

// ---- Dialogs ---------------------------------------------------------------

// A modal dialog whose buttons carry a value; resolves with the one pressed
// (Escape: "cancel").
function ask(dialog) {
  return new Promise((resolve) => {
    const buttons = [...dialog.querySelectorAll("button[value]")];
    const done = (value) => {
      for (const b of buttons) b.onclick = null;
      dialog.oncancel = null;
      dialog.close();
      resolve(value);
    };
    for (const b of buttons) b.onclick = () => done(b.value);
    dialog.oncancel = (e) => { e.preventDefault(); done("cancel"); };
    dialog.showModal();
  });
}

function message(text) {
  $("message-text").textContent = text;
  if (!$("message").open) $("message").showModal();
  $("message-ok").focus();
}

// The document's question before its sheet is replaced: only a sheet read
// from or written to a file, and changed since.
async function maySetAside() {
  if (!isModified()) return true;
  $("question-text").textContent = `Сохранить изменения в листе «${doc.fileName}»?`;
  const answer = await ask($("question"));
  return answer === "save" ? save() : answer === "discard";
}

// ---- Files, variants, print, help ----------------------------------------

function replace(read, fileName, variant, student) {
  write(Object.fromEntries(fields.filter((f) => !f.mirrorOf).map((f) => [f.name, read.fields[f.name] ?? ""])));
  doc.student = student;
  doc.variant = variant;
  doc.variantGivens = variant === null ? null : givens();
  doc.fileName = fileName;
  forgetSteps();
  doc.kept = fileName ? sheetText() : null;
  changed();
}

// A sheet in the other separator is read with the page's.
function readInSeparator(text, name) {
  const read = engine.readSheet(text, name);
  return read.ok && read.decimalSeparator !== separator ? engine.readSheet(engine.useSeparator(text, separator), name) : read;
}

async function openFile(file) {
  if (!(await maySetAside())) return;
  // Far larger than any sheet: refused by its size, unread past the limit.
  const text = await file.slice(0, Number(body.sheetMaxBytes) + 1).text();
  const read = readInSeparator(text, file.name);
  if (!read.ok) return message(read.sentence);
  replace(read, file.name, read.variant ?? null, read.student ?? "");
}

async function save(asNew = false) {
  if (!doc.fileName || asNew) {
    $("student").value = doc.student;
    const answer = ask($("student-dialog"));
    $("student").select();
    if ((await answer) !== "ok") return false;
    doc.student = $("student").value.trim();
    const variant = variantNow();
    if (!doc.fileName) doc.fileName = (variant ? `Вариант ${variant}` : doc.student || "Лист") + SUFFIX;
  }
  const text = sheetText();
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([text], { type: "application/octet-stream" }));
  link.download = doc.fileName;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  doc.kept = text;
  changed();
  return true;
}

async function newVariant() {
  const number = $("variant-number");
  number.value = suggestion;
  const answer = ask($("variant-dialog"));
  number.select();
  if ((await answer) !== "ok") return;
  // A number outside the range is taken to its nearest end, as a spin box does.
  const n = Math.min(LAST, Math.max(FIRST, Math.trunc(Number(number.value)) || FIRST));
  if (!(await maySetAside())) return;
  // A new sheet without a file; its student stays, as on the desktop.
  replace(readInSeparator(engine.variantSheet(n), "лист"), "", n, doc.student);
  suggestion = n >= LAST ? FIRST : n + 1;
}

function help(topic = "web-page") {
  if (!$("help").open) $("help").showModal();
  $(topic)?.scrollIntoView();
}

function exit() {
  // The sheet is kept in the browser already: closing loses nothing.
  window.close();
  setTimeout(() => message("Лист сохранён в этом браузере: вкладку можно закрыть, он откроется снова."), 200);
}

// ---- Keys and wiring -------------------------------------------------------

const commands = {
  "cmd-open": () => $("file-input").click(), "cmd-save": () => save(), "cmd-save-as": () => save(true),
  "cmd-variant": newVariant, "cmd-print": () => window.print(), "cmd-check": check,
  "cmd-undo": undo, "cmd-redo": redo, "cmd-help": () => help(),
  BitBtn1: calculate, BitBtn3: clearSheet, BitBtn2: exit,
  "marks-again": check, "marks-close": () => { $("marks").hidden = true; },
  "message-ok": () => $("message").close(), "help-close": () => $("help").close(),
};

// Whether a box has typing of its own to undo (its text is not what the page
// wrote) or to redo (its last input was an undo of its own).
const ownUndo = (box, redo) => boxes.get(box.id) === box &&
  (redo ? lastInput.get(box.id) === "historyUndo" : box.value !== written.get(box.id));

// The command keys; Ctrl+Z and Ctrl+Shift+Z are a box's own while it has its own edit to undo or redo.
function key(e) {
  const ctrl = e.ctrlKey || e.metaKey, shift = e.shiftKey;
  const inDialog = document.querySelector("dialog[open]");
  let run = null;
  if (e.key === "F1") run = () => help();
  else if (inDialog) return;
  else if (e.key === "F3") run = check;
  else if (ctrl && !e.altKey) {
    const own = ownUndo(e.target, shift);
    run = {
      KeyS: () => save(shift), KeyO: shift ? null : () => $("file-input").click(),
      KeyP: () => window.print(), KeyE: () => window.print(),
      KeyZ: own ? null : shift ? redo : undo,
    }[e.code] ?? null;
  }
  if (!run) return;
  e.preventDefault();
  run();
}

function wire() {
  for (const [id, run] of Object.entries(commands)) $(id).addEventListener("click", () => run());
  for (const f of fields) boxes.get(f.name).addEventListener("input", (e) => typed(f.name, e.inputType));
  document.addEventListener("keydown", key);
  window.addEventListener("beforeprint", printHeader);
  $("file-input").addEventListener("change", (e) => {
    const [file] = e.target.files;
    e.target.value = "";
    if (file) openFile(file);
  });
  // A sheet file dropped anywhere on the page is opened; nothing dropped is typed into a box.
  const sheetFile = (e) => [...(e.dataTransfer?.files ?? [])].find((f) => f.name.toLowerCase().endsWith(SUFFIX));
  document.addEventListener("dragover", (e) => {
    if (e.dataTransfer?.types.includes("Files")) e.preventDefault();
  });
  document.addEventListener("drop", (e) => {
    if (!e.dataTransfer?.types.includes("Files")) return;
    e.preventDefault();
    const file = sheetFile(e);
    if (file) openFile(file);
  });
  // A link in the help opens its topic in the help.
  $("help").addEventListener("click", (e) => {
    const link = e.target.closest("a[href^='#']");
    if (!link) return;
    e.preventDefault();
    help(link.getAttribute("href").slice(1));
  });
}

// The sheet as it was left, else the built-in example, as the window starts.
function restore() {
  let kept = null;
  try { kept = JSON.parse(localStorage.getItem(STORE)); } catch { /* none */ }
  if (kept?.fields) {
    let values = kept.fields;
    const variantGivens = JSON.stringify(fields.filter((f) => f.given).map((f) => values[f.name] ?? ""));
    const stillVariant = kept.variant != null && variantGivens === JSON.stringify(kept.variantGivens);
    if (kept.separator !== separator) {
      const text = engine.writeSheet({ fields: values, decimalSeparator: kept.separator, variant: null, student: "" });
      const read = engine.readSheet(engine.useSeparator(text, separator), "лист");
      if (read.ok) values = read.fields;
      kept.steps = []; kept.done = 0; kept.stepFields = []; kept.kept = null;
    }
    Object.assign(doc, kept);
    delete doc.fields; delete doc.separator;
    for (const f of fields) show(f.name, values[f.name] ?? "");
    // Its numbers moved to this separator, a variant's givens are still the variant's.
    if (kept.separator !== separator) {
      doc.variant = stillVariant ? kept.variant : null;
      doc.variantGivens = stillVariant ? givens() : null;
    }
  } else {
    const text = engine.writeSheet({ fields: JSON.parse(body.example), decimalSeparator: ",", variant: null, student: "" });
    const example = engine.readSheet(engine.useSeparator(text, separator), "лист");
    for (const f of fields) show(f.name, example.ok ? example.fields[f.name] ?? "" : "");
  }
  known = texts();
  changed();
}

// The browser compiles the engine's functions the first time they run: one
// sheet worked and marked before the page says it is ready, so that the
// student's first «Вычислить» does not wait for it. The sheet is not shown.
function warmUp() {
  const worked = engine.calculateSheet(engine.variantSheet(FIRST)).sheet;
  engine.readSheet(worked, "лист");
  engine.markSheet(worked);
}

async function start() {
  try {
    const { createEngine } = await import("./engine.mjs");
    engine = await createEngine();
  } catch (failure) {
    message(`Не удалось загрузить вычислитель: ${failure.message ?? failure}`);
    return;
  }
  fields = engine.fields;
  boxes = new Map(fields.map((f) => [f.name, $(f.name)]));
  for (const f of fields) boxes.get(f.name).setAttribute("aria-label", f.quantity);
  wire();
  restore();
  warmUp();
  document.body.dataset.ready = "1";
  keepOffline();
}

// The site's worker keeps its files for the next opening without the network,
// where the browser runs workers (a page from a server over https, or from
// 127.0.0.1). Registered once the page is ready, not to slow its first load.
function keepOffline() {
  if (!navigator.serviceWorker) return;
  // Refused (the browser's settings): the page works while its server answers.
  navigator.serviceWorker.register(new URL("sw.js", import.meta.url))
    .catch((failure) => console.warn(`Страница не сохранена для работы без сети: ${failure.message ?? failure}`));
}

start();
