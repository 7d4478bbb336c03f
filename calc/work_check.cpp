// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/work_check.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "calc/angles.h"
#include "calc/calc_error.h"
#include "calc/exact.h"
#include "calc/number_text.h"
#include "calc/resection.h"
#include "calc/scheme.h"
#include "calc/steps.h"

namespace pothenot {

namespace {

constexpr std::size_t Index(Field field) {
  return static_cast<std::size_t>(field);
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
  Mark mark = Mark::Empty;  // Empty, Unreadable, or Correct for a readable text
  bool angle = false;       // read as an angle
  TrimmedDecimal decimal;   // a number box
  scheme::Dms dms;          // an angle box
  // ε выч.: its parts as typed. An angle whole turns from them is the same.
  std::optional<scheme::Dms> turnable;
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

Reading Read(bool angle, const std::string& text, std::string_view separator) {
  Reading r;
  r.angle = angle;
  if (text.empty()) return r;
  r.mark = Mark::Unreadable;
  if (angle) {
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
std::optional<Exact> ExactOf(const Reading& r, bool angle) {
  if (r.mark != Mark::Correct) return std::nullopt;
  return Maybe([&] {
    if (!angle) {
      return Exact::FromParts({r.decimal.negative, r.decimal.digits, r.decimal.scale});
    }
    return scheme::Degrees(Exact::FromInt64(r.dms.degrees), Exact::FromInt64(r.dms.minutes),
                           Exact::FromInt64(r.dms.seconds));
  });
}

// Whether a readable angle box shows the angle of `parts`: the same parts,
// or, for ε выч., a value whole turns (not none) from theirs, as -17°-34`-60``
// (−17°35′) is written 342°25`0``.
bool SameAngle(const Reading& box, const scheme::Dms& parts) {
  if (box.dms == parts) return true;
  if (!box.turnable) return false;
  auto seconds = [](const scheme::Dms& p) {
    return Exact::FromInt64(p.degrees) * 3600 + Exact::FromInt64(p.minutes) * 60 +
           Exact::FromInt64(p.seconds);
  };
  const Exact apart = seconds(*box.turnable) - seconds(parts);
  return apart != 0 && Frac(apart / 1296000) == 0;
}

// Whether a readable box holds the same number as a readable text, or the
// same angle.
bool Same(const Reading& box, const Reading& text, bool angle) {
  return angle ? SameAngle(box, text.dms) : box.decimal == text.decimal;
}

// Whether a readable box shows the value a step gives that way: the
// worksheet's text of it, or its exact value.
bool Shows(const Reading& box, bool angle, const Reading& worksheetText) {
  return worksheetText.mark == Mark::Correct && Same(box, worksheetText, angle);
}
// `boxExact` is the box's own exact value, read once.
bool Shows(const Reading& box, const std::optional<Exact>& boxExact, bool angle,
           const std::optional<Exact>& exact) {
  if (!exact) return false;
  if (angle) {
    const auto dms = Maybe([&] { return scheme::DmsOf(*exact); });
    return dms && SameAngle(box, *dms);
  }
  return boxExact == exact;
}

std::string Text(bool angle, const Extended& value, std::string_view separator) {
  return angle ? DegreesToDmsText(value, separator) : TextFromNumber(value, separator);
}

// The lowest and the highest stored value that the worksheet shows as a
// readable box's text: the box may have been written from either, or from
// anything between. A number's are the doubles around its own whose 15
// digits are its text; an angle's lie within half a second of it. Where the
// box is not a text the worksheet writes, its own value alone.
struct Span {
  Extended low, high;
};

Span ReadsAs(const Reading& box, std::string_view separator) {
  const bool angle = box.angle;
  const Extended own = *box.stored;
  auto shown = [&](const Extended& v) {
    const auto text = Maybe([&] { return Text(angle, v, separator); });
    return text && Shows(box, angle, Read(angle, *text, separator));
  };
  if (angle) {
    // Half a second either side, just inside, where the seconds round to the
    // box's; a box whose seconds read 60 is shown only from below its value.
    Span span{own, own};
    bool any = false;
    for (const double seconds : {-0.4999999, -1e-6, 0.0, 1e-6, 0.4999999}) {
      const auto v = Maybe([&] { return scheme::Stored(own + Extended(seconds) / 3600); });
      if (!v || !shown(*v)) continue;
      if (!any || *v < span.low) span.low = *v;
      if (!any || *v > span.high) span.high = *v;
      any = true;
    }
    return span;
  }
  if (!shown(own)) return {own, own};
  // The doubles of a 15-digit text lie within a few dozen steps of its own.
  auto walk = [&](double towards) {
    double v = own.ToDouble();
    for (int step = 0; step < 64; ++step) {
      const double next = std::nextafter(v, towards);
      if (!shown(Extended(next))) break;
      v = next;
    }
    return Extended(v);
  };
  return {walk(-HUGE_VAL), walk(HUGE_VAL)};
}

// Whether `box` equals what `step` gives from some values that read as the
// texts of the boxes it uses: whether the values the step gives from the
// ends of each readable box's span, in every combination, reach the values
// the box's own text is shown from (a step is monotonic in each input over
// so small a span). An angle that comes out on both sides of the half turn
// takes only the values at those ends.
bool FollowsFromTexts(const Step& step, const Reading& box,
                      const std::array<Reading, kFieldCount>& boxes,
                      const FieldValues<Extended>& studentStored, std::string_view separator) {
  std::vector<std::pair<Field, Span>> spans;
  for (Field input : step.uses) {
    const Reading& used = boxes[Index(input)];
    if (used.mark == Mark::Correct) spans.emplace_back(input, ReadsAs(used, separator));
  }
  if (spans.empty()) return false;
  const Span own = ReadsAs(box, separator);
  FieldValues<Extended> values = studentStored;
  std::optional<Span> given;
  bool atAnEnd = false;
  for (std::size_t corner = 0; corner < (std::size_t{1} << spans.size()); ++corner) {
    for (std::size_t i = 0; i < spans.size(); ++i)
      values.Set(spans[i].first, (corner >> i & 1) ? spans[i].second.high : spans[i].second.low);
    const auto value = Maybe([&] { return Work(step, values); });
    if (!value) continue;
    atAnEnd = atAnEnd || !(*value < own.low || own.high < *value);
    if (!given) given = Span{*value, *value};
    if (*value < given->low) given->low = *value;
    if (given->high < *value) given->high = *value;
  }
  if (!given) return false;
  if (step.angle && Extended(180) < given->high - given->low) return atAnEnd;
  return !(given->high < own.low || own.high < given->low);
}

// ε выч. is an angle between two directions: written whole turns away from
// a text of the worksheet, it is the same angle (`SameAngle`). Outside the
// half circle the worksheet keeps it in, its value is that angle brought
// back, where it can be.
void TakeTurnsOff(Reading& box) {
  if (box.mark != Mark::Correct) return;
  box.turnable = box.dms;
  const auto turned = Maybe([&]() -> std::optional<scheme::Dms> {
    const Exact x =
        scheme::Degrees(Exact::FromInt64(box.dms.degrees), Exact::FromInt64(box.dms.minutes),
                        Exact::FromInt64(box.dms.seconds));
    const Exact inside = scheme::HalfTurn(x);
    if (inside == x) return std::nullopt;
    return scheme::DmsOf(inside);
  });
  if (!turned || !*turned) return;
  auto part = [](std::int64_t v) { return Extended(static_cast<double>(v)); };
  const auto stored = Maybe([&] {
    return scheme::Stored(scheme::Degrees(part((*turned)->degrees), part((*turned)->minutes),
                                          part((*turned)->seconds)));
  });
  if (!stored) return;
  box.dms = **turned;
  box.stored = stored;
}

}  // namespace

std::vector<BoxMark> CheckWork(const TWorksheet& sheet, std::string_view decimalSeparator) {
  // The worksheet's own run, on a copy nobody watches: its texts are what
  // each box should show, and it stops where Calculate stops.
  TWorksheet worked = sheet;
  worked.setObserver({});
  const Solution solution = Solve(worked, decimalSeparator);
  const auto steps = Steps();

  // Every result box as typed and as the worksheet writes it, read once.
  std::array<Reading, kFieldCount> boxes, written;
  for (const Step& step : steps) {
    boxes[Index(step.field)] = Read(step.angle, sheet.text(step.field), decimalSeparator);
    if (step.field == Field::Ee1) TakeTurnsOff(boxes[Index(step.field)]);
    written[Index(step.field)] = Read(step.angle, worked.text(step.field), decimalSeparator);
  }
  // The student's values: a readable box's own, the worksheet's elsewhere.
  const FieldValues<Extended>& rightStored = solution;
  FieldValues<Extended> studentStored = rightStored;
  std::array<bool, kFieldCount> differs{};
  for (const Step& step : steps) {
    const std::size_t i = Index(step.field);
    if (boxes[i].mark != Mark::Correct) continue;
    studentStored.Set(step.field, boxes[i].stored);
    differs[i] =
        boxes[i].stored != rightStored.at(step.field) || !Shows(boxes[i], step.angle, written[i]);
  }
  // The same in exact arithmetic, worked out only once a box does not show
  // the worksheet's text.
  std::optional<FieldValues<Exact>> rightExact, studentExact;
  auto exactValues = [&] {
    if (rightExact) return;
    rightExact.emplace();
    for (std::size_t i = 0; i < kFieldCount; ++i) {
      const auto field = static_cast<Field>(i);
      if (Info(field).role == Role::Given) {
        // A given is a number.
        rightExact->Set(field, ExactOf(Read(false, sheet.text(field), decimalSeparator), false));
      }
    }
    for (const AngleReading& reading : TypedAngles()) {
      rightExact->Set(reading.angle, Maybe([&] { return Work(reading, *rightExact); }));
    }
    for (const Step& step : steps) {
      rightExact->Set(step.field, ExactOf(written[Index(step.field)], step.angle));
    }
    studentExact = rightExact;
    for (const Step& step : steps) {
      const Reading& box = boxes[Index(step.field)];
      if (box.mark == Mark::Correct) studentExact->Set(step.field, ExactOf(box, step.angle));
    }
  };

  std::vector<BoxMark> marks;
  marks.reserve(steps.size());
  std::array<Mark, kFieldCount> markOf{};
  for (const Step& step : steps) {
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
          Maybe([&] { return Text(step.angle, Work(step, studentStored), decimalSeparator); });
    };
    if (someInputFaulty) {
      workFromStudent();
      if (fromStudentText) out.carried = *fromStudentText;
    }

    if (box.mark == Mark::Correct) {
      auto exactly = [&](const std::optional<FieldValues<Exact>>& v) {
        if (!step.way.exact) return false;
        exactValues();
        return Shows(box, studentExact->at(field), step.angle,
                     Maybe([&] { return Work(step, *v); }));
      };
      const bool fromRight = Shows(box, step.angle, written[Index(field)]) || exactly(rightExact);
      // Where no box it uses differs from the worksheet's value, the
      // student's values are the right ones.
      bool fromStudent = false;
      if (!fromRight && someInputDiffers && (everyInputCorrect || someInputFaulty)) {
        if (!someInputFaulty) workFromStudent();
        fromStudent =
            (fromStudentText &&
             Shows(box, step.angle, Read(step.angle, *fromStudentText, decimalSeparator))) ||
            exactly(studentExact);
      }
      if (fromRight || (everyInputCorrect && fromStudent)) {
        out.mark = Mark::Correct;
      } else if (someInputFaulty && fromStudent) {
        out.mark = Mark::Carried;
      } else if (FollowsFromTexts(step, box, boxes, studentStored, decimalSeparator)) {
        // Never a mistake of its own: the worksheet's run that wrote the
        // boxes it uses may have written it.
        out.mark = someInputFaulty ? Mark::Carried : Mark::Correct;
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
