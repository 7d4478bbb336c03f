// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace pothenot {

/// A bitmap button's picture. The bitmap is 32 × 16 and holds two 16 × 16
/// images side by side: the left one for the enabled button, the right one
/// (in greys) for the disabled one. The colour of the bitmap's bottom-left
/// pixel is the background and becomes transparent in both images.
QIcon buttonPicture(const QImage& bitmap);

/// The same, read from a file or resource path (":/images/calculate.bmp").
/// A picture that cannot be read gives an empty icon: the button then shows
/// its caption alone.
QIcon buttonPicture(const QString& path);

}  // namespace pothenot
