// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace pothenot {

/// The 48 fields of the worksheet, in the order the problem window declares
/// its edit boxes (which is also its keyboard order).
enum class Field : std::size_t {
  Ey1g,
  Ey1m,
  Ey1s,
  Ey2g,
  Ey2m,
  Ey2s,
  Ea,
  Eb,
  EXb,
  EXc,
  EXa,
  EXcXb,
  EXcc,
  EXbb,
  EYb,
  EYc,
  EYa,
  EYbb,
  EYcc,
  EYcYb,
  EK1,
  EK4,
  EK2K4,
  EK1K3,
  EK3,
  EK2,
  EK4CK3,
  EK2CK1,
  ECC,
  EC,
  EYaa,
  EdY,
  EYp,
  EdX,
  EXp,
  EXaa,
  EctgPD,
  EXd,
  EXdXp,
  EYd,
  EYdYp,
  Ee2g,
  Ee2m,
  Ee2s,
  Ede,
  EPA,
  EPD,
  Ee1,
};

inline constexpr std::size_t kFieldCount = 48;

/// given: typed by the user and read by Calculate; result: written by
/// Calculate; mirror: a copy of Xa or Ya that Calculate never reads.
enum class Role { Given, Result, Mirror };

struct FieldInfo {
  std::string_view name;  ///< "EXb": the field's and its edit box's name
  Role role;
  std::string_view defaultText;  ///< the built-in example, written with a decimal comma
  std::string_view quantity;     ///< what it holds, in the worksheet's terms ("Xc − Xb"), UTF-8
};

/// Every field, indexed by `Field`.
const std::array<FieldInfo, kFieldCount>& Fields();

inline const FieldInfo& Info(Field field) {
  return Fields()[static_cast<std::size_t>(field)];
}

/// The field of that name, or nothing when no field is called so.
std::optional<Field> FieldByName(std::string_view name);

}  // namespace pothenot
