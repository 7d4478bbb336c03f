// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/WindowFont.h"

#include <QStringList>

namespace pothenot {

QFont windowFont() {
  QFont face;
  face.setFamilies({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
  face.setStyleHint(QFont::SansSerif);
  face.setPixelSize(11);
  face.setWeight(QFont::Normal);
  return face;
}

}  // namespace pothenot
