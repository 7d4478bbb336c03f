// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "calc/calc_error.h"
#include "calc/exact.h"
#include "calc/extended.h"
#include "calc/fields.h"
#include "calc/scheme.h"
#include "calc/worksheet.h"

/// The 29 result steps of the worksheet, each described once: the box it
/// fills, the boxes it is worked from, its formula from scheme.h in each
/// arithmetic it has, and how and when `Calculate` shows it. `Calculate`
/// works them in this order; `CheckWork` judges a student's boxes in it.
namespace pothenot {

/// An angle typed as degrees, minutes and seconds, which the worksheet
/// works into decimal degrees and stores before any step.
enum class TypedAngle : std::size_t { EpsMeasured, Gamma1, Gamma2 };

/// The values the steps are worked from: givens, typed angles and results,
/// in one kind of arithmetic (`Extended` or `Exact`); angles in decimal
/// degrees. A value is missing where it is not known or that kind cannot
/// hold it.
template <class Number>
class FieldValues {
 public:
  /// The value of a field or typed angle. Throws `CalcError` Overflow where
  /// it is missing: a step that needs it has no value that way.
  const Number& operator[](Field field) const { return Present(Slot(field)); }
  const Number& operator[](TypedAngle angle) const { return Present(Slot(angle)); }

  const std::optional<Number>& at(Field field) const { return values_[Slot(field)]; }
  void Set(Field field, const Number& value) { values_[Slot(field)].emplace(value); }
  void Set(Field field, const std::optional<Number>& value) { values_[Slot(field)] = value; }
  void Set(TypedAngle angle, const Number& value) { values_[Slot(angle)].emplace(value); }
  void Set(TypedAngle angle, const std::optional<Number>& value) { values_[Slot(angle)] = value; }

 private:
  static constexpr std::size_t Slot(Field field) { return static_cast<std::size_t>(field); }
  static constexpr std::size_t Slot(TypedAngle angle) {
    return kFieldCount + static_cast<std::size_t>(angle);
  }
  const Number& Present(std::size_t slot) const {
    if (!values_[slot]) throw CalcError::Fault(CalcError::Kind::Overflow);
    return *values_[slot];
  }

  std::array<std::optional<Number>, kFieldCount + 3> values_;
};

/// A step's formula in one arithmetic: its value from the givens and the
/// results before it, as the formula gives it, before the worksheet stores it.
template <class Number>
using Formula = Number (*)(const FieldValues<Number>&);

/// A step's formula in the arithmetics it is worked in.
struct Ways {
  /// The worksheet's rule: 80-bit evaluation of stored doubles, the cut.
  Formula<Extended> worksheet = nullptr;
  /// The same formula in exact decimals with the same cuts; null where the
  /// step has no exact way (the cotangents and the direction angles).
  Formula<Exact> exact = nullptr;
};

/// One result step of the worksheet.
struct Step {
  Field field;                             ///< the result box it fills
  std::initializer_list<Field> uses = {};  ///< the result boxes its formula reads (givens aside)
  bool shownOnly = false;  ///< shown, not stored: later steps work it afresh (a difference)
  bool angle = false;      ///< its box holds an angle text, D°M`S``; otherwise a number
  /// Worked, then the next step worked too, before either box is shown: a
  /// fault in the next step leaves this box unwritten. Only a stored step.
  bool shownWithNext = false;
  /// The quantity a fault while working it names, where that is not its
  /// box's (`Info(field).quantity`); an angle's text is written under its
  /// box's own.
  std::string_view quantity = {};
  Ways way;  ///< its formula from scheme.h
};

inline constexpr std::size_t kStepCount = 29;

/// The 29 steps in the order `Calculate` works them.
std::span<const Step, kStepCount> Steps();

/// The value of `step` worked from `v`, as its box shows it and later steps
/// read it: stored where the worksheet stores it. Throws `CalcError` where
/// the arithmetic faults or an input is missing; InvalidOperation for a step
/// without an exact way, worked exactly.
inline Extended Work(const Step& step, const FieldValues<Extended>& v) {
  const Extended value = step.way.worksheet(v);
  return step.shownOnly ? value : scheme::Stored(value);
}
Exact Work(const Step& step, const FieldValues<Exact>& v);

/// Where `Calculate`'s walk is, so that a fault can name what it befell: the
/// quantity by name, or when that is empty the quantity in `field`'s box.
struct Working {
  std::string_view quantity;
  Field field = Field::Ea;
  std::string_view Name() const { return quantity.empty() ? Info(field).quantity : quantity; }
};

/// `Calculate`'s walk: the typed angles, then each step in order, into `v`
/// (which holds the 17 givens), writing each box into `sheet` with
/// `separator` as soon as it and any step shown with it are worked. `where`
/// follows the walk: an angle's text is written under its box's name, a
/// number's (which cannot fault) under the quantity last worked. Throws
/// `CalcError` where the arithmetic faults, naming nothing: the caller names
/// `where`.
void WorkSheet(TWorksheet& sheet, std::string_view separator, FieldValues<Extended>& v,
               Working& where);

/// How a typed angle is read: the quantity a fault in it names ("γ1") and
/// its three givens.
struct AngleReading {
  TypedAngle angle;
  std::string_view quantity;
  Field degrees, minutes, seconds;
};

/// ε measured, γ1 and γ2, in the order `Calculate` works them, before any
/// step.
std::span<const AngleReading, 3> TypedAngles();

/// The typed angle in decimal degrees from its givens in `v`, as the
/// worksheet stores it. Throws `CalcError` where the arithmetic faults or a
/// given is missing.
Extended Work(const AngleReading& reading, const FieldValues<Extended>& v);
Exact Work(const AngleReading& reading, const FieldValues<Exact>& v);

}  // namespace pothenot
