// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window "Чертёж засечки" driven as a person would, offscreen,
// under a comma locale as the worksheet's example is written.
#include <sys/resource.h>

#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>

#include "WindowDriver.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/drawing/FigureView.h"
#include "ui/drawing/FixReport.h"
#include "ui/files/FileCommands.h"
#include "ui/marking/CheckList.h"
#include "ui/marking/WorkCheck.h"

using pothenot::DrawingWindow;
using pothenot::Field;
using pothenot::Figure;
using pothenot::FigureView;
using namespace Qt::StringLiterals;

class TestDrawing : public WindowTest {
  Q_OBJECT

  DrawingWindow* settled() {  // the window once its pending redraw has run
    QCoreApplication::processEvents();
    return w_->commands().drawing->window();
  }
  DrawingWindow* open() {
    QTest::keyClick(&w_->form(), Qt::Key_F2);
    return settled();
  }

 private slots:

  // A given typed redraws the figure and its text. The sheet's station is
  // what the last Calculate wrote (also before the window was first shown,
  // also the same texts again; not what is typed over them) until a given
  // changes; one farther off than the cuts can cost is not put down to them.
  // m_β scales M. F2 on the problem window shows it, F2 there or in the
  // drawing window hides it (its place in the background menu is the problem
  // window's test's); F3 checks the sheet from it too. It is usable while
  // the problem window is shown modally, and goes with it.
  void followsTheWorksheetAndF2ShowsAndHides() {
    auto calculate = [&] { w_->click("BitBtn1"), settled(); };
    auto type = [&](Field field, const char* text) { w_->type(field, text, true), settled(); };
    calculate();
    DrawingWindow* drawing = open();
    QVERIFY(drawing && drawing->isVisible() && drawing->isWindow());
    const Figure& figure = drawing->figureView()->figure();
    QVERIFY(figure.fix && figure.station && figure.sheetStation);

    type(Field::EXa, "7400");
    QCOMPARE(figure.known[Figure::A]->x, 7400.0);
    QVERIFY(!figure.sheetStation);
    calculate();
    QCOMPARE(figure.sheetStation.value().x,
             w_->box(Field::EXp)->text().replace(',', '.').toDouble());
    QVERIFY(drawing->report().contains(u"разница"_s));
    type(Field::EXd, "6300,45"), calculate();  // Xp, Yp written as they were
    QVERIFY(figure.sheetStation);
    const double written = figure.sheetStation->x;
    type(Field::EXp, "1234,5");
    QCOMPARE(figure.sheetStation->x, written);
    Figure typed = figure;
    typed.sheetStation->x = 1234.5;  // kilometres off: no cut costs that
    QVERIFY(pothenot::fixReport(typed, u","_s).contains(u"не следуют из его данных"_s));
    type(Field::EYd, "1");
    QVERIFY(!figure.sheetStation);

    const double error = figure.fix->stationError;
    drawing->findChild<QDoubleSpinBox*>()->setValue(10);
    settled();
    QVERIFY(qAbs(figure.fix->stationError / error - 2) < 1e-9);
    QTest::keyClick(drawing, Qt::Key_F3);
    QVERIFY(w_->commands().marking->list() && w_->commands().marking->list()->isVisible());
    QTest::keyClick(drawing, Qt::Key_F2);
    QVERIFY(!drawing->isVisible());
    QVERIFY(w_->runModal([&] {
      QTRY_VERIFY(w_->form().isActiveWindow());  // once the hidden drawing gave up the focus
      QTest::keyClick(&w_->form(), Qt::Key_F2);
      QVERIFY(drawing->isVisible() && drawing->isEnabled());
      w_->form().close();
    }));
    QVERIFY(!drawing->isVisible());
  }

