// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_error.h"

namespace pothenot {

CalcError CalcError::Fault(Kind kind) {
  switch (kind) {
    case Kind::NotANumber:
      return CalcError(kind, "Не число.");
    case Kind::DivisionByZero:
      return CalcError(kind, "Деление на ноль.");
    case Kind::InvalidOperation:
      return CalcError(kind, "Недопустимая операция.");
    case Kind::Overflow:
      break;
  }
  return CalcError(Kind::Overflow, "Переполнение.");
}

}  // namespace pothenot
