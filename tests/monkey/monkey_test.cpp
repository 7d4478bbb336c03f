// SPDX-License-Identifier: GPL-3.0-or-later
// A monkey at the problem window: random keys, pastes (up to a megabyte),
// clicks on the three buttons and Clear/Calculate cycles, with a fixed seed.
// Afterwards every box must still show its field's text and the window must
// still calculate. Under the sanitizers any crash, leak or undefined
// behaviour on the way fails the run too.
#include <QClipboard>
#include <QKeyEvent>
#include <QLocale>
#include <random>

#include "WindowDriver.h"
#include "calc/fields.h"

using pothenot::Field;

namespace {

int Setting(const char* name, int fallback) {
  return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
}

// Types any characters, not only the ASCII that QTest's key names cover, as a
// keyboard with a Greek or Cyrillic layout would.
void Type(QWidget* target, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(target, &release);
  }
}

}  // namespace

class TestMonkey : public QObject {
  Q_OBJECT

 private:
  std::mt19937 random_{static_cast<unsigned>(Setting("POTHENOT_MONKEY_SEED", 20261206))};

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  QString Piece() {
    static const QStringList pieces = {"0", "7",   ",",    ".",      "-",         "+", "e",
                                       "E", " ",   "5,25", "1e400",  "γ",         "ж", "°",
                                       "`", "<b>", "\t",   "12,5.3", "9999999999"};
    return pieces[Pick(static_cast<int>(pieces.size()))];
  }

  // Mostly short texts; now and then a long or a megabyte one.
  QString PasteText() {
    const int kind = Pick(100);
    if (kind == 0) return QString(1 << 20, QChar('7'));
    if (kind < 5) return QString(4096, QChar(u'ж'));
    QString text;
    for (int i = Pick(6); i >= 0; --i) text += Piece();
    return text;
  }

 private slots:
  void initTestCase() { QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(",")); }

  void randomUseLeavesTheWindowConsistent() {
    const int events = Setting("POTHENOT_MONKEY_EVENTS", 10000);
    WindowDriver w;
    const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,   Qt::Key_Right,
                            Qt::Key_Home,      Qt::Key_End,    Qt::Key_Return, Qt::Key_Escape,
                            Qt::Key_Tab,       Qt::Key_Space,  Qt::Key_Backtab};
    int clicks = 0, pastes = 0;
    for (int event = 0; event < events; ++event) {
      if (!w.form().isVisible()) w.form().show();
      const auto field = static_cast<Field>(Pick(static_cast<int>(pothenot::kFieldCount)));
      QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w.form();
      const int pick = Pick(20);
      if (pick < 4) {  // Calculate or Clear, both in turn, now and then Выход
        const char* buttons[] = {"BitBtn1", "BitBtn3", "BitBtn3", "BitBtn3", "BitBtn2"};
        const int first = pick == 2 && Pick(10) == 0 ? 4 : pick;
        w.click(buttons[first]);
        if (first == 3) w.click("BitBtn1");
        clicks += first == 3 ? 2 : 1;
      } else if (pick < 6) {
        QApplication::clipboard()->setText(PasteText());
        w.box(field)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(w.box(field), Qt::Key_V, Qt::ControlModifier);
        ++pastes;
      } else if (pick < 8) {
        QTest::keyClick(target, "azx"[Pick(3)], Qt::ControlModifier);
      } else if (pick < 11) {
        QTest::keyClick(target, keys[Pick(static_cast<int>(std::size(keys)))]);
      } else if (pick < 12) {
        QTest::mouseClick(w.box(field), Qt::LeftButton);
      } else {
        Type(target, Piece());
      }
      if (event % 500 == 0) QCOMPARE(w.texts(), w.texts(true));
    }
    if (!w.form().isVisible()) w.form().show();
    QCOMPARE(w.texts(), w.texts(true));
    qInfo("%d events: %d clicks, %d pastes, %d failure messages shown and closed", events, clicks,
          pastes, static_cast<int>(w.messages().size()));
    QVERIFY(clicks > events / 20);
    QVERIFY(pastes > events / 20);

    // Still answering: the built-in example typed back calculates.
    for (std::size_t i = 0; i < pothenot::kFieldCount; ++i)
      w.box(Field(i))->setText(QString::fromUtf8(pothenot::Fields()[i].defaultText));
    const auto before = w.messages().size();
    w.click("BitBtn1");
    QCOMPARE(w.messages().size(), before);
    QCOMPARE(w.box(Field::EXp)->text(), QStringLiteral("8221,23"));
    QCOMPARE(w.box(Field::Ede)->text(), QStringLiteral("0°0`0``"));
    QCOMPARE(w.texts(), w.texts(true));
  }
};

POTHENOT_WINDOW_TEST_MAIN(TestMonkey, "ru_RU.UTF-8")

#include "monkey_test.moc"
