// SPDX-License-Identifier: GPL-3.0-or-later
// "Проверить мои вычисления" (F3) on the problem window, under a comma
// locale: the marks on the boxes, their going away, the list window and a
// given that stops the check as it stops Calculate.
#include <QLabel>
#include <QTableWidget>
#include <map>
#include <tuple>

#include "WindowDriver.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/drawing/DrawingWindow.h"
#include "ui/marking/CheckList.h"
#include "ui/marking/WorkCheck.h"

using pothenot::Field;
using pothenot::Mark;
using namespace Qt::StringLiterals;

// What marking may change on a box and must give back: the palette with the
// roles set on the box itself, the tooltip, the accessible description.
using Look = std::tuple<QPalette, quint64, bool, QString, QString>;

// A student's sheet made from the example: K1 one hundredth off, K1 − K3
// worked exactly from it, Xp unreadable (a Cyrillic Ze for the 3), Yp wrong,
// δε empty; every other result as the worksheet has it.
const std::tuple<Field, QString, Mark> kStudent[] = {{Field::EK1, u"-3523,42"_s, Mark::Wrong},
                                                     {Field::EK1K3, u"-10044,74"_s, Mark::Carried},
                                                     {Field::EXp, u"8221,2З"_s, Mark::Unreadable},
                                                     {Field::EYp, u"6016,34"_s, Mark::Wrong},
                                                     {Field::Ede, QString(), Mark::Empty}};

class TestWorkCheck : public WindowTest {
  Q_OBJECT

  QStringList right_;  // the example as Calculate writes it

