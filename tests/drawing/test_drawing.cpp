// The drawing window "Чертёж засечки" driven as a person would, offscreen,
// under a comma locale as the worksheet's example is written.
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <memory>

#include "WindowDriver.h"
#include "calc/calc_error.h"
#include "calc/resection.h"
#include "ui/Application.h"
#include "ui/Drawing.h"
#include "ui/FigureView.h"

using pothenot::Field;
using pothenot::Figure;
using namespace Qt::StringLiterals;

class TestDrawing : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowDriver> w_;

  TDrawingWindow* window() { return w_->form().findChild<TDrawingWindow*>(); }
  // F2 on the problem window, then the window's redraw done.
  TDrawingWindow* open() {
    QTest::keyClick(&w_->form(), Qt::Key_F2);
    return settled();
  }
  TDrawingWindow* settled() {
    QCoreApplication::processEvents();
    return window();
  }
  void setGiven(Field field, const QString& text) {
    w_->box(field)->setText(text);
    settled();
  }

 private slots:
  void init() { w_ = std::make_unique<WindowDriver>(); }
  void cleanup() { w_.reset(); }

  // Made at the first F2, not with the problem window; F2 there or in the
  // drawing window, or its close box, hides it; the background menu has it.
  // It is usable while the problem window is shown modally.
  void f2ShowsAndHides() {
    QVERIFY(window() == nullptr);
    auto* command = w_->form().findChild<QAction*>(u"DrawingCommand"_s);
    QVERIFY(command && w_->form().sheetPanel()->actions().contains(command));
    TDrawingWindow* drawing = open();
    QVERIFY(drawing && drawing->isVisible() && drawing->isWindow());
    QVERIFY(!drawing->report().isEmpty());
    QApplication::setActiveWindow(drawing);
    QVERIFY(QTest::qWaitForWindowActive(drawing));
    QTest::keyClick(drawing, Qt::Key_F2);
    QVERIFY(!drawing->isVisible());
    QVERIFY(w_->runModal([&] {
      QTest::keyClick(&w_->form(), Qt::Key_F2);
      QVERIFY(drawing->isVisible() && drawing->isEnabled());
      drawing->close();
      QVERIFY(!drawing->isVisible());
      QTest::keyClick(&w_->form(), Qt::Key_F2);
      w_->form().close();
    }));
    // It goes with the problem window, and is the same one at the next F2.
    QVERIFY(!drawing->isVisible());
    QCOMPARE(open(), drawing);
  }

  // A given typed redraws the figure and its text. The sheet's station is
  // drawn from the Calculate that wrote it (also one before the window was
  // first shown) until a given changes. m_β scales M.
  void followsTheWorksheet() {
    w_->click("BitBtn1");
    TDrawingWindow* drawing = open();
    const Figure& figure = drawing->figureView()->figure();
    QVERIFY(figure.fix && figure.station && figure.sheetStation);
    const QString before = drawing->report();
    const double xp = figure.fix->Xp;

    w_->type(Field::EXa, "7400", true);
    settled();
    QCOMPARE(figure.known[Figure::A]->x, 7400.0);
    QVERIFY(figure.fix->Xp != xp && !figure.sheetStation);
    QVERIFY(drawing->report() != before);

    w_->click("BitBtn1");
    settled();
    QVERIFY(figure.sheetStation);
    QCOMPARE(figure.sheetStation->x, w_->box(Field::EXp)->text().replace(',', '.').toDouble());
    QVERIFY(drawing->report().contains(u"разница"_s));
    w_->click("BitBtn1");  // the same texts again: still this sheet's station
    settled();
    QVERIFY(figure.sheetStation);
    w_->type(Field::EYd, "1");
    settled();
    QVERIFY(!figure.sheetStation);

    const double error = figure.fix->stationError;
    drawing->findChild<QDoubleSpinBox*>()->setValue(10);
    settled();
    QVERIFY(qAbs(figure.fix->stationError / error - 2) < 1e-9);
  }

  // A given that is not a number: the known points that parse are drawn and
  // the text gives Calculate's own message.
  void badGivenSaysWhatCalculateSays() {
    TDrawingWindow* drawing = open();
    setGiven(Field::EYb, u"12x"_s);
    pothenot::TWorksheet copy = w_->form().worksheet();
    QString message;
    try {
      pothenot::Calculate(copy, ",");
    } catch (const pothenot::CalcError& e) {
      message = QString::fromUtf8(e.what());
    }
    QVERIFY(!message.isEmpty());
    QVERIFY2(drawing->report().contains(message), qPrintable(drawing->report()));
    const Figure& figure = drawing->figureView()->figure();
    QVERIFY(!figure.fix && !figure.station);
    QVERIFY(figure.known[Figure::A] && !figure.known[Figure::B] && figure.known[Figure::C]);
  }

  // The verdicts follow the engine's: a station 1 % of the radius inside the
  // danger circle is dangerous; ε off by 30″ fails a 2σ of about 14″.
  void verdicts_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("example") << QStringList{}
                             << QStringList{u"Геометрия надёжная"_s, u"Контроль выполнен"_s};
    QTest::newRow("near the danger circle")
        << QStringList{u"61"_s, u"38"_s, u"26,4"_s, u"114"_s, u"55"_s, u"58,3"_s}
        << QStringList{u"Геометрия опасная"_s};
    QTest::newRow("ε off") << QStringList{{}, {}, {}, {}, {}, {}, u"45"_s}
                           << QStringList{u"Геометрия надёжная"_s, u"Контроль не выполнен"_s};
  }
  void verdicts() {
    QFETCH(QStringList, typed);
    QFETCH(QStringList, said);
    const Field boxes[] = {Field::Ey1g, Field::Ey1m, Field::Ey1s, Field::Ey2g,
                           Field::Ey2m, Field::Ey2s, Field::Ee2s};
    for (qsizetype i = 0; i < typed.size(); ++i)
      if (!typed[i].isEmpty()) w_->box(boxes[i])->setText(typed[i]);
    TDrawingWindow* drawing = open();
    for (const QString& words : said)
      QVERIFY2(drawing->report().contains(words), qPrintable(drawing->report()));
  }

  // Nothing typed hangs or breaks the drawing, zoomed in or out; what cannot
  // be drawn is said.
  void extremeGivens_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("said");
    QTest::newRow("1E300") << u"1E300"_s << u"Пункт B не нарисован"_s;
    QTest::newRow("-1E-300") << u"-1E-300"_s << u"Станция P"_s;
    QTest::newRow("megabyte") << u"1"_s.repeated(1 << 20) << u"Пункт B"_s;
    QTest::newRow("megabyte of decimals") << u"0,"_s + u"3"_s.repeated(1 << 20) << u"Станция"_s;
  }
  void extremeGivens() {
    QFETCH(QString, text);
    QFETCH(QString, said);
    TDrawingWindow* drawing = open();
    for (Field f : {Field::EXb, Field::EYb, Field::EXa, Field::EXd}) setGiven(f, text);
    QVERIFY2(drawing->report().contains(said), qPrintable(drawing->report().left(2000)));
    FigureView* view = drawing->figureView();
    QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
    for (int notches : {0, 40, -80}) {
      const QPointF at(20, 30);
      QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, notches * 120}, Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(view, &wheel);
      QPainter painter(&image);
      view->paintFigure(painter, image.rect());
    }
    QVERIFY(!drawing->grab().isNull());
  }

  // North is up and east is right; each point is drawn where the view says;
  // the wheel keeps the point under the pointer, dragging moves the figure
  // with the mouse, a double click fits it again.
  void figureIsAMapThatZoomsAndPans() {
    TDrawingWindow* drawing = open();
    FigureView* view = drawing->figureView();
    const Figure& figure = view->figure();
    const QRectF r = view->rect();
    const QPointF a = view->toScreen(*figure.known[Figure::A], r);
    const QPointF b = view->toScreen(*figure.known[Figure::B], r);
    QVERIFY(b.y() < a.y() && b.x() > a.x());  // B is north-east of A
    for (const auto& p : figure.known) QVERIFY(r.contains(view->toScreen(*p, r)));
    QImage image = view->grab().toImage();
    const QPoint p = view->toScreen(*figure.station, r).toPoint();
    QCOMPARE(image.pixelColor(p), QColor(Qt::black));

    const QPointF pointer(r.width() * 0.3, r.height() * 0.7);
    const auto under = view->toMap(pointer, r);
    QWheelEvent wheel(pointer, view->mapToGlobal(pointer), {}, {0, 360}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    const QPointF still = view->toScreen(under, r);
    QVERIFY(QLineF(still, pointer).length() < 1e-6);
    const QPointF zoomed = view->toScreen(*figure.known[Figure::A], r);
    QVERIFY(QLineF(zoomed, pointer).length() > QLineF(a, pointer).length() * 1.5);

    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(view, QPoint(130, 80));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(130, 80));
    const QPointF dragged = view->toScreen(*figure.known[Figure::A], r);
    QVERIFY(QLineF(dragged - zoomed, QPointF(30, -20)).length() < 1e-6);

    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(50, 50));
    QVERIFY(QLineF(view->toScreen(*figure.known[Figure::A], r), a).length() < 1e-6);
  }

  // "Сохранить рисунок…" writes the file the user named, as PNG or SVG by the
  // chosen kind.
  void saveWritesTheNamedFile_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::newRow("png by name") << u"мой.png"_s << 0 << u"мой.png"_s;
    QTest::newRow("png by kind") << u"мой"_s << 1 << u"мой.png"_s;
    QTest::newRow("svg") << u"мой"_s << 0 << u"мой.svg"_s;
  }
  void saveWritesTheNamedFile() {
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, written);
    TDrawingWindow* drawing = open();
    QTemporaryDir dir;
    QTimer::singleShot(0, drawing, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      dialog->setDirectory(dir.path());
      dialog->selectNameFilter(dialog->nameFilters()[filter]);
      emit dialog->filterSelected(dialog->nameFilters()[filter]);
      dialog->selectFile(typed);
      static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
    });
    QTest::mouseClick(drawing->findChild<QPushButton*>(u"SaveButton"_s), Qt::LeftButton);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(files, QStringList{written});
    QFile file(dir.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(512);
    if (written.endsWith(u".png"_s)) {
      QImage image;
      QVERIFY(image.load(dir.filePath(written)));
      QCOMPARE(image.size(), drawing->figureView()->size() * 2);
    } else {
      QVERIFY(head.contains("<svg"));
    }
  }
};

int main(int argc, char** argv) {
  qputenv("LC_ALL", "ru_RU.UTF-8");
  TApplication app(argc, argv);
  TestDrawing test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_drawing.moc"
