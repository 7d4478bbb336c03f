// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pothenot {

/// The program's name as the desktop, its message boxes, the printed header
/// and the PDF files' metadata show it.
inline const QString kProgramTitle = QStringLiteral("Задача Потенота");

}  // namespace pothenot
