// SPDX-License-Identifier: GPL-3.0-or-later
// A redraw of the drawing window: the figure read and judged from the
// worksheet, the text beside it, and the figure painted at the window's size
// into a raster image, as the offscreen or on-screen window paints it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QWheelEvent>
#include <string>

#include "ui/document/SheetDocument.h"
#include "ui/drawing/AccuracyMap.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/drawing/Figure.h"
#include "ui/drawing/FigureView.h"
#include "ui/drawing/FixReport.h"
#include "ui/drawing/PointDrag.h"
#include "ui/sheet/Zadaha.h"

namespace {

void Redraw(benchmark::State& state, const pothenot::TWorksheet& sheet) {
  pothenot::FigureView view;
  view.resize(view.sizeHint());
  QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    auto figure = pothenot::Figure::fromSheet(sheet, ",", 5, pothenot::MapPoint{8221.23, 4207.28});
    benchmark::DoNotOptimize(pothenot::fixReport(figure, ","));
    view.setFigure(std::move(figure));
    QPainter painter(&image);
    view.paintFigure(painter, image.rect());
  }
}

void BM_RedrawBuiltInExample(benchmark::State& state) {
  Redraw(state, pothenot::TWorksheet());
}
BENCHMARK(BM_RedrawBuiltInExample)->Unit(benchmark::kMicrosecond);

// Points a hundred million times farther apart than the figure is wide.
void BM_RedrawFarPoint(benchmark::State& state) {
  pothenot::TWorksheet sheet;
  sheet.setText(pothenot::Field::EXd, "6E11");
  Redraw(state, sheet);
}
BENCHMARK(BM_RedrawFarPoint)->Unit(benchmark::kMicrosecond);

// A megabyte of decimals in one box: every redraw reads it three times.
void BM_RedrawMegabyteGiven(benchmark::State& state) {
  pothenot::TWorksheet sheet;
  sheet.setText(pothenot::Field::EYb, "3824," + std::string(1 << 20, '6'));
  Redraw(state, sheet);
}
BENCHMARK(BM_RedrawMegabyteGiven)->Unit(benchmark::kMicrosecond);

// The accuracy map of the built-in example for a 600 × 560 drawing area,
// from nothing: every sample, its colour and the contours, then painted.
void BM_AccuracyMapFromNothing(benchmark::State& state) {
  const auto figure = pothenot::Figure::fromSheet(pothenot::TWorksheet(), ",", 5, std::nullopt);
  QImage image(600, 560, QImage::Format_ARGB32_Premultiplied);
  const auto& k = figure.known;
  for (auto _ : state) {
    pothenot::AccuracyMap map;
    QPainter painter(&image);
    map.paint(painter, {image.rect(), {11000, 1500}, 0.08},
              {*k[pothenot::Figure::A], *k[pothenot::Figure::B], *k[pothenot::Figure::C]}, 5, 1);
  }
}
BENCHMARK(BM_AccuracyMapFromNothing)->Unit(benchmark::kMillisecond)->UseRealTime();

// A redraw of the view (600 × 560, shown) with the map on after a notch of
// the wheel, in and out by turns: a new map each time, as the screen gets it
// while the view moves.
void BM_RedrawZoomedWithMap(benchmark::State& state) {
  pothenot::FigureView view;
  view.resize(600, 560);
  view.setFigure(pothenot::Figure::fromSheet(pothenot::TWorksheet(), ",", 5, std::nullopt));
  view.setAccuracyMapShown(true);
  view.show();
  QCoreApplication::processEvents();  // exposed
  int notch = 1;
  for (auto _ : state) {
    QWheelEvent wheel({300, 280}, {300, 280}, {}, {0, 120 * (notch = -notch)}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    view.repaint();
  }
}
BENCHMARK(BM_RedrawZoomedWithMap)->Unit(benchmark::kMillisecond)->UseRealTime();

// One step of a drag in the open drawing window (600 × 560 figure, map on):
// the givens written, the sheet's boxes, the figure, its text and the view
// redrawn. Point 0 is A, which makes a new map; point 4 the station, which
// keeps it.
void BM_DragStep(benchmark::State& state) {
  TForm2 form;
  auto* command = new pothenot::DrawingCommand(&form, new pothenot::SheetDocument(&form));
  form.show();
  command->action()->trigger();
  pothenot::DrawingWindow* window = command->window();
  window->findChild<QCheckBox*>("AccuracyMap")->setChecked(true);
  pothenot::FigureView* view = window->figureView();
  view->resize(600, 560);
  QCoreApplication::processEvents();
  auto* drag = view->findChild<pothenot::PointDrag*>();
  const int point = static_cast<int>(state.range(0));
  const pothenot::MapPoint from = point == 0 ? *view->figure().known[0] : *view->figure().station;
  double step = 0;
  for (auto _ : state) {
    step = step >= 40 ? 0 : step + 1;
    drag->moveTo(point, {from.x + step, from.y + step});
    QCoreApplication::processEvents();  // the coalesced redraw
    view->repaint();
  }
}
BENCHMARK(BM_DragStep)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("LC_ALL", "ru_RU.UTF-8");  // the sheet's example is written with commas
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
