// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/extended.h"
#include "calc/givens.h"
#include "calc/worksheet.h"

namespace pothenot {

/// The classical ways to the station, in the order they are shown.
enum class Method {
  Worksheet,  ///< the sheet's own scheme: a, b, K1 … K4, C, ΔY, ΔX
  Cassini,    ///< Cassini's auxiliary points M and N, P the foot of the perpendicular from A to MN
  Collins,    ///< Collins' auxiliary point H on the line PA, then P from A and B
  Tienstra,   ///< Tienstra's barycentric weights kA, kB, kC
  ToTal,      ///< Pierlot and Van Droogenbroeck's ToTal with A as the middle point
};

/// One quantity of a method's working.
struct MethodStep {
  std::string name;     ///< as a textbook writes it: "Xm", "ctg A", "kA", …
  std::string formula;  ///< how it is worked, in symbols, Russian where words are needed
  double value;         ///< the quantity without any cut, rounded to a double
};

/// One method worked on one figure.
struct MethodSolution {
  Method method;
  std::string title;              ///< the method's Russian name
  std::vector<MethodStep> steps;  ///< its own quantities, in the order of working
  std::optional<double> Xp, Yp;   ///< the station; empty when the method fails for this figure
  std::string failure;            ///< why it fails, one Russian sentence; empty when it does not
};

/// Solves the sheet's figure by every method, in the order of `Method`, each
/// in the extended type without cuts. Coordinates in the worksheet's length
/// unit, X north and Y east; γ1 and γ2 clockwise from A to B and to C.
///
/// The givens are read as `Calculate` reads them (same texts, same
/// `decimalSeparator`, same order; γ1 and γ2 stored as decimal degrees), and
/// a given that is not a number, or too large, throws `CalcError` with
/// Calculate's kind and message. Nothing else throws: a method that cannot
/// solve this figure leaves its station empty and says why in `failure`:
///  - every method, with AssessFix's sentence, where the givens fix no
///    station (two of A, B and C at one place, γ1 or γ2 of 0° or 180°) or the
///    station lies on the danger circle (within 1E-6 of its shortest sight);
///  - Worksheet, where K1 − K3 = 0 (the station due north or south of A);
///  - Collins, where γ1 = γ2 modulo 180° (the station on the line BC, its
///    auxiliary point at infinity);
///  - Tienstra, where A, B and C lie on one line (the triangle's angles are
///    0° or 180°, and their cotangents infinite);
///  - any method, where its own numbers leave the range of a double.
/// Cassini and ToTal fail nowhere else. A failed method keeps the steps it
/// worked before it stopped.
std::vector<MethodSolution> SolveByMethods(const TWorksheet& sheet,
                                           std::string_view decimalSeparator);

/// A station as a pair of coordinates in the extended type.
struct PlaneStation {
  Extended X, Y;
};

/// ToTal alone, from the givens as numbers to the station, without steps or
/// texts: the same arithmetic as its block in `SolveByMethods`. Throws
/// `CalcError` InvalidOperation where that block fails (the sentences above),
/// and the kinds of `Extended` on its faults.
PlaneStation ToTalStation(const Givens& givens);

}  // namespace pothenot
