// SPDX-License-Identifier: GPL-3.0-or-later
// The problem window driven like a person would, under a desktop locale
// whose decimal separator is a comma, as the worksheet's example is written,
// or, with POTHENOT_DECIMAL_POINT=1, a point: the functions named point* are
// for that run, the others for the comma. What Calculate writes and where it
// stops is the engine's tests' business; here, that the boxes show it.
#include <QAction>

#include "WindowDriver.h"
#include "calc/fields.h"
#include "calc/variant.h"
#include "ui/paper/VariantBook.h"

using pothenot::Field;
using namespace Qt::StringLiterals;

static const bool kPoint = qgetenv("POTHENOT_DECIMAL_POINT") == "1";

class TestZadaha : public WindowTest {
  Q_OBJECT

  static qsizetype At(Field field) { return static_cast<qsizetype>(field); }

 private slots:
  // The desktop pinned: a comma, or a point; also a sign that is neither
  // (fa_IR's «٫»), which the program writes and reads as a point.
  void initTestCase() {
    QCOMPARE(QString::fromStdString(TForm2::decimalSeparator()), kPoint ? u"."_s : u","_s);
  }
  void init() {
    if (kPoint != QByteArray(QTest::currentTestFunction()).startsWith("point"))
      QSKIP("written for the other decimal separator");
    w_ = std::make_unique<WindowDriver>();
  }

  // Texts typed into a mirror and a result reach the worksheet, Calculate's
  // and Clear's texts reach the boxes. A failed Calculate shows its message
  // as plain text over the window, titled with the application, and the
  // window stays.
  void boxesShowTheWorksheetAndAFailureItsMessage() {
    w_->type(Field::EXaa, "y");
    w_->type(Field::EXp, "mine", true);
    w_->click("BitBtn1");
    QVERIFY(w_->messages().isEmpty());
    QCOMPARE(w_->texts(), w_->texts(true));

    w_->click("BitBtn3");
    QCOMPARE(w_->texts(), QStringList(qsizetype(pothenot::kFieldCount), QString()));
    w_->click("BitBtn1");
    QCOMPARE(w_->messages().size(), 1);
    const auto& message = w_->messages().front();
    QCOMPARE(message.title, u"Задача Потенота"_s);
    QVERIFY(message.format == Qt::PlainText && message.hadOwner);
    // It names the empty degrees box of γ1, where Calculate stopped.
    QVERIFY2(message.text.contains(QString::fromUtf8(pothenot::Info(Field::Ey1g).quantity)),
             qPrintable(message.text));
    QVERIFY(w_->form().isVisible());
  }

  // C on B and γ2 = γ1: Calculate stops at C after writing K1 − K3. The
  // modal window stays up with what was written, and closing and showing it
  // again keeps every text.
  void failureMidwayKeepsWhatWasWritten() {
    w_->click("BitBtn1");
    const QStringList before = w_->texts();
    const Field to[] = {Field::EXc, Field::EYc, Field::Ey2g, Field::Ey2m, Field::Ey2s};
    const Field from[] = {Field::EXb, Field::EYb, Field::Ey1g, Field::Ey1m, Field::Ey1s};
    QStringList left;
    QVERIFY(w_->runModal([&] {
      for (std::size_t i = 0; i < std::size(to); ++i) w_->type(to[i], before[At(from[i])], true);
      w_->click("BitBtn1");
      QVERIFY(w_->form().isVisible() && QApplication::activeModalWidget() == &w_->form());
      left = w_->texts();
      w_->click("BitBtn2");
    }));
    QCOMPARE(w_->messages().size(), 1);
    QVERIFY(left[At(Field::EK1K3)] != before[At(Field::EK1K3)]);
    QCOMPARE(w_->texts(true), left);
    QStringList shownAgain;
    w_->runModal([&] { shownAgain = w_->texts(); });
    QCOMPARE(shownAgain, left);
  }

