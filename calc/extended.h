#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// The worksheet's digits are those of the 80-bit extended type: a 64-bit
// significand, a 15-bit exponent, subnormals, round to nearest with ties to
// even. With any other evaluation the cut differences (K1 − K3, Xd − Xp, ...)
// come out one hundredth off. Where `long double` is that type it carries the
// values; elsewhere the build defines POTHENOT_EXTENDED_MPFR and a 64-bit
// MPFR number with the same exponent range stands in, bit for bit.
#if defined(POTHENOT_EXTENDED_MPFR)
#define POTHENOT_EXTENDED_CONSTEXPR
#else
#define POTHENOT_EXTENDED_CONSTEXPR constexpr
static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384 &&
                  std::numeric_limits<long double>::min_exponent == -16381 &&
                  std::numeric_limits<long double>::has_denorm == std::denorm_present,
              "the worksheet needs the 80-bit extended type as long double; "
              "build with POTHENOT_EXTENDED_MPFR to emulate it");
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
#if defined(POTHENOT_EXTENDED_MPFR)
  Extended() = default;
  Extended(int value);     // NOLINT: constants of the formulas
  Extended(double value);  // NOLINT: a stored quantity, exactly
  static Extended FromInt64(std::int64_t value);
  friend Extended operator-(Extended a) {
    a.kind_ = -a.kind_;
    return a;
  }
  friend bool operator==(Extended a, Extended b);
  friend bool operator<(Extended a, Extended b);
  friend bool operator>(Extended a, Extended b) {
    return b < a;
  }
  long double raw() const;
  static Extended FromRaw(long double v);
#else
  constexpr Extended() = default;
  constexpr Extended(int value) : v_(value) {}               // NOLINT: constants of the formulas
  constexpr Extended(double value) : v_(value) {}            // NOLINT: a stored quantity, exactly
  static constexpr Extended FromInt64(std::int64_t value) {  // exact: 64 bits fit the significand
    return Extended(static_cast<long double>(value), 0);
  }
  friend constexpr Extended operator-(Extended a) {
    return Extended(-a.v_, 0);
  }
  friend constexpr bool operator==(Extended a, Extended b) {
    return a.v_ == b.v_;
  }
  friend constexpr bool operator<(Extended a, Extended b) {
    return a.v_ < b.v_;
  }
  friend constexpr bool operator>(Extended a, Extended b) {
    return a.v_ > b.v_;
  }
  /// The value itself, for tests and for the functions of this header.
  constexpr long double raw() const {
    return v_;
  }
  static constexpr Extended FromRaw(long double v) {
    return Extended(v, 0);
  }
#endif

  friend Extended operator+(Extended a, Extended b);
  friend Extended operator-(Extended a, Extended b);
  friend Extended operator*(Extended a, Extended b);
  friend Extended operator/(Extended a, Extended b);

  /// The nearest double, as the worksheet stores a quantity. Overflow when the
  /// value lies beyond the largest double; a value below the smallest double
  /// becomes a subnormal or zero without a fault.
  double ToDouble() const;

 private:
#if defined(POTHENOT_EXTENDED_MPFR)
  friend class MpfrValue;
  // An MPFR number of 64 bits laid out in place: its one limb, its exponent
  // and its kind (zero, regular, ..., negative for a negative sign).
  std::uint64_t limb_ = 0;
  long exponent_ = 0;
  int kind_ = 2;  // a positive zero
#else
  constexpr Extended(long double v, int) : v_(v) {}
  long double v_ = 0;
#endif
};

/// π as the extended type holds it: significand C90FDAA22168C235, exponent 1,
/// 3.14159265358979323851...
#if defined(POTHENOT_EXTENDED_MPFR)
extern const Extended kPi;
#else
inline constexpr Extended kPi = Extended::FromRaw(0xC90FDAA22168C235p-62L);
#endif

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
struct Decimal {
  bool negative = false;
  std::string digits;  ///< exactly `digits` characters '0'..'9'; the first is not '0' unless x is 0
  int exponent = 0;    ///< x ≈ 0.d1d2d3... × 10^(exponent + 1), i.e. d1 stands for 10^exponent
};
Decimal ToDecimal(Extended x, int digits);

}  // namespace pothenot
