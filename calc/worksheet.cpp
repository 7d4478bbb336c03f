// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/worksheet.h"

#include <optional>
#include <stdexcept>

namespace pothenot {

TWorksheet::TWorksheet() {
  for (std::size_t i = 0; i < kFieldCount; ++i) texts_[i] = Fields()[i].defaultText;
}

Field TWorksheet::Require(std::string_view name) {
  if (auto field = FieldByName(name)) return *field;
  throw std::invalid_argument("TWorksheet: no field is named '" + std::string(name) + "'");
}

const std::string& TWorksheet::text(std::string_view name) const {
  return text(Require(name));
}

void TWorksheet::setText(std::string_view name, std::string_view text) {
  setText(Require(name), text);
}

bool TWorksheet::Assign(Field field, std::string_view text) {
  std::string& slot = texts_[Index(field)];
  if (slot == text) return false;
  slot.assign(text);
  return true;
}

void TWorksheet::setText(Field field, std::string_view text) {
  // The mirror takes its copy before anyone hears of either change, so an
  // observer that looks at the worksheet never sees the two apart.
  const bool changed = Assign(field, text);
  if (!changed) return;
  std::optional<Field> mirror;
  if (field == Field::EXa) mirror = Field::EXaa;
  if (field == Field::EYa) mirror = Field::EYaa;
  // Copy from the stored text: `text` may have pointed into this worksheet.
  const bool mirrorChanged = mirror && Assign(*mirror, texts_[Index(field)]);
  Notify(field);
  if (mirrorChanged) Notify(*mirror);
}

void TWorksheet::clear() {
  for (std::size_t i = 0; i < kFieldCount; ++i) setText(static_cast<Field>(i), "");
}

void TWorksheet::Notify(Field field) const {
  if (observer_) observer_(Info(field).name);
}

}  // namespace pothenot
