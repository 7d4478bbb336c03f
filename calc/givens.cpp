// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/givens.h"

#include <string>

#include "calc/calc_error.h"
#include "calc/number_text.h"

namespace pothenot {

namespace {

using Kind = CalcError::Kind;

// A user's text in a message: at most this many characters, then "…".
constexpr std::size_t kQuotedCharacters = 40;

std::string Quote(std::string_view text) {
  std::string out = "«";
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool startsCharacter = (byte & 0xC0) != 0x80;
    if (startsCharacter && characters++ == kQuotedCharacters) {
      out += "…";
      break;
    }
    out += text[i];
  }
  return out + "»";
}

// How a message names a decimal separator: "точкой «.»".
std::string SeparatorName(std::string_view separator) {
  if (separator == ".") return "точкой «.»";
  if (separator == ",") return "запятой «,»";
  return "знаком «" + std::string(separator) + "»";
}

// The separator with which `text` would read as a number, when it is not the
// desktop's own: a worksheet typed on a desktop that writes the other one.
std::string_view OtherSeparatorThatReads(std::string_view text, std::string_view separator) {
  for (std::string_view other : {std::string_view(","), std::string_view(".")}) {
    if (other == separator) continue;
    try {
      NumberFromText(text, other);
      return other;
    } catch (const CalcError&) {
    }
  }
  return {};
}

// A given, converted and stored at once.
Extended Read(const TWorksheet& sheet, Field field, std::string_view separator) {
  const std::string& text = sheet.text(field);
  const std::string name = "«" + std::string(Info(field).quantity) + "»";
  try {
    return Extended(NumberFromText(text, separator).ToDouble());
  } catch (const CalcError& e) {
    if (e.kind() == Kind::Overflow) {
      throw CalcError(Kind::Overflow,
                      "Число " + Quote(text) + " в поле " + name + " слишком велико.");
    }
    if (text.empty()) {
      throw CalcError(Kind::NotANumber,
                      "Поле " + name + " не заполнено: в нём должно стоять число.");
    }
    std::string message = "Текст " + Quote(text) + " в поле " + name + " не является числом.";
    if (const auto other = OtherSeparatorThatReads(text, separator); !other.empty()) {
      message += " На этом компьютере дробная часть числа отделяется " + SeparatorName(separator) +
                 ", а не " + SeparatorName(other) + ".";
    }
    throw CalcError(Kind::NotANumber, message);
  }
}

}  // namespace

Givens ReadGivens(const TWorksheet& sheet, std::string_view separator) {
  using F = Field;
  auto read = [&](Field field) { return Read(sheet, field, separator); };
  Givens g;
  g.y1g = read(F::Ey1g), g.y1m = read(F::Ey1m), g.y1s = read(F::Ey1s);
  g.y2g = read(F::Ey2g), g.y2m = read(F::Ey2m), g.y2s = read(F::Ey2s);
  g.Xb = read(F::EXb), g.Xc = read(F::EXc), g.Xa = read(F::EXa);
  g.Yb = read(F::EYb), g.Yc = read(F::EYc), g.Ya = read(F::EYa);
  g.Xd = read(F::EXd), g.Yd = read(F::EYd);
  g.e2g = read(F::Ee2g), g.e2m = read(F::Ee2m), g.e2s = read(F::Ee2s);
  return g;
}

}  // namespace pothenot