  // Each of Xa and Ya has its own handler: its mirror follows every
  // keystroke, and inside the text the cursor stays put.
  void mirrorFollowsEveryKeystroke() {
    for (auto [given, mirror] : {std::pair{Field::EXa, Field::EXaa}, {Field::EYa, Field::EYaa}}) {
      QLineEdit* givenBox = w_->box(given);
      w_->type(given, "", true);
      QString typed;
      for (QChar c : u"7000,5"_s) {
        QTest::keyClick(givenBox, c.toLatin1());
        QCOMPARE(w_->box(mirror)->text(), typed += c);
      }
      givenBox->setCursorPosition(1);
      QTest::keyClick(givenBox, Qt::Key_Backspace);
      QTest::keyClick(givenBox, '9');
      QCOMPARE(givenBox->cursorPosition(), 1);
      QCOMPARE(w_->box(mirror)->text(), u"9000,5"_s);
    }
  }

  // Enter and Escape in a box press nothing and close nothing; Enter and
  // Space on a focused button press it.
  void keysInBoxesAndOnButtons() {
    const QStringList before = w_->texts();
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      QLineEdit* box = w_->box(Field(i));
      box->setFocus(Qt::TabFocusReason);
      QTest::keyClick(box, Qt::Key_Return);
      QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
      QTest::keyClick(box, Qt::Key_Escape);
      QVERIFY2(w_->form().isVisible(), qPrintable(box->objectName()));
    }
    QCOMPARE(w_->texts(), before);  // neither Calculate nor Clear ran

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
      w_ = std::make_unique<WindowDriver>();
      const auto press = [&](const char* name) {
        w_->button(name)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), key,
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
      };
      press("BitBtn1");
      QVERIFY(!w_->box(Field::EXp)->text().isEmpty());
      press("BitBtn3");
      QVERIFY(w_->box(Field::EXb)->text().isEmpty());
      press("BitBtn2");
      QVERIFY2(!w_->form().isVisible() && w_->messages().isEmpty(),
               qPrintable(QString::number(key)));
    }
  }

  // The form is built when first needed, not at start-up: what the worksheet
  // and the commands went through before is there once it is, and a command
  // added afterwards joins the background's menu too. (The commands' keys
  // are pressed in the drawing, check and paper tests.)
  void formBuiltOnFirstUseShowsWhatCameBefore() {
    TForm2 form;
    QAction early(u"Раньше"_s), late(u"Позже"_s);
    form.addCommand(&early);
    form.worksheet().setText(Field::EXb, "123,5");
    QVERIFY(form.findChild<QLineEdit*>() == nullptr);  // nothing built so far
    QCOMPARE(form.box(Field::EXb)->text(), u"123,5"_s);
    form.addCommand(&late);
    // The window's own commands come first; all of them are in the menu.
    QCOMPARE(form.actions().mid(form.actions().size() - 2), (QList<QAction*>{&early, &late}));
    QCOMPARE(form.sheetPanel()->actions(), form.actions());
    QCOMPARE(form.sheetPanel()->contextMenuPolicy(), Qt::ActionsContextMenu);
  }

  // Under a point locale the texts the program writes itself take the point:
  // the built-in example and a variant calculate as they stand. A comma the
  // user types stops Calculate with the separator this desktop expects.
  void pointLocaleWritesTheProgramsOwnTextsWithIt() {
    const QString example = QString::fromUtf8(pothenot::Info(Field::EXb).defaultText);
    QCOMPARE(w_->box(Field::EXb)->text(), QString(example).replace(',', '.'));
    w_->click("BitBtn1");
    QCOMPARE(w_->messages().size(), 0);
    QCOMPARE(w_->box(Field::EXp)->text(), u"8221.23"_s);
    pothenot::paper::fillVariant(w_->form().worksheet(), pothenot::MakeVariant(7));
    w_->click("BitBtn1");
    QCOMPARE(w_->messages().size(), 0);
    QVERIFY(!w_->box(Field::EXp)->text().isEmpty());
    w_->type(Field::EXb, example, true);
    w_->click("BitBtn1");
    QCOMPARE(w_->messages().size(), 1);
    QVERIFY2(w_->messages().front().text.contains(u"точкой «.»"_s),
             qPrintable(w_->messages().front().text));
  }
};

// The desktop's locale decides the decimal separator.
POTHENOT_WINDOW_TEST_MAIN(TestZadaha, kPoint ? "C.UTF-8" : "ru_RU.UTF-8")

#include "zadaha_test.moc"
