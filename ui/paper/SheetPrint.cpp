// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paper/SheetPrint.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <memory>

#include "calc/fix_quality.h"
#include "ui/common/Title.h"
#include "ui/drawing/CalculatedStation.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/drawing/FigureView.h"
#include "ui/drawing/FixReport.h"
#include "ui/methods/MethodsCommand.h"
#include "ui/methods/MethodsWindow.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot::paper {

namespace {

// The share of page 2's height that the figure takes, above its text.
constexpr qreal kFigureShare = 0.55;

// The width, in the document's own pixels, at which page 3 is laid out
// before it is scaled to the page.
constexpr qreal kMethodsWidth = 640;

// Page 3: the methods window's text, laid out for the page's width and
// scaled down further if it would run past the page's bottom.
void paintMethods(QPainter& painter, const QRectF& area, const QTextDocument& shown) {
  const std::unique_ptr<QTextDocument> page(shown.clone());
  page->setTextWidth(kMethodsWidth);
  const QSizeF size = page->size();
  const qreal scale = std::min(area.width() / size.width(), area.height() / size.height());
  painter.save();
  painter.translate(area.topLeft());
  painter.scale(scale, scale);
  page->drawContents(&painter);
  painter.restore();
}

}  // namespace

void paintSheet(QPainter& painter, QPagedPaintDevice& device, TForm2& form,
                const DrawingCommand& drawing, const QString& title,
                const MethodsCommand* methods) {
  const QRectF area = pageArea(device);
  paintPanel(painter, paintHeader(painter, area, title), form.sheetPanel());

  // Page 2 is worked from the sheet as it is now, whatever the drawing window
  // last drew (a hidden one does not follow the sheet): the figure afresh, at
  // the open window's m_β and in its zoom and pan, else at 5″ and fitted.
  device.newPage();
  const QString separator = QString::fromStdString(TForm2::decimalSeparator());
  const DrawingWindow* window = drawing.window();
  const bool open = window != nullptr && window->isVisible();
  FigureView view;
  view.setFigure(Figure::fromSheet(form.worksheet(), TForm2::decimalSeparator(),
                                   open ? window->angleError() : kDefaultAngleErrorSeconds,
                                   drawing.station().station()));
  if (open) view.takeView(*window->figureView());
  QRectF below = paintHeader(painter, area, title);
  if (view.figure().fix) {
    const QRectF figure(below.left(), below.top(), below.width(), below.height() * kFigureShare);
    painter.save();
    painter.setClipRect(figure);
    view.paintFigure(painter, figure);
    painter.restore();
    below.setTop(figure.bottom() + below.height() * 0.02);
  }
  paintLines(painter, below, fixReport(view.figure(), separator).trimmed().split(u'\n'), 10);

  if (methods == nullptr || !methods->isOpen()) return;
  device.newPage();
  paintMethods(painter, paintHeader(painter, area, title), *methods->window()->document());
}

Outcome writeSheetPdf(TForm2& form, const DrawingCommand& drawing, const QString& path,
                      const QString& title, const MethodsCommand* methods) {
  return writePdf(path, kProgramTitle, [&](QPainter& painter, QPagedPaintDevice& device) {
    paintSheet(painter, device, form, drawing, title, methods);
    return true;
  });
}

}  // namespace pothenot::paper
