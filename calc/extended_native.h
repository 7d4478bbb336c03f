// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The extended type where `long double` is the 80-bit type itself (x86-64 with
// GCC or Clang): the value is held as it is, and the cheap operations are
// constexpr and inline. The arithmetic that can fault lives in extended.cpp.
#include <cstdint>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384 &&
                  std::numeric_limits<long double>::min_exponent == -16381 &&
                  std::numeric_limits<long double>::has_denorm == std::denorm_present,
              "the worksheet needs the 80-bit extended type as long double; "
              "build with POTHENOT_EXTENDED_MPFR to emulate it");

#define POTHENOT_EXTENDED_CONSTEXPR constexpr
#define POTHENOT_EXTENDED_CONSTANT inline constexpr
// The four operations are inline (extended_native_arithmetic.h): each is one
// instruction and a test, which a call would cost several times over.
#define POTHENOT_EXTENDED_ARITHMETIC inline

namespace pothenot {

class ExtendedRep {
 public:
  constexpr ExtendedRep() = default;
  static constexpr ExtendedRep FromInt64(std::int64_t v) {  // exact: 64 bits fit the significand
    return ExtendedRep(static_cast<long double>(v));
  }
  static constexpr ExtendedRep FromDouble(double v) { return ExtendedRep(v); }
  static constexpr ExtendedRep FromLongDouble(long double v) { return ExtendedRep(v); }
  // Significand C90FDAA22168C235, exponent 1.
  static constexpr ExtendedRep Pi() { return ExtendedRep(0xC90FDAA22168C235p-62L); }

  constexpr long double ToLongDouble() const { return v_; }
  constexpr ExtendedRep Negated() const { return ExtendedRep(-v_); }
  static constexpr bool Equal(ExtendedRep a, ExtendedRep b) { return a.v_ == b.v_; }
  static constexpr bool Less(ExtendedRep a, ExtendedRep b) { return a.v_ < b.v_; }

 private:
  constexpr explicit ExtendedRep(long double v) : v_(v) {}
  long double v_ = 0;
};

}  // namespace pothenot
