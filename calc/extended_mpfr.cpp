// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/extended.h"

// The 80-bit type emulated, for processors and compilers without it: a 64-bit
// MPFR number with the exponent range of the 80-bit type, each result rounded
// to nearest with ties to even and then to the subnormal precision where it
// lies that low, as the processor rounds. Sine, cosine and the arctangent are
// MPFR's, correctly rounded at the same precision.
#if defined(POTHENOT_EXTENDED_MPFR)

// mpfr.h declares its intmax_t functions (mpfr_set_sj, mpfr_get_sj) only when
// <stdint.h> came first. MPFR built on mini-gmp (the WebAssembly build) takes
// the GMP declarations mini-gmp lacks from its own mpfr-mini-gmp.h, which
// needs mini-gmp's types before it and must come before mpfr.h.
#include <stdint.h>
#if defined(MPFR_USE_MINI_GMP)
#include <mini-gmp.h>
#include <mpfr-mini-gmp.h>
#endif
#include <mpfr.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "calc/calc_error.h"

namespace pothenot {

namespace {

constexpr mpfr_prec_t kPrecision = 64;

// The significand is 64 bits in one limb of 64 bits or, where limbs are 32
// bits (WebAssembly), in two. MPFR's limbs are little-endian: limb i holds the
// bits of weight 2^(i × GMP_NUMB_BITS) of the significand read as an integer,
// so the uint64 that ExtendedRep keeps maps to the limbs by position, the low
// half to limb 0 and the high half (the leading bit's) to limb 1.
constexpr int kLimbBits = GMP_NUMB_BITS;
constexpr std::size_t kLimbs = kPrecision / kLimbBits;
static_assert(kLimbBits == sizeof(mp_limb_t) * CHAR_BIT, "limbs without nail bits");
static_assert(kLimbs * kLimbBits == kPrecision, "whole limbs hold the significand");
static_assert(mpfr_custom_get_size(kPrecision) == kLimbs * sizeof(mp_limb_t),
              "MPFR keeps 64 bits in exactly those limbs");
static_assert(sizeof(mpfr_exp_t) == sizeof(long), "the exponent is kept as a long");

using Limbs = std::array<mp_limb_t, kLimbs>;

Limbs ToLimbs(std::uint64_t significand) {
  Limbs limbs{};
  for (std::size_t i = 0; i < kLimbs; ++i) {
    limbs[i] = static_cast<mp_limb_t>(significand >> (i * kLimbBits));
  }
  return limbs;
}

std::uint64_t FromLimbs(const mp_limb_t* limbs) {
  std::uint64_t significand = 0;
  for (std::size_t i = 0; i < kLimbs; ++i) {
    significand |= static_cast<std::uint64_t>(limbs[i]) << (i * kLimbBits);
  }
  return significand;
}

// The 80-bit type in MPFR's terms (x = 0.1b...b × 2^e): the largest value is
// just below 2^16384, the smallest subnormal 2^-16445 = 0.1 × 2^-16444.
constexpr mpfr_exp_t kEmax = 16384;
constexpr mpfr_exp_t kEmin = -16444;

// MPFR keeps its exponent range per thread.
void UseExtendedRange() {
  thread_local const bool ready = [] {
    mpfr_set_emin(kEmin);
    mpfr_set_emax(kEmax);
    return true;
  }();
  (void)ready;
}

[[noreturn]] void Fault(CalcError::Kind kind) {
  throw CalcError::Fault(kind);
}

}  // namespace

// An mpfr_t over a copy of a value's limbs, or over limbs of its own for a result.
class MpfrValue {
 public:
  explicit MpfrValue(const ExtendedRep& e) : limbs_(ToLimbs(e.significand)) {
    UseExtendedRange();
    mpfr_custom_init_set(m_, e.kind, e.exponent, kPrecision, limbs_.data());
  }
  explicit MpfrValue(const Extended& e) : MpfrValue(e.rep()) {}
  MpfrValue() {
    UseExtendedRange();
    mpfr_custom_init(limbs_.data(), kPrecision);
    mpfr_custom_init_set(m_, MPFR_ZERO_KIND, 0, kPrecision, limbs_.data());
  }
  MpfrValue(const MpfrValue&) = delete;
  MpfrValue& operator=(const MpfrValue&) = delete;

  mpfr_ptr get() { return m_; }
  mpfr_srcptr get() const { return m_; }

  // The value after an operation whose ternary value is `t`: brought to the
  // subnormal precision, checked for a fault, and stored.
  ExtendedRep Finish(int t) {
    mpfr_subnormalize(m_, t, MPFR_RNDN);
    if (mpfr_inf_p(m_)) Fault(CalcError::Kind::Overflow);
    if (mpfr_nan_p(m_)) Fault(CalcError::Kind::InvalidOperation);
    ExtendedRep e;
    e.kind = mpfr_custom_get_kind(m_);
    e.exponent = mpfr_regular_p(m_) ? mpfr_custom_get_exp(m_) : 0;
    e.significand = FromLimbs(static_cast<const mp_limb_t*>(mpfr_custom_get_significand(m_)));
    return e;
  }

