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

}  // namespace pothenot
