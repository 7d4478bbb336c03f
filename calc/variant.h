// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "calc/worksheet.h"

namespace pothenot {

/// The numbers of the exercise variants: kFirstVariant to kLastVariant, both included.
inline constexpr std::uint32_t kFirstVariant = 1, kLastVariant = 999999;

/// Exercise `number` (kFirstVariant to kLastVariant): a worksheet whose 17 givens are one
/// consistent problem, written with a decimal comma like the built-in example, and whose results
/// are empty.
///
/// The figure is drawn from the number alone with integer arithmetic: a station P and the
/// points A, B, C and D to the centimetre (1 000 to 99 999,99), each point 500 m to 5 km from
/// P and at least 300 m from the others, and such that the coordinate differences Calculate
/// shows uncut (Xb − Xa, Xc − Xa, Xc − Xb and the same in Y) come out to the centimetre,
/// not with the stored doubles' last bits. The angles γ1, γ2 and ε are those measured at P,
/// written as whole degrees (0–359), minutes and seconds. A figure is kept only when the fix is
/// Reliable, Calculate succeeds with ",", the worksheet's station lies within 5 cm of the exact
/// one and the control passes at m_β = kDefaultAngleErrorSeconds (5″, fix_quality.h); otherwise the
/// next figure of the same number is tried. The same number gives the same texts on every platform.
///
/// Throws `std::invalid_argument` for a number outside kFirstVariant–kLastVariant. Never throws
/// `CalcError`.
TWorksheet MakeVariant(std::uint32_t number);

}  // namespace pothenot
