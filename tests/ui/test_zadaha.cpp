// The problem window driven like a person would, under a desktop locale
// whose decimal separator is a comma, as the worksheet's example is written,
// or, with POTHENOT_DECIMAL_POINT=1, a point: the functions named point* are
// for that run, the others for the comma.
#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "WindowDriver.h"
#include "calc/fields.h"
#include "ui/Application.h"

using pothenot::Field;
using namespace Qt::StringLiterals;

namespace {

const bool kPoint = qgetenv("POTHENOT_DECIMAL_POINT") == "1";

qsizetype At(Field field) {
  return static_cast<qsizetype>(field);
}

}  // namespace

class TestZadaha : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowDriver> w_;

 private slots:
  void initTestCase() { QCOMPARE(QLocale::system().decimalPoint(), kPoint ? u"."_s : u","_s); }
  void init() {
    if (kPoint != QByteArray(QTest::currentTestFunction()).startsWith("point"))
      QSKIP("written for the other decimal separator");
    w_ = std::make_unique<WindowDriver>();
  }
  void cleanup() { w_.reset(); }

  // Calculate with the example, after a mirror and a result were typed into:
  // it writes every result and never reads or writes a mirror. Then Clear,
  // and Calculate fails at once.
  void calculateFillsEveryResultAndKeepsTheRest() {
    w_->type(Field::EXaa, "y");
    w_->type(Field::EXp, "mine", true);
    const QStringList before = w_->texts();
    w_->click("BitBtn1");
    QVERIFY(w_->messages().isEmpty());
    const QStringList shown = w_->texts();
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      const auto& info = pothenot::Fields()[i];
      const auto at = static_cast<qsizetype>(i);
      if (info.role == pothenot::Role::Result) {
        QVERIFY2(!shown[at].isEmpty(), info.name.data());
      } else {
        QCOMPARE(shown[at], before[at]);
      }
    }
    QCOMPARE(shown, w_->texts(true));

    w_->click("BitBtn3");
    const QStringList cleared(qsizetype(pothenot::kFieldCount), QString());
    QCOMPARE(w_->texts(), cleared);
    QCOMPARE(w_->texts(true), cleared);
    w_->click("BitBtn1");
    QCOMPARE(w_->messages().size(), 1);
    const auto& message = w_->messages().front();
    QCOMPARE(message.title, u"Задача Потенота"_s);
    // The text may quote what was typed into a box: it is never markup.
    QCOMPARE(message.format, Qt::PlainText);
    QVERIFY(message.hadOwner);
    // It names the empty degrees box of γ1, where Calculate stopped.
    QVERIFY2(message.text.contains(QString::fromUtf8(pothenot::Info(Field::Ey1g).quantity)),
             qPrintable(message.text));
    QCOMPARE(w_->texts(), cleared);
    QVERIFY(w_->form().isVisible());
  }

  // C on B and γ2 = γ1 make K1 − K3 and K2 − K4 both zero: Calculate stops
  // at C after writing a, b, the differences and the K values. That stays,
  // the window stays up, and closing and showing it again keeps every text.
  void failureMidwayKeepsWhatWasWritten() {
    w_->click("BitBtn1");
    const QStringList before = w_->texts();
    const Field to[] = {Field::EXc, Field::EYc, Field::Ey2g, Field::Ey2m, Field::Ey2s};
    const Field from[] = {Field::EXb, Field::EYb, Field::Ey1g, Field::Ey1m, Field::Ey1s};
    QStringList left;
    const bool ended = w_->runModal([&] {
      for (std::size_t i = 0; i < std::size(to); ++i) w_->type(to[i], before[At(from[i])], true);
      w_->type(Field::EYaa, "typed");
      w_->click("BitBtn1");
      QVERIFY(w_->form().isVisible() && QApplication::activeModalWidget() == &w_->form());
      left = w_->texts();
      w_->click("BitBtn2");
    });
    QVERIFY(ended);
    QCOMPARE(w_->messages().size(), 1);
    QVERIFY2(w_->messages().front().text.contains(u"«C»"_s),
             qPrintable(w_->messages().front().text));
    QVERIFY(left[At(Field::EK1K3)] != before[At(Field::EK1K3)]);
    QCOMPARE(left[At(Field::EK1K3)], left[At(Field::EK2K4)]);
    QCOMPARE(left[At(Field::EYaa)], before[At(Field::EYaa)] + u"typed"_s);
    for (Field untouched : {Field::EC, Field::EdY, Field::EXp, Field::EPA, Field::Ede})
      QCOMPARE(left[At(untouched)], before[At(untouched)]);
    QStringList shownAgain;
    w_->runModal([&] { shownAgain = w_->texts(); });
    QCOMPARE(shownAgain, left);
    QCOMPARE(w_->texts(true), left);
  }

  void mirrorFollowsEveryKeystroke_data() {
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("mirror");
    QTest::newRow("Xa") << int(Field::EXa) << int(Field::EXaa);
    QTest::newRow("Ya") << int(Field::EYa) << int(Field::EYaa);
  }
  void mirrorFollowsEveryKeystroke() {
    QFETCH(int, given);
    QFETCH(int, mirror);
    QLineEdit* givenBox = w_->box(Field(given));
    QLineEdit* mirrorBox = w_->box(Field(mirror));
    w_->type(Field(given), "", true);
    QCOMPARE(mirrorBox->text(), QString());
    QString typed;
    for (QChar c : u"7000,5"_s) {
      QTest::keyClick(givenBox, c.toLatin1());
      typed += c;
      QCOMPARE(mirrorBox->text(), typed);
    }
    // Inside the text the mirror follows and the cursor stays put.
    givenBox->setCursorPosition(1);
    QTest::keyClick(givenBox, Qt::Key_Backspace);
    QTest::keyClick(givenBox, '9');
    QCOMPARE(givenBox->cursorPosition(), 1);
    QCOMPARE(mirrorBox->text(), u"9000,5"_s);
    // Typing into the mirror changes nothing else; the next keystroke in the
    // given overwrites it.
    QStringList expected = w_->texts();
    w_->type(Field(mirror), "1");
    expected[mirror] += '1';
    QCOMPARE(w_->texts(), expected);
    w_->type(Field(given), "2");
    QCOMPARE(mirrorBox->text(), u"9000,52"_s);
  }

  // Enter and Escape in a box press nothing and close nothing; Enter and
  // Space on a focused button press it.
  void keysInBoxesAndOnButtons_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
  }
  void keysInBoxesAndOnButtons() {
    QFETCH(int, key);
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

    const auto press = [&](const char* name) {
      w_->button(name)->setFocus(Qt::TabFocusReason);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                      key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    };
    press("BitBtn1");
    QVERIFY(!w_->box(Field::EXp)->text().isEmpty());
    press("BitBtn3");
    QVERIFY(w_->box(Field::EXb)->text().isEmpty());
    press("BitBtn2");
    QVERIFY(!w_->form().isVisible());
    QVERIFY(w_->messages().isEmpty());
  }

  // The form is built when first needed, not at start-up: whatever the
  // worksheet, its signals and the commands went through before is there
  // once it is, and a command added afterwards joins it too.
  void formBuiltOnFirstUseShowsWhatCameBefore() {
    TForm2 form;
    QSignalSpy changed(&form, &TForm2::sheetChanged);
    QAction early(u"Раньше"_s), late(u"Позже"_s);
    early.setShortcut(Qt::Key_F7);
    late.setShortcut(Qt::Key_F8);
    QSignalSpy earlyRun(&early, &QAction::triggered), lateRun(&late, &QAction::triggered);
    form.addCommand(&early);
    form.worksheet().setText(Field::EXb, "123,5");
    QCOMPARE(changed.size(), 1);
    QVERIFY(form.findChild<QLineEdit*>() == nullptr);  // nothing built so far

    QCOMPARE(form.box(Field::EXb)->text(), u"123,5"_s);
    form.addCommand(&late);
    QCOMPARE(form.sheetPanel()->actions(), (QList<QAction*>{&early, &late}));
    QCOMPARE(form.sheetPanel()->contextMenuPolicy(), Qt::ActionsContextMenu);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClicks(form.box(Field::EYb), u"7"_s);
    QCOMPARE(form.worksheet().text(Field::EYb), form.box(Field::EYb)->text().toStdString());
    QTest::keyClick(form.box(Field::EYb), Qt::Key_F7);
    QTest::keyClick(form.box(Field::EYb), Qt::Key_F8);
    QCOMPARE(earlyRun.size() + lateRun.size(), 2);
  }

  // The example's first number with a comma is Xb: Calculate stops there,
  // before it writes anything. Written with points, the example calculates.
  void pointLocaleTakesTheUsersSeparator() {
    const QStringList before = w_->texts();
    w_->click("BitBtn1");
    QCOMPARE(w_->messages().size(), 1);
    const QString text = w_->messages().front().text;
    QVERIFY2(text.contains(QString::fromUtf8(pothenot::Info(Field::EXb).quantity)) &&
                 text.contains(before[At(Field::EXb)]) && text.contains(u"точкой «.»"_s),
             qPrintable(text));
    QCOMPARE(w_->texts(), before);
    QCOMPARE(w_->texts(true), before);
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      if (pothenot::Fields()[i].role == pothenot::Role::Given)
        w_->type(Field(i), QString(before[qsizetype(i)]).replace(',', '.'), true);
    }
    w_->click("BitBtn1");
    QCOMPARE(w_->messages().size(), 1);
    QCOMPARE(w_->box(Field::EXp)->text(), u"8221.23"_s);
    QCOMPARE(w_->box(Field::EK1K3)->text(), u"-10044.72"_s);
  }
};

int main(int argc, char** argv) {
  // The desktop's locale decides the decimal separator; pin it before the
  // application reads it.
  qputenv("LC_ALL", kPoint ? "C.UTF-8" : "ru_RU.UTF-8");
  TApplication app(argc, argv);
  app.setTitle(u"Задача Потенота"_s);
  TestZadaha test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_zadaha.moc"
