// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/classcheck/ClassReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <stdexcept>

#include "calc/calc_error.h"
#include "ui/common/Title.h"
#include "ui/common/WindowFont.h"
#include "ui/marking/CheckWords.h"
#include "ui/paper/PaperPage.h"

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
  if (differing.size() > kNamed)
    names << QStringLiteral("и ещё %1").arg(differing.size() - kNamed);
  return QStringLiteral("исходные данные не те, что в варианте %1: %2")
      .arg(*file.variant)
      .arg(names.join(QStringLiteral("; ")));
}

// ----- the PDF ------------------------------------------------------------

constexpr qreal kPoints = 8.5;

QFont reportFont(bool bold) {
  QFont font = windowFont();
  font.setPointSizeF(kPoints);
  font.setBold(bold);
  return font;
}

// The columns, as fractions of the page's width: №, student and file,
// variant, the five counts, the first error and the note.
constexpr qreal kColumns[] = {0.035, 0.2, 0.05, 0.065, 0.065, 0.065, 0.065, 0.065, 0.39};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

QStringList headings() {
  return {
      QStringLiteral("№"),     QStringLiteral("Студент, файл"), QStringLiteral("Вар."),
      QStringLiteral("Верно"), QStringLiteral("Из ош."),        QStringLiteral("Ош."),
      QStringLiteral("Пусто"), QStringLiteral("Не чит."),       QStringLiteral("Первая ошибка")};
}

QStringList cells(const StudentRow& row, int number) {
  QStringList out{
      QString::number(number),
      (row.student.isEmpty() ? QStringLiteral("—") : row.student) + u'\n' + row.fileName(),
      row.variant ? QString::number(*row.variant) : QStringLiteral("—")};
  for (const Mark mark : kCountOrder)
    out << (row.error.isEmpty() ? QString::number(row.check.count(mark)) : QString());
  out << (row.givensNote.isEmpty() ? row.firstError : row.firstError + u'\n' + row.givensNote);
  return out;
}

// Paints one row of cells at `top` (or only measures it when `paint` is
// false); returns its height.
qreal paintRow(QPainter& painter, const QRectF& area, qreal top, const QStringList& texts,
               bool paint) {
  const qreal pad = QFontMetricsF(painter.font(), painter.device()).height() * 0.25;
  qreal x = area.left();
  qreal height = 0;
  std::vector<QRectF> boxes;
  for (int i = 0; i < kColumnCount; ++i) {
    const qreal width = area.width() * kColumns[i];
    const QRectF cell(x + pad, top + pad, width - 2 * pad, area.height());
    const int align = (i == 0 || (i >= 2 && i <= 7)) ? Qt::AlignRight : Qt::AlignLeft;
    const QRectF used =
        painter.boundingRect(cell, align | Qt::AlignTop | Qt::TextWordWrap, texts[i]);
    height = std::max(height, used.height());
    boxes.push_back(cell);
    x += width;
  }
  if (paint) {
    for (int i = 0; i < kColumnCount; ++i) {
      const int align = (i == 0 || (i >= 2 && i <= 7)) ? Qt::AlignRight : Qt::AlignLeft;
      painter.drawText(boxes[std::size_t(i)], align | Qt::AlignTop | Qt::TextWordWrap, texts[i]);
    }
  }
  return height + 2 * pad;
}

void paintReport(QPainter& painter, QPagedPaintDevice& device,
                 const std::vector<StudentRow>& rows) {
  const QRectF page = paper::pageArea(device);
  const QString title = QStringLiteral("Проверка работ группы");
  const auto withErrors =
      std::count_if(rows.begin(), rows.end(), [](const StudentRow& row) { return row.rank() < 2; });
  const QString summary = QStringLiteral("Работ: %1; с ошибками или не проверено: %2.")
                              .arg(rows.size())
                              .arg(withErrors);
  const QPen rule(Qt::gray, QFontMetricsF(reportFont(false), &device).height() * 0.04);
  qreal y = 0;
  auto startPage = [&](bool first) {
    if (!first) device.newPage();
    QRectF area = paper::paintHeader(painter, page, title);
    if (first) area = paper::paintLines(painter, area, {summary}, kPoints + 1);
    painter.setFont(reportFont(true));
    y = area.top() + paintRow(painter, page, area.top(), headings(), true);
    painter.setPen(QPen(Qt::black, rule.widthF() * 2));
    painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
  };
  startPage(true);
  int number = 0;
  for (const StudentRow& row : rows) {
    const QStringList texts = cells(row, ++number);
    painter.setFont(reportFont(false));
    const qreal height = paintRow(painter, page, y, texts, false);
    if (y + height > page.bottom()) startPage(false);
    painter.setFont(reportFont(false));
    // A sheet with an error, or one not marked at all, in dark red.
    painter.setPen(row.rank() < 2 ? QColor(150, 0, 0) : QColor(Qt::black));
    paintRow(painter, page, y, texts, true);
    y += height;
    painter.setPen(rule);
    painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
  }
}

// ----- the CSV ------------------------------------------------------------

QByteArray csvLine(const QStringList& cells) {
  QStringList quotedCells;
  for (QString cell : cells) {
    cell.replace(u'"', QStringLiteral("\"\""));
    quotedCells << u'"' + cell + u'"';
  }
  return quotedCells.join(u';').toUtf8() + "\r\n";
}

}  // namespace

SheetFile readSheet(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    throw std::runtime_error(QStringLiteral("Файл %1 не прочитан: его не открыть (%2).")
                                 .arg(quoted(name), file.errorString())
                                 .toStdString());
  }
  // One byte past the limit is enough for the reader to refuse the file.
  const QByteArray bytes = file.read(qint64(kSheetFileMaxBytes) + 1);
  try {
    return ReadSheetFile(std::string_view(bytes.constData(), std::size_t(bytes.size())));
  } catch (const SheetFileError& error) {
    throw std::runtime_error(error.Sentence(name.toStdString()));
  }
}

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
    const SheetFile file = readSheet(path);
    row.student = QString::fromStdString(file.student);
    row.variant = file.variant;
    row.givensNote = givensNote(file, GivensDifferingFromVariant(file));
    try {
      row.check = CheckSheetFile(file);
      row.firstError = firstErrorWords(row.check.marks, file.sheet);
    } catch (const CalcError& error) {
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

safeFile::Outcome writeReport(const QString& path, const std::vector<StudentRow>& rows) {
  if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    return paper::writePdf(path, kProgramTitle + QStringLiteral(": проверка работ группы"),
                           [&rows](QPainter& painter, QPagedPaintDevice& device) {
                             paintReport(painter, device, rows);
                             return true;
                           });
  }
  const QByteArray csv = reportCsv(rows);
  return safeFile::write(path, [&csv](QIODevice& file) {
    return file.write(csv) == csv.size() ? safeFile::Outcome::Written : safeFile::Outcome::Failed;
  });
}

}  // namespace pothenot::classcheck
