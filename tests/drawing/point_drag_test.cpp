// Points of the drawing moved with the mouse and the keys, and the moves
// undone and redone from either window, offscreen under a comma locale.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "WindowDriver.h"
#include "calc/design.h"
#include "ui/common/Application.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/drawing/FigureView.h"
#include "ui/drawing/GivenEdits.h"

using pothenot::Field;
using pothenot::Figure;
using pothenot::FigureView;
using pothenot::MapPoint;

class TestPointDrag : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowDriver> w_;
  FigureView* view_ = nullptr;

  const Figure& figure() {  // once the pending redraw has run
    QCoreApplication::processEvents();
    return view_->figure();
  }
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

 private slots:
  void init() {
    w_ = std::make_unique<WindowDriver>();
    QTest::keyClick(&w_->form(), Qt::Key_F2);
    view_ = w_->commands().drawing->window()->figureView();
    QVERIFY(QTest::qWaitForWindowExposed(view_->window()));
    figure();
  }
  void cleanup() { w_.reset(); }

  // Each known point dragged writes its own two coordinates, to the
  // centimetre, and nothing else; Ctrl+Z in the drawing brings back every
  // text, Ctrl+Shift+Z the move, Ctrl+Z in the problem window undoes it again.
  void knownPointDragged() {
    const QStringList start = w_->texts();
    const char* names[] = {"Xa Ya Yaa Xaa", "Xb Yb", "Xc Yc", "Xd Yd"};
    for (int k = 0; k < 4; ++k) {
      const QStringList before = w_->texts();
      const QPoint from = at(*figure().known[std::size_t(k)]);
      const MapPoint p = *figure().known[std::size_t(k)], a = map(from),
                     b = map(from + QPoint(30, -20));
      drag(from, from + QPoint(30, -20));
      QCOMPARE(changed(before, w_->texts()).join(' ').remove('E'), QString(names[k]));
      const auto [x, y] = Fields(k);
      QCOMPARE(w_->box(x)->text(), cm(p.x + b.x - a.x));
      QCOMPARE(w_->box(y)->text(), cm(p.y + b.y - a.y));
    }
    const QStringList moved = w_->texts();
    auto* drawing = w_->commands().drawing->window();
    for (int k = 0; k < 4; ++k) QTest::keyClick(drawing, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(changed(start, w_->texts()), QStringList());
    for (int k = 0; k < 4; ++k)
      QTest::keyClick(drawing, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(changed(moved, w_->texts()), QStringList());
    QTest::keyClick(drawing, Qt::Key_F2);  // hidden: the problem window has the keys
    w_->form().activateWindow();
    QTRY_VERIFY(w_->form().isActiveWindow());
    w_->button("BitBtn1")->setFocus();  // no box to take the key for its own undo
    for (int k = 0; k < 4; ++k) QTest::keyClick(&w_->form(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(changed(start, w_->texts()), QStringList());
  }

  // The station dragged writes γ1, γ2 and ε in whole seconds, and the
  // station they fix is where it was dropped, within what 0.5″ allows.
  void stationDragged() {
    const QStringList before = w_->texts(), angles{"Ey1g", "Ey1m", "Ey1s", "Ey2g", "Ey2m",
                                                   "Ey2s", "Ee2g", "Ee2m", "Ee2s"};
    const QPoint from = at(*figure().station), to = from + QPoint(-25, 15);
    const MapPoint p = *figure().station, a = map(from), b = map(to);
    drag(from, to);
    for (const QString& name : changed(before, w_->texts()))
      QVERIFY2(angles.contains(name), qPrintable(name));
    for (const QString& name : angles) {
      bool whole = false;
      w_->form().findChild<QLineEdit*>(name)->text().toInt(&whole);
      QVERIFY(whole);
    }
    QVERIFY(figure().fix->controlPassed);  // ε measured where the station now stands
    const auto& k = figure().known;
    const pothenot::PlanePoint drop{p.x + b.x - a.x, p.y + b.y - a.y};
    auto plane = [&](int i) {
      return pothenot::PlanePoint{k[std::size_t(i)]->x, k[std::size_t(i)]->y};
    };
    QVERIFY(std::hypot(figure().station->x - drop.X, figure().station->y - drop.Y) <=
            pothenot::MeanSquareErrorAt(drop, plane(0), plane(1), plane(2), 0.71) + 1e-6);
  }

  // A click chooses a point, the arrows move it by 1 m, with Shift by 10 m;
  // a given typed afterwards leaves nothing to undo.
  void arrowKeysMoveTheChosenPoint() {
    const MapPoint b = *figure().known[Figure::B];
    QTest::mouseClick(view_, Qt::LeftButton, {}, at(b));
    QTest::keyClick(view_, Qt::Key_Up);
    QTest::keyClick(view_, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(w_->box(Field::EXb)->text(), cm(b.x + 1));
    QCOMPARE(w_->box(Field::EYb)->text(), cm(b.y - 10));
    QVERIFY(w_->commands().drawing->edits().undoAction()->isEnabled());
    w_->type(Field::EXc, "1");
    QVERIFY(!w_->commands().drawing->edits().undoAction()->isEnabled());
  }

 private:
  static std::pair<Field, Field> Fields(int k) {
    static const std::pair<Field, Field> fields[] = {{Field::EXa, Field::EYa},
                                                     {Field::EXb, Field::EYb},
                                                     {Field::EXc, Field::EYc},
                                                     {Field::EXd, Field::EYd}};
    return fields[k];
  }
};

int main(int argc, char** argv) {
  qputenv("LC_ALL", "ru_RU.UTF-8");
  TApplication app(argc, argv);
  TestPointDrag test;
  return QTest::qExec(&test, argc, argv);
}

#include "point_drag_test.moc"
