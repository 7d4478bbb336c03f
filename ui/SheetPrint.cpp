#include "ui/SheetPrint.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "ui/CalculatedStation.h"
#include "ui/Drawing.h"
#include "ui/DrawingCommand.h"
#include "ui/FigureView.h"
#include "ui/FixReport.h"
#include "ui/Zadaha.h"

namespace {

// The share of page 2's height that the figure takes, above its text.
constexpr qreal kFigureShare = 0.55;

}  // namespace

void TSheetPrint::Paint(QPainter& painter, QPagedPaintDevice& device, TForm2& form,
                        const QString& variant) {
  const QRectF area = TPaperPage::Area(device);
  TPaperPage::Sheet(painter, TPaperPage::Header(painter, area, variant), form.sheetPanel());

  // Page 2 is what the drawing window shows: its own figure, view and m_β
  // when it is open, else the figure drawn afresh from the sheet at 5″.
  device.newPage();
  const QString separator = QString::fromStdString(TForm2::DecimalSeparator());
  const auto* command = form.findChild<DrawingCommand*>();
  const TDrawingWindow* window = command != nullptr ? command->window() : nullptr;
  FigureView fresh;
  const FigureView* view = window != nullptr ? window->figureView() : &fresh;
  if (window == nullptr) {
    const auto* station = form.findChild<CalculatedStation*>();
    fresh.setFigure(pothenot::Figure::FromSheet(
        form.worksheet(), TForm2::DecimalSeparator(), kAngleErrorSeconds,
        station != nullptr ? station->station() : std::nullopt));
  }
  QRectF below = TPaperPage::Header(painter, area, variant);
  if (view->figure().fix) {
    const QRectF figure(below.left(), below.top(), below.width(), below.height() * kFigureShare);
    painter.save();
    painter.setClipRect(figure);
    view->paintFigure(painter, figure);
    painter.restore();
    below.setTop(figure.bottom() + below.height() * 0.02);
  }
  TPaperPage::Lines(painter, below,
                    pothenot::FixReport(view->figure(), separator).trimmed().split(u'\n'), 10);
}

TPaperPage::Outcome TSheetPrint::WritePdf(TForm2& form, const QString& path,
                                          const QString& variant) {
  return TPaperPage::WritePdf(path, QStringLiteral("Задача Потенота"),
                              [&](QPainter& painter, QPagedPaintDevice& device) {
                                Paint(painter, device, form, variant);
                                return true;
                              });
}
