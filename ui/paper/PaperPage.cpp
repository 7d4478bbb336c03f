// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paper/PaperPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QFontMetricsF>
#include <QLayout>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "ui/common/Title.h"
#include "ui/common/WindowFont.h"

namespace pothenot::paper {

namespace {

constexpr int kPdfResolution = 300;  // dpi: fine enough for the bitmap buttons

// While a panel is put on paper it shows its boxes and texts only: no
// button, no focus frame, no selection and no text cursor, whatever had the
// focus. The page is still the panel itself, drawn as it draws itself; all of
// this is put back exactly as it was when the look goes.
class PaperLook {
 public:
  explicit PaperLook(QWidget* panel) : focus_(QApplication::focusWidget()) {
    if (focus_ != nullptr && focus_->window() != panel->window()) focus_ = nullptr;
    for (auto* box : panel->findChildren<QLineEdit*>()) {
      if (box->hasSelectedText())
        selections_.push_back({box, box->selectionStart(), box->selectionLength(),
                               box->cursorPosition() == box->selectionStart()});
    }
    if (focus_ != nullptr) focus_->clearFocus();
    for (const Selection& s : selections_) s.box->deselect();
    for (auto* button : panel->findChildren<QAbstractButton*>()) {
      if (!button->isHidden()) buttons_.push_back(button), button->hide();
    }
  }
  ~PaperLook() {
    for (QAbstractButton* button : buttons_) button->show();
    if (focus_ != nullptr) focus_->setFocus(Qt::OtherFocusReason);
    for (const Selection& s : selections_) {
      // The cursor stays at the end it was at.
      if (s.backwards)
        s.box->setSelection(s.start + s.length, -s.length);
      else
        s.box->setSelection(s.start, s.length);
    }
  }
  PaperLook(const PaperLook&) = delete;
  PaperLook& operator=(const PaperLook&) = delete;

 private:
  struct Selection {
    QLineEdit* box;
    int start, length;
    bool backwards;  ///< the cursor at its start
  };
  QPointer<QWidget> focus_;
  std::vector<Selection> selections_;
  std::vector<QAbstractButton*> buttons_;
};

// The windows' face, sized in points for paper.
QFont paperFont(qreal points) {
  QFont font = windowFont();
  font.setPointSizeF(points);
  return font;
}

}  // namespace

QPageLayout pageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                     QPageLayout::Millimeter);
}

QRectF pageArea(const QPagedPaintDevice& device) {
  const QRect paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
  return QRectF(QPointF(0, 0), QSizeF(paint.size()));
}

QRectF paintHeader(QPainter& painter, const QRectF& area, const QString& title) {
  painter.save();
  const QFont font = paperFont(11);
  painter.setFont(font);
  const qreal line = QFontMetricsF(font, painter.device()).height();
  const QRectF row(area.left(), area.top(), area.width(), line);
  painter.drawText(
      row, Qt::AlignLeft | Qt::AlignVCenter,
      title.isEmpty() ? kProgramTitle : kProgramTitle + QStringLiteral(" · ") + title);
  painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter,
                   QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
  const qreal rule = row.bottom() + line * 0.3;
  painter.setPen(QPen(Qt::black, line * 0.05));
  painter.drawLine(QPointF(area.left(), rule), QPointF(area.right(), rule));
  painter.restore();
  return area.adjusted(0, rule + line - area.top(), 0, 0);
}

void paintPanel(QPainter& painter, const QRectF& area, QWidget* panel) {
  if (!panel->isVisible()) {
    // A window that was never shown has not placed its children yet.
    QWidget* window = panel->window();
    window->ensurePolished();
    if (window->layout() != nullptr) window->layout()->activate();
  }
  const QSizeF size = panel->size();
  const qreal scale = std::min(area.width() / size.width(), area.height() / size.height());
  painter.save();
  painter.translate(area.left() + (area.width() - size.width() * scale) / 2, area.top());
  painter.scale(scale, scale);
  // Rendered straight into a printer, a widget arrives as one bitmap; recorded
  // first, it arrives as the lines and texts it is drawn with, on any device.
  QPicture recorded;
  {
    const PaperLook look(panel);
    QPainter recorder(&recorded);
    panel->render(&recorder, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
  }
  // A picture plays back scaled from its own resolution to the device's.
  const qreal playback = qreal(recorded.logicalDpiX()) / qreal(painter.device()->logicalDpiX());
  painter.scale(playback, playback);
  painter.drawPicture(QPointF(0, 0), recorded);
  painter.restore();
}

QRectF paintLines(QPainter& painter, const QRectF& area, const QStringList& lines, qreal points) {
  painter.save();
  const QFont sized = paperFont(points);
  painter.setFont(sized);
  const QFontMetricsF metrics(sized, painter.device());
  qreal y = area.top();
  for (const QString& line : lines) {
    if (line.isEmpty()) {
      y += metrics.height();
      continue;
    }
    const QRectF box = painter.boundingRect(QRectF(area.left(), y, area.width(), area.height()),
                                            Qt::TextWordWrap, line);
    painter.drawText(QRectF(area.left(), y, area.width(), box.height()), Qt::TextWordWrap, line);
    y += box.height() + metrics.height() * 0.25;
  }
  painter.restore();
  return QRectF(area.left(), y, area.width(), std::max<qreal>(0, area.bottom() - y));
}

QString pdfPath(const QString& chosen) {
  return chosen.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? chosen : chosen + ".pdf";
}

Outcome writePdf(const QString& path, const QString& title,
                 const std::function<bool(QPainter&, QPagedPaintDevice&)>& paint) {
  return safeFile::write(path, [&](QIODevice& file) {
    QPdfWriter writer(&file);
    writer.setPageLayout(pageLayout());
    writer.setResolution(kPdfResolution);
    writer.setTitle(title);
    writer.setCreator(kProgramTitle);
    QPainter painter;
    if (!painter.begin(&writer)) return Outcome::Failed;
    const bool whole = paint(painter, writer);
    painter.end();
    return whole ? Outcome::Written : Outcome::Cancelled;
  });
}

}  // namespace pothenot::paper
