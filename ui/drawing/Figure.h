// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "calc/fix_quality.h"
#include "calc/worksheet.h"

namespace pothenot {

/// A point of the plane in the worksheet's coordinates: x north, y east, in
/// the worksheet's length unit (metres). Finite and within ±kFarthest.
struct MapPoint {
  double x = 0;
  double y = 0;

  bool operator==(const MapPoint&) const = default;
};

/// What the drawing of one worksheet shows, read from the worksheet and
/// judged by AssessFix. Holds no texts of the sheet, only what they mean.
class Figure {
 public:
  /// The known points in the order they are drawn and named.
  enum Known { A, B, C, D };
  static constexpr std::array<std::string_view, 4> kKnownNames{"A", "B", "C", "D"};

  /// Coordinates beyond this (metres, 10¹² — a thousand times the Earth's
  /// size) are a typing error, not a place: such a point is not drawn, so the
  /// drawing's arithmetic stays far from the double range.
  static constexpr double kFarthest = 1e12;

  /// Reads the givens with `separator` and judges the fix for an angle error
  /// of `angleErrorSeconds` (arc seconds, 0.1 to 60). `sheetStation` is the
  /// station the worksheet's Xp, Yp hold when they belong to these givens.
  /// Never throws for anything typed: a given that is not a number or a
  /// figure that fixes no station leaves `fix` empty and the message in
  /// `problem`.
  static Figure fromSheet(const TWorksheet& sheet, std::string_view separator,
                          double angleErrorSeconds, std::optional<MapPoint> sheetStation);

  /// Each known point whose two texts are numbers within ±kFarthest.
  std::array<std::optional<MapPoint>, 4> known;
  /// Why a known point is missing, one sentence per point, UTF-8; empty
  /// when all four are drawn.
  std::string missing;

  /// The exact station and the quality of the fix, when the givens fix one.
  std::optional<FixQuality> fix;
  /// The exact station, when `fix` holds one that can be drawn.
  std::optional<MapPoint> station;
  /// The worksheet's station (Xp, Yp after Calculate), when within ±kFarthest.
  std::optional<MapPoint> sheetStation;
  /// The message Calculate or AssessFix gives when there is no fix, UTF-8.
  std::string problem;
  /// m_β the fix was judged with, arc seconds.
  double angleErrorSeconds = 0;

  /// Whether the danger circle can be drawn as a circle. When there is a fix
  /// and it cannot (A, B and C on one line, or a radius beyond kFarthest),
  /// the danger circle is drawn as the line through A, B and C.
  bool circleDrawable() const;
  /// Whether A, B and C lie on one line: the danger circle is that line.
  bool dangerIsLine() const;
  /// Whether `other` has the same known points and exact station: the same
  /// givens, judged perhaps at another m_β or with another sheet station.
  bool samePoints(const Figure& other) const;
};

}  // namespace pothenot
