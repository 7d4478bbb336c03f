// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "calc/methods.h"

namespace pothenot {

/// The exact station the methods are measured against: AssessFix's, in the
/// worksheet's length unit (X north, Y east).
struct StationXY {
  double X, Y;
};

/// Within this distance, in the worksheet's length unit, a method's station
/// agrees with the exact one: 1 mm.
inline constexpr double kMethodsAgree = 1e-3;

/// What the methods window shows, as HTML for a rich-text view: a line on
/// which methods agree with the exact station to 1 mm and which do not solve
/// the figure; then for each method its title, a table of its steps (name,
/// formula, value), its station and its distance from `exact` in millimetres,
/// or why it fails. Numbers are written with `separator`. Every text that
/// comes from the engine is escaped: a message may quote what was typed.
/// Without `exact` (the drawing's own refusal, such as D at the station) the
/// methods are compared with one another.
QString methodsReport(const std::vector<MethodSolution>& methods,
                      const std::optional<StationXY>& exact, const QString& separator);

/// The same page when the givens cannot be read: `why`, escaped.
QString methodsUnreadable(const QString& why);

}  // namespace pothenot
