// A redraw of the drawing window: the figure read and judged from the
// worksheet, the text beside it, and the figure painted at the window's size
// into a raster image, as the offscreen or on-screen window paints it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <string>

#include "ui/drawing/Figure.h"
#include "ui/drawing/FigureView.h"
#include "ui/drawing/FixReport.h"

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

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