  // Whatever the givens, the text says the engine's verdicts, what cannot be
  // drawn, or why no station is found (the true reason, not the danger circle,
  // for a figure or an angle beyond the arithmetic), its numbers written one way (no
  // exponent, no "-0"), and nothing hangs or breaks the drawing, zoomed in or
  // out; the scale bar writes a Russian number. Near the danger circle: 1 %
  // of the radius inside it; ε off by 30″ fails a 2σ of about 14″. The verdict
  // on the geometry follows the cut angle alone, nearness the distance: a weak
  // cut 0.72 radii off the circle, a firm one 0.15 radii off it.
  void anyGivens_data() {
    QTest::addColumn<QString>("typed");   // box=text …
    QTest::addColumn<QString>("saying");  // words|words …
    auto abd = [](const char* t) { return QString(u"EXb=%1 EYb=%1 EXa=%1 EXd=%1"_s).arg(t); };
    QTest::newRow("example") << u""_s << u"Геометрия надёжная|Контроль выполнен"_s;
    QTest::newRow("near the danger circle")
        << u"Ey1g=61 Ey1m=38 Ey1s=26,4 Ey2g=114 Ey2m=55 Ey2s=58,3"_s << u"Геометрия опасная"_s;
    QTest::newRow("ε off") << u"Ee2s=45"_s << u"Геометрия надёжная|Контроль не выполнен"_s;
    QTest::newRow("weak, far") << u"Ey1g=40 Ey2g=68"_s << u"Геометрия слабая|станция не близко"_s;
    QTest::newRow("firm, near") << u"Ey1g=56 Ey2g=2"_s << u"Геометрия надёжная|станция близко"_s;
    QTest::newRow("not a number") << abd("12x") << u"«12x» в поле «Xb»|Пункт B не нарисован"_s;
    QTest::newRow("1E300") << abd("1E300") << u"Пункт B не нарисован"_s;
    QTest::newRow("Xb 1E300") << u"EXb=1E300"_s << u"стороны треугольника ABC"_s;
    QTest::newRow("γ1 1E-300") << u"Ey1g=0 Ey1m=0 Ey1s=1E-300"_s << u"Угол γ1 равен 0°"_s;
  }
  void anyGivens() {
    QFETCH(QString, typed);
    QFETCH(QString, saying);
    DrawingWindow* drawing = open();
    for (const QString& given : typed.split(u' ', Qt::SkipEmptyParts)) {
      w_->form().findChild<QLineEdit*>(given.section(u'=', 0, 0))->setText(given.section(u'=', 1));
      settled();
    }
    for (const QString& words : saying.split(u'|'))
      QVERIFY2(drawing->report().contains(words), qPrintable(drawing->report().left(2000)));
    static const QRegularExpression kNeverSaid(
        u"\\de[+-]|-0(,0*)?(?![,\\d])|Геометрия[^\\n]*(круг[^и]|близко|далеко)"_s);
    QVERIFY2(!drawing->report().contains(kNeverSaid), qPrintable(drawing->report()));
    QTemporaryDir dir;
    static const QRegularExpression kBar(u">\\d{1,3}(\u00A0\\d{3})*(,\\d+)? (мм|м|км)</text>"_s);
    for (int notches : {0, 40, -80}) {
      wheel(drawing->figureView(), {20, 30}, notches);
      QFile svg(dir.filePath(u"f.svg"_s));
      QVERIFY(drawing->saveFigure(svg.fileName()) && svg.open(QIODevice::ReadOnly));
      QVERIFY(QString::fromUtf8(svg.readAll()).contains(kBar));
    }
  }