  // F3 pressed in the problem window, into a box.
  void check() { QTest::keyClick(w_->box(Field::EXb), Qt::Key_F3); }
  pothenot::CheckList* list() { return w_->commands().marking->list(); }
  QString summary() { return list()->findChild<QLabel*>(u"Summary"_s)->text(); }
  QTableWidget* table() { return list()->findChild<QTableWidget*>(u"Table"_s); }
  QVector<Look> looks() {
    QVector<Look> out;
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      const QLineEdit* b = w_->box(Field(i));
      out.push_back({b->palette(), b->palette().resolveMask(), b->testAttribute(Qt::WA_SetPalette),
                     b->toolTip(), b->accessibleDescription()});
    }
    return out;
  }

  // The example calculated, then the student's sheet made from it.
  void typeStudentSheet() {
    w_->click("BitBtn1");
    right_ = w_->texts();
    for (const auto& [field, text, mark] : kStudent) w_->box(field)->setText(text);
  }

 private slots:

  // A round in the modally shown sheet. A right sheet is right throughout. On
  // a student's, each mark has a tint of its own on the result boxes, an empty
  // box keeps the window's; no text, text colour, given or mirror changes; a
  // tooltip quotes the worksheet and the list names the errors. The list
  // window takes F3 and F2 and its own button, and closes with the problem
  // window.
  // A given that is not a number stops the check with a message (Calculate's,
  // as the engine's tests show) and marks nothing.
  void checkMarksAndListsTheStudentsSheet() {
    w_->runModal([&] {
      QVERIFY(list() == nullptr);  // made at the first check, not with the form
      w_->click("BitBtn1");
      check();
      QCOMPARE(summary(), u"Все вычисления верны"_s);
      typeStudentSheet();
      const QStringList texts = w_->texts();
      const QVector<Look> before = looks();
      QApplication::setActiveWindow(list());
      QTest::keyClick(list(), Qt::Key_F3);
      QCOMPARE(w_->texts(), texts);
      std::map<QRgb, Mark> markOf;  // each tint stands for one mark
      const QVector<Look> after = looks();
      for (qsizetype i = 0; i < after.size(); ++i) {
        const auto& [palette, mask, own, tip, said] = after[i];
        const bool result = pothenot::Fields()[std::size_t(i)].role == pothenot::Role::Result;
        Mark mark = result ? Mark::Correct : Mark::Empty;
        for (const auto& [field, text, its] : kStudent) mark = field == Field(i) ? its : mark;
        QCOMPARE(markOf.emplace(palette.color(QPalette::Base).rgb(), mark).first->second, mark);
        QCOMPARE(palette.color(QPalette::Text), get<0>(before[i]).color(QPalette::Text));
        QVERIFY2(result ? tip.contains(right_[i]) && said == tip : after[i] == before[i],
                 qPrintable(w_->box(Field(i))->objectName()));
      }
      QCOMPARE(markOf.size(), 5u);  // and each of the five marks has one tint
      const QString k1 = u"Первая ошибка — K1: у вас −3523,42, верно −3523,41; K1\u00A0−\u00A0K3"_s;
      QCOMPARE(summary(), k1 + u" следует из ошибок; другие ошибки: Yp"_s);
      QStringList cells;  // K1 is the ninth result
      for (int column = 0; column < 4; ++column) cells << table()->item(8, column)->text();
      QCOMPARE(cells, QStringList({u"K1"_s, u"-3523,42"_s, u"-3523,41"_s, u"ошибка"_s}));

      QTest::keyClick(list(), Qt::Key_F2);
      QVERIFY(w_->commands().drawing->window() && w_->commands().drawing->window()->isVisible());
      QTest::mouseClick(list()->findChild<QPushButton*>(u"CloseButton"_s), Qt::LeftButton);
      QVERIFY(!list()->isVisible() && w_->form().isVisible());
      w_->box(Field::EYp)->setText(right_[qsizetype(Field::EYp)]);
      QApplication::setActiveWindow(&w_->form());
      check();
      QVERIFY(list()->isVisible());
      QCOMPARE(summary(), k1 + u" следует из неё"_s);
      w_->type(Field::EYc, u"x"_s);  // a given that is not a number
      check();
      QVERIFY(w_->messages().size() == 1 && table()->rowCount() == 0);
    });
    QVERIFY(!list()->isVisible());  // closed with the problem window
  }

  // The marks go away at the next change of any box, at Clear and at
  // Calculate; each box gets back its own palette, tooltip and description,
  // whether set on itself or inherited from the window. The list's button
  // «F3 — проверить снова» checks again.
  void marksGoAway_data() {
    QTest::addColumn<QByteArray>("by");
    for (const char* by : {"typing in a result", "typing in a mirror", "Clear", "Calculate"})
      QTest::newRow(by) << QByteArray(by);
  }
  void marksGoAway() {
    QFETCH(QByteArray, by);
    // Calculate on a calculated sheet changes no text: only its start can
    // take the marks away.
    by == "Calculate" ? w_->click("BitBtn1") : typeStudentSheet();
    w_->box(Field::EC)->setPalette(QPalette(Qt::darkBlue));
    w_->box(Field::EK2)->setToolTip(u"свой"_s);
    w_->box(Field::EK3)->setAccessibleDescription(u"своё"_s);
    const QVector<Look> before = looks();
    check();
    QVERIFY(looks() != before);
    if (by.startsWith("typing")) w_->type(by.endsWith("result") ? Field::EdY : Field::EYaa, u"5"_s);
    if (!by.startsWith("typing")) w_->click(by == "Clear" ? "BitBtn3" : "BitBtn1");
    QCOMPARE(looks(), before);
    QCOMPARE(table()->rowCount(), 0);
    auto* again = list()->findChild<QPushButton*>(u"CheckAgain"_s);
    QVERIFY(again && again->text() == u"F3 — проверить снова"_s);
    QTest::mouseClick(again, Qt::LeftButton);
    QCOMPARE(table()->rowCount(), by == "Clear" ? 0 : 29);
  }
};

POTHENOT_WINDOW_TEST_MAIN(TestWorkCheck, "ru_RU.UTF-8")

#include "marking_test.moc"
