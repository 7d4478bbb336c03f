// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pothenot {

/// `value` in fixed notation with `decimals` decimals (0 or more) and the
/// desktop's `separator`; a value that shows as zero has no sign: «0,000»,
/// never «-0,000». The drawing's text and the methods' report both write
/// their numbers so.
inline QString fixedText(double value, int decimals, const QString& separator) {
  QString text = QString::number(value, 'f', decimals);
  if (text.startsWith(u'-') && text.toDouble() == 0) text.remove(0, 1);
  return text.replace(u'.', separator);
}

}  // namespace pothenot
