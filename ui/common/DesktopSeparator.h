// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <string>

namespace pothenot {

/// The desktop's decimal separator, the one the worksheet reads and writes
/// and every sheet file, page and picture of this desktop is written with:
/// "," where the desktop's decimal sign is a comma, "." otherwise. Never any
/// other sign: a sheet is read with a comma or a point alone, so a desktop
/// whose sign is another (the Arabic «٫») writes the point.
/// Qt Core alone, so that the accuracy map's threads can be built without
/// the windows.
inline std::string desktopSeparator() {
  return QLocale::system().decimalPoint() == QLatin1Char(',') ? "," : ".";
}

}  // namespace pothenot
