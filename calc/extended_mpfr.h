// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The extended type emulated, for processors and compilers without it: an
// MPFR number of 64 bits laid out in place, its significand, its exponent and its
// kind. Every operation goes through MPFR in extended_mpfr.cpp.
#include <cstdint>

#define POTHENOT_EXTENDED_CONSTEXPR
#define POTHENOT_EXTENDED_CONSTANT inline const
#define POTHENOT_EXTENDED_ARITHMETIC

namespace pothenot {

class ExtendedRep {
 public:
  ExtendedRep() = default;
  static ExtendedRep FromInt64(std::int64_t v);
  static ExtendedRep FromDouble(double v);
  static ExtendedRep FromLongDouble(long double v);
  static ExtendedRep Pi();

  long double ToLongDouble() const;
  ExtendedRep Negated() const {
    ExtendedRep r = *this;
    r.kind = -r.kind;
    return r;
  }
  static bool Equal(ExtendedRep a, ExtendedRep b);
  static bool Less(ExtendedRep a, ExtendedRep b);

  std::uint64_t significand = 0;  ///< MPFR's limbs read as one integer, however many they are
  long exponent = 0;
  int kind = 2;  ///< MPFR's kind of number (zero, regular, ...), negative for a negative sign
};

}  // namespace pothenot
