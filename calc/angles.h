// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/extended.h"
#include "calc/scheme.h"

/// The texts of angles on the worksheet; the arithmetic of angles is the
/// scheme's (calc/scheme.h).
namespace pothenot {

/// The control block's text of an angle of x degrees: whole degrees, "°",
/// whole minutes, "`", whole seconds, "``". The three parts are computed apart
/// and not carried into one another: D = trunc(x), M = trunc(frac(x) × 60),
/// S = round(frac(frac(x) × 60) × 60), so S can be 60. Each non-zero part of a
/// negative angle carries its own minus: −1.5 gives "-1°-30`0``".
/// InvalidOperation when x lies beyond the 64-bit integers.
std::string DegreesToDmsText(Extended x, std::string_view separator);

/// The three parts of an angle text as a student writes it: whole degrees,
/// "°", whole minutes, a minute mark ("`", "'" or "′"), whole seconds, a
/// second mark ("``", "''", "\"" or "″"); each part optionally signed, spaces
/// allowed around every part and mark. A minus before the degrees is the whole
/// angle's when neither the minutes nor the seconds carry a sign of their own:
/// "-144°20`38``" is -144°-20`-38``, "-0°0`1``" is 0°0`-1``; otherwise each
/// sign is its own part's ("-144°20`-38``" is -144° + 20′ − 38″). Nothing for
/// any other text, and for a part of more than 18 digits.
std::optional<scheme::Dms> ReadDmsText(std::string_view text);

}  // namespace pothenot
