// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/DrawingWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QSvgGenerator>
#include <utility>

#include "calc/fix_quality.h"
#include "ui/document/SheetDocument.h"
#include "ui/common/CommandKeys.h"
#include "ui/drawing/CalculatedStation.h"
#include "ui/drawing/FigureView.h"
#include "ui/drawing/FixReport.h"
#include "ui/sheet/Zadaha.h"
#include "ui_DrawingWindow.h"

namespace pothenot {

DrawingWindow::DrawingWindow(TForm2* form, QAction* toggle, const CalculatedStation* sheetStation,
                             const SheetDocument* document)
    : QWidget(form, Qt::Window),
      ui_(std::make_unique<Ui::DrawingWindow>()),
      form_(form),
      sheetStation_(sheetStation) {
  ui_->setupUi(this);
  ui_->AngleError->setValue(kDefaultAngleErrorSeconds);
  addAction(toggle);
  // Ctrl+Z in the m_β box is the sheet's undo, as in the worksheet's boxes.
  (new CommandKeys(this))->watch(ui_->AngleError);
  connect(form, &TForm2::sheetChanged, this, [this] { redraws_.schedule(); });
  connect(document, &SheetDocument::replaced, this, [this] { replaced_ = true; });
  connect(ui_->AngleError, &QDoubleSpinBox::valueChanged, this, [this] { redraws_.schedule(); });
  connect(ui_->SaveButton, &QPushButton::clicked, this, &DrawingWindow::saveClick);
  connect(ui_->AccuracyMap, &QCheckBox::toggled, ui_->Figure, &FigureView::setAccuracyMapShown);
}

DrawingWindow::~DrawingWindow() = default;

FigureView* DrawingWindow::figureView() const {
  return ui_->Figure;
}

double DrawingWindow::angleError() const {
  return ui_->AngleError->value();
}

QString DrawingWindow::report() const {
  return ui_->Report->toPlainText();
}

void DrawingWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  redraw();
}

void DrawingWindow::redraw() {
  if (!isVisible()) return;
  const std::string separator = TForm2::decimalSeparator();
  auto figure = Figure::fromSheet(form_->worksheet(), separator, ui_->AngleError->value(),
                                  sheetStation_->station());
  ui_->Report->setPlainText(fixReport(figure, QString::fromStdString(separator)));
  // Kept until a redraw shows it: the window may be hidden meanwhile.
  const bool replaced = std::exchange(replaced_, false);
  ui_->Figure->setFigure(std::move(figure),
                         replaced ? FigureView::Change::Replaced : FigureView::Change::Moved);
}

bool DrawingWindow::saveFigure(const QString& path) const {
  return saveAs(path).status == safeFile::Outcome::Written;
}

safeFile::Outcome DrawingWindow::saveAs(const QString& path) const {
  const QRectF area(QPointF(0, 0), ui_->Figure->size());
  const bool png = path.endsWith(".png", Qt::CaseInsensitive);
  return safeFile::write(path, [&](QIODevice& file) {
    if (png) {
      // Twice the screen's density, so that the picture prints cleanly.
      QImage image(ui_->Figure->size() * 2, QImage::Format_ARGB32_Premultiplied);
      image.setDevicePixelRatio(2);
      QPainter painter(&image);
      ui_->Figure->paintFigure(painter, area);
      painter.end();
      return image.save(&file, "PNG") ? safeFile::Outcome::Written : safeFile::Outcome::Failed;
    }
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(ui_->Figure->size());
    svg.setViewBox(area);
    svg.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&svg)) return safeFile::Outcome::Failed;
    ui_->Figure->paintFigure(painter, area);
    return painter.end() ? safeFile::Outcome::Written : safeFile::Outcome::Failed;
  });
}

void DrawingWindow::saveClick() {
  QFileDialog dialog(this, ui_->SaveButton->text().remove(u'…'));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // Asked below of the name as it will be written, its suffix added.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const QStringList filters{"Рисунок SVG (*.svg)", "Рисунок PNG (*.png)"};
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix("svg");
  connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    dialog.setDefaultSuffix(filter == filters[1] ? "png" : "svg");
  });
  dialog.selectFile("засечка.svg");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  if (!safeFile::mayReplace(this, path)) return;
  const auto outcome = saveAs(path);
  if (outcome.status == safeFile::Outcome::Failed)
    QMessageBox::warning(this, windowTitle(), outcome.message);
}

}  // namespace pothenot
