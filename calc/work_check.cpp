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
  const std::optional<Number>& at(Field field) const { return values_[Index(field)]; }
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
struct TrimmedDecimal {
  bool negative = false;
  std::string digits;
  std::int64_t scale = 0;
  friend bool operator==(const TrimmedDecimal&, const TrimmedDecimal&) = default;
};

TrimmedDecimal Trimmed(NumberParts parts) {
  while (!parts.digits.empty() && parts.digits.back() == '0') parts.digits.pop_back();
  if (parts.digits.empty()) return {};
  return {parts.negative, std::move(parts.digits), parts.scale};
}

// A text as the sheet holds it, read once: a box, or a text the worksheet
// writes.
struct Reading {
  Mark mark = Mark::Empty;         // Empty, Unreadable, or Correct for a readable text
  TrimmedDecimal decimal;          // a number box
  scheme::Dms dms;                 // an angle box
  std::optional<Extended> stored;  // its value as the worksheet keeps it
};

// The value `work` gives, or nothing where the arithmetic faults.
template <class Work>
auto Maybe(Work&& work) -> std::optional<decltype(work())> {
  try {
    return work();
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
  } else {
    try {
      NumberParts parts = ReadNumberText(text, separator);
      r.stored = scheme::Stored(NumberFromParts(parts));
      r.decimal = Trimmed(std::move(parts));
    } catch (const CalcError&) {
      return r;  // not a number, or beyond what the worksheet can store
    }
  }
  r.mark = Mark::Correct;
  return r;
}

// The exact value of a readable text, if one can be held; an angle in
// decimal degrees.
std::optional<Exact> ExactOf(const Reading& r, Field field) {
  if (r.mark != Mark::Correct) return std::nullopt;
  return Maybe([&] {
    if (!IsAngle(field)) {
      return Exact::FromParts({r.decimal.negative, r.decimal.digits, r.decimal.scale});
    }
    return scheme::Degrees(Exact::FromInt64(r.dms.degrees), Exact::FromInt64(r.dms.minutes),
                           Exact::FromInt64(r.dms.seconds));
  });
}

// Whether two readable texts hold the same number, or the same angle parts.
bool Same(const Reading& a, const Reading& b, Field field) {
  return IsAngle(field) ? a.dms == b.dms : a.decimal == b.decimal;
}

// Whether a readable box shows the value a step gives that way: the
// worksheet's text of it, or its exact value.
bool Shows(const Reading& box, Field field, const Reading& worksheetText) {
  return worksheetText.mark == Mark::Correct && Same(box, worksheetText, field);
}
// `boxExact` is the box's own exact value, read once.
bool Shows(const Reading& box, const std::optional<Exact>& boxExact, Field field,
           const std::optional<Exact>& exact) {
  if (!exact) return false;
  if (IsAngle(field)) {
    const auto dms = Maybe([&] { return scheme::DmsOf(*exact); });
    return dms && box.dms == *dms;
  }
  return boxExact == exact;
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

  // Every result box as typed and as the worksheet writes it, read once.
  std::array<Reading, kFieldCount> boxes, written;
  for (const Step& step : kSteps) {
    boxes[Index(step.field)] = Read(step.field, sheet.text(step.field), decimalSeparator);
    written[Index(step.field)] = Read(step.field, worked.text(step.field), decimalSeparator);
  }
  // The student's values: a readable box's own, the worksheet's elsewhere.
  const Known<Extended> rightStored = WorksheetValues(solution);
  Known<Extended> studentStored = rightStored;
  std::array<bool, kFieldCount> differs{};
  for (const Step& step : kSteps) {
    const std::size_t i = Index(step.field);
    if (boxes[i].mark != Mark::Correct) continue;
    studentStored.Set(step.field, boxes[i].stored);
    differs[i] =
        boxes[i].stored != rightStored.at(step.field) || !Shows(boxes[i], step.field, written[i]);
  }
  // The same in exact arithmetic, worked out only once a box does not show
  // the worksheet's text.
  std::optional<Known<Exact>> rightExact, studentExact;
  auto exactValues = [&] {
    if (rightExact) return;
    rightExact.emplace();
    for (std::size_t i = 0; i < kFieldCount; ++i) {
      const auto field = static_cast<Field>(i);
      if (Info(field).role == Role::Given) {
        rightExact->Set(field, ExactOf(Read(field, sheet.text(field), decimalSeparator), field));
      }
    }
    for (const Step& step : kSteps) {
      rightExact->Set(step.field, ExactOf(written[Index(step.field)], step.field));
    }
    studentExact = rightExact;
    for (const Step& step : kSteps) {
      const Reading& box = boxes[Index(step.field)];
      if (box.mark == Mark::Correct) studentExact->Set(step.field, ExactOf(box, step.field));
    }
  };

  std::vector<BoxMark> marks;
  marks.reserve(std::size(kSteps));
  std::array<Mark, kFieldCount> markOf{};
  for (const Step& step : kSteps) {
    const Field field = step.field;
    const Reading& box = boxes[Index(field)];
    BoxMark out{field, box.mark, worked.text(field), {}};

    bool everyInputCorrect = true, someInputFaulty = false, someInputDiffers = false;
    for (Field input : step.uses) {
      const Mark m = markOf[Index(input)];
      everyInputCorrect = everyInputCorrect && m == Mark::Correct;
      someInputFaulty = someInputFaulty || m == Mark::Carried || m == Mark::Wrong;
      someInputDiffers = someInputDiffers || differs[Index(input)];
    }
    // The step from the student's values by the worksheet's rule: what a
    // faulty box carries into this one.
    std::optional<std::string> fromStudentText;
    auto workFromStudent = [&] {
      fromStudentText =
          Maybe([&] { return Text(field, Work(field, studentStored), decimalSeparator); });
    };
    if (someInputFaulty) {
      workFromStudent();
      if (fromStudentText) out.carried = *fromStudentText;
    }

    if (box.mark == Mark::Correct) {
      auto exactly = [&](const std::optional<Known<Exact>>& v) {
        if (!step.exactWay) return false;
        exactValues();
        return Shows(box, studentExact->at(field), field, Maybe([&] { return Work(field, *v); }));
      };
      const bool fromRight = Shows(box, field, written[Index(field)]) || exactly(rightExact);
      // Where no box it uses differs from the worksheet's value, the
      // student's values are the right ones.
      bool fromStudent = false;
      if (!fromRight && someInputDiffers && (everyInputCorrect || someInputFaulty)) {
        if (!someInputFaulty) workFromStudent();
        fromStudent = (fromStudentText &&
                       Shows(box, field, Read(field, *fromStudentText, decimalSeparator))) ||
                      exactly(studentExact);
      }
      if (fromRight || (everyInputCorrect && fromStudent)) {
        out.mark = Mark::Correct;
      } else if (someInputFaulty && fromStudent) {
        out.mark = Mark::Carried;
      } else {
        out.mark = Mark::Wrong;
      }
    }
    markOf[Index(field)] = out.mark;
    marks.push_back(std::move(out));
  }
  return marks;
}

}  // namespace pothenot
