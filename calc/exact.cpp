// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/exact.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numeric>
#include <utility>

#include "calc/calc_error.h"

namespace pothenot {

namespace {

using Kind = CalcError::Kind;
__extension__ typedef unsigned __int128 Unsigned;

[[noreturn]] void Fault(Kind kind) {
  throw CalcError::Fault(kind);
}

// The most negative value is left out, so that every value can change sign.
constexpr ExactInteger kLargest = static_cast<ExactInteger>(~Unsigned{0} >> 1);

ExactInteger Times(ExactInteger a, ExactInteger b) {
  ExactInteger out = 0;
  if (__builtin_mul_overflow(a, b, &out) || out < -kLargest) Fault(Kind::Overflow);
  return out;
}

ExactInteger Plus(ExactInteger a, ExactInteger b) {
  ExactInteger out = 0;
  if (__builtin_add_overflow(a, b, &out) || out < -kLargest) Fault(Kind::Overflow);
  return out;
}

Unsigned Magnitude(ExactInteger a) {
  return a < 0 ? Unsigned(0) - static_cast<Unsigned>(a) : static_cast<Unsigned>(a);
}

int TrailingZeroBits(Unsigned a) {
  const auto low = static_cast<std::uint64_t>(a);
  return low != 0 ? __builtin_ctzll(low)
                  : 64 + __builtin_ctzll(static_cast<std::uint64_t>(a >> 64));
}

// Greatest common divisor, run for every operation: in 64 bits where both
// fit, else by halving and subtracting, since 128-bit division is a slow
// library call.
ExactInteger CommonDivisor(ExactInteger x, ExactInteger y) {
  Unsigned a = Magnitude(x), b = Magnitude(y);
  if (a == 0) return static_cast<ExactInteger>(b);
  if (b == 0) return static_cast<ExactInteger>(a);
  if (a == 1 || b == 1) return 1;  // whole numbers: most constants and cuts
  if ((a | b) >> 64 == 0) {
    return static_cast<ExactInteger>(
        std::gcd(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b)));
  }
  const int shift = std::min(TrailingZeroBits(a), TrailingZeroBits(b));
  a >>= TrailingZeroBits(a);
  do {
    b >>= TrailingZeroBits(b);
    if (a > b) std::swap(a, b);
    b -= a;
  } while (b != 0);
  return static_cast<ExactInteger>(a << shift);
}

// 10^0 to 10^38, all that 127 bits hold.
constexpr auto kPowersOfTen = [] {
  std::array<ExactInteger, 39> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();

// a / b cut toward zero; in 64 bits where both fit, as they mostly do.
ExactInteger Quotient(ExactInteger a, ExactInteger b) {
  constexpr ExactInteger kMin = std::numeric_limits<std::int64_t>::min();
  constexpr ExactInteger kMax = std::numeric_limits<std::int64_t>::max();
  if (a > kMin && a <= kMax && b > kMin && b <= kMax) {
    return static_cast<std::int64_t>(a) / static_cast<std::int64_t>(b);
  }
  return a / b;
}

std::int64_t ToInt64(ExactInteger whole) {
  if (whole < std::numeric_limits<std::int64_t>::min() ||
      whole > std::numeric_limits<std::int64_t>::max()) {
    Fault(Kind::InvalidOperation);
  }
  return static_cast<std::int64_t>(whole);
}

}  // namespace

Exact::Exact(ExactInteger numerator, ExactInteger denominator) {
  if (denominator == 0) Fault(numerator == 0 ? Kind::InvalidOperation : Kind::DivisionByZero);
  if (denominator < 0) numerator = -numerator, denominator = -denominator;
  numerator_ = numerator;
  if (denominator == 1) return;
  const ExactInteger common = CommonDivisor(numerator, denominator);
  numerator_ = Quotient(numerator, common);
  denominator_ = Quotient(denominator, common);
}

Exact Exact::FromParts(const NumberParts& parts) {
  std::size_t length = parts.digits.size();
  while (length > 0 && parts.digits[length - 1] == '0') --length;
  if (length == 0) return 0;
  if (length > 38) Fault(Kind::Overflow);
  const auto largest = static_cast<std::int64_t>(kPowersOfTen.size()) - 1;
  const std::int64_t power = parts.scale - static_cast<std::int64_t>(length);
  if (power > largest || power < -largest) Fault(Kind::Overflow);
  // 18 digits at a time in 64 bits, the rest in 128.
  ExactInteger whole = 0;
  for (std::size_t i = 0; i < length;) {
    const std::size_t end = std::min(length, i + 18);
    std::int64_t chunk = 0;
    for (std::size_t k = i; k < end; ++k) chunk = chunk * 10 + (parts.digits[k] - '0');
    whole = Plus(Times(whole, kPowersOfTen[end - i]), chunk);
    i = end;
  }
  if (parts.negative) whole = -whole;
  return power >= 0 ? Exact(Times(whole, kPowersOfTen[static_cast<std::size_t>(power)]), 1)
                    : Exact(whole, kPowersOfTen[static_cast<std::size_t>(-power)]);
}

// Over the least common denominator, so that sums of hundredths stay small.
Exact operator+(const Exact& a, const Exact& b) {
  const ExactInteger common = CommonDivisor(a.denominator_, b.denominator_);
  const ExactInteger bFactor = Quotient(b.denominator_, common);
  return Exact(
      Plus(Times(a.numerator_, bFactor), Times(b.numerator_, Quotient(a.denominator_, common))),
      Times(a.denominator_, bFactor));
}

Exact operator-(const Exact& a, const Exact& b) {
  return a + -b;
}

// Each numerator against the other denominator first: the result needs no
// further reduction and overflows only when it must.
Exact operator*(const Exact& a, const Exact& b) {
  const ExactInteger ab = CommonDivisor(a.numerator_, b.denominator_);
  const ExactInteger ba = CommonDivisor(b.numerator_, a.denominator_);
  return Exact(Times(Quotient(a.numerator_, ab), Quotient(b.numerator_, ba)),
               Times(Quotient(a.denominator_, ba), Quotient(b.denominator_, ab)));
}

Exact operator/(const Exact& a, const Exact& b) {
  if (b.numerator_ == 0) Fault(a.numerator_ == 0 ? Kind::InvalidOperation : Kind::DivisionByZero);
  return a * Exact(b.denominator_, b.numerator_);
}

std::int64_t Trunc(const Exact& x) {
  return ToInt64(x.numerator_ / x.denominator_);  // C++ division cuts toward zero
}

std::int64_t Round(const Exact& x) {
  ExactInteger whole = x.numerator_ / x.denominator_;
  const Unsigned twiceRest = Magnitude(x.numerator_ % x.denominator_) * 2;
  const auto denominator = static_cast<Unsigned>(x.denominator_);
  if (twiceRest > denominator || (twiceRest == denominator && whole % 2 != 0)) {
    whole += x.numerator_ < 0 ? -1 : 1;
  }
  return ToInt64(whole);
}

Exact Frac(const Exact& x) {
  return Exact(x.numerator_ % x.denominator_, x.denominator_);
}

Exact Remainder(const Exact& x, const Exact& y) {
  if (y == 0) Fault(Kind::InvalidOperation);
  return x - Exact::FromInt64(Round(x / y)) * y;
}

}  // namespace pothenot
