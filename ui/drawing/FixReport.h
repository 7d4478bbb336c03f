// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "ui/drawing/Figure.h"

namespace pothenot {

/// What the drawing window says beside the figure, in plain Russian: the
/// exact station and the worksheet's one with what the cuts cost (or, when they
/// lie farther apart than the cuts can take them, that the worksheet's
/// station does not follow from its givens), the
/// station's place against the danger circle, the cut angle and the verdict
/// on the geometry, M, δε against 2σ and the verdict on the control; or, when
/// there is no fix, the message that says why. Numbers are written with
/// `separator`, the worksheet's decimal separator. Plain text, never markup:
/// the messages may quote what was typed.
QString fixReport(const Figure& figure, const QString& separator);

/// A number as the drawing's text, and the answer key, write it: in fixed
/// point with `decimals` after `separator` and an ASCII minus, as the
/// worksheet writes; a value that shows as zero has no sign ("0,0", never
/// "-0,0"). Only a magnitude of 10¹⁵ or more, where fixed point would be a
/// wall of digits of a point far off any map, is written "9,64·10²⁹⁹".
QString decimalText(double value, int decimals, const QString& separator);

}  // namespace pothenot
