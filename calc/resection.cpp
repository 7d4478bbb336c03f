#include "calc/resection.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include "calc/angles.h"
#include "calc/calc_error.h"
#include "calc/extended.h"
#include "calc/givens.h"
#include "calc/number_text.h"
#include "calc/steps.h"

namespace pothenot {

namespace {

using F = Field;
using Kind = CalcError::Kind;

std::string Name(std::string_view quantity) {
  return "«" + std::string(quantity) + "»";
}

// One run of Calculate: the worksheet, its separator and the quantity being
// computed, so that a fault can say where the worksheet stopped.
class Run {
 public:
  Run(TWorksheet& sheet, std::string_view separator) : sheet_(sheet), separator_(separator) {}

  // From here on a fault is reported as one of `quantity`, or of the
  // quantity in `field`: looked up only when a fault comes.
  void Computing(std::string_view quantity) { quantity_ = quantity; }
  void Computing(Field field) {
    field_ = field;
    quantity_ = {};
  }

  // Writes a step's box, naming it should its text fault.
  void Show(const Step& step, const Extended& value) {
    Computing(step.field);
    sheet_.setText(step.field, step.angle ? DegreesToDmsText(value, separator_)
                                          : TextFromNumber(value, separator_));
  }

  [[noreturn]] void Stop(const CalcError& fault) const {
    const std::string where = Name(quantity_.empty() ? Info(field_).quantity : quantity_);
    switch (fault.kind()) {
      case Kind::DivisionByZero:
        throw CalcError(fault.kind(), "Деление на ноль при вычислении " + where + ".");
      case Kind::InvalidOperation:
        throw CalcError(fault.kind(), "Недопустимая операция при вычислении " + where +
                                          ": 0/0 или число вне допустимого диапазона.");
      case Kind::Overflow:
        throw CalcError(fault.kind(),
                        "Переполнение при вычислении " + where + ": число слишком велико.");
      case Kind::NotANumber:
        break;
    }
    throw fault;
  }

 private:
  TWorksheet& sheet_;
  std::string_view separator_;
  std::string_view quantity_;
  Field field_ = Field::Ea;
};

Solution Solve(Run& run, const Givens& g) {
  // The givens by field, as the steps read them.
  const std::pair<Field, Extended> givens[] = {
      {F::Ey1g, g.y1g}, {F::Ey1m, g.y1m}, {F::Ey1s, g.y1s}, {F::Ey2g, g.y2g}, {F::Ey2m, g.y2m},
      {F::Ey2s, g.y2s}, {F::EXb, g.Xb},   {F::EXc, g.Xc},   {F::EXa, g.Xa},   {F::EYb, g.Yb},
      {F::EYc, g.Yc},   {F::EYa, g.Ya},   {F::EXd, g.Xd},   {F::EYd, g.Yd},   {F::Ee2g, g.e2g},
      {F::Ee2m, g.e2m}, {F::Ee2s, g.e2s}};
  Solution v;
  for (const auto& [field, value] : givens) v.Set(field, value);

  // The typed angles first, each under its own name.
  for (const AngleReading& reading : TypedAngles()) {
    run.Computing(reading.quantity);
    v.Set(reading.angle, Work(reading, v));
  }
  // Each step is shown once it is worked, or with the step after it.
  const auto steps = Steps();
  std::array<Extended, kStepCount> worked;
  std::size_t shown = 0;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    if (step.quantity.empty()) {
      run.Computing(step.field);
    } else {
      run.Computing(step.quantity);
    }
    worked[i] = Work(step, v);
    if (!step.shownOnly) v.Set(step.field, worked[i]);
    if (step.shownWithNext) continue;
    for (; shown <= i; ++shown) run.Show(steps[shown], worked[shown]);
  }
  return v;
}

}  // namespace

void Calculate(TWorksheet& sheet, std::string_view decimalSeparator) {
  (void)Solve(sheet, decimalSeparator);
}

Solution Solve(TWorksheet& sheet, std::string_view decimalSeparator) {
  const Givens givens = ReadGivens(sheet, decimalSeparator);
  Run run(sheet, decimalSeparator);
  try {
    return Solve(run, givens);
  } catch (const CalcError& fault) {
    run.Stop(fault);
  }
}

}  // namespace pothenot
