// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/steps.h"

#include <utility>

#include "calc/angles.h"
#include "calc/number_text.h"
#include "calc/scheme.h"

namespace pothenot {

namespace {

using namespace scheme;
using enum Field;
using enum TypedAngle;
using Kind = CalcError::Kind;
// The values of the worksheet's own arithmetic, for the steps it alone works.
using Worksheet = FieldValues<Extended>;

constexpr AngleReading kTypedAngles[] = {
    {EpsMeasured, "ε изм.", Ee2g, Ee2m, Ee2s},
    {Gamma1, "γ1", Ey1g, Ey1m, Ey1s},
    {Gamma2, "γ2", Ey2g, Ey2m, Ey2s},
};

template <class Number>
Number WorkAngle(const AngleReading& r, const FieldValues<Number>& v) {
  return Stored(Degrees(v[r.degrees], v[r.minutes], v[r.seconds]));
}

// A step worked both ways: one template formula, in the worksheet's
// arithmetic and in exact decimals.
template <class Generic>
constexpr Ways Both(Generic formula) {
  return {formula, formula};
}
// A step that needs the sine or the arctangent: the worksheet's way alone.
constexpr Ways WorksheetOnly(Formula<Extended> formula) {
  return {formula, nullptr};
}

// The six coordinate differences are shown uncut and not stored; a fault
// among them names them together.
constexpr std::string_view kDifferences = "разности координат";

// clang-format off
constexpr Step kSteps[] = {
    // a and b, both worked before either is shown.
    {.field = Ea, .shownWithNext = true,
     .way = WorksheetOnly([](const Worksheet& v) { return CotangentCut(v[Gamma1]); })},
    {.field = Eb,
     .way = WorksheetOnly([](const Worksheet& v) { return CotangentCut(v[Gamma2]); })},

    {.field = EXbb, .shownOnly = true, .quantity = kDifferences,
     .way = Both([](const auto& v) { return Difference(v[EXb], v[EXa]); })},
    {.field = EXcc, .shownOnly = true, .quantity = kDifferences,
     .way = Both([](const auto& v) { return Difference(v[EXc], v[EXa]); })},
    {.field = EXcXb, .shownOnly = true, .quantity = kDifferences,
     .way = Both([](const auto& v) { return Difference(v[EXc], v[EXb]); })},
    {.field = EYbb, .shownOnly = true, .quantity = kDifferences,
     .way = Both([](const auto& v) { return Difference(v[EYb], v[EYa]); })},
    {.field = EYcc, .shownOnly = true, .quantity = kDifferences,
     .way = Both([](const auto& v) { return Difference(v[EYc], v[EYa]); })},
    {.field = EYcYb, .shownOnly = true, .quantity = kDifferences,
     .way = Both([](const auto& v) { return Difference(v[EYc], v[EYb]); })},

    {.field = EK1, .uses = {Ea},
     .way = Both([](const auto& v) { return K1(v[EXb], v[EYb], v[EXa], v[EYa], v[Ea]); })},
    {.field = EK3, .uses = {Eb},
     .way = Both([](const auto& v) { return K3(v[EXc], v[EYc], v[EXa], v[EYa], v[Eb]); })},
    {.field = EK1K3, .uses = {EK1, EK3},
     .way = Both([](const auto& v) { return CutDifference(v[EK1], v[EK3]); })},
    {.field = EK2, .uses = {Ea},
     .way = Both([](const auto& v) { return K2(v[EXb], v[EYb], v[EXa], v[EYa], v[Ea]); })},
    {.field = EK4, .uses = {Eb},
     .way = Both([](const auto& v) { return K4(v[EXc], v[EYc], v[EXa], v[EYa], v[Eb]); })},
    {.field = EK2K4, .uses = {EK2, EK4},
     .way = Both([](const auto& v) { return CutDifference(v[EK2], v[EK4]); })},

    // C and C², the two K − C·K side by side, ΔY and ΔX, Yp and Xp: each
    // pair worked before either of it is shown.
    {.field = EC, .uses = {EK1, EK2, EK3, EK4}, .shownWithNext = true,
     .way = Both([](const auto& v) { return C(v[EK1], v[EK2], v[EK3], v[EK4]); })},
    {.field = ECC, .uses = {EC},
     .way = Both([](const auto& v) { return CSquared(v[EC]); })},
    {.field = EK2CK1, .uses = {EK2, EC, EK1}, .shownWithNext = true,
     .way = Both([](const auto& v) { return KLessCK(v[EK2], v[EC], v[EK1]); })},
    {.field = EK4CK3, .uses = {EK4, EC, EK3},
     .way = Both([](const auto& v) { return KLessCK(v[EK4], v[EC], v[EK3]); })},
    {.field = EdY, .uses = {EK2, EC, EK1}, .shownWithNext = true,
     .way = Both([](const auto& v) { return DeltaY(v[EK2], v[EC], v[EK1]); })},
    {.field = EdX, .uses = {EC, EdY},
     .way = Both([](const auto& v) { return DeltaX(v[EC], v[EdY]); })},
    {.field = EYp, .uses = {EdY}, .shownWithNext = true,
     .way = Both([](const auto& v) { return Station(v[EYa], v[EdY]); })},
    {.field = EXp, .uses = {EdX},
     .way = Both([](const auto& v) { return Station(v[EXa], v[EdX]); })},

    // The control against D: the cut differences are shown and not stored.
    {.field = EXdXp, .uses = {EXp}, .shownOnly = true,
     .way = Both([](const auto& v) { return CutDifference(v[EXd], v[EXp]); })},
    {.field = EYdYp, .uses = {EYp}, .shownOnly = true,
     .way = Both([](const auto& v) { return CutDifference(v[EYd], v[EYp]); })},
    {.field = EctgPD, .uses = {EXp, EYp},
     .way = Both([](const auto& v) { return CtgPD(v[EXd], v[EYd], v[EXp], v[EYp]); })},

    // Both direction angles worked, each under its own name, before either
    // is shown.
    {.field = EPA, .uses = {EK1, EK2, EK3, EK4, EXp}, .angle = true, .shownWithNext = true,
     .quantity = "(PA)", .way = WorksheetOnly([](const Worksheet& v) {
       return AlphaPA(v[EK1], v[EK2], v[EK3], v[EK4], v[EXa], v[EXp]); })},
    {.field = EPD, .uses = {EXp, EYp}, .angle = true, .quantity = "(PD)",
     .way = WorksheetOnly([](const Worksheet& v) {
       return AlphaPD(v[EXd], v[EYd], v[EXp], v[EYp]); })},

    {.field = Ee1, .uses = {EPA, EPD}, .angle = true,
     .way = Both([](const auto& v) { return EpsilonComputed(v[EPA], v[EPD]); })},
    {.field = Ede, .uses = {Ee1}, .angle = true,
     .way = Both([](const auto& v) { return DeltaEpsilon(v[Ee1], v[EpsMeasured]); })},
};
// clang-format on
static_assert(std::size(kSteps) == kStepCount);

// A step shown with the next is stored, and the next is shown at once.
constexpr bool ShownInPairs() {
  for (std::size_t i = 0; i < kStepCount; ++i) {
    if (!kSteps[i].shownWithNext) continue;
    if (kSteps[i].shownOnly || i + 1 == kStepCount || kSteps[i + 1].shownWithNext) return false;
  }
  return true;
}
static_assert(ShownInPairs());

// Calculate's walk, unrolled over the table so that each formula is called
// directly.
struct Walk {
  TWorksheet& sheet;
  std::string_view separator;
  FieldValues<Extended>& v;
  Working& where;

