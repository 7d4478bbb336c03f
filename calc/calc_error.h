// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace pothenot {

/// The one failure of the worksheet engine. `what()` is the message the user
/// sees, in Russian, naming the quantity of the worksheet that failed.
///
/// Thrown by:
///  - `ReadGivens` (givens.h), naming the field whose text is not a number;
///  - `Calculate` (resection.h), when a given text is not a number or when an
///    arithmetic fault stops the calculation; the message names the field or
///    the quantity;
///  - `Extended` arithmetic, `Extended::ToDouble`, `Trunc`, `Round`,
///    `Remainder`, `FromDecimal` (extended.h) and `NumberFromText`
///    (number_text.h), with a message that names no quantity;
///    `Calculate` rethrows these with the quantity it was computing.
///  - `CheckWork` (work_check.h), exactly where and as `Calculate` would;
///  - `Exact` arithmetic, `Trunc`, `Round` and `Remainder` (exact.h), with a
///    message that names no quantity; inside `CheckWork` one means only that
///    a step has no value that way.
class CalcError : public std::runtime_error {
 public:
  enum class Kind {
    NotANumber,        ///< a given text is not a decimal number in the worksheet's notation
    DivisionByZero,    ///< a non-zero value divided by zero (a zero sine or a zero difference)
    InvalidOperation,  ///< 0/0, or trunc/round of a value outside the 64-bit integer range
    Overflow,          ///< an infinite result, or a value too large to store as a double
  };

  CalcError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

  /// A fault of the arithmetic or of a conversion, before anyone knows which
  /// quantity it befell: the message names the kind alone.
  static CalcError Fault(Kind kind);

  Kind kind() const noexcept { return kind_; }

 private:
  Kind kind_;
};

}  // namespace pothenot
