// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet engine for the page: the program's own calc/ in WebAssembly
// (pothenot_engine.mjs and .wasm beside this file), the same digits, texts,
// marks and sheet files as the desktop and `pothenot` on the command line.
import createModule from "./pothenot_engine.mjs";

// The bindings answer in JSON; {thrown: sentence} is a refusal.
function answer(json) {
  const value = JSON.parse(json);
  if (value !== null && typeof value === "object" && "thrown" in value) {
    throw new Error(value.thrown);
  }
  return value;
}

/**
 * Loads the engine. `moduleOptions` goes to the module's loader as it is:
 * a page leaves it out; Node hands in the .wasm bytes as `wasmBinary`.
 */
export async function createEngine(moduleOptions = {}) {
  const m = await createModule(moduleOptions);
  const fields = Object.freeze(answer(m.fields()).map((field) => Object.freeze(field)));
  return Object.freeze({
    /** As `pothenot --version` prints it after "pothenot ". */
    version: m.version(),
    /** `pothenot --calculate`: {sheet, message}; {sheet: "", message} for a text that is not a sheet. */
    calculateSheet: (text, fileName = "лист") => answer(m.calculateSheet(text, fileName)),
    /** `pothenot --check --json`: the object for one file, its "file" member `file`. */
    checkSheet: (text, file = "") => answer(m.checkSheet(text, file)),
    /** `pothenot --variant n`: the sheet file's text. */
    variantSheet: (n) => answer(m.variantSheet(Number(n))).sheet,
    /** The 48 fields in the worksheet's order: {name, quantity, given, mirrorOf}. */
    fields,
    /** {ok: true, decimalSeparator, variant, student, fields: {name: text}} or {ok: false, sentence}. */
    readSheet: (text, fileName = "лист") => answer(m.readSheet(text, fileName)),
    /** The sheet file's text of {fields, decimalSeparator, variant, student}. */
    writeSheet: (sheet) => answer(m.writeSheet(JSON.stringify(sheet))).sheet,
    /** The sheet text with its numbers moved to `sep` ("," or "."). */
    useSeparator: (text, sep) => answer(m.useSeparator(text, sep)).sheet,
    /** F3: {marks: [{field, mark, word, note, tint}], summary, firstError, error}. */
    markSheet: (text) => answer(m.markSheet(text)),
  });
}