 private:
  Limbs limbs_{};
  mpfr_t m_;
};

namespace {

template <class Operation>
ExtendedRep ComputeRep(Operation operation) {
  MpfrValue r;
  return r.Finish(operation(r.get()));
}

template <class Operation>
Extended Compute(Operation operation) {
  return Extended(ComputeRep(operation));
}

}  // namespace

ExtendedRep ExtendedRep::FromInt64(std::int64_t v) {
  return ComputeRep([&](mpfr_ptr r) { return mpfr_set_sj(r, v, MPFR_RNDN); });
}
ExtendedRep ExtendedRep::FromDouble(double v) {
  return ComputeRep([&](mpfr_ptr r) { return mpfr_set_d(r, v, MPFR_RNDN); });
}
ExtendedRep ExtendedRep::FromLongDouble(long double v) {
  return ComputeRep([&](mpfr_ptr r) { return mpfr_set_ld(r, v, MPFR_RNDN); });
}
// Significand C90FDAA22168C235, exponent 1: exact in 64 bits.
ExtendedRep ExtendedRep::Pi() {
  return ComputeRep([](mpfr_ptr r) {
    mpfr_set_uj(r, 0xC90FDAA22168C235u, MPFR_RNDN);
    return mpfr_mul_2si(r, r, -62, MPFR_RNDN);
  });
}
long double ExtendedRep::ToLongDouble() const {
  return mpfr_get_ld(MpfrValue(*this).get(), MPFR_RNDN);
}
bool ExtendedRep::Equal(ExtendedRep a, ExtendedRep b) {
  return mpfr_equal_p(MpfrValue(a).get(), MpfrValue(b).get()) != 0;
}
bool ExtendedRep::Less(ExtendedRep a, ExtendedRep b) {
  return mpfr_less_p(MpfrValue(a).get(), MpfrValue(b).get()) != 0;
}

Extended operator+(Extended a, Extended b) {
  return Compute(
      [&](mpfr_ptr r) { return mpfr_add(r, MpfrValue(a).get(), MpfrValue(b).get(), MPFR_RNDN); });
}
Extended operator-(Extended a, Extended b) {
  return Compute(
      [&](mpfr_ptr r) { return mpfr_sub(r, MpfrValue(a).get(), MpfrValue(b).get(), MPFR_RNDN); });
}
Extended operator*(Extended a, Extended b) {
  return Compute(
      [&](mpfr_ptr r) { return mpfr_mul(r, MpfrValue(a).get(), MpfrValue(b).get(), MPFR_RNDN); });
}
Extended operator/(Extended a, Extended b) {
  const MpfrValue x(a), y(b);
  if (mpfr_zero_p(y.get())) {
    Fault(mpfr_zero_p(x.get()) ? CalcError::Kind::InvalidOperation
                               : CalcError::Kind::DivisionByZero);
  }
  return Compute([&](mpfr_ptr r) { return mpfr_div(r, x.get(), y.get(), MPFR_RNDN); });
}

double Extended::ToDouble() const {
  const double d = mpfr_get_d(MpfrValue(*this).get(), MPFR_RNDN);
  if (std::isinf(d)) Fault(CalcError::Kind::Overflow);
  return d;
}

namespace {

// A whole value of the extended type as a 64-bit integer, or InvalidOperation.
std::int64_t ToInt64(const MpfrValue& whole) {
  if (mpfr_cmp_ui_2exp(whole.get(), 1, 63) >= 0 || mpfr_cmp_si_2exp(whole.get(), -1, 63) < 0) {
    Fault(CalcError::Kind::InvalidOperation);
  }
  return static_cast<std::int64_t>(mpfr_get_sj(whole.get(), MPFR_RNDZ));
}

}  // namespace

std::int64_t Trunc(Extended x) {
  MpfrValue r;
  mpfr_trunc(r.get(), MpfrValue(x).get());
  return ToInt64(r);
}

std::int64_t Round(Extended x) {
  MpfrValue r;
  mpfr_rint(r.get(), MpfrValue(x).get(), MPFR_RNDN);
  return ToInt64(r);
}

Extended Frac(Extended x) {
  MpfrValue whole;
  const MpfrValue v(x);
  mpfr_trunc(whole.get(), v.get());
  return Compute([&](mpfr_ptr r) { return mpfr_sub(r, v.get(), whole.get(), MPFR_RNDN); });
}

Extended Sin(Extended x) {
  return Compute([&](mpfr_ptr r) { return mpfr_sin(r, MpfrValue(x).get(), MPFR_RNDN); });
}
Extended Cos(Extended x) {
  return Compute([&](mpfr_ptr r) { return mpfr_cos(r, MpfrValue(x).get(), MPFR_RNDN); });
}
Extended ArcTan2(Extended y, Extended x) {
  return Compute(
      [&](mpfr_ptr r) { return mpfr_atan2(r, MpfrValue(y).get(), MpfrValue(x).get(), MPFR_RNDN); });
}

Extended Remainder(Extended x, Extended y) {
  const MpfrValue divisor(y);
  if (mpfr_zero_p(divisor.get())) Fault(CalcError::Kind::InvalidOperation);
  return Compute(
      [&](mpfr_ptr r) { return mpfr_remainder(r, MpfrValue(x).get(), divisor.get(), MPFR_RNDN); });
}

Extended FromDecimal(const std::string& ascii) {
  return Compute(
      [&](mpfr_ptr r) { return mpfr_strtofr(r, ascii.c_str(), nullptr, 10, MPFR_RNDN); });
}

RoundedDecimal ToDecimal(Extended x, int digits) {
  RoundedDecimal out;
  const MpfrValue v(x);
  out.negative = mpfr_signbit(v.get()) != 0;
  if (mpfr_zero_p(v.get())) {
    out.digits.assign(static_cast<std::size_t>(digits), '0');
    return out;
  }
  mpfr_exp_t exponent = 0;
  char* text =
      mpfr_get_str(nullptr, &exponent, 10, static_cast<std::size_t>(digits), v.get(), MPFR_RNDN);
  out.digits = text + (out.negative ? 1 : 0);
  mpfr_free_str(text);
  out.exponent = static_cast<int>(exponent - 1);  // MPFR's digits stand for 0.d1d2... × 10^exponent
  return out;
}

}  // namespace pothenot

#endif  // POTHENOT_EXTENDED_MPFR
