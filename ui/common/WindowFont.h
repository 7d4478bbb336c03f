// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace pothenot {

/// The windows' own face: a plain sans-serif, 11 pixels high, regular, as on
/// the problem window. Narrow faces first: the layouts were drawn for one.
QFont windowFont();

}  // namespace pothenot
