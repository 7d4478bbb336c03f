// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The worksheet's digits are those of the 80-bit extended type: a 64-bit
// significand, a 15-bit exponent, subnormals, round to nearest with ties to
// even. With any other evaluation the cut differences (K1 − K3, Xd − Xp, ...)
// come out one hundredth off. Where `long double` is that type it carries the
// values; elsewhere the build defines POTHENOT_EXTENDED_MPFR and a 64-bit
// MPFR number with the same exponent range stands in, bit for bit. Each
// backend's representation, `ExtendedRep`, lives in its own header; this is
// the one place that chooses.
#if defined(POTHENOT_EXTENDED_MPFR)
#include "calc/extended_mpfr.h"
#else
#include "calc/extended_native.h"
#endif

namespace pothenot {

/// One value of the 80-bit extended type, in which every expression of the
/// worksheet is evaluated. Values are always finite: an operation whose result
/// would not be throws `CalcError` instead, as the processor's unmasked
/// exceptions would:
///  - `+`, `-`, `*`: Overflow when the result is infinite;
///  - `/`: DivisionByZero for x / 0 with x ≠ 0, InvalidOperation for 0 / 0,
///    Overflow when the quotient is infinite.
/// Underflow and inexact results are not faults.
class Extended {
 public:
  POTHENOT_EXTENDED_CONSTEXPR Extended() = default;
  POTHENOT_EXTENDED_CONSTEXPR Extended(int value)  // NOLINT: constants of the formulas
      : rep_(ExtendedRep::FromInt64(value)) {}
  POTHENOT_EXTENDED_CONSTEXPR Extended(double value)  // NOLINT: a stored quantity, exactly
      : rep_(ExtendedRep::FromDouble(value)) {}
  /// Exact: 64 bits fit the significand.
  static POTHENOT_EXTENDED_CONSTEXPR Extended FromInt64(std::int64_t value) {
    return Extended(ExtendedRep::FromInt64(value));
  }
  /// A `long double` rounded to the extended type (exact where it is that type).
  static POTHENOT_EXTENDED_CONSTEXPR Extended FromRaw(long double v) {
    return Extended(ExtendedRep::FromLongDouble(v));
  }
  /// The value as `long double`: for tests, and the native backend's own arithmetic.
  POTHENOT_EXTENDED_CONSTEXPR long double raw() const { return rep_.ToLongDouble(); }

  /// The backend's own form of the value, for the backend's functions.
  POTHENOT_EXTENDED_CONSTEXPR explicit Extended(ExtendedRep rep) : rep_(rep) {}
  POTHENOT_EXTENDED_CONSTEXPR const ExtendedRep& rep() const { return rep_; }

  friend POTHENOT_EXTENDED_CONSTEXPR Extended operator-(Extended a) {
    return Extended(a.rep_.Negated());
  }
  friend POTHENOT_EXTENDED_CONSTEXPR bool operator==(Extended a, Extended b) {
    return ExtendedRep::Equal(a.rep_, b.rep_);
  }
  friend POTHENOT_EXTENDED_CONSTEXPR bool operator<(Extended a, Extended b) {
    return ExtendedRep::Less(a.rep_, b.rep_);
  }
  friend POTHENOT_EXTENDED_CONSTEXPR bool operator>(Extended a, Extended b) { return b < a; }

  friend POTHENOT_EXTENDED_ARITHMETIC Extended operator+(Extended a, Extended b);
  friend POTHENOT_EXTENDED_ARITHMETIC Extended operator-(Extended a, Extended b);
  friend POTHENOT_EXTENDED_ARITHMETIC Extended operator*(Extended a, Extended b);
  friend POTHENOT_EXTENDED_ARITHMETIC Extended operator/(Extended a, Extended b);

  /// The nearest double, as the worksheet stores a quantity. Overflow when the
  /// value lies beyond the largest double; a value below the smallest double
  /// becomes a subnormal or zero without a fault.
  double ToDouble() const;

 private:
  ExtendedRep rep_;
};

/// π as the extended type holds it: significand C90FDAA22168C235, exponent 1,
/// 3.14159265358979323851...
POTHENOT_EXTENDED_CONSTANT Extended kPi{ExtendedRep::Pi()};

/// x cut toward zero to a 64-bit signed integer. InvalidOperation when the
/// result lies outside [−2^63, 2^63 − 1].
std::int64_t Trunc(Extended x);

/// x rounded to the nearest 64-bit signed integer, ties to the even one.
/// InvalidOperation when the result lies outside [−2^63, 2^63 − 1].
std::int64_t Round(Extended x);

/// x − trunc(x), exactly, with the sign of x. Needs no integer range.
Extended Frac(Extended x);

/// Keeps the decimals that `scale` (100 or 100000) stands for, cutting toward
/// zero: trunc(x × scale), converted back exactly and divided by scale.
/// −3523.414 cut at 100 is −3523.41. InvalidOperation as `Trunc`.
inline Extended TruncTo(Extended x, int scale) {
  return Extended::FromInt64(Trunc(x * scale)) / scale;
}

/// Sine and cosine of x radians, on the extended argument.
Extended Sin(Extended x);
Extended Cos(Extended x);

/// The principal arctangent of y / x in radians, from both signs, in [−π, π].
Extended ArcTan2(Extended y, Extended x);

/// x − n × y with n the integer nearest x / y (ties to even), exactly: the
/// result lies in [−|y|/2, |y|/2]. InvalidOperation when y is zero.
Extended Remainder(Extended x, Extended y);

/// The value of a decimal text in plain ASCII form, "[-]digits[e[-]digits]",
/// rounded to the nearest extended value. Overflow when it lies beyond the
/// extended range; tiny values become subnormals or zero.
Extended FromDecimal(const std::string& ascii);

/// x rounded to `digits` significant decimal digits, ties to even.
struct RoundedDecimal {
  bool negative = false;
  std::string digits;  ///< exactly `digits` characters '0'..'9'; the first is not '0' unless x is 0
  int exponent = 0;    ///< x ≈ 0.d1d2d3... × 10^(exponent + 1), i.e. d1 stands for 10^exponent
};
RoundedDecimal ToDecimal(Extended x, int digits);

}  // namespace pothenot

#if !defined(POTHENOT_EXTENDED_MPFR)
#include "calc/extended_native_arithmetic.h"
#endif
