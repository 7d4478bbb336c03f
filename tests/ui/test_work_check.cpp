// "Проверить мои вычисления" (F3) on the problem window, under a comma
// locale: the marks on the boxes, their going away, the list window and a
// given that stops the check as it stops Calculate.
#include <QApplication>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <map>
#include <memory>

#include "WindowDriver.h"
#include "calc/fields.h"
#include "ui/Application.h"
#include "ui/CheckList.h"
#include "ui/CheckWords.h"

using pothenot::Field;
using pothenot::Mark;
using namespace Qt::StringLiterals;

namespace {

bool IsResult(std::size_t i) {
  return pothenot::Fields()[i].role == pothenot::Role::Result;
}

// What marking may change on a box, and must give back.
struct Look {
  QPalette palette;
  bool ownPalette;
  QString toolTip;
  QString description;
  bool operator==(const Look& other) const {
    return palette == other.palette && palette.resolveMask() == other.palette.resolveMask() &&
           ownPalette == other.ownPalette && toolTip == other.toolTip &&
           description == other.description;
  }
};

}  // namespace

class TestWorkCheck : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowDriver> w_;

  // F3 pressed in the problem window, into the box being worked on.
  void check() {
    QApplication::setActiveWindow(&w_->form());
    QWidget* focus = w_->form().focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &w_->form(), Qt::Key_F3);
  }
  TCheckList* list() { return w_->form().findChild<TCheckList*>(); }
  QString summary() { return list()->findChild<QLabel*>(u"Summary"_s)->text(); }
  QTableWidget* table() { return list()->findChild<QTableWidget*>(u"Table"_s); }
  QTableWidgetItem* listed(Field field, int column) {
    for (int row = 0; row < table()->rowCount(); ++row)
      if (table()->item(row, 0)->text() == QString::fromUtf8(pothenot::Info(field).quantity))
        return table()->item(row, column);
    return nullptr;
  }
  QColor base(Field field) { return w_->box(field)->palette().color(QPalette::Base); }
  QVector<Look> looks() {
    QVector<Look> out;
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      const QLineEdit* box = w_->box(Field(i));
      out.push_back({box->palette(), box->testAttribute(Qt::WA_SetPalette), box->toolTip(),
                     box->accessibleDescription()});
    }
    return out;
  }

  // The example calculated, then a student's sheet made from it: K1 one
  // hundredth off, K1 − K3 worked exactly from it, Xp unreadable, δε empty.
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

  // A calculated sheet is right throughout. A student's sheet gets one tint
  // per mark on its result boxes and nothing else changes: not a text, not a
  // text colour, not a given or a mirror. The list names the first error.
  void checkTintsEachMarkAndChangesNoText() {
    QVERIFY(list() == nullptr);  // made at the first check, not with the form
    w_->click("BitBtn1");
    check();
    QVERIFY(list() != nullptr && list()->isVisible());
    QCOMPARE(summary(), u"Все вычисления верны"_s);
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i)
      if (IsResult(i)) QCOMPARE(base(Field(i)), pothenot::MarkTint(Mark::Correct));

    typeStudentSheet();
    const QStringList texts = w_->texts();
    const QVector<Look> before = looks();
    check();
    QVERIFY(w_->messages().isEmpty());
    QCOMPARE(w_->texts(), texts);
    QCOMPARE(w_->texts(true), texts);

    const std::map<Field, Mark> marks{{Field::EK1, Mark::Wrong},
                                      {Field::EK1K3, Mark::Carried},
                                      {Field::EXp, Mark::Unreadable},
                                      {Field::EYp, Mark::Wrong},
                                      {Field::Ede, Mark::Empty}};
    const QVector<Look> after = looks();
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      const auto field = Field(i);
      const QByteArray name(pothenot::Info(field).name.data());
      QCOMPARE(after[qsizetype(i)].palette.color(QPalette::Text),
               before[qsizetype(i)].palette.color(QPalette::Text));
      if (!IsResult(i)) {
        QVERIFY2(after[qsizetype(i)] == before[qsizetype(i)], name);
        continue;
      }
      const auto it = marks.find(field);
      const Mark mark = it == marks.end() ? Mark::Correct : it->second;
      const QColor tint = pothenot::MarkTint(mark);
      QCOMPARE(base(field),
               tint.isValid() ? tint : before[qsizetype(i)].palette.color(QPalette::Base));
      QVERIFY2(after[qsizetype(i)].toolTip.contains(listed(field, 2)->text()), name);
      QCOMPARE(after[qsizetype(i)].description, after[qsizetype(i)].toolTip);
    }
    QVERIFY(w_->box(Field::EK1)->toolTip().contains(u"-3523,41"_s));

    QCOMPARE(summary(),
             u"Первая ошибка — K1: у вас −3523,42, верно −3523,41; "
             u"K1\u00A0−\u00A0K3 следует из ошибок; другие ошибки: Yp"_s);
    QCOMPARE(table()->rowCount(), 29);
    QCOMPARE(table()->item(0, 0)->text(), QString::fromUtf8(pothenot::Info(Field::Ea).quantity));
    QCOMPARE(listed(Field::EK1, 1)->text(), u"-3523,42"_s);
    QCOMPARE(listed(Field::EK1, 2)->text(), u"-3523,41"_s);
    QCOMPARE(listed(Field::EK1, 3)->text(), pothenot::MarkWord(Mark::Wrong));
    QCOMPARE(listed(Field::EK1K3, 3)->text(), pothenot::MarkWord(Mark::Carried));
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
    typeStudentSheet();
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

  // A given that is not a number: F3 says what Calculate says, and marks
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
    QVERIFY(w_->messages()[0].hadOwner);
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
      QVERIFY(!list()->isVisible());
      QVERIFY(w_->form().isVisible());
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
