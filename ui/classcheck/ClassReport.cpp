// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/classcheck/ClassReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <stdexcept>

#include "calc/calc_error.h"
#include "ui/common/SheetReading.h"
#include "ui/marking/CheckWords.h"

namespace pothenot::classcheck {

namespace {

constexpr Mark kCountOrder[] = {Mark::Correct, Mark::Carried, Mark::Wrong, Mark::Empty,
                                Mark::Unreadable};

QString quoted(const QString& name) {
  return QStringLiteral("«") + name + QStringLiteral("»");
}

QString givensNote(const SheetFile& file, const std::vector<Field>& differing) {
  if (differing.empty()) return {};
  // A few names tell what was miscopied; a sheet of some other problem
  // altogether is said in a few words too.
  constexpr std::size_t kNamed = 4;
  QStringList names;
  for (std::size_t i = 0; i < std::min(differing.size(), kNamed); ++i)
    names << QString::fromUtf8(Info(differing[i]).quantity);
  if (differing.size() > kNamed) names << QStringLiteral("и ещё %1").arg(differing.size() - kNamed);
  return QStringLiteral("исходные данные не те, что в варианте %1: %2")
      .arg(*file.variant)
      .arg(names.join(QStringLiteral("; ")));
}

// ----- the CSV ------------------------------------------------------------

QByteArray csvLine(const QStringList& cells) {
  QStringList quotedCells;
  for (QString cell : cells) {
    // A name from a student's file that a spreadsheet would take for a
    // formula ("=HYPERLINK(…)") is shown as the text it is.
    if (!cell.isEmpty() && QStringLiteral("=+-@\t\r").contains(cell.front())) cell.prepend(u'\'');
    cell.replace(u'"', QStringLiteral("\"\""));
    quotedCells << u'"' + cell + u'"';
  }
  return quotedCells.join(u';').toUtf8() + "\r\n";
}

}  // namespace

QString StudentRow::fileName() const {
  return QFileInfo(path).fileName();
}

int StudentRow::rank() const {
  if (!error.isEmpty()) return 0;
  if (check.firstWrong) return 1;
  if (!givensNote.isEmpty() || check.count(Mark::Empty) > 0 || check.count(Mark::Unreadable) > 0)
    return 2;
  return 3;
}

StudentRow markFile(const QString& path) {
  StudentRow row;
  row.path = path;
  try {
    const SheetFile file = readSheetFile(path);
    row.student = QString::fromStdString(file.student);
    row.variant = file.variant;
    try {
      row.check = CheckSheetFile(file);
      row.givensNote = givensNote(file, row.check.differingGivens);
      row.firstError = firstErrorWords(row.check.marks, file.sheet);
    } catch (const CalcError& error) {
      // A sheet that cannot be marked still tells whether its givens are the variant's.
      row.givensNote = givensNote(file, GivensDifferingFromVariant(file));
      QString message = QString::fromUtf8(error.what());
      if (!message.isEmpty()) message[0] = message[0].toLower();
      row.error = QStringLiteral("Файл %1 не проверен: %2").arg(quoted(row.fileName()), message);
    }
  } catch (const std::runtime_error& error) {
    row.error = QString::fromUtf8(error.what());
  }
  if (!row.error.isEmpty()) {
    row.firstError = row.error;
    row.check = SheetCheck{};
  }
  return row;
}

std::vector<StudentRow> markFiles(const QStringList& paths,
                                  const std::function<bool(int done)>& progress) {
  std::vector<StudentRow> rows;
  rows.reserve(std::size_t(paths.size()));
  for (const QString& path : paths) {
    rows.push_back(markFile(path));
    if (progress && !progress(int(rows.size()))) break;
  }
  sortForReport(rows);
  return rows;
}

void sortForReport(std::vector<StudentRow>& rows) {
  std::stable_sort(rows.begin(), rows.end(),
                   [](const StudentRow& a, const StudentRow& b) { return a.rank() < b.rank(); });
}

QStringList sheetFilesIn(const QString& folder) {
  const QDir dir(folder);
  QStringList paths;
  const QStringList names = dir.entryList({QStringLiteral("*.") + kSheetSuffix},
                                          QDir::Files | QDir::Readable, QDir::Name);
  for (const QString& name : names) paths << dir.filePath(name);
  return paths;
}

QString countsText(const SheetCheck& check) {
  return QStringLiteral("верно %1, следует из ошибки %2, ошибка %3, пусто %4, не читается %5")
      .arg(check.count(Mark::Correct))
      .arg(check.count(Mark::Carried))
      .arg(check.count(Mark::Wrong))
      .arg(check.count(Mark::Empty))
      .arg(check.count(Mark::Unreadable));
}

QByteArray reportCsv(const std::vector<StudentRow>& rows) {
  QByteArray csv("\xEF\xBB\xBF");
  csv += csvLine({QStringLiteral("Файл"), QStringLiteral("Студент"), QStringLiteral("Вариант"),
                  QStringLiteral("Первая ошибка"), QStringLiteral("Верно"),
                  QStringLiteral("Следует из ошибки"), QStringLiteral("Ошибка"),
                  QStringLiteral("Пусто"), QStringLiteral("Не читается"),
                  QStringLiteral("Исходные данные")});
  for (const StudentRow& row : rows) {
    QStringList line{row.fileName(), row.student,
                     row.variant ? QString::number(*row.variant) : QString(), row.firstError};
    for (const Mark mark : kCountOrder)
      line << (row.error.isEmpty() ? QString::number(row.check.count(mark)) : QString());
    line << row.givensNote;
    csv += csvLine(line);
  }
  return csv;
}

}  // namespace pothenot::classcheck
