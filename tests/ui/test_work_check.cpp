// "Проверить мои вычисления" (F3) on the problem window, under a comma
// locale: the marks on the boxes, their going away, the list window and a
// given that stops the check as it stops Calculate.
#include <QApplication>
#include <QLabel>
#include <QSet>
#include <QTableWidget>
#include <QTest>
#include <map>
#include <memory>
#include <tuple>

#include "WindowDriver.h"
#include "calc/fields.h"
#include "ui/Application.h"
#include "ui/CheckList.h"
#include "ui/CheckWords.h"

using pothenot::Field;
using pothenot::Mark;
using namespace Qt::StringLiterals;

// What marking may change on a box and must give back: the palette with the
// roles set on the box itself, the tooltip, the accessible description.
using Look = std::tuple<QPalette, quint64, bool, QString, QString>;

class TestWorkCheck : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowDriver> w_;

  // F3 pressed in the problem window, into the box being worked on.
  void check() {
    QApplication::setActiveWindow(&w_->form());
    QWidget* focus = w_->form().focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &w_->form(), Qt::Key_F3);
  }
  static TCheckList* list() {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* found = qobject_cast<TCheckList*>(window)) return found;
    return nullptr;
  }
  static QString summary() { return list()->findChild<QLabel*>(u"Summary"_s)->text(); }
  static QTableWidget* table() { return list()->findChild<QTableWidget*>(u"Table"_s); }
  // The list window's row of a result: quantity, student, worksheet, mark.
  static QStringList listed(Field field) {
    QStringList cells;
    const auto found = table()->findItems(QString::fromUtf8(pothenot::Info(field).quantity), {});
    for (int column = 0; column < 4 && !found.isEmpty(); ++column)
      cells << table()->item(found.front()->row(), column)->text();
    return cells;
  }
  QColor base(Field field) { return w_->box(field)->palette().color(QPalette::Base); }
  QVector<Look> looks() {
    QVector<Look> out;
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      const QLineEdit* box = w_->box(Field(i));
      out.push_back({box->palette(), box->palette().resolveMask(),
                     box->testAttribute(Qt::WA_SetPalette), box->toolTip(),
                     box->accessibleDescription()});
    }
    return out;
  }

  // The example calculated, then a student's sheet made from it: K1 one
  // hundredth off, K1 − K3 worked exactly from it, Xp unreadable, Yp wrong,
  // δε empty.
  void typeStudentSheet() {
    w_->click("BitBtn1");
    w_->box(Field::EK1)->setText(u"-3523,42"_s);
    w_->box(Field::EK1K3)->setText(u"-10044,74"_s);
    w_->box(Field::EXp)->setText(u"8221,2З"_s);  // a Cyrillic Ze for the 3
    w_->box(Field::EYp)->setText(u"6016,34"_s);
    w_->box(Field::Ede)->clear();
    w_->box(Field::EXb)->setFocus();
  }

 private slots:
  void init() { w_ = std::make_unique<WindowDriver>(); }
  void cleanup() { w_.reset(); }

  // A calculated sheet is right throughout. On a student's sheet each mark
  // has a tint of its own on the result boxes, an empty box none, and nothing
  // else changes: no text, no text colour, no given or mirror. The list
  // names the first error.
  void checkTintsEachMarkAndChangesNoText() {
    QVERIFY(list() == nullptr);  // made at the first check, not with the form
    std::map<Mark, QColor> tints{{Mark::Empty, base(Field::EK1)}};
    w_->click("BitBtn1");
    check();
    QVERIFY(list() != nullptr && list()->isVisible());
    QCOMPARE(summary(), u"Все вычисления верны"_s);
    tints[Mark::Correct] = base(Field::Ea);

    typeStudentSheet();
    const QStringList texts = w_->texts();
    const QVector<Look> before = looks();
    check();
    QVERIFY(w_->messages().isEmpty());
    QCOMPARE(w_->texts(), texts);
    const std::map<Field, Mark> marks{{Field::EK1, Mark::Wrong},
                                      {Field::EK1K3, Mark::Carried},
                                      {Field::EXp, Mark::Unreadable},
                                      {Field::EYp, Mark::Wrong},
                                      {Field::Ede, Mark::Empty}};
    const QVector<Look> after = looks();
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      const auto field = Field(i);
      const auto& [palette, mask, own, toolTip, description] = after[qsizetype(i)];
      QCOMPARE(palette.color(QPalette::Text), get<0>(before[qsizetype(i)]).color(QPalette::Text));
      if (pothenot::Info(field).role != pothenot::Role::Result) {
        QVERIFY2(after[qsizetype(i)] == before[qsizetype(i)], pothenot::Info(field).name.data());
        continue;
      }
      const auto it = marks.find(field);
      const Mark mark = it == marks.end() ? Mark::Correct : it->second;
      QCOMPARE(base(field), tints.emplace(mark, base(field)).first->second);
      QVERIFY2(toolTip.contains(listed(field)[2]), pothenot::Info(field).name.data());
      QCOMPARE(description, toolTip);
    }
    QSet<QRgb> distinct;
    for (const auto& [mark, tint] : tints) distinct << tint.rgb();
    QCOMPARE(distinct.size(), 5);

    QCOMPARE(summary(),
             u"Первая ошибка — K1: у вас −3523,42, верно −3523,41; "
             u"K1\u00A0−\u00A0K3 следует из ошибок; другие ошибки: Yp"_s);
    QCOMPARE(table()->rowCount(), 29);
    QCOMPARE(listed(Field::EK1),
             QStringList({u"K1"_s, u"-3523,42"_s, u"-3523,41"_s, pothenot::MarkWord(Mark::Wrong)}));
    QCOMPARE(listed(Field::EK1K3)[3], pothenot::MarkWord(Mark::Carried));
  }

  // The marks go away at the next change of any box, at Clear and at
  // Calculate; each box gets back its own palette, tooltip and description,
  // whether set on itself or inherited from the window.
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
    QPalette own = w_->box(Field::EC)->palette();
    own.setColor(QPalette::Text, Qt::darkBlue);
    w_->box(Field::EC)->setPalette(own);
    w_->box(Field::EK2)->setToolTip(u"свой"_s);
    w_->box(Field::EK3)->setAccessibleDescription(u"своё"_s);
    const QVector<Look> before = looks();
    check();
    QVERIFY(looks() != before);
    if (by == "typing in a result") w_->type(Field::EdY, u"5"_s);
    if (by == "typing in a mirror") w_->type(Field::EYaa, u"5"_s);
    if (by == "Clear") w_->click("BitBtn3");
    if (by == "Calculate") w_->click("BitBtn1");
    const QVector<Look> after = looks();
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i)
      QVERIFY2(after[qsizetype(i)] == before[qsizetype(i)], pothenot::Info(Field(i)).name.data());
    QCOMPARE(table()->rowCount(), 0);
  }

  // A given that is not a number: F3 says what Calculate says and marks
  // nothing.
  void givenNotANumberGivesCalculatesMessage() {
    w_->type(Field::EYc, u"x"_s);
    const QVector<Look> before = looks();
    check();
    QCOMPARE(w_->messages().size(), 1);
    QCOMPARE(looks(), before);
    w_->click("BitBtn1");
    QCOMPARE(w_->messages().size(), 2);
    QCOMPARE(w_->messages()[0].text, w_->messages()[1].text);
  }

  // While the problem window is shown modally the list window takes F3 and
  // its own button, and it closes with the problem window. With a single
  // error the carried boxes follow from it.
  void listWindowWorksBesideTheModalSheet() {
    w_->click("BitBtn1");
    const QString correctYp = w_->box(Field::EYp)->text();
    typeStudentSheet();
    w_->runModal([&] {
      check();
      QVERIFY(list()->isVisible());
      w_->type(Field::EYp, correctYp, true);
      QCOMPARE(table()->rowCount(), 0);
      QApplication::setActiveWindow(list());
      QVERIFY(QTest::qWaitForWindowActive(list()));
      QTest::keyClick(list(), Qt::Key_F3);
      QCOMPARE(table()->rowCount(), 29);
      QCOMPARE(summary(),
               u"Первая ошибка — K1: у вас −3523,42, верно −3523,41; "
               u"K1\u00A0−\u00A0K3 следует из неё"_s);
      QTest::mouseClick(list()->findChild<QPushButton*>(u"CloseButton"_s), Qt::LeftButton);
      QVERIFY(!list()->isVisible() && w_->form().isVisible());
      check();
      QVERIFY(list()->isVisible());
    });
    QVERIFY(!list()->isVisible());  // closed with the problem window
  }
};

int main(int argc, char** argv) {
  // The example is written with a decimal comma: pin a locale that reads it.
  qputenv("LC_ALL", "ru_RU.UTF-8");
  TApplication app(argc, argv);
  app.setTitle(u"Задача Потенота"_s);
  TestWorkCheck test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_work_check.moc"
