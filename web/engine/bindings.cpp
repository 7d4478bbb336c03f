// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's functions for the page's JavaScript (engine.mjs wraps them).
#include <emscripten/bind.h>

#include <string>

#include "web/engine/engine_api.h"

namespace {

std::string Version() {
  return POTHENOT_VERSION;
}

}  // namespace

EMSCRIPTEN_BINDINGS(pothenot_engine) {
  using namespace pothenot::web;
  emscripten::function("version", &Version);
  emscripten::function("calculateSheet", &CalculateSheet);
  emscripten::function("checkSheet", &CheckSheet);
  emscripten::function("variantSheet", &VariantSheet);
  emscripten::function("fields", &FieldList);
  emscripten::function("readSheet", &ReadSheet);
  emscripten::function("writeSheet", &WriteSheet);
  emscripten::function("useSeparator", &ChangeSeparator);
  emscripten::function("markSheet", &MarkSheet);
}
