#include "ui/paper/SheetPrint.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "calc/fix_quality.h"
#include "ui/common/Title.h"
#include "ui/drawing/CalculatedStation.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/drawing/FigureView.h"
#include "ui/drawing/FixReport.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot::paper {

namespace {

// The share of page 2's height that the figure takes, above its text.
constexpr qreal kFigureShare = 0.55;

}  // namespace

void paintSheet(QPainter& painter, QPagedPaintDevice& device, TForm2& form,
                const DrawingCommand& drawing, const QString& variant) {
  const QRectF area = pageArea(device);
  paintPanel(painter, paintHeader(painter, area, variant), form.sheetPanel());

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
  QRectF below = paintHeader(painter, area, variant);
  if (view.figure().fix) {
    const QRectF figure(below.left(), below.top(), below.width(), below.height() * kFigureShare);
    painter.save();
    painter.setClipRect(figure);
    view.paintFigure(painter, figure);
    painter.restore();
    below.setTop(figure.bottom() + below.height() * 0.02);
  }
  paintLines(painter, below, fixReport(view.figure(), separator).trimmed().split(u'\n'), 10);
}

Outcome writeSheetPdf(TForm2& form, const DrawingCommand& drawing, const QString& path,
                      const QString& variant) {
  return writePdf(path, kProgramTitle, [&](QPainter& painter, QPagedPaintDevice& device) {
    paintSheet(painter, device, form, drawing, variant);
    return true;
  });
}

}  // namespace pothenot::paper
