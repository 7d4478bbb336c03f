// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/WindowToggle.h"

#include <QWidget>

namespace pothenot {

void toggleWindow(QWidget* window) {
  if (window->isVisible()) {
    window->hide();
    return;
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace pothenot
