// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/fields.h"

namespace pothenot {

namespace {

using R = Role;

// clang-format off
constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {"Ey1g",   R::Given,  "110",      "γ1, градусы"},
    {"Ey1m",   R::Given,  "24",       "γ1, минуты"},
    {"Ey1s",   R::Given,  "48",       "γ1, секунды"},
    {"Ey2g",   R::Given,  "203",      "γ2, градусы"},
    {"Ey2m",   R::Given,  "23",       "γ2, минуты"},
    {"Ey2s",   R::Given,  "57",       "γ2, секунды"},
    {"Ea",     R::Result, "",         "a = ctg γ1"},
    {"Eb",     R::Result, "",         "b = ctg γ2"},
    {"EXb",    R::Given,  "10491,83", "Xb"},
    {"EXc",    R::Given,  "8429,93",  "Xc"},
    {"EXa",    R::Given,  "7373,14",  "Xa"},
    {"EXcXb",  R::Result, "",         "Xc − Xb"},
    {"EXcc",   R::Result, "",         "Xc − Xa"},
    {"EXbb",   R::Result, "",         "Xb − Xa"},
    {"EYb",    R::Given,  "3824,62",  "Yb"},
    {"EYc",    R::Given,  "6016,34",  "Yc"},
    {"EYa",    R::Given,  "2737,12",  "Ya"},
    {"EYbb",   R::Result, "",         "Yb − Ya"},
    {"EYcc",   R::Result, "",         "Yc − Ya"},
    {"EYcYb",  R::Result, "",         "Yc − Yb"},
    {"EK1",    R::Result, "",         "K1"},
    {"EK4",    R::Result, "",         "K4"},
    {"EK2K4",  R::Result, "",         "K2 − K4"},
    {"EK1K3",  R::Result, "",         "K1 − K3"},
    {"EK3",    R::Result, "",         "K3"},
    {"EK2",    R::Result, "",         "K2"},
    {"EK4CK3", R::Result, "",         "K4 − C·K3"},
    {"EK2CK1", R::Result, "",         "K2 − C·K1"},
    {"ECC",    R::Result, "",         "C²"},
    {"EC",     R::Result, "",         "C"},
    {"EYaa",   R::Mirror, "2737,12",  "Ya (копия)"},
    {"EdY",    R::Result, "",         "ΔY"},
    {"EYp",    R::Result, "",         "Yp"},
    {"EdX",    R::Result, "",         "ΔX"},
    {"EXp",    R::Result, "",         "Xp"},
    {"EXaa",   R::Mirror, "7373,14",  "Xa (копия)"},
    {"EctgPD", R::Result, "",         "ctg(PD)"},
    {"EXd",    R::Given,  "6273,45",  "Xd"},
    {"EXdXp",  R::Result, "",         "Xd − Xp"},
    {"EYd",    R::Given,  "4008,3",   "Yd"},
    {"EYdYp",  R::Result, "",         "Yd − Yp"},
    {"Ee2g",   R::Given,  "54",       "ε изм., градусы"},
    {"Ee2m",   R::Given,  "11",       "ε изм., минуты"},
    {"Ee2s",   R::Given,  "15",       "ε изм., секунды"},
    {"Ede",    R::Result, "",         "δε"},
    {"EPA",    R::Result, "",         "дирекционный угол (PA)"},
    {"EPD",    R::Result, "",         "дирекционный угол (PD)"},
    {"Ee1",    R::Result, "",         "ε выч."},
}};
// clang-format on

}  // namespace

const std::array<FieldInfo, kFieldCount>& Fields() {
  return kFields;
}

std::optional<Field> FieldByName(std::string_view name) {
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    if (kFields[i].name == name) return static_cast<Field>(i);
  }
  return std::nullopt;
}

}  // namespace pothenot
