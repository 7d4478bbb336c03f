// The problem window under a desktop locale whose decimal separator is a
// comma, as the worksheet's example is written.
#include <QApplication>
#include <QLocale>
#include <QTest>
#include <climits>
#include <memory>

#include "MessageCatcher.h"
#include "WindowDriver.h"
#include "calc/fields.h"
#include "ui/Application.h"

using pothenot::Field;
using pothenot::Role;

namespace {

const QString kTitle = QStringLiteral("Задача Потенота");

QString Name(Field field) {
  return QString::fromUtf8(pothenot::Info(field).name);
}

QStringList Defaults() {
  QStringList out;
  for (const auto& info : pothenot::Fields()) out << QString::fromUtf8(info.defaultText);
  return out;
}

}  // namespace

class TestZadaha : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<WindowDriver> w_;

 private slots:
  void initTestCase() { QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(",")); }
  void init() { w_ = std::make_unique<WindowDriver>(); }
  void cleanup() { w_.reset(); }

  void calculateFillsEveryResultAndKeepsTheRest() {
    MessageCatcher catcher;
    QCOMPARE(w_->texts(), Defaults());
    w_->click("BitBtn1");
    QCOMPARE(catcher.messages().size(), 0);

    const QStringList defaults = Defaults();
    const QStringList shown = w_->texts();
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
      const auto& info = pothenot::Fields()[i];
      const auto at = static_cast<qsizetype>(i);
      if (info.role == Role::Result) {
        QVERIFY2(!shown[at].isEmpty(), info.name.data());
      } else {
        QCOMPARE(shown[at], defaults[at]);
      }
    }
    QCOMPARE(shown, w_->fieldTexts());
    QCOMPARE(w_->box(Field::Ea)->text(), QStringLiteral("-0,37216"));
    QCOMPARE(w_->box(Field::EK1K3)->text(), QStringLiteral("-10044,72"));
    QCOMPARE(w_->box(Field::EXp)->text(), QStringLiteral("8221,23"));
    QCOMPARE(w_->box(Field::EPA)->text(), QStringLiteral("240°1`14``"));
  }

  void clearedWorksheetFailsAtOnceWithOneMessage() {
    w_->click("BitBtn3");
    for (const QString& text : w_->texts()) QVERIFY(text.isEmpty());
    for (const QString& text : w_->fieldTexts()) QVERIFY(text.isEmpty());

    MessageCatcher catcher;
    w_->click("BitBtn1");
    QCOMPARE(catcher.messages().size(), 1);
    const auto& message = catcher.messages().front();
    QCOMPARE(message.title, kTitle);
    QCOMPARE(message.icon, QMessageBox::Critical);
    QCOMPARE(message.format, Qt::PlainText);
    QVERIFY(message.hadOwner);
    // It names the empty degrees box of γ1, where Calculate stopped.
    QVERIFY2(message.text.contains(QString::fromUtf8(pothenot::Info(Field::Ey1g).quantity)),
             qPrintable(message.text));
    for (const QString& text : w_->texts()) QVERIFY(text.isEmpty());
    QVERIFY(w_->form().isVisible());
  }

  void messageQuotesTypedTextAsPlainText() {
    MessageCatcher catcher;
    w_->retype(Field::EXb, "<b>12</b>");
    w_->click("BitBtn1");
    QCOMPARE(catcher.messages().size(), 1);
    QCOMPARE(catcher.messages().front().format, Qt::PlainText);
    QVERIFY2(catcher.messages().front().text.contains("<b>12</b>"),
             qPrintable(catcher.messages().front().text));
  }

  // C on B and γ2 = γ1 make K1 − K3 and K2 − K4 both zero: Calculate stops
  // at C after writing a, b, the differences and the K values.
  void failureMidwayKeepsWhatWasWrittenAndTheWindowModal() {
    w_->click("BitBtn1");
    const QStringList before = w_->texts();
    MessageCatcher catcher;
    bool stayedModal = false;
    QStringList afterFailure;
    QStringList afterRetry;
    const bool ended = w_->runModal([&] {
      w_->retype(Field::EXc, w_->box(Field::EXb)->text());
      w_->retype(Field::EYc, w_->box(Field::EYb)->text());
      w_->retype(Field::Ey2g, w_->box(Field::Ey1g)->text());
      w_->retype(Field::Ey2m, w_->box(Field::Ey1m)->text());
      w_->retype(Field::Ey2s, w_->box(Field::Ey1s)->text());
      w_->click("BitBtn1");
      stayedModal = w_->form().isVisible() && QApplication::activeModalWidget() == &w_->form();
      afterFailure = w_->texts();
      // The user puts C back and presses again: the window still works.
      w_->retype(Field::EXc, before[static_cast<qsizetype>(Field::EXc)]);
      w_->retype(Field::EYc, before[static_cast<qsizetype>(Field::EYc)]);
      for (Field f : {Field::Ey2g, Field::Ey2m, Field::Ey2s}) {
        w_->retype(f, before[static_cast<qsizetype>(f)]);
      }
      w_->click("BitBtn1");
      afterRetry = w_->texts();
    });
    QVERIFY(!ended);
    QVERIFY(stayedModal);
    QCOMPARE(catcher.messages().size(), 1);
    QVERIFY2(catcher.messages().front().text.contains(QStringLiteral("«C»")),
             qPrintable(catcher.messages().front().text));

    const auto at = [](Field f) { return static_cast<qsizetype>(f); };
    QVERIFY(afterFailure[at(Field::EK1K3)] != before[at(Field::EK1K3)]);
    QVERIFY(afterFailure[at(Field::EK2K4)] != before[at(Field::EK2K4)]);
    QCOMPARE(afterFailure[at(Field::EK1K3)], afterFailure[at(Field::EK2K4)]);
    for (Field untouched : {Field::EC, Field::ECC, Field::EK2CK1, Field::EdY, Field::EXp,
                            Field::EctgPD, Field::EPA, Field::Ede}) {
      QCOMPARE(afterFailure[at(untouched)], before[at(untouched)]);
    }
    QCOMPARE(afterRetry, before);
    QCOMPARE(catcher.messages().size(), 1);
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

    w_->retype(Field(given), "");
    QCOMPARE(mirrorBox->text(), QString());
    QString typed;
    for (QChar c : QStringLiteral("7000,5")) {
      QTest::keyClick(givenBox, c.toLatin1());
      typed += c;
      QCOMPARE(mirrorBox->text(), typed);
    }
    // Editing inside the text: the mirror follows and the cursor stays where
    // the user is typing.
    givenBox->setCursorPosition(1);
    QTest::keyClick(givenBox, Qt::Key_Backspace);
    QCOMPARE(mirrorBox->text(), QStringLiteral("000,5"));
    QTest::keyClick(givenBox, '9');
    QCOMPARE(givenBox->cursorPosition(), 1);
    QCOMPARE(mirrorBox->text(), QStringLiteral("9000,5"));

    // Typing into the mirror changes nothing else, and the next keystroke in
    // the given overwrites it.
    const QStringList before = w_->texts();
    w_->type(Field(mirror), "1");
    QStringList expected = before;
    expected[mirror] += "1";
    QCOMPARE(w_->texts(), expected);
    w_->type(Field(given), "2");
    QCOMPARE(mirrorBox->text(), QStringLiteral("9000,52"));
  }

  void typedResultsAndMirrorsStayUntilOverwritten() {
    w_->type(Field::Ea, "x");
    w_->type(Field::EXaa, "y");
    w_->type(Field::EYaa, "z");
    QCOMPARE(QString::fromStdString(w_->form().worksheet().text("Ea")), QStringLiteral("x"));
    QCOMPARE(w_->box(Field::EYa)->text(),
             QString::fromUtf8(pothenot::Info(Field::EYa).defaultText));

    w_->click("BitBtn1");
    // Calculate writes every result and never reads or writes a mirror.
    QCOMPARE(w_->box(Field::Ea)->text(), QStringLiteral("-0,37216"));
    QCOMPARE(w_->box(Field::EXaa)->text(), w_->box(Field::EXa)->text() + "y");
    QCOMPARE(w_->box(Field::EYaa)->text(), w_->box(Field::EYa)->text() + "z");

    // A result typed over after a calculation stays until the next one.
    w_->retype(Field::EXp, "mine");
    QCOMPARE(w_->box(Field::EXp)->text(), QStringLiteral("mine"));
    w_->click("BitBtn1");
    QCOMPARE(w_->box(Field::EXp)->text(), QStringLiteral("8221,23"));

    w_->retype(Field::EdY, "again");
    w_->click("BitBtn3");
    QCOMPARE(w_->box(Field::EdY)->text(), QString());
    QCOMPARE(w_->box(Field::EXaa)->text(), QString());
  }

  void noBoxLimitsItsText() {
    const QString longText(40000, QLatin1Char('7'));
    for (const auto& info : pothenot::Fields()) {
      QLineEdit* edit = w_->box(QString::fromUtf8(info.name));
      edit->selectAll();
      edit->insert(longText);
      QCOMPARE(edit->text().size(), longText.size());
      QCOMPARE(w_->form().worksheet().text(info.name).size(), std::size_t(40000));
      QCOMPARE(edit->accessibleName(), QString::fromUtf8(info.quantity));
    }
  }

  void closingAndShowingAgainKeepsEveryText_data() {
    QTest::addColumn<bool>("byCloseBox");
    QTest::newRow("Выход") << false;
    QTest::newRow("close box") << true;
  }
  void closingAndShowingAgainKeepsEveryText() {
    QFETCH(bool, byCloseBox);
    QStringList left;
    const bool ended = w_->runModal([&] {
      w_->click("BitBtn1");
      w_->retype(Field::EK2, "typed");
      w_->retype(Field::EXa, "1,5");
      left = w_->texts();
      if (byCloseBox) {
        w_->form().close();
      } else {
        w_->click("BitBtn2");
      }
    });
    QVERIFY(ended);
    QVERIFY(!w_->form().isVisible());
    QCOMPARE(left[static_cast<qsizetype>(Field::EXaa)], QStringLiteral("1,5"));

    QStringList shownAgain;
    w_->runModal([&] { shownAgain = w_->texts(); });
    QCOMPARE(shownAgain, left);
    QCOMPARE(w_->fieldTexts(), left);
  }

  void tabRunsThroughBoxesThenButtonsAndWraps() {
    QStringList expected;
    for (const auto& info : pothenot::Fields()) expected << QString::fromUtf8(info.name);
    expected << "BitBtn1"
             << "BitBtn2"
             << "BitBtn3" << Name(Field::Ey1g);

    w_->box(Field::Ey1g)->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn3"));
  }

  void enterAndEscapeInABoxPressNothing() {
    MessageCatcher catcher;
    QStringList after;
    bool stillShown = false;
    const QStringList before = w_->texts();
    const bool ended = w_->runModal([&] {
      for (Field f : {Field::EXb, Field::Ee1}) {
        w_->box(f)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w_->box(f), Qt::Key_Return);
        QTest::keyClick(w_->box(f), Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(w_->box(f), Qt::Key_Escape);
      }
      stillShown = w_->form().isVisible();
      after = w_->texts();
    });
    QVERIFY(stillShown);
    QVERIFY(!ended);
    QCOMPARE(after, before);  // neither Calculate nor Clear ran
    QCOMPARE(catcher.messages().size(), 0);
  }

  void focusedButtonIsPressedByEnterAndSpace_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
  }
  void focusedButtonIsPressedByEnterAndSpace() {
    QFETCH(int, key);
    const auto press = [&](const QString& name) {
      QPushButton* b = w_->button(name);
      b->setFocus(Qt::TabFocusReason);
      QCOMPARE(QApplication::focusWidget(), b);
      QTest::keyClick(b, Qt::Key(key));
    };
    bool calculated = false;
    bool cleared = false;
    const bool ended = w_->runModal([&] {
      press("BitBtn1");
      calculated = !w_->box(Field::EXp)->text().isEmpty();
      press("BitBtn3");
      cleared = w_->box(Field::EXp)->text().isEmpty() && w_->box(Field::EXb)->text().isEmpty();
      press("BitBtn2");
    });
    QVERIFY(calculated);
    QVERIFY(cleared);
    QVERIFY(ended);
  }

  void panelFollowsTheClientAreaAndNothingElseMoves() {
    QWidget* panel = w_->form().findChild<QWidget*>("Panel1");
    QCOMPARE(panel->geometry(), w_->form().rect());
    QMap<QString, QRect> places;
    for (QWidget* child : panel->findChildren<QWidget*>())
      places[child->objectName()] = child->geometry();

    w_->form().resize(700, 800);
    QCOMPARE(panel->geometry(), w_->form().rect());
    w_->form().resize(300, 200);
    QCOMPARE(panel->geometry(), w_->form().rect());
    for (QWidget* child : panel->findChildren<QWidget*>()) {
      QCOMPARE(child->geometry(), places.value(child->objectName()));
    }
  }
};

int main(int argc, char** argv) {
  // The desktop's locale decides the decimal separator; pin it before the
  // application reads it.
  qputenv("LC_ALL", "ru_RU.UTF-8");
  TApplication app(argc, argv);
  app.setTitle(kTitle);
  TestZadaha test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_zadaha.moc"
