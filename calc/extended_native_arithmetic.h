// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The four operations of the extended type where it is `long double`, inline:
// included by extended.h after the class. A result that is not finite throws
// as extended.h says, from extended.cpp.
#include "calc/extended.h"

namespace pothenot {

namespace native {

/// Throws `CalcError` Overflow for an infinite `v`, InvalidOperation for a NaN.
[[noreturn]] void NotFinite(long double v);
/// Throws `CalcError` for a division of `dividend` by zero: InvalidOperation
/// for 0 / 0, DivisionByZero otherwise.
[[noreturn]] void DividedByZero(long double dividend);

inline Extended Finite(long double v) {
  // ∞ − ∞ and NaN − NaN are NaN, and only a NaN differs from itself: no zero
  // to hold in a register, which the x87 stack would spill and load again.
  const long double d = v - v;
  if (d != d) NotFinite(v);
  return Extended::FromRaw(v);
}

}  // namespace native

inline Extended operator+(Extended a, Extended b) {
  return native::Finite(a.raw() + b.raw());
}
inline Extended operator-(Extended a, Extended b) {
  return native::Finite(a.raw() - b.raw());
}
inline Extended operator*(Extended a, Extended b) {
  return native::Finite(a.raw() * b.raw());
}
inline Extended operator/(Extended a, Extended b) {
  if (b.raw() == 0) native::DividedByZero(a.raw());
  return native::Finite(a.raw() / b.raw());
}

}  // namespace pothenot
