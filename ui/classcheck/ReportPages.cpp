// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/classcheck/ReportPages.h"

#include <QFontMetricsF>
#include <QIODevice>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "ui/common/Title.h"
#include "ui/common/WindowFont.h"
#include "ui/paper/PaperPage.h"

namespace pothenot::classcheck {

namespace {

// ----- the PDF ------------------------------------------------------------

constexpr qreal kPoints = 8.5;

QFont reportFont(bool bold) {
  QFont font = windowFont();
  font.setPointSizeF(kPoints);
  font.setBold(bold);
  return font;
}

// The columns, as fractions of the page's width: №, student and file,
// variant, standing, the five counts, the first error and the note.
constexpr qreal kColumns[] = {0.035, 0.18, 0.045, 0.11, 0.065, 0.065, 0.065, 0.065, 0.065, 0.305};
// The columns written flush right: №, the variant and the counts.
bool flushRight(int column) {
  return column == 0 || column == 2 || (column >= 4 && column <= 8);
}
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

QStringList headings() {
  return {QStringLiteral("№"),       QStringLiteral("Студент, файл"),
          QStringLiteral("Вар."),    QStringLiteral("Итог"),
          QStringLiteral("Верно"),   QStringLiteral("Из ош."),
          QStringLiteral("Ош."),     QStringLiteral("Пусто"),
          QStringLiteral("Не чит."), QStringLiteral("Первая ошибка")};
}

QStringList cells(const StudentRow& row, int number) {
  QStringList out{
      QString::number(number),
      (row.student.isEmpty() ? QStringLiteral("—") : row.student) + u'\n' + row.fileName(),
      row.variant ? QString::number(*row.variant) : QStringLiteral("—"),
      standingWords(row.standing())};
  out << countCells(row)
      << (row.givensNote.isEmpty() ? row.firstError : row.firstError + u'\n' + row.givensNote);
  return out;
}

// A sheet with an error, or one that could not be read, in dark red; a file
// not marked in grey.
QColor ink(Standing standing) {
  switch (standing) {
    case Standing::NotRead:
    case Standing::WithErrors:
      return {150, 0, 0};
    case Standing::NotMarked:
      return Qt::gray;
    default:
      return Qt::black;
  }
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
    const int align = flushRight(i) ? Qt::AlignRight : Qt::AlignLeft;
    const QRectF used =
        painter.boundingRect(cell, align | Qt::AlignTop | Qt::TextWordWrap, texts[i]);
    height = std::max(height, used.height());
    boxes.push_back(cell);
    x += width;
  }
  if (paint) {
    for (int i = 0; i < kColumnCount; ++i) {
      const int align = flushRight(i) ? Qt::AlignRight : Qt::AlignLeft;
      painter.drawText(boxes[std::size_t(i)], align | Qt::AlignTop | Qt::TextWordWrap, texts[i]);
    }
  }
  return height + 2 * pad;
}

void paintReport(QPainter& painter, QPagedPaintDevice& device,
                 const std::vector<StudentRow>& rows) {
  const QRectF page = paper::pageArea(device);
  const QString title = QStringLiteral("Проверка работ группы");
  const QString summary = classSummary(rows);
  const QPen rule(Qt::gray, QFontMetricsF(reportFont(false), &device).height() * 0.04);
  qreal y = 0;
  auto startPage = [&](bool first) {
    if (!first) device.newPage();
    painter.setPen(Qt::black);  // not the last row's grey rule: every page's head alike
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
    painter.setPen(ink(row.standing()));
    paintRow(painter, page, y, texts, true);
    y += height;
    painter.setPen(rule);
    painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
  }
}

}  // namespace

safeFile::Outcome writeReport(const QString& path, const std::vector<StudentRow>& rows) {
  if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    return paper::writePdf(path, kProgramTitle + QStringLiteral(": проверка работ группы"),
                           [&rows](QPainter& painter, QPagedPaintDevice& device) {
                             paintReport(painter, device, rows);
                             return true;
                           });
  }
  return safeFile::write(path, reportCsv(rows));
}

}  // namespace pothenot::classcheck
