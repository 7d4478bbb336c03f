// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/classcheck/ClassReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <stdexcept>

#include "calc/check_words.h"
#include "calc/sheet_commands.h"
#include "ui/common/SheetReading.h"

namespace pothenot::classcheck {

namespace {

constexpr Mark kCountOrder[] = {Mark::Correct, Mark::Carried, Mark::Wrong, Mark::Empty,
                                Mark::Unreadable};

// ----- the CSV ------------------------------------------------------------

// Whether a spreadsheet would take `cell` for a formula: a formula sign,
// narrow or full-width (a spreadsheet reads "＝" as "="), after any blanks
// it skips; a leading tab or line break is refused as well.
bool looksLikeFormula(const QString& cell) {
  static const QString kSigns = QStringLiteral("=+-@\uFF1D\uFF0B\uFF0D\uFF20");
  if (cell.startsWith(u'\t') || cell.startsWith(u'\r') || cell.startsWith(u'\n')) return true;
  for (const QChar c : cell) {
    if (!c.isSpace()) return kSigns.contains(c);
  }
  return false;
}

QByteArray csvLine(const QStringList& cells) {
  QStringList quotedCells;
  for (QString cell : cells) {
    // A name from a student's file ("=HYPERLINK(…)") is shown as the text it is.
    if (looksLikeFormula(cell)) cell.prepend(u'\'');
    cell.replace(u'"', QStringLiteral("\"\""));
    quotedCells << u'"' + cell + u'"';
  }
  return quotedCells.join(u';').toUtf8() + "\r\n";
}

}  // namespace

QString StudentRow::fileName() const {
  return QFileInfo(path).fileName();
}

Standing StudentRow::standing() const {
  if (!marked) return Standing::NotMarked;
  if (!error.isEmpty()) return Standing::NotRead;
  if (check.firstWrong) return Standing::WithErrors;
  if (!givensNote.isEmpty()) return Standing::OtherGivens;
  if (check.count(Mark::Empty) > 0 || check.count(Mark::Unreadable) > 0)
    return Standing::NotFinished;
  return Standing::Right;
}

StudentRow markFile(const QString& path) {
  StudentRow row;
  row.path = path;
  QByteArray bytes;
  try {
    bytes = readSheetBytes(path);
  } catch (const std::runtime_error& error) {
    row.error = row.firstError = QString::fromUtf8(error.what());
    return row;
  }
  const SheetMarking marking = MarkSheetText(
      std::string_view(bytes.constData(), std::size_t(bytes.size())), row.fileName().toStdString());
  row.student = QString::fromStdString(marking.student);
  row.variant = marking.variant;
  row.error = QString::fromStdString(marking.error);
  row.check = marking.check;
  row.firstError = QString::fromStdString(marking.firstError);
  row.givensNote = QString::fromStdString(marking.givensNote);
  return row;
}

StudentRow notMarked(const QString& path) {
  StudentRow row;
  row.path = path;
  row.marked = false;
  row.firstError = QStringLiteral("проверка отменена");
  return row;
}

std::vector<StudentRow> markFiles(const QStringList& paths,
                                  const std::function<bool(int done)>& progress) {
  std::vector<StudentRow> rows;
  rows.reserve(std::size_t(paths.size()));
  bool going = true;
  for (const QString& path : paths) {
    rows.push_back(going ? markFile(path) : notMarked(path));
    if (going && progress) going = progress(int(rows.size()));
  }
  sortForReport(rows);
  return rows;
}

void sortForReport(std::vector<StudentRow>& rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const StudentRow& a, const StudentRow& b) {
    return a.standing() < b.standing();
  });
}

QString standingWords(Standing standing) {
  switch (standing) {
    case Standing::NotRead:
      return QStringLiteral("не прочитан");
    case Standing::WithErrors:
      return QStringLiteral("с ошибками");
    case Standing::OtherGivens:
      return QStringLiteral("не те исходные данные");
    case Standing::NotFinished:
      return QStringLiteral("не закончен");
    case Standing::Right:
      return QStringLiteral("верно");
    case Standing::NotMarked:
      break;
  }
  return QStringLiteral("не проверен");
}

QString classSummary(const std::vector<StudentRow>& rows) {
  if (rows.empty()) return {};
  std::array<std::size_t, kStandings> counts{};
  for (const StudentRow& row : rows) ++counts[std::size_t(row.standing())];
  const auto count = [&](Standing standing) { return counts[std::size_t(standing)]; };
  const std::size_t left = count(Standing::NotMarked);
  QString text = QStringLiteral("Работ: %1").arg(rows.size());
  if (left > 0)
    text += QStringLiteral(", проверено %1 из %2").arg(rows.size() - left).arg(rows.size());
  text += QStringLiteral(
              ". Верно: %1; с ошибками: %2; не закончено: %3; не те исходные данные: %4; "
              "не прочитано: %5")
              .arg(count(Standing::Right))
              .arg(count(Standing::WithErrors))
              .arg(count(Standing::NotFinished))
              .arg(count(Standing::OtherGivens))
              .arg(count(Standing::NotRead));
  if (left > 0) text += QStringLiteral("; не проверено: %1").arg(left);
  return text + u'.';
}

QStringList sheetFilesIn(const QString& folder) {
  const QDir dir(folder);
  QStringList paths;
  const QStringList names = dir.entryList({QStringLiteral("*.") + kSheetSuffix},
                                          QDir::Files | QDir::Readable, QDir::Name);
  for (const QString& name : names) paths << dir.filePath(name);
  return paths;
}

QStringList countCells(const StudentRow& row) {
  const bool hasMarks = row.marked && row.error.isEmpty();
  QStringList cells;
  for (const Mark mark : kCountOrder)
    cells << (hasMarks ? QString::number(row.check.count(mark)) : QString());
  return cells;
}

QString countsText(const SheetCheck& check) {
  return QString::fromStdString(CountsText(check));
}

QByteArray reportCsv(const std::vector<StudentRow>& rows) {
  QByteArray csv("\xEF\xBB\xBF");
  csv += csvLine({QStringLiteral("Файл"), QStringLiteral("Студент"), QStringLiteral("Вариант"),
                  QStringLiteral("Первая ошибка"), QStringLiteral("Итог"), QStringLiteral("Верно"),
                  QStringLiteral("Следует из ошибки"), QStringLiteral("Ошибка"),
                  QStringLiteral("Пусто"), QStringLiteral("Не читается"),
                  QStringLiteral("Исходные данные")});
  for (const StudentRow& row : rows) {
    QStringList line{row.fileName(), row.student,
                     row.variant ? QString::number(*row.variant) : QString(), row.firstError,
                     standingWords(row.standing())};
    line << countCells(row) << row.givensNote;
    csv += csvLine(line);
  }
  return csv;
}

}  // namespace pothenot::classcheck
