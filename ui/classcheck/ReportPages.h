// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "ui/classcheck/ClassReport.h"
#include "ui/common/SafeFile.h"

namespace pothenot::classcheck {

/// Writes the report to `path`: a PDF of A4 pages when it ends in ".pdf",
/// else CSV. Needs a QGuiApplication for the PDF. Asks nothing.
safeFile::Outcome writeReport(const QString& path, const std::vector<StudentRow>& rows);

}  // namespace pothenot::classcheck
