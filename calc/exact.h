// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "calc/number_text.h"

namespace pothenot {

// GCC and Clang on 64-bit targets; the same compilers the 80-bit type asks for.
__extension__ typedef __int128 ExactInteger;

/// A rational number held exactly, for working a step of the worksheet as a
/// student does on paper: on the decimal values of its inputs, with no
/// rounding anywhere but the worksheet's own cuts. Numerator and denominator
/// are 128-bit integers in lowest terms (so a value has one form and `==`
/// compares values), the denominator positive.
///
/// Faults are those of `Extended`, as `CalcError`: Overflow when a numerator
/// or denominator would need more than 127 bits, DivisionByZero for x / 0
/// with x ≠ 0, InvalidOperation for 0 / 0 and where `Trunc` or `Round` leave
/// the 64-bit integers. A student may type anything, so these are ordinary:
/// the step then simply has no exact value.
class Exact {
 public:
  Exact(int value) : numerator_(value) {}  // NOLINT: constants of the formulas
  static Exact FromInt64(std::int64_t value) { return Exact(value, 1); }

  /// The exact value of a number text. Overflow when it needs more than 127
  /// bits (about 38 digits, counted without trailing zeros and with the
  /// power of ten the exponent gives).
  static Exact FromParts(const NumberParts& parts);

  friend Exact operator-(const Exact& a) { return Exact(-a.numerator_, a.denominator_); }
  friend Exact operator+(const Exact& a, const Exact& b);
  friend Exact operator-(const Exact& a, const Exact& b);
  friend Exact operator*(const Exact& a, const Exact& b);
  friend Exact operator/(const Exact& a, const Exact& b);
  friend bool operator==(const Exact& a, const Exact& b) = default;

  friend std::int64_t Trunc(const Exact& x);
  friend std::int64_t Round(const Exact& x);
  friend Exact Frac(const Exact& x);

 private:
  Exact(ExactInteger numerator, ExactInteger denominator);  // brought to lowest terms

  ExactInteger numerator_ = 0;
  ExactInteger denominator_ = 1;
};

/// x cut toward zero to a 64-bit integer; InvalidOperation outside them.
std::int64_t Trunc(const Exact& x);

/// x rounded to the nearest 64-bit integer, ties to the even one.
std::int64_t Round(const Exact& x);

/// x − trunc(x), with the sign of x; needs no integer range.
Exact Frac(const Exact& x);

/// x − n × y with n the integer nearest x / y, ties to even, as for
/// `Extended`. InvalidOperation when y is zero or n leaves the 64-bit range.
Exact Remainder(const Exact& x, const Exact& y);

/// The worksheet's cut to the decimals `scale` stands for, toward zero, as
/// for `Extended`: trunc(x × scale) / scale.
inline Exact TruncTo(const Exact& x, int scale) {
  return Exact::FromInt64(Trunc(x * scale)) / scale;
}

}  // namespace pothenot
