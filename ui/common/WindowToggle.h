// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace pothenot {

/// A command's window, shown and hidden by the same key: hides `window` when
/// it is shown, else shows it in front of the others with the focus.
void toggleWindow(QWidget* window);

}  // namespace pothenot
