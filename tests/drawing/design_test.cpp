// SPDX-License-Identifier: GPL-3.0-or-later
// The figure that moves: the accuracy map against the engine's M, the points
// moved with the mouse and the keys, and the moves undone and redone from
// either window; offscreen and on X11, under a comma locale.
#include "calc/design.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "WindowDriver.h"
#include "ui/document/SheetDocument.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/drawing/FigureView.h"

using pothenot::AccuracyMap;
using pothenot::Field;
using pothenot::Figure;
using pothenot::FigureView;
using pothenot::MapPoint;
using namespace Qt::StringLiterals;

class TestDesign : public WindowTest {
  Q_OBJECT

  FigureView* view_ = nullptr;

  const Figure& figure() {  // once the pending redraw has run
    QCoreApplication::processEvents();
    return view_->figure();
  }
  QAction* undo() { return w_->commands().document->undoAction(); }
  QPoint at(MapPoint p) { return view_->toScreen(p, view_->rect()).toPoint(); }
  MapPoint map(QPoint q) { return view_->toMap(q, view_->rect()); }
  // Mouse moves sent straight to the view: on X11 QTest moves the real
  // pointer, whose events may come after the release.
  void move(QPoint to, Qt::MouseButtons buttons) {
    QMouseEvent e(QEvent::MouseMove, to, view_->mapToGlobal(to), Qt::NoButton, buttons, {});
    QApplication::sendEvent(view_, &e);
  }
  void drag(QPoint from, QPoint to) {
    move(from, Qt::NoButton);
    QCOMPARE(view_->cursor().shape(), Qt::SizeAllCursor);
    QTest::mousePress(view_, Qt::LeftButton, {}, from);
    move((from + to) / 2, Qt::LeftButton);
    figure();  // redrawn on the way: the view stays, the point under the pointer
    move(to, Qt::LeftButton);
    QTest::mouseRelease(view_, Qt::LeftButton, {}, to);
  }
  static QString cm(double v) { return QString::number(v, 'f', 2).replace('.', ','); }
  // The boxes that differ between two lists of the 48 texts.
  static QStringList changed(const QStringList& a, const QStringList& b) {
    QStringList names;
    for (int i = 0; i < a.size(); ++i)
      if (a[i] != b[i]) names << QString::fromUtf8(pothenot::Fields()[std::size_t(i)].name);
    return names;
  }

  pothenot::PlanePoint known(int i) {
    return {view_->figure().known[i]->x, view_->figure().known[i]->y};
  }
  double M(MapPoint p) {  // for m_β = 20″
    return pothenot::MeanSquareErrorAt({p.x, p.y}, known(0), known(1), known(2), 20);
  }
  // The share of 81 pixels across `image` (of the view at `ratio` pixels to
  // one of the view's) that show the colour of M there for m_β = 20″.
  double showing(const QImage& image, double ratio = 1) {
    int same = 0;
    for (int n = 0; n < 81; ++n) {
      const QPoint pixel(image.width() * (1 + n % 9) / 10, image.height() * (1 + n / 9) / 10);
      const QPointF centre = (QPointF(pixel) + QPointF(0.5, 0.5)) / ratio;
      same += image.pixel(pixel) == AccuracyMap::colour(M(view_->toMap(centre, view_->rect())));
    }
    return same / 81.0;
  }

 private slots:
  void init() {
    w_ = std::make_unique<WindowDriver>();
    QTest::keyClick(&w_->form(), Qt::Key_F2);
    view_ = w_->commands().drawing->window()->figureView();
    QVERIFY(QTest::qWaitForWindowExposed(view_->window()));
    figure();
  }

