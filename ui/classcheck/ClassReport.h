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

/// Where a student's file stands in the class: every row in exactly one
/// place, in the report's order (errors first, files not marked last).
enum class Standing {
  NotRead,      ///< could not be read or its sheet could not be marked: `error`
  WithErrors,   ///< a box marked Wrong
  OtherGivens,  ///< no box wrong, but givens that are not its variant's
  NotFinished,  ///< no box wrong, but boxes empty or not numbers
  Right,        ///< all 29 right from its variant's givens
  NotMarked,    ///< the marking was cancelled before this file
};
inline constexpr int kStandings = 6;

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
  /// the error sentence for a file not read, «проверка отменена» for one the
  /// marking did not reach.
  QString firstError;
  /// «исходные данные не те, что в варианте 17: Xb, Yc», or empty.
  QString givensNote;
  /// False for a file the marking was cancelled before: nothing of it was
  /// read, and `firstError` is «проверка отменена».
  bool marked = true;

  QString fileName() const;
  Standing standing() const;
  /// `standing` as a number, 0 to kStandings - 1: the order of the report.
  int rank() const { return static_cast<int>(standing()); }
};

/// Reads and marks one file; never throws for anything the file holds.
StudentRow markFile(const QString& path);

/// The row of a file the marking did not reach.
StudentRow notMarked(const QString& path);

/// Puts rows in the report's order: by `standing`, each as it was.
void sortForReport(std::vector<StudentRow>& rows);

/// Marks each of `paths` in turn. `progress(done)` is called after each file;
/// when it returns false the marking stops, and every file after it is a row
/// `notMarked`: a row for each of `paths` whatever happens. The rows come in
/// the report's order: by `standing`, then as `paths` had them.
std::vector<StudentRow> markFiles(const QStringList& paths,
                                  const std::function<bool(int done)>& progress = {});

/// A row's standing in the words of the table, the CSV and the PDF: «верно»,
/// «с ошибками», «не те исходные данные», «не закончен», «не прочитан»,
/// «не проверен».
QString standingWords(Standing standing);

/// The class counted, each row in its one standing, in the words the window
/// and the PDF head the rows with: «Работ: 4. Верно: 1; с ошибками: 1; не
/// закончено: 0; не те исходные данные: 1; не прочитано: 1.»; after a cancel
/// «Работ: 120, проверено 31 из 120. …; не прочитано: 2; не проверено: 89.».
/// Empty for no rows.
QString classSummary(const std::vector<StudentRow>& rows);

/// The sheet files in `folder` (`*.pothenot`, not its subfolders), by name.
QStringList sheetFilesIn(const QString& folder);

/// The five counts as the columns show them, in the order «Верно», «Из
/// ошибки» (Carried), «Ошибка», «Пусто», «Не читается»; blanks for a row
/// without marks (not read, not marked).
QStringList countCells(const StudentRow& row);

/// The five counts in words: «верно 27, следует из ошибки 1, ошибка 1, пусто 0,
/// не читается 0».
QString countsText(const SheetCheck& check);

/// The report as CSV for a Russian spreadsheet: UTF-8 with a byte order mark
/// (without it a spreadsheet takes the bytes for the local 8-bit code page),
/// columns separated by ";" (with a decimal comma, the list separator such a
/// spreadsheet expects), every text in quotes, lines ended by CR LF, a row
/// for each of `rows` in their order with its `standingWords` («Итог»). A
/// cell a spreadsheet would take for a formula (after any blanks, a formula
/// sign, narrow or full-width) is written as text.
QByteArray reportCsv(const std::vector<StudentRow>& rows);

}  // namespace pothenot::classcheck