  void Show(const Step& step, const Extended& value) {
    if (step.angle) {
      where = {{}, step.field};
      sheet.setText(step.field, DegreesToDmsText(value, separator));
    } else {
      sheet.setText(step.field, TextFromNumber(value, separator));
    }
  }

  template <std::size_t I>
  void Next() {
    constexpr const Step& step = kSteps[I];
    where = {step.quantity, step.field};
    const Extended value = Work(step, v);
    if constexpr (!step.shownOnly) v.Set(step.field, value);
    if constexpr (!step.shownWithNext) {
      if constexpr (I > 0 && kSteps[I - 1].shownWithNext) {
        Show(kSteps[I - 1], v[kSteps[I - 1].field]);
      }
      Show(step, value);
    }
  }
};

}  // namespace

std::span<const Step, kStepCount> Steps() {
  return std::span<const Step, kStepCount>(kSteps);
}

Exact Work(const Step& step, const FieldValues<Exact>& v) {
  if (!step.way.exact) throw CalcError::Fault(Kind::InvalidOperation);
  const Exact value = step.way.exact(v);
  return step.shownOnly ? value : Stored(value);
}

void WorkSheet(TWorksheet& sheet, std::string_view separator, FieldValues<Extended>& v,
               Working& where) {
  for (const AngleReading& reading : kTypedAngles) {
    where = {reading.quantity, {}};
    v.Set(reading.angle, WorkAngle(reading, v));
  }
  Walk walk{sheet, separator, v, where};
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    (walk.Next<I>(), ...);
  }
  (std::make_index_sequence<kStepCount>{});
}

std::span<const AngleReading, 3> TypedAngles() {
  return std::span<const AngleReading, 3>(kTypedAngles);
}

Extended Work(const AngleReading& reading, const FieldValues<Extended>& v) {
  return WorkAngle(reading, v);
}

Exact Work(const AngleReading& reading, const FieldValues<Exact>& v) {
  return WorkAngle(reading, v);
}

}  // namespace pothenot
