// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The desktop every picture in docs/ is drawn on: a Russian one, whose decimal
// comma the built-in example is written with, and the offscreen platform
// unless the caller chose another (xcb under Xvfb, say). Call before the
// application object exists.
inline void PinPictureDesktop() {
  qputenv("LC_ALL", "ru_RU.UTF-8");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}
