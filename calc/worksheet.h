// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "calc/fields.h"

namespace pothenot {

/// The whole state of one resection problem: one UTF-8 text per field. It holds
/// texts, not numbers; numbers exist only inside one run of `Calculate`.
///
/// Mirror rule: whenever the text of EXa (EYa) changes, EXaa (EYaa) receives
/// the same text. Setting a mirror directly changes nothing else.
///
/// Every operation that takes a field name throws `std::invalid_argument` for a
/// name that is not one of the 48: that is a programming error, not user input.
class TWorksheet {
 public:
  using Observer = std::function<void(std::string_view name)>;

  /// A worksheet with the built-in example: 17 givens, 2 mirrors, empty results.
  TWorksheet();

  const std::string& text(std::string_view name) const;
  const std::string& text(Field field) const { return texts_[Index(field)]; }

  /// Replaces the text and applies the mirror rule. The observer hears of each
  /// field whose text really changed, once, in the order of the changes.
  void setText(std::string_view name, std::string_view text);
  void setText(Field field, std::string_view text);

  /// Empties all 48 fields, in their declared order. The built-in example is
  /// not restored by anything but a new worksheet.
  void clear();

  /// The one observer; a new one replaces the old, an empty one removes it.
  void setObserver(Observer observer) { observer_ = std::move(observer); }

 private:
  static constexpr std::size_t Index(Field f) { return static_cast<std::size_t>(f); }
  static Field Require(std::string_view name);
  bool Assign(Field field, std::string_view text);
  void Notify(Field field) const;

  std::array<std::string, kFieldCount> texts_;
  Observer observer_;
};

}  // namespace pothenot
