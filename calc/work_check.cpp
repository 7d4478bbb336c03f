#include "calc/work_check.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <type_traits>

#include "calc/angles.h"
#include "calc/calc_error.h"
#include "calc/exact.h"
#include "calc/number_text.h"
#include "calc/resection.h"
#include "calc/scheme.h"

namespace pothenot {

namespace {

using F = Field;
using Kind = CalcError::Kind;

// A step of the worksheet: the box it fills and the result boxes it is
// worked from (givens aside), in the order Calculate writes them.
struct Step {
  Field field;
  std::initializer_list<Field> uses;
  bool exactWay;  // also worked in exact decimals; not the cotangents and direction angles
};

// clang-format off
const Step kSteps[] = {
    {F::Ea,     {},                                  false},
    {F::Eb,     {},                                  false},
    {F::EXbb,   {},                                  true},
    {F::EXcc,   {},                                  true},
    {F::EXcXb,  {},                                  true},
    {F::EYbb,   {},                                  true},
    {F::EYcc,   {},                                  true},
    {F::EYcYb,  {},                                  true},
    {F::EK1,    {F::Ea},                             true},
    {F::EK3,    {F::Eb},                             true},
    {F::EK1K3,  {F::EK1, F::EK3},                    true},
    {F::EK2,    {F::Ea},                             true},
    {F::EK4,    {F::Eb},                             true},
    {F::EK2K4,  {F::EK2, F::EK4},                    true},
    {F::EC,     {F::EK1, F::EK2, F::EK3, F::EK4},    true},
    {F::ECC,    {F::EC},                             true},
    {F::EK2CK1, {F::EK2, F::EC, F::EK1},             true},
    {F::EK4CK3, {F::EK4, F::EC, F::EK3},             true},
    {F::EdY,    {F::EK2, F::EC, F::EK1},             true},
    {F::EdX,    {F::EC, F::EdY},                     true},
    {F::EYp,    {F::EdY},                            true},
    {F::EXp,    {F::EdX},                            true},
    {F::EXdXp,  {F::EXp},                            true},
    {F::EYdYp,  {F::EYp},                            true},
    {F::EctgPD, {F::EXp, F::EYp},                    true},
    {F::EPA,    {F::EK1, F::EK2, F::EK3, F::EK4, F::EXp}, false},
    {F::EPD,    {F::EXp, F::EYp},                    false},
    {F::Ee1,    {F::EPA, F::EPD},                    true},
    {F::Ede,    {F::Ee1},                            true},
};
// clang-format on

bool IsAngle(Field field) {
  return field == F::EPA || field == F::EPD || field == F::Ee1 || field == F::Ede;
}

constexpr std::size_t Index(Field field) {
  return static_cast<std::size_t>(field);
}

// The values a step is worked from, by field: givens and results, in one
// kind of arithmetic; angles in decimal degrees. A value that kind cannot
// hold is missing, and a step that needs it has no value that way.
template <class Number>
class Known {
 public:
  const Number& operator[](Field field) const {
    const auto& value = values_[Index(field)];
    if (!value) throw CalcError::Fault(Kind::Overflow);
    return *value;
  }
  void Set(Field field, std::optional<Number> value) { values_[Index(field)] = std::move(value); }

