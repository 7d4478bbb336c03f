// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/ButtonPicture.h"

#include <QPixmap>

namespace pothenot {

QIcon buttonPicture(const QImage& bitmap) {
  if (bitmap.isNull()) return {};
  QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
  const QRgb background = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == background) line[x] = qRgba(0, 0, 0, 0);
    }
  }
  // Two square images side by side; a bitmap of a single image serves both states.
  const int side = image.height();
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(image.copy(0, 0, side, side)), QIcon::Normal);
  if (image.width() >= 2 * side) {
    icon.addPixmap(QPixmap::fromImage(image.copy(side, 0, side, side)), QIcon::Disabled);
  }
  return icon;
}

QIcon buttonPicture(const QString& path) {
  return buttonPicture(QImage(path));
}

}  // namespace pothenot
