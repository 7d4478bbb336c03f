// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/resection.h"

#include <string>
#include <utility>

#include "calc/calc_error.h"
#include "calc/extended.h"
#include "calc/givens.h"
#include "calc/steps.h"

namespace pothenot {

namespace {

using F = Field;
using Kind = CalcError::Kind;

std::string Name(std::string_view quantity) {
  return "«" + std::string(quantity) + "»";
}

// A fault of the arithmetic as the worksheet reports it: naming the
// quantity it befell.
[[noreturn]] void Stop(const CalcError& fault, std::string_view quantity) {
  const std::string where = Name(quantity);
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

// The givens by field, as the steps read them.
Solution ByField(const Givens& g) {
  const std::pair<Field, Extended> givens[] = {
      {F::Ey1g, g.y1g}, {F::Ey1m, g.y1m}, {F::Ey1s, g.y1s}, {F::Ey2g, g.y2g}, {F::Ey2m, g.y2m},
      {F::Ey2s, g.y2s}, {F::EXb, g.Xb},   {F::EXc, g.Xc},   {F::EXa, g.Xa},   {F::EYb, g.Yb},
      {F::EYc, g.Yc},   {F::EYa, g.Ya},   {F::EXd, g.Xd},   {F::EYd, g.Yd},   {F::Ee2g, g.e2g},
      {F::Ee2m, g.e2m}, {F::Ee2s, g.e2s}};
  Solution v;
  for (const auto& [field, value] : givens) v.Set(field, value);
  return v;
}

}  // namespace

void Calculate(TWorksheet& sheet, std::string_view decimalSeparator) {
  (void)Solve(sheet, decimalSeparator);
}

Solution Solve(TWorksheet& sheet, std::string_view decimalSeparator) {
  Solution v = ByField(ReadGivens(sheet, decimalSeparator));
  Working where;
  try {
    WorkSheet(sheet, decimalSeparator, v, where);
  } catch (const CalcError& fault) {
    Stop(fault, where.Name());
  }
  return v;
}

}  // namespace pothenot
