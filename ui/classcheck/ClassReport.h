// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "calc/sheet_check.h"
#include "calc/sheet_file.h"

/// A whole class's sheet files marked at once, and the report a teacher keeps
/// of it: one row per file, as the window «Проверка работ группы», the
/// command line and the report (CSV or PDF) all show it. Qt Core alone: the
/// program `pothenot` marks a class without the window libraries
/// (ReportPages.h writes the report).
namespace pothenot::classcheck {

/// The file name extension of a sheet file.
inline const QString kSheetSuffix = QStringLiteral("pothenot");

/// One student's file marked.
struct StudentRow {
  QString path;     ///< as it was given
  QString student;  ///< as the file says; empty when it does not
  std::optional<std::uint32_t> variant;
  /// The one sentence when the file could not be read or its sheet could not
  /// be marked (a given that is not a number, a figure Calculate stops on);
  /// empty otherwise, and then `check` holds the marks.
  QString error;
  SheetCheck check;
  /// The first error in words (the marking's own) or «все вычисления верны»;
  /// the error sentence for a file not marked.
  QString firstError;
  /// «исходные данные не те, что в варианте 17: Xb, Yc», or empty.
  QString givensNote;

  QString fileName() const;
  /// 0 not marked, 1 a wrong box, 2 givens not the variant's or boxes left
  /// unchecked (empty, unreadable), 3 all right: the order of the report.
  int rank() const;
};

/// Reads and marks one file; never throws for anything the file holds.
StudentRow markFile(const QString& path);

/// Puts rows in the report's order: by `rank`, each rank as it was.
void sortForReport(std::vector<StudentRow>& rows);

/// Marks each of `paths` in turn. `progress(done)` is called after each file;
/// when it returns false the marking stops and the rows so far are returned.
/// The rows come in the report's order: by `rank`, then as `paths` had them.
std::vector<StudentRow> markFiles(const QStringList& paths,
                                  const std::function<bool(int done)>& progress = {});

/// The sheet files in `folder` (`*.pothenot`, not its subfolders), by name.
QStringList sheetFilesIn(const QString& folder);

/// The five counts in words: «верно 27, следует из ошибки 1, ошибка 1, пусто 0,
/// не читается 0».
QString countsText(const SheetCheck& check);

/// The report as CSV for a Russian spreadsheet: UTF-8 with a byte order mark
/// (without it a spreadsheet takes the bytes for the local 8-bit code page),
/// columns separated by ";" (with a decimal comma, the list separator such a
/// spreadsheet expects), every text in quotes, lines ended by CR LF.
QByteArray reportCsv(const std::vector<StudentRow>& rows);

}  // namespace pothenot::classcheck
