// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine as the web page calls it: strings in, strings out (a sheet
// file's text, or JSON that engine.mjs turns into the page's objects). What
// a function refuses it says in {"thrown": sentence}, which engine.mjs
// throws as an Error; the engine's own exceptions never leave. Compiled into
// the WebAssembly module (bindings.cpp) and, for the cross-check, natively.
#include <string>

namespace pothenot::web {

/// {"sheet", "message"}: `pothenot --calculate`'s bytes and stop message;
/// {"sheet": "", "message": the refusal naming `fileName`} for a text that is not a sheet.
std::string CalculateSheet(const std::string& text, const std::string& fileName);
/// `pothenot --check --json`'s object for one file; `file` its "file" member,
/// its last path part the name its sentences give.
std::string CheckSheet(const std::string& text, const std::string& file);
/// {"sheet": `pothenot --variant n`'s text}, or thrown for a number that is no variant.
std::string VariantSheet(double n);
/// [{"name", "quantity", "given", "mirrorOf"}] for the 48 fields, in the worksheet's order.
std::string FieldList();
/// {"ok": true, "decimalSeparator", "variant", "student", "fields": {name: text}}, or
/// {"ok": false, "sentence"} naming `fileName`.
std::string ReadSheet(const std::string& text, const std::string& fileName);
/// {"sheet": WriteSheetFile's text} of the page's {fields, decimalSeparator, variant, student}
/// (JSON); a field left out is an empty box, a mirror follows its given.
std::string WriteSheet(const std::string& pageJson);
/// {"sheet": the text with its numbers moved to `separator`}; thrown for a text that is not a
/// sheet or a separator other than "," and ".".
std::string ChangeSeparator(const std::string& text, const std::string& separator);
/// F3: {"marks": [{"field", "mark", "word", "note", "tint"}], "summary", "firstError", "error"}.
std::string MarkSheet(const std::string& text);

}  // namespace pothenot::web
