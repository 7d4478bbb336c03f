#include "calc/extended.h"

#include <locale.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calc/calc_error.h"

namespace pothenot {

namespace {

[[noreturn]] void Fault(CalcError::Kind kind) {
  switch (kind) {
    case CalcError::Kind::DivisionByZero:
      throw CalcError(kind, "Деление на ноль.");
    case CalcError::Kind::InvalidOperation:
      throw CalcError(kind, "Недопустимая операция.");
    case CalcError::Kind::Overflow:
      throw CalcError(kind, "Переполнение.");
    case CalcError::Kind::NotANumber:
      break;
  }
  throw CalcError(kind, "Не число.");
}

Extended Checked(long double v) {
  if (std::isinf(v)) Fault(CalcError::Kind::Overflow);
  if (std::isnan(v)) Fault(CalcError::Kind::InvalidOperation);
  return Extended::FromRaw(v);
}

// 2^63: the first value past the 64-bit signed integers.
constexpr long double kTwo63 = 9223372036854775808.0L;

std::int64_t ToInt64(long double whole) {
  if (!(whole >= -kTwo63 && whole < kTwo63)) Fault(CalcError::Kind::InvalidOperation);
  return static_cast<std::int64_t>(whole);
}

// The conversions of number texts must not follow the process's locale (the
// windows run under the user's one): they read and write in the C locale.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

Extended operator+(Extended a, Extended b) { return Checked(a.v_ + b.v_); }
Extended operator-(Extended a, Extended b) { return Checked(a.v_ - b.v_); }
Extended operator*(Extended a, Extended b) { return Checked(a.v_ * b.v_); }

Extended operator/(Extended a, Extended b) {
  if (b.v_ == 0) {
    Fault(a.v_ == 0 ? CalcError::Kind::InvalidOperation : CalcError::Kind::DivisionByZero);
  }
  return Checked(a.v_ / b.v_);
}

double Extended::ToDouble() const {
  const double d = static_cast<double>(v_);
  if (std::isinf(d)) Fault(CalcError::Kind::Overflow);
  return d;
}

std::int64_t Trunc(Extended x) { return ToInt64(std::trunc(x.raw())); }

// rint rounds in the current mode, which the engine never changes from the
// default: to nearest, ties to even.
std::int64_t Round(Extended x) { return ToInt64(std::rint(x.raw())); }

Extended Frac(Extended x) { return Extended::FromRaw(x.raw() - std::trunc(x.raw())); }

Extended TruncTo(Extended x, int scale) {
  return Extended::FromInt64(Trunc(x * scale)) / scale;
}

Extended Sin(Extended x) { return Checked(sinl(x.raw())); }
Extended Cos(Extended x) { return Checked(cosl(x.raw())); }
Extended ArcTan2(Extended y, Extended x) { return Checked(atan2l(y.raw(), x.raw())); }

Extended Remainder(Extended x, Extended y) {
  if (y.raw() == 0) Fault(CalcError::Kind::InvalidOperation);
  return Checked(remainderl(x.raw(), y.raw()));
}

Extended FromDecimal(const std::string& ascii) {
  return Checked(strtold_l(ascii.c_str(), nullptr, CLocale()));
}

Decimal ToDecimal(Extended x, int digits) {
  // "%.*Le" rounds the exact binary value to nearest, ties to even.
  char buffer[64];
  const locale_t previous = uselocale(CLocale());
  std::snprintf(buffer, sizeof buffer, "%.*Le", digits - 1, x.raw());
  uselocale(previous);

  Decimal out;
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
