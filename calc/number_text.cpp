// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/number_text.h"

#include <cstdint>
#include <utility>

#include "calc/calc_error.h"

namespace pothenot {

namespace {

constexpr int kSignificantDigits = 15;

// Beyond this decimal exponent any non-zero value overflows the extended range
// (about 1.19E4932), and below its negative it becomes zero.
constexpr std::int64_t kScaleLimit = 100000;

// A typed exponent stops growing here: far beyond kScaleLimit plus any count
// of digits a text can hold, and far from the end of the 64-bit range.
constexpr std::int64_t kExponentClamp = 1'000'000'000'000'000;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Up to 10^27 the powers of ten are exact in the extended type (5^27 < 2^64).
constexpr int kExactPowers = 27;

Extended PowerOfTen(int k) {
  std::int64_t low = 1;
  for (int i = 0; i < k && i < 18; ++i) low *= 10;
  std::int64_t high = 1;
  for (int i = 18; i < k; ++i) high *= 10;
  return Extended::FromInt64(low) * Extended::FromInt64(high);
}

[[noreturn]] void NotANumber() {
  throw CalcError::Fault(CalcError::Kind::NotANumber);
}

}  // namespace

Extended NumberFromText(std::string_view text, std::string_view separator) {
  return NumberFromParts(ReadNumberText(text, separator));
}

NumberParts ReadNumberText(std::string_view text, std::string_view separator) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto at = [&](std::size_t k) { return k < n ? text[k] : '\0'; };

  while (at(i) == ' ') ++i;
  bool negative = false;
  if (at(i) == '+' || at(i) == '-') negative = text[i++] == '-';

  // Significant digits without leading zeros, and the power of ten of the
  // first of them counted from the separator.
  std::string digits;
  std::int64_t pointExponent = 0;  // digits before the separator, past the leading zeros
  bool anyDigit = false;
  bool seenSeparator = false;
  for (;;) {
    const char c = at(i);
    if (IsDigit(c)) {
      anyDigit = true;
      if (!digits.empty() || c != '0') {
        digits.push_back(c);
        if (!seenSeparator) ++pointExponent;
      } else if (seenSeparator) {
        --pointExponent;  // a leading zero after the separator
      }
      ++i;
    } else if (!seenSeparator && !separator.empty() &&
               text.substr(i, separator.size()) == separator) {
      seenSeparator = true;
      i += separator.size();
    } else {
      break;
    }
  }
  if (!anyDigit) NotANumber();

  std::int64_t exponent = 0;
  if (at(i) == 'e' || at(i) == 'E') {
    ++i;
    bool negativeExponent = false;
    if (at(i) == '+' || at(i) == '-') negativeExponent = text[i++] == '-';
    if (!IsDigit(at(i))) NotANumber();
    for (; IsDigit(at(i)); ++i) {
      if (exponent < kExponentClamp) exponent = exponent * 10 + (text[i] - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }
  // After the number, also the line break or tab of a pasted spreadsheet cell.
  while (at(i) == ' ' || at(i) == '\t' || at(i) == '\r' || at(i) == '\n') ++i;
  if (i != n) NotANumber();
  return {negative, std::move(digits), pointExponent + exponent};
}

std::string WithSeparator(std::string_view commaText, std::string_view separator) {
  std::string text;
  for (const char c : commaText) {
    if (c == ',') {
      text += separator;
    } else {
      text += c;
    }
  }
  return text;
}

Extended NumberFromParts(const NumberParts& parts) {
  const auto& [negative, digits, scale] = parts;  // value = 0.digits × 10^scale
  if (digits.empty()) return negative ? -Extended(0) : Extended(0);
  if (scale > kScaleLimit) throw CalcError::Fault(CalcError::Kind::Overflow);
  if (scale < -kScaleLimit) return negative ? -Extended(0) : Extended(0);

  // Up to 19 digits are an exact integer D, and D × 10^p or D / 10^-p with
  // an exact power is one correctly rounded operation: the nearest value.
  const std::int64_t p = scale - static_cast<std::int64_t>(digits.size());
  if (digits.size() <= 18 && p >= -kExactPowers && p <= kExactPowers) {
    std::int64_t D = 0;
    for (char c : digits) D = D * 10 + (c - '0');
    const Extended whole = Extended::FromInt64(negative ? -D : D);
    return p >= 0 ? whole * PowerOfTen(static_cast<int>(p))
                  : whole / PowerOfTen(static_cast<int>(-p));
  }

  std::string ascii;
  ascii.reserve(digits.size() + 32);
  if (negative) ascii.push_back('-');
  ascii += digits;
  ascii += 'e';
  ascii += std::to_string(p);
  return FromDecimal(ascii);
}

std::string TextFromNumber(Extended value, std::string_view separator) {
  if (value == Extended(0)) return "0";
  const RoundedDecimal d = ToDecimal(value, kSignificantDigits);

  std::string_view digits = d.digits;
  while (digits.size() > 1 && digits.back() == '0') digits.remove_suffix(1);

  std::string out;
  if (d.negative) out.push_back('-');
  const int e = d.exponent;
  if (e >= -5 && e < kSignificantDigits) {
    if (e < 0) {
      out += '0';
      out += separator;
      out.append(static_cast<std::size_t>(-e - 1), '0');
      out += digits;
    } else {
      const auto whole = static_cast<std::size_t>(e) + 1;
      if (digits.size() <= whole) {
        out += digits;
        out.append(whole - digits.size(), '0');
      } else {
        out += digits.substr(0, whole);
        out += separator;
        out += digits.substr(whole);
      }
    }
  } else {
    out += digits.front();
    if (digits.size() > 1) {
      out += separator;
      out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(e);
  }
  return out;
}

}  // namespace pothenot
