// SPDX-License-Identifier: GPL-3.0-or-later
// The page's engine (WebAssembly, MPFR on 32-bit limbs) against the desktop's
// (the processor's 80-bit type): random sheets through every function in both,
// the answers compared whole; variants 1..n byte for byte against
// `pothenot --variant`; and a few dozen sheets through `pothenot --calculate`
// and `--check --json` to tie the native batch to the command line.
//   node --no-experimental-fetch crosscheck.mjs --engine build-web/engine
//        --batch web_engine_batch --pothenot pothenot [--sheets N] [--variants N]
import { execFileSync, spawnSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { isDeepStrictEqual } from "node:util";
import { pathToFileURL } from "node:url";

const args = Object.fromEntries(
  process.argv.slice(2).flatMap((a, i, all) => (a.startsWith("--") ? [[a.slice(2), all[i + 1]]] : [])));
const sheets = Number(args.sheets ?? 10000), variants = Number(args.variants ?? 1000);
const engineDir = resolve(args.engine);
const { createEngine } = await import(pathToFileURL(join(engineDir, "engine.mjs")));
const engine = await createEngine({ wasmBinary: readFileSync(join(engineDir, "pothenot_engine.wasm")) });

// A seeded generator (mulberry32): the same sheets on every run.
let seed = 20261207;
const random = () => {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
};
const below = (n) => Math.floor(random() * n);
const pick = (list) => list[below(list.length)];
const digits = (n) => Array.from({ length: n }, () => below(10)).join("");

const givens = engine.fields.filter((f) => f.given).map((f) => f.name);
const results = engine.fields.filter((f) => !f.given && !f.mirrorOf).map((f) => f.name);
const wild = () => pick([
  "0", "-0", "1e5", "٣", "−12", " 12", "12 ", "1,2,3", "1.2.3", "abc", "", "+7", "0,0000001",
  digits(40), `-${digits(25)},${digits(12)}`, `${digits(1 + below(18))},${digits(below(8))}`,
  "99999999999999999999999", "360", "-360", "59,999999", "0,5", "00000001", "1e-400",
]);
// A slip a student makes: a digit changed, two swapped, the sign, a digit lost.
const slip = (text) => {
  const i = below(text.length);
  switch (below(4)) {
    case 0: return /\d/.test(text[i] ?? "") ? text.slice(0, i) + ((+text[i] + 1) % 10) + text.slice(i + 1) : text + "1";
    case 1: return text.slice(0, i) + text.slice(i + 1, i + 2) + text[i] + text.slice(i + 2);
    case 2: return text.startsWith("-") ? text.slice(1) : "-" + text;
    default: return text.slice(0, i) + text.slice(i + 1);
  }
};

function makeSheet(i) {
  const file = JSON.parse(engine.variantSheet(1 + below(999999)));
  const f = file.fields;
  switch (i % 6) {
    case 0:  // plausible: givens moved in their last digits
      for (const g of givens) if (random() < 0.3) f[g] = f[g].replace(/\d$/, () => below(10));
      break;
    case 1:  // wild givens, points on top of each other
      for (const g of givens) if (random() < 0.2) f[g] = wild();
      if (random() < 0.3) [f.EXb, f.EYb] = [f.EXa, f.EYa];
      break;
    case 2:  // empty givens
      for (const g of givens) if (random() < 0.15) f[g] = "";
      break;
    case 3: {  // the point separator, or a sheet typed in the wrong one
      const text = engine.useSeparator(JSON.stringify(file), ".");
      return random() < 0.7 ? text : text.replace('"decimalSeparator": "."', '"decimalSeparator": ","');
    }
    default: {  // worked in part, with slips
      const worked = JSON.parse(engine.calculateSheet(JSON.stringify(file)).sheet).fields;
      const upTo = below(results.length + 1);
      results.forEach((r, k) => {
        f[r] = k >= upTo ? "" : random() < 0.1 ? slip(worked[r]) : random() < 0.05 ? wild() : worked[r];
      });
      if (random() < 0.2) f[pick(givens)] = slip(f[pick(givens)] || "1");
      if (random() < 0.1) delete file.variant;
      if (random() < 0.1) file.variant = 1 + below(999999);
    }
  }
  if (random() < 0.2) file.student = pick(["", "Иванова А. П.", "O'Brien \"Q\"", "\t\n"]);
  return JSON.stringify(file, null, below(3));
}

const head = '{"format": "pothenot-sheet", "version": ';
const notSheets = ["", "{}", "not json", `${head}2, "fields": {}}`, `${head}1, "fields": {"EXa": 5}}`, "[1, 2",
  `${head}1, "decimalSeparator": ";", "fields": {}}`, " ".repeat(1 << 20) + "{}"];

// Every request to both engines; the answer of `engine` for a request in the
// form the batch writes: an object, or {sheet} for a text, {thrown} for an Error.
const requests = [["fields"]];
const texts = [...notSheets, ...Array.from({ length: sheets }, (_, i) => makeSheet(i))];
texts.forEach((text, i) => {
  const name = pick(["лист", "группа 3/Иванова.pothenot", "a.pothenot"]);
  requests.push(["calculateSheet", text, name], ["checkSheet", text, name], ["markSheet", text],
    ["readSheet", text, name], ["useSeparator", text, pick([",", ".", ";"])]);
  if (i % 10 === 0) {
    const read = engine.readSheet(text, name);
    if (read.ok && random() < 0.5) read.fields[pick(givens)] = wild().replace(/[.,]/g, (c) => (c === "," ? "." : ","));
    requests.push(["writeSheet", JSON.stringify(read.ok ? read : { fields: {}, decimalSeparator: "." })]);
  }
});
for (const n of [0, 1000000, 1.5, -3, 17]) requests.push(["variantSheet", n]);

function ask([fn, ...rest]) {
  try {
    const answer = fn === "fields" ? engine.fields : fn === "writeSheet" ? engine.writeSheet(JSON.parse(rest[0])) : engine[fn](...rest);
    return typeof answer === "string" ? { sheet: answer } : answer;
  } catch (error) {
    return { thrown: error.message };
  }
}

const failures = [];
const fail = (what, got, want) => failures.push(what) <= 5
  && console.error(`DIFFERS: ${what}\n  web:    ${JSON.stringify(got).slice(0, 600)}\n  native: ${JSON.stringify(want).slice(0, 600)}`);

const native = execFileSync(args.batch, { input: requests.map((r) => JSON.stringify(r)).join("\n") + "\n",
  maxBuffer: 1 << 30, encoding: "utf8" }).split("\n");
// What the sheets came to, so that a generator gone tame shows.
const seen = {};
const tally = (k) => (seen[k] = (seen[k] ?? 0) + 1);
requests.forEach((request, i) => {
  const got = ask(request), want = JSON.parse(native[i]);
  if (!isDeepStrictEqual(got, want)) fail(`${request[0]} of request ${i}`, got, want);
  if (request[0] === "calculateSheet") tally(want.sheet === "" ? "not a sheet" : want.message ? "stopped" : "calculated");
  if (request[0] === "markSheet") want.marks.forEach((m) => tally(m.mark));
});
console.log(`${requests.length} requests on ${texts.length} texts: ${JSON.stringify(seen)}`);

// The command line: variants byte for byte, and sheets calculated and checked.
const cli = (...argv) => spawnSync(args.pothenot, argv, { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" }, encoding: "utf8", maxBuffer: 1 << 26 });
for (let n = 1; n <= variants; ++n) {
  const run = cli("--variant", String(n)), web = engine.variantSheet(n);
  if (run.status !== 0 || run.stdout !== web) fail(`variant ${n}`, web, run.stdout);
}
const dir = mkdtempSync(join(tmpdir(), "pothenot-web-"));
texts.slice(0, 48).forEach((text, i) => {
  const path = join(dir, `лист ${i}.pothenot`);
  writeFileSync(path, text);
  const calculated = engine.calculateSheet(text, `лист ${i}.pothenot`), run = cli("--calculate", path);
  const command = { sheet: run.stdout, message: run.stderr.replace(/^pothenot: /, "").trimEnd() };
  if (!isDeepStrictEqual(command, calculated)) fail(`pothenot --calculate of text ${i}`, calculated, command);
  const rows = JSON.parse(cli("--check", "--json", path).stdout || "[]");
  if (!isDeepStrictEqual(rows, [engine.checkSheet(text, path)])) fail(`pothenot --check --json of text ${i}`, engine.checkSheet(text, path), rows);
});
rmSync(dir, { recursive: true, force: true });
console.log(`${variants} variants and 48 command-line sheets compared: ${failures.length} differences`);
process.exit(failures.length ? 1 : 0);
