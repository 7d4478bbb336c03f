// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "calc/worksheet.h"
#include "ui/paper/PaperPage.h"

/// A class set of exercises in one PDF: a sheet per variant, its givens
/// filled and its results empty, then the answer key: per variant every
/// result text as Calculate writes it, in the order it writes them, the exact
/// station, M and the verdicts at the default m_β, all with the desktop's
/// separator (TForm2::decimalSeparator()) as the sheets have it.
namespace pothenot::paper {

/// The most variants one class set holds.
inline constexpr int kMaxClassCount = 100;

/// Puts a variant's givens into `sheet`, with the desktop's decimal
/// separator, and empties its results; the mirrors follow Xa and Ya.
void fillVariant(TWorksheet& sheet, const TWorksheet& variant);

/// Writes variants first … first + count − 1 (count 1–kMaxClassCount, the
/// last at most kLastVariant) to `path`. `progress(done)` is called after
/// each variant's sheet with the number done so far, and with count + 1 once
/// the key is drawn; when it returns false the run stops and nothing is
/// written. Throws std::invalid_argument for a
/// count or a range out of bounds.
Outcome writeClassSet(std::uint32_t first, int count, const QString& path,
                      const std::function<bool(int done)>& progress);

/// The sheet files of variants first … first + count − 1 in `folder`, one
/// per variant: «Вариант 07.pothenot», the numbers padded to the width of
/// the last one so that a folder lists them in order.
QStringList sheetFilePaths(std::uint32_t first, int count, const QString& folder);

/// Writes those files for the students to fill in: each the variant's givens
/// with a decimal comma, empty results and the variant's number; each file
/// whole or not at all. Makes the folder if need be; stops at the first file
/// that cannot be written. Asks nothing: the command asks first.
Outcome writeSheetFiles(std::uint32_t first, int count, const QString& folder);

}  // namespace pothenot::paper