 private:
  std::array<std::optional<Number>, kFieldCount> values_;
};

// A step's value from `v`, as the sheet shows it and later steps use it: the
// worksheet stores what it uses again. The formulas are Calculate's own.
template <class Number>
Number Work(Field field, const Known<Number>& v) {
  using namespace scheme;
  constexpr bool kWorksheet = std::is_same_v<Number, Extended>;
  switch (field) {
    case F::EXbb:
      return Difference(v[F::EXb], v[F::EXa]);
    case F::EXcc:
      return Difference(v[F::EXc], v[F::EXa]);
    case F::EXcXb:
      return Difference(v[F::EXc], v[F::EXb]);
    case F::EYbb:
      return Difference(v[F::EYb], v[F::EYa]);
    case F::EYcc:
      return Difference(v[F::EYc], v[F::EYa]);
    case F::EYcYb:
      return Difference(v[F::EYc], v[F::EYb]);
    case F::EK1:
      return Stored(K1(v[F::EXb], v[F::EYb], v[F::EXa], v[F::EYa], v[F::Ea]));
    case F::EK3:
      return Stored(K3(v[F::EXc], v[F::EYc], v[F::EXa], v[F::EYa], v[F::Eb]));
    case F::EK1K3:
      return Stored(CutDifference(v[F::EK1], v[F::EK3]));
    case F::EK2:
      return Stored(K2(v[F::EXb], v[F::EYb], v[F::EXa], v[F::EYa], v[F::Ea]));
    case F::EK4:
      return Stored(K4(v[F::EXc], v[F::EYc], v[F::EXa], v[F::EYa], v[F::Eb]));
    case F::EK2K4:
      return Stored(CutDifference(v[F::EK2], v[F::EK4]));
    case F::EC:
      return Stored(C(v[F::EK1], v[F::EK2], v[F::EK3], v[F::EK4]));
    case F::ECC:
      return Stored(CSquared(v[F::EC]));
    case F::EK2CK1:
      return Stored(KLessCK(v[F::EK2], v[F::EC], v[F::EK1]));
    case F::EK4CK3:
      return Stored(KLessCK(v[F::EK4], v[F::EC], v[F::EK3]));
    case F::EdY:
      return Stored(DeltaY(v[F::EK2], v[F::EC], v[F::EK1]));
    case F::EdX:
      return Stored(DeltaX(v[F::EC], v[F::EdY]));
    case F::EYp:
      return Stored(Station(v[F::EYa], v[F::EdY]));
    case F::EXp:
      return Stored(Station(v[F::EXa], v[F::EdX]));
    case F::EXdXp:
      return CutDifference(v[F::EXd], v[F::EXp]);
    case F::EYdYp:
      return CutDifference(v[F::EYd], v[F::EYp]);
    case F::EctgPD:
      return Stored(CtgPD(v[F::EXd], v[F::EYd], v[F::EXp], v[F::EYp]));
    case F::EPA:
      if constexpr (kWorksheet) {
        return Stored(AlphaPA(v[F::EK1], v[F::EK2], v[F::EK3], v[F::EK4], v[F::EXa], v[F::EXp]));
      }
      break;
    case F::EPD:
      if constexpr (kWorksheet) return Stored(AlphaPD(v[F::EXd], v[F::EYd], v[F::EXp], v[F::EYp]));
      break;
    case F::Ee1:
      return Stored(EpsilonComputed(v[F::EPA], v[F::EPD]));
    case F::Ede: {
      const Number epsMeasured = Stored(Degrees(v[F::Ee2g], v[F::Ee2m], v[F::Ee2s]));
      return Stored(DeltaEpsilon(v[F::Ee1], epsMeasured));
    }
    default:
      break;
  }
  // The cotangents, and the direction angles in exact arithmetic: no such formula.
  throw CalcError::Fault(Kind::InvalidOperation);
}

// A number as boxes are compared: its decimal digits without trailing zeros,
// so that "1087,50" is "1087,5" and "-0" is "0".
struct Decimal {
  bool negative = false;
  std::string digits;
  std::int64_t scale = 0;
  friend bool operator==(const Decimal&, const Decimal&) = default;
};

Decimal Normal(NumberParts parts) {
  while (!parts.digits.empty() && parts.digits.back() == '0') parts.digits.pop_back();
  if (parts.digits.empty()) return {};
  return {parts.negative, std::move(parts.digits), parts.scale};
}

// A text as the sheet holds it, read once: a box, or a text the worksheet
// writes.
struct Reading {
  Mark mark = Mark::Empty;         // Empty, Unreadable, or Correct for a readable text
  Decimal decimal;                 // a number box
  scheme::Dms dms;                 // an angle box
  std::optional<Extended> stored;  // its value as the worksheet keeps it
  std::optional<Exact> exact;      // its exact value, if one can be held
};

template <class F>
auto Maybe(F&& f) -> std::optional<decltype(f())> {
  try {
    return f();
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

Reading Read(Field field, const std::string& text, std::string_view separator) {
  Reading r;
  if (text.empty()) return r;
  r.mark = Mark::Unreadable;
  if (IsAngle(field)) {
    const auto dms = ReadDmsText(text);
    if (!dms) return r;
    r.dms = *dms;
    auto part = [](std::int64_t v) { return Extended(static_cast<double>(v)); };
    r.stored = Maybe([&] {
      return scheme::Stored(
          scheme::Degrees(part(dms->degrees), part(dms->minutes), part(dms->seconds)));
    });
    r.exact = scheme::Degrees(Exact::FromInt64(dms->degrees), Exact::FromInt64(dms->minutes),
                              Exact::FromInt64(dms->seconds));
  } else {
    NumberParts parts;
    try {
      parts = ReadNumberText(text, separator);
      r.stored = scheme::Stored(NumberFromParts(parts));
    } catch (const CalcError&) {
      return r;  // not a number, or beyond what the worksheet can store
    }
    r.exact = Maybe([&] { return Exact::FromParts(parts); });
    r.decimal = Normal(std::move(parts));
  }
  r.mark = Mark::Correct;
  return r;
}

// Whether a readable box shows the value a step gives that way.
bool Shows(const Reading& box, Field field, const Reading& worksheetText) {
  if (worksheetText.mark != Mark::Correct) return false;
  return IsAngle(field) ? box.dms == worksheetText.dms : box.decimal == worksheetText.decimal;
}
bool Shows(const Reading& box, Field field, const std::optional<Exact>& exact) {
  if (!exact) return false;
  if (IsAngle(field)) {
    const auto dms = Maybe([&] { return scheme::DmsOf(*exact); });
    return dms && box.dms == *dms;
  }
  return box.exact && *box.exact == *exact;
}

std::string Text(Field field, const Extended& value, std::string_view separator) {
  return IsAngle(field) ? DegreesToDmsText(value, separator) : TextFromNumber(value, separator);
}

// What Calculate stored for each result the steps use.
Known<Extended> WorksheetValues(const Solution& s) {
  Known<Extended> v;
  const Givens& g = s.givens;
  const std::pair<Field, Extended> values[] = {
      {F::Ey1g, g.y1g},        {F::Ey1m, g.y1m},     {F::Ey1s, g.y1s},    {F::Ey2g, g.y2g},
      {F::Ey2m, g.y2m},        {F::Ey2s, g.y2s},     {F::EXb, g.Xb},      {F::EXc, g.Xc},
      {F::EXa, g.Xa},          {F::EYb, g.Yb},       {F::EYc, g.Yc},      {F::EYa, g.Ya},
      {F::EXd, g.Xd},          {F::EYd, g.Yd},       {F::Ee2g, g.e2g},    {F::Ee2m, g.e2m},
      {F::Ee2s, g.e2s},        {F::Ea, s.a},         {F::Eb, s.b},        {F::EK1, s.K1},
      {F::EK3, s.K3},          {F::EK1K3, s.K1_K3},  {F::EK2, s.K2},      {F::EK4, s.K4},
      {F::EK2K4, s.K2_K4},     {F::EC, s.C},         {F::ECC, s.CC},      {F::EK2CK1, s.K2_CK1},
      {F::EK4CK3, s.K4_CK3},   {F::EdY, s.dY},       {F::EdX, s.dX},      {F::EYp, s.Yp},
      {F::EXp, s.Xp},          {F::EctgPD, s.ctgPD}, {F::EPA, s.alphaPA}, {F::EPD, s.alphaPD},
      {F::Ee1, s.epsComputed}, {F::Ede, s.deltaEps}};
  for (const auto& [field, value] : values) v.Set(field, value);
  return v;
}

}  // namespace

std::vector<BoxMark> CheckWork(const TWorksheet& sheet, std::string_view decimalSeparator) {
  // The worksheet's own run, on a copy nobody watches: its texts are what
  // each box should show, and it stops where Calculate stops.
  TWorksheet worked = sheet;
  worked.setObserver({});
  const Solution solution = Solve(worked, decimalSeparator);

  std::array<Reading, kFieldCount> boxes;
  Known<Extended> rightStored = WorksheetValues(solution);
  Known<Exact> rightExact;
  for (const FieldInfo& info : Fields()) {
    const auto field = *FieldByName(info.name);
    if (info.role == Role::Given) {
      rightExact.Set(field, Read(field, sheet.text(field), decimalSeparator).exact);
    } else if (info.role == Role::Result) {
      rightExact.Set(field, Read(field, worked.text(field), decimalSeparator).exact);
      boxes[Index(field)] = Read(field, sheet.text(field), decimalSeparator);
    }
  }
  Known<Extended> studentStored = rightStored;
  Known<Exact> studentExact = rightExact;
  for (const Step& step : kSteps) {
    const Reading& box = boxes[Index(step.field)];
    if (box.mark != Mark::Correct) continue;
    studentStored.Set(step.field, box.stored);
    studentExact.Set(step.field, box.exact);
  }

  std::vector<BoxMark> marks;
  marks.reserve(std::size(kSteps));
  std::array<Mark, kFieldCount> markOf{};
  for (const Step& step : kSteps) {
    const Reading& box = boxes[Index(step.field)];
    BoxMark out{step.field, box.mark, worked.text(step.field), {}};

    bool everyInputCorrect = true, someInputFaulty = false, someInputTyped = false;
    for (Field input : step.uses) {
      const Mark m = markOf[Index(input)];
      everyInputCorrect = everyInputCorrect && m == Mark::Correct;
      someInputFaulty = someInputFaulty || m == Mark::Carried || m == Mark::Wrong;
      someInputTyped = someInputTyped || boxes[Index(input)].mark == Mark::Correct;
    }
    // From the student's values by the worksheet's rule: its text is what
    // a faulty input carries into this box.
    std::optional<std::string> studentText;
    if (someInputTyped) {
      studentText = Maybe(
          [&] { return Text(step.field, Work(step.field, studentStored), decimalSeparator); });
      if (someInputFaulty && studentText) out.carried = *studentText;
    }

    if (box.mark == Mark::Correct) {
      auto exactly = [&](const Known<Exact>& v) {
        return step.exactWay && Shows(box, step.field, Maybe([&] { return Work(step.field, v); }));
      };
      const bool fromRight =
          Shows(box, step.field, Read(step.field, out.expected, decimalSeparator)) ||
          exactly(rightExact);
      const bool fromStudent =
          someInputTyped &&
          ((studentText &&
            Shows(box, step.field, Read(step.field, *studentText, decimalSeparator))) ||
           exactly(studentExact));
      if (fromRight || (everyInputCorrect && fromStudent)) {
        out.mark = Mark::Correct;
      } else if (someInputFaulty && fromStudent) {
        out.mark = Mark::Carried;
      } else {
        out.mark = Mark::Wrong;
      }
    }
    markOf[Index(step.field)] = out.mark;
    marks.push_back(std::move(out));
  }
  return marks;
}

}  // namespace pothenot
