// The accuracy map of the drawing window against the engine's M, offscreen
// under a comma locale.
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "WindowDriver.h"
#include "calc/design.h"
#include "ui/common/Application.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/drawing/FigureView.h"

using pothenot::AccuracyMap;
using pothenot::Field;
using pothenot::MapPoint;

class TestAccuracyMap : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowDriver> w_;
  pothenot::DrawingWindow* drawing_ = nullptr;
  pothenot::FigureView* view_ = nullptr;

  double M(MapPoint p, double m) {
    const auto& k = view_->figure().known;
    auto at = [&](int i) { return pothenot::PlanePoint{k[i]->x, k[i]->y}; };
    return pothenot::MeanSquareErrorAt({p.x, p.y}, at(0), at(1), at(2), m);
  }
  // The share of 81 pixels across `image` (of the view at `ratio` pixels to
  // one of the view's) that show the colour of M there for m_β = m.
  double showing(const QImage& image, double m, double ratio = 1) {
    int same = 0;
    for (int i = 1; i < 10; ++i) {
      for (int j = 1; j < 10; ++j) {
        const QPoint pixel(image.width() * i / 10, image.height() * j / 10);
        const QPointF centre = (QPointF(pixel) + QPointF(0.5, 0.5)) / ratio;
        same +=
            image.pixel(pixel) == AccuracyMap::colour(M(view_->toMap(centre, view_->rect()), m));
      }
    }
    return same / 81.0;
  }
  void settle() {  // the redraw done, and the view still long enough for the full map
    QTest::qWait(300);
  }

 private slots:
  void init() {
    w_ = std::make_unique<WindowDriver>();
    QTest::keyClick(&w_->form(), Qt::Key_F2);
    drawing_ = w_->commands().drawing->window();
    view_ = drawing_->figureView();
    drawing_->findChild<QDoubleSpinBox*>()->setValue(20);
    drawing_->findChild<QCheckBox*>("AccuracyMap")->setChecked(true);
    settle();
  }
  void cleanup() { w_.reset(); }

  // The map shows M for the chosen m_β, and follows the wheel, B dragged, a
  // given typed (the view held where the drag left it), a double click that
  // fits the view, and the picture saved at twice the size. (Marks and
  // contours cover a few of the pixels looked at.)
  void mapShowsMForTheChosenAngleError() {
    auto shown = [&] { return settle(), showing(view_->grab().toImage(), 20); };
    QVERIFY(shown() > 0.8);
    QWheelEvent wheel({50, 60}, view_->mapToGlobal(QPointF(50, 60)), {}, {0, -240}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view_, &wheel);
    QVERIFY(shown() > 0.8);
    const QPoint b = view_->toScreen(*view_->figure().known[1], view_->rect()).toPoint();
    QTest::mousePress(view_, Qt::LeftButton, {}, b);
    QMouseEvent move(QEvent::MouseMove, b + QPoint(40, 30), view_->mapToGlobal(b + QPoint(40, 30)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(view_, &move);  // at once, also on X11
    QTest::mouseRelease(view_, Qt::LeftButton, {}, b + QPoint(40, 30));
    QVERIFY(shown() > 0.8);
    w_->type(Field::EXc, "8000", true);
    QVERIFY(shown() > 0.8);
    QTest::mouseDClick(view_, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(shown() > 0.8);
    QTemporaryDir dir;
    QVERIFY(drawing_->saveFigure(dir.filePath("map.png")));
    QVERIFY(showing(QImage(dir.filePath("map.png")), 20, 2) > 0.8);
  }

  // Contours are drawn at 1, 2, 5, 10, 20, 50 cm and 1 m, each where M has
  // its value, and every one of them that M reaches in the view is drawn.
  void contoursLieOnTheirLevels() {
    view_->grab();
    const auto& contours = view_->accuracyMap().contours();
    const QList<double> levels{0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1};
    double low = HUGE_VAL, high = 0;
    for (int i = 0; i <= view_->width(); i += 8) {
      for (int j = 0; j <= view_->height(); j += 8) {
        const double m = M(view_->toMap(QPointF(i, j), view_->rect()), 20);
        low = std::min(low, m), high = std::max(high, m);
      }
    }
    QList<double> drawn, expected;
    for (double level : levels)
      if (low < level && level < high) expected << level;
    for (const AccuracyMap::Contour& c : contours) {
      drawn << c.level;
      int near = 0;
      for (const QLineF& l : c.lines)
        near += std::abs(M(view_->toMap(l.center(), view_->rect()), 20) / c.level - 1) < 0.02;
      QVERIFY2(near > 0.95 * double(c.lines.size()), qPrintable(QString::number(c.level)));
    }
    QCOMPARE(drawn, expected);
  }
};

int main(int argc, char** argv) {
  qputenv("LC_ALL", "ru_RU.UTF-8");
  TApplication app(argc, argv);
  TestAccuracyMap test;
  return QTest::qExec(&test, argc, argv);
}

#include "accuracy_map_test.moc"
