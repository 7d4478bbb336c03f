// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/extended.h"

// The 80-bit type itself: long double on this processor.
#if !defined(POTHENOT_EXTENDED_MPFR)

#include <locale.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

#include "calc/calc_error.h"

namespace pothenot {

namespace {

[[noreturn]] void Fault(CalcError::Kind kind) {
  throw CalcError::Fault(kind);
}

Extended Checked(long double v) {
  if (std::isinf(v)) Fault(CalcError::Kind::Overflow);
  if (std::isnan(v)) Fault(CalcError::Kind::InvalidOperation);
  return Extended::FromRaw(v);
}

// An 80-bit value taken apart: |x| = significand × 2^(exponent − 63), the
// significand with its explicit leading bit. The cuts work on these bits:
// exact, and without switching the processor's rounding mode for each one.
struct Parts {
  std::uint64_t significand;
  int exponent;  // of the leading bit; 16384 for infinities and NaNs
  bool negative;
};
constexpr int kBias = 16383;

Parts Split(long double x) {
  std::uint64_t significand = 0;
  std::uint16_t signAndExponent = 0;
  std::memcpy(&significand, &x, sizeof significand);
  std::memcpy(&signAndExponent, reinterpret_cast<const unsigned char*>(&x) + 8,
              sizeof signAndExponent);
  return {significand, (signAndExponent & 0x7FFF) - kBias, (signAndExponent & 0x8000) != 0};
}

// x cut toward zero, as a value of the same type.
long double WholePart(long double x) {
  const Parts p = Split(x);
  if (p.exponent < 0) return p.negative ? -0.0L : 0.0L;
  if (p.exponent >= 63) return x;
  const std::uint64_t whole = p.significand & ~((std::uint64_t{1} << (63 - p.exponent)) - 1);
  long double out = x;
  std::memcpy(&out, &whole, sizeof whole);
  return out;
}

// x cut toward zero to a 64-bit integer; InvalidOperation outside their range.
std::int64_t WholeInt64(long double x) {
  const Parts p = Split(x);
  if (p.exponent < 0) return 0;
  if (p.exponent < 63) {
    const auto magnitude = static_cast<std::int64_t>(p.significand >> (63 - p.exponent));
    return p.negative ? -magnitude : magnitude;
  }
  if (p.exponent == 63 && p.negative && p.significand == std::uint64_t{1} << 63) {
    return std::numeric_limits<std::int64_t>::min();
  }
  Fault(CalcError::Kind::InvalidOperation);
}

// The conversions of number texts must not follow the process's locale (the
// windows run under the user's one): they read and write in the C locale.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

void native::NotFinite(long double v) {
  Fault(std::isinf(v) ? CalcError::Kind::Overflow : CalcError::Kind::InvalidOperation);
}

void native::DividedByZero(long double dividend) {
  Fault(dividend == 0 ? CalcError::Kind::InvalidOperation : CalcError::Kind::DivisionByZero);
}

double Extended::ToDouble() const {
  const double d = static_cast<double>(raw());
  if (std::isinf(d)) Fault(CalcError::Kind::Overflow);
  return d;
}

std::int64_t Trunc(Extended x) {
  return WholeInt64(x.raw());
}

// rint rounds in the current mode, which the engine never changes from the
// default: to nearest, ties to even.
std::int64_t Round(Extended x) {
  return WholeInt64(std::rint(x.raw()));
}

Extended Frac(Extended x) {
  return Extended::FromRaw(x.raw() - WholePart(x.raw()));
}

Extended Sin(Extended x) {
  return Checked(sinl(x.raw()));
}
Extended Cos(Extended x) {
  return Checked(cosl(x.raw()));
}
Extended ArcTan2(Extended y, Extended x) {
  return Checked(atan2l(y.raw(), x.raw()));
}

Extended Remainder(Extended x, Extended y) {
  if (y.raw() == 0) Fault(CalcError::Kind::InvalidOperation);
  return Checked(remainderl(x.raw(), y.raw()));
}

Extended FromDecimal(const std::string& ascii) {
  return Checked(strtold_l(ascii.c_str(), nullptr, CLocale()));
}

namespace {

// GCC and Clang on 64-bit targets, as the 80-bit type itself.
__extension__ typedef unsigned __int128 Uint128;

// The exact digits of |x| when they stand in fixed notation, without going
// through text: |x| = m × 2^-s exactly, and for k = digits − 1 − E decimals
// m × 10^k fits 128 bits, so q = round(m × 10^k / 2^s) is exact with ties to
// even. Gives nothing where that does not hold; the caller falls back on
// the C library then.
std::optional<RoundedDecimal> FixedDecimal(long double x, int digits) {
  const long double a = std::fabs(x);
  if (!(a > 0) || digits < 1 || digits > 18) return std::nullopt;
  if (a < 1e15L && a == WholePart(a)) {  // a whole number: its own digits
    RoundedDecimal out;
    out.negative = std::signbit(x);
    out.digits = std::to_string(static_cast<std::uint64_t>(a));
    out.exponent = static_cast<int>(out.digits.size()) - 1;
    if (out.digits.size() <= static_cast<std::size_t>(digits)) {
      out.digits.resize(static_cast<std::size_t>(digits), '0');
      return out;
    }
  }
  const Parts parts = Split(a);
  const std::uint64_t m = parts.significand;
  const int binaryExponent = parts.exponent + 1;  // 2^(binaryExponent − 1) <= a < 2^binaryExponent
  const int s = 63 - parts.exponent;              // a = m / 2^s
  if (s <= 0 || s >= 127) return std::nullopt;

  std::uint64_t lowest = 1;  // 10^(digits − 1)
  for (int i = 1; i < digits; ++i) lowest *= 10;
  const std::uint64_t highest = lowest * 10;

  // A first guess at the decimal exponent, off by one at most, which the
  // loop corrects.
  int E = static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398120));
  for (int attempt = 0; attempt < 4; ++attempt) {
    const int k = digits - 1 - E;
    if (k < 0 || k > 19) return std::nullopt;
    std::uint64_t scale = 1;
    for (int i = 0; i < k; ++i) scale *= 10;
    const Uint128 product = static_cast<Uint128>(m) * scale;
    std::uint64_t q = static_cast<std::uint64_t>(product >> s);
    if (q >= highest) {
      ++E;
      continue;
    }
    if (q < lowest) {
      --E;
      continue;
    }
    const Uint128 rest = product & ((static_cast<Uint128>(1) << s) - 1);
    const Uint128 half = static_cast<Uint128>(1) << (s - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
    if (q == highest) {  // rounded up onto the next power of ten
      q = lowest;
      ++E;
    }
    RoundedDecimal out;
    out.negative = std::signbit(x);
    out.digits = std::to_string(q);
    out.exponent = E;
    return out;
  }
  return std::nullopt;
}

}  // namespace

RoundedDecimal ToDecimal(Extended x, int digits) {
  if (auto fixed = FixedDecimal(x.raw(), digits)) return *std::move(fixed);

  // "%.*Le" rounds the exact binary value to nearest, ties to even.
  char buffer[64];
  const locale_t previous = uselocale(CLocale());
  std::snprintf(buffer, sizeof buffer, "%.*Le", digits - 1, x.raw());
  uselocale(previous);

  RoundedDecimal out;
  const char* p = buffer;
  if (*p == '-') {
    out.negative = true;
    ++p;
  }
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') out.digits.push_back(*p);
  }
  out.exponent = std::atoi(p + 1);
  return out;
}

}  // namespace pothenot

#endif  // !POTHENOT_EXTENDED_MPFR