  // Each known point dragged writes its own two coordinates, to the
  // centimetre, and nothing else; Ctrl+Z in the drawing brings back every
  // text, Ctrl+Shift+Z the move. (The same keys in the problem window, from a
  // box, are the command keys test's.)
  void knownPointDragged() {
    const QStringList start = w_->texts();
    const char* names[] = {"Xa Ya Yaa Xaa", "Xb Yb", "Xc Yc", "Xd Yd"};  // each moved its own way
    for (int k = 0; k < 4; ++k) {
      const QStringList before = w_->texts();
      const QPoint from = at(*figure().known[std::size_t(k)]);
      const MapPoint p = *figure().known[std::size_t(k)], a = map(from),
                     b = map(from + QPoint(30 + 7 * k, -20 - 3 * k));
      drag(from, from + QPoint(30 + 7 * k, -20 - 3 * k));
      QCOMPARE(changed(before, w_->texts()).join(' ').remove('E'), QString(names[k]));
      const QString name = QString(names[k]).left(2);
      QCOMPARE(w_->form().findChild<QLineEdit*>('E' + name)->text(), cm(p.x + b.x - a.x));
      QCOMPARE(w_->form().findChild<QLineEdit*>("EY" + name.mid(1))->text(), cm(p.y + b.y - a.y));
    }
    const QStringList moved = w_->texts();
    auto* drawing = w_->commands().drawing->window();
    for (int k = 0; k < 4; ++k) QTest::keyClick(drawing, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(changed(start, w_->texts()), QStringList());
    for (int k = 0; k < 4; ++k)
      QTest::keyClick(drawing, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(changed(moved, w_->texts()), QStringList());
  }

  // The station dragged writes γ1, γ2 and ε in whole seconds, and the
  // station they fix is where it was dropped, within what 0.5″ allows.
  void stationDragged() {
    const QStringList before = w_->texts(), angles{"Ey1g", "Ey1m", "Ey1s", "Ey2g", "Ey2m",
                                                   "Ey2s", "Ee2g", "Ee2m", "Ee2s"};
    const QPoint from = at(*figure().station), to = from + QPoint(-25, 15);
    const MapPoint p = *figure().station, a = map(from), b = map(to);
    drag(from, to);
    for (const QString& name : changed(before, w_->texts())) QVERIFY(angles.contains(name));
    for (const QString& name : angles)  // whole numbers
      QVERIFY(
          w_->form().findChild<QLineEdit*>(name)->text().contains(QRegularExpression("^\\d+$")));
    QVERIFY(figure().fix->controlPassed);  // ε measured where the station now stands
    const pothenot::PlanePoint drop{p.x + b.x - a.x, p.y + b.y - a.y};
    QVERIFY(std::hypot(figure().station->x - drop.X, figure().station->y - drop.Y) <=
            pothenot::MeanSquareErrorAt(drop, known(0), known(1), known(2), 0.71) + 1e-6);
  }

  // A click chooses a point, the arrows move it by 1 m, with Shift by 10 m,
  // each along its own axis; a given typed afterwards leaves nothing to undo.
  void arrowKeysMoveTheChosenPoint() {
    w_->type(Field::EYb, "3824,6251", true);  // finer than a centimetre
    const MapPoint b = *figure().known[Figure::B];
    QTest::mouseClick(view_, Qt::LeftButton, {}, at(b));
    QTest::keyClick(view_, Qt::Key_Up);
    QCOMPARE(w_->box(Field::EXb)->text(), cm(b.x + 1));
    QCOMPARE(w_->box(Field::EYb)->text(), "3824,6251");  // not moved: not written
    QTest::keyClick(view_, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(w_->box(Field::EYb)->text(), cm(b.y - 10));
    w_->click("BitBtn1");  // the results Calculate writes keep the step
    QCOMPARE(undo()->text(), u"Отменить перемещение пункта B"_s);
    w_->type(Field::EXc, "1");
    QVERIFY(!undo()->isEnabled());
  }

  // «Очистить» is one step: undone, all 48 texts come back to the byte
  // (mirrors too), redone, all are empty again. A drag cut off without a
  // release (the drawing hidden under the pointer) is a step all the same.
  void clearAndACutOffDragAreSteps() {
    w_->click("BitBtn1");
    w_->box(Field::EXaa)->setText(u"≠"_s);  // a mirror that differs from Xa
    const QStringList worked = w_->texts();
    w_->click("BitBtn3");
    QCOMPARE(undo()->text(), u"Отменить очистку"_s);
    undo()->trigger();
    QCOMPARE(w_->texts(), worked);
    w_->commands().document->redoAction()->trigger();
    QCOMPARE(w_->texts(), QStringList(48, QString()));
    undo()->trigger();
    const QPoint from = at(*figure().known[Figure::C]);
    QTest::mousePress(view_, Qt::LeftButton, {}, from);
    move(from + QPoint(20, 20), Qt::LeftButton);
    QTest::keyClick(w_->commands().drawing->window(), Qt::Key_F2);
    QVERIFY(w_->texts() != worked);
    undo()->trigger();
    QCOMPARE(w_->texts(), worked);
  }

  // The map shows M for the chosen m_β, and follows the wheel, B dragged, a
  // given typed (which fits the view), and the picture saved at twice the
  // size. (Marks and contours cover a few of the pixels looked at.) Contours
  // are drawn at 1, 2, 5, 10, 20, 50 cm and 1 m, each where M has its value,
  // and every one of them that M reaches in the view is drawn.
  void mapShowsMForTheChosenAngleError() {
    w_->commands().drawing->window()->findChild<QDoubleSpinBox*>()->setValue(20);
    w_->commands().drawing->window()->findChild<QCheckBox*>("AccuracyMap")->setChecked(true);
    // Once redrawn and still long enough for the map in full.
    auto shown = [&] { return QTest::qWait(300), showing(view_->grab().toImage()); };
    QVERIFY(shown() > 0.8);
    double low = HUGE_VAL, high = 0;
    for (int n = 0; n < 4900; ++n) {  // M over the view
      const double m = M(
          view_->toMap(QPointF(view_->width() * (n % 70) / 69.0, view_->height() * (n / 70) / 69.0),
                       view_->rect()));
      low = std::min(low, m), high = std::max(high, m);
    }
    QList<double> drawn, expected;
    for (double level : {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0})
      if (low < level && level < high) expected << level;
    for (const AccuracyMap::Contour& c : view_->accuracyMap().contours()) {
      drawn << c.level;
      int near = 0;
      for (const QLineF& l : c.lines)
        near += std::abs(M(view_->toMap(l.center(), view_->rect())) / c.level - 1) < 0.02;
      QVERIFY2(near > 0.95 * double(c.lines.size()), qPrintable(QString::number(c.level)));
    }
    QCOMPARE(drawn, expected);
    wheel(view_, {50, 60}, -2);
    QVERIFY(shown() > 0.8);
    const QPoint b = at(*figure().known[Figure::B]);
    drag(b, b + QPoint(40, 30));
    QVERIFY(shown() > 0.8);
    w_->type(Field::EXc, "8000", true);  // fitted afresh
    QVERIFY(shown() > 0.8);
    QTemporaryDir dir;
    QVERIFY(w_->commands().drawing->window()->saveFigure(dir.filePath("map.png")));
    QVERIFY(showing(QImage(dir.filePath("map.png")), 2) > 0.8);
  }
};

POTHENOT_WINDOW_TEST_MAIN(TestDesign, "ru_RU.UTF-8")

#include "design_test.moc"