  // North is up and east is right; each point is drawn where the view says;
  // the wheel keeps the point under the pointer, dragging moves the figure
  // with the mouse, a double click fits it again. P moved by an arrow, and
  // the move undone, keep the zoom and the pan; a sheet opened then, far
  // away, is fitted whole.
  void figureIsAMapThatZoomsAndPans() {
    DrawingWindow* drawing = open();
    FigureView* view = drawing->figureView();
    const Figure& figure = view->figure();
    const QRectF r = view->rect();
    auto a = [&] { return view->toScreen(*figure.known[Figure::A], r); };
    auto apart = [](QPointF p, QPointF q) { return QLineF(p, q).length(); };
    const QPointF fitted = a(), b = view->toScreen(*figure.known[Figure::B], r);
    QVERIFY(b.y() < fitted.y() && b.x() > fitted.x());  // B is north-east of A
    for (const auto& p : figure.known) QVERIFY(r.contains(view->toScreen(*p, r)));
    QCOMPARE(view->grab().toImage().pixelColor(view->toScreen(*figure.station, r).toPoint()),
             QColor(Qt::black));

    const QPointF pointer(r.width() * 0.3, r.height() * 0.7);
    const auto under = view->toMap(pointer, r);
    wheel(view, pointer, 3);
    QVERIFY(apart(view->toScreen(under, r), pointer) < 1e-6);
    const QPointF zoomed = a();
    QVERIFY(apart(zoomed, pointer) > apart(fitted, pointer) * 1.5);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(view, QPoint(130, 80));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(130, 80));
    QVERIFY(apart(a() - zoomed, QPointF(30, -20)) < 1e-6);
    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(50, 50));
    QVERIFY(apart(a(), fitted) < 1e-6);

    const QPoint p = view->toScreen(*figure.station, r).toPoint();
    QTest::mouseClick(view, Qt::LeftButton, {}, p);
    QCOMPARE(view->chosen(), FigureView::kStation);
    wheel(view, p, 3);
    const QPointF held = a();
    QTest::keyClick(view, Qt::Key_Right);
    QVERIFY(settled() && apart(a(), held) < 1e-6);
    QTest::keyClick(drawing, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(settled() && apart(a(), held) < 1e-6);
    QTemporaryDir dir;
    QFile far(dir.filePath(u"far.pothenot"_s));  // variant 12: 20 km off the example
    QVERIFY(far.open(QIODevice::WriteOnly) &&
            far.write(pothenot::WriteSheetFile({pothenot::MakeVariant(12), ",", {}, {}}).c_str()));
    far.close();
    QVERIFY(w_->commands().files->openSheet(far.fileName()) && settled());
    for (const auto& k : figure.known) QVERIFY(r.contains(view->toScreen(*k, r)));
  }

  // "Сохранить рисунок…" writes the file the user named, PNG or SVG by the
  // chosen kind, without the ring of a chosen point; over a file that is there
  // it asks first, and a write that fails (a full disk) is told and leaves the
  // old file as it was.
  void saveWritesTheNamedFile() {
    DrawingWindow* drawing = open();
    auto save = [&](const QTemporaryDir& dir, int filter) {
      QTimer::singleShot(0, drawing, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setDirectory(dir.path());
        dialog->selectNameFilter(dialog->nameFilters()[filter]);
        emit dialog->filterSelected(dialog->nameFilters()[filter]);
        dialog->selectFile(u"мой"_s);
        static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
      });
      QTest::mouseClick(drawing->findChild<QPushButton*>(u"SaveButton"_s), Qt::LeftButton);
    };
    QTemporaryDir dir;
    for (const auto& [filter, written] : {std::pair{1, u"мой.png"_s}, {0, u"мой.svg"_s}}) {
      save(dir, filter);
      QVERIFY(fileBytes(dir.filePath(written)).left(512).contains(filter ? "PNG" : "<svg"));
    }
    const auto svg = [&] { return fileBytes(dir.filePath(u"мой.svg"_s)); };
    const QByteArray kept = svg();
    FigureView* view = drawing->figureView();
    QTest::mouseClick(view, Qt::LeftButton, {},
                      view->toScreen(*view->figure().station, view->rect()).toPoint());
    QVERIFY(view->chosen() == FigureView::kStation &&
            drawing->saveFigure(dir.filePath(u"мой.svg"_s)) && svg() == kept);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit none{0, limit.rlim_max};  // not a byte more: a full disk
    std::signal(SIGXFSZ, SIG_IGN);
    w_->answerNextBox(true), w_->answerNextBox(true);  // replace it; the failure told
    QVERIFY(setrlimit(RLIMIT_FSIZE, &none) == 0);
    save(dir, 0);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
    QCOMPARE(w_->messages().size(), 2);
    for (const auto& message : w_->messages()) QVERIFY(message.text.contains(u"мой.svg"_s));
    QVERIFY(!kept.isEmpty() && svg() == kept);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({u"мой.png"_s, u"мой.svg"_s}));
  }
};

POTHENOT_WINDOW_TEST_MAIN(TestDrawing, "ru_RU.UTF-8")

#include "drawing_test.moc"
