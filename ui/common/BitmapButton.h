// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPushButton;

namespace pothenot {

/// Makes a push button one of the windows' bitmap buttons: the 16 × 16
/// picture left of the caption (see ButtonPicture), never a default button,
/// and pressed by Enter when it has the focus, as by the space bar. Enter
/// typed in an edit box therefore presses nothing.
void setUpBitmapButton(QPushButton* button, const QString& picture);

}  // namespace pothenot
