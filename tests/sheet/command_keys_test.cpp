// SPDX-License-Identifier: GPL-3.0-or-later
// The commands' keys pressed with the cursor in a box as a person presses
// them: through the X server (xdotool, by XTest) to the window a real window
// manager (openbox) gave the focus. A box claims before any shortcut the keys
// its desktop binds to editing (on X11, Ctrl+E is the end of the line), which
// synthetic key events and the offscreen platform never show: xcb only.
#include <QDoubleSpinBox>
#include <QProcess>
#include <QSignalSpy>

#include "WindowDriver.h"
#include "ui/app/HelpKey.h"
#include "ui/document/SheetDocument.h"
#include "ui/drawing/DrawingCommand.h"

using pothenot::Field;
using namespace Qt::StringLiterals;

class TestCommandKeys : public WindowTest {
  Q_OBJECT

  QProcess wm_;

  // The key to the window with the focus, named as xdotool names it.
  static bool press(const QKeySequence& key) {
    QStringList names = key.toString(QKeySequence::PortableText).split(u'+');
    for (QString& name : names)
      if (&name != &names.back() || name.size() == 1) name = name.toLower();
    return QProcess::execute(u"xdotool"_s, {u"key"_s, names.join(u'+')}) == 0;
  }
  static bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 3000); }
  pothenot::SheetDocument& edits() { return *w_->commands().document; }
  QString text(Field field) { return w_->box(field)->text(); }
  // A point moved in the drawing: Xc written, kept as a step to undo.
  void move() { edits().begin(), edits().write({{Field::EXc, "1000"}}), edits().finish(u"C"_s); }

 private slots:
  void initTestCase() {
    if (QGuiApplication::platformName() != u"xcb"_s) QSKIP("keys through an X server only");
    wm_.start(u"openbox"_s, {u"--sm-disable"_s});
    // Up once it tells the desktops apart.
    QVERIFY(waitFor([] { return QProcess::execute(u"xdotool"_s, {u"get_desktop"_s}) == 0; }));
  }
  void cleanupTestCase() {
    wm_.terminate();
    wm_.waitForFinished();
  }

  // Each command's key from a box runs the command and leaves the cursor in
  // the box; F1 opens the worksheet's help. The commands' actions are
  // watched, not run (they would open their windows and dialogs), except the
  // sheet's undo and redo.
  void everyCommandKeyFromABox() {
    QStringList topics;
    pothenot::HelpKey help([&](const QString& topic) { topics << topic; });
    QApplication::instance()->installEventFilter(&help);
    move();
    QLineEdit* box = w_->box(Field::EXb);
    box->setFocus();
    QStringList missed;
    for (QAction* action : w_->form().actions()) {
      if (action != edits().undoAction() && action != edits().redoAction())
        disconnect(action, &QAction::triggered, nullptr, nullptr);
      QSignalSpy ran(action, &QAction::triggered);
      if (!press(action->shortcut()) || !waitFor([&] { return ran.count() == 1; }))
        missed << action->shortcut().toString();
      QCOMPARE(QApplication::focusWidget(), box);
    }
    QCOMPARE(missed.join(u", "_s), QString());
    QVERIFY(press(Qt::Key_F1));
    QVERIFY(waitFor([&] { return topics == QStringList{u"worksheet"_s}; }));
  }

  // Ctrl+Z and Ctrl+Shift+Z undo and redo the box's own edit while it has
  // one, then the sheet's move: in the problem window, and in the drawing
  // window's m_β box.
  void undoIsTheBoxsWhileItHasAnEditOfItsOwn() {
    const QString Xc = text(Field::EXc), Xp = text(Field::EXp), moved = u"1000"_s;
    w_->type(Field::EXp, u"5"_s);  // a result: the sheet keeps its moves
    move();
    const QKeyCombination undo = Qt::CTRL | Qt::Key_Z, redo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
    const std::tuple<QKeyCombination, QString, QString> steps[] = {
        {undo, Xp, moved}, {undo, Xp, Xc}, {redo, Xp + u'5', Xc}, {redo, Xp + u'5', moved}};
    for (const auto& [key, p, c] : steps) {
      QVERIFY(press(key));
      QVERIFY(waitFor([&] { return text(Field::EXp) == p && text(Field::EXc) == c; }));
    }
    w_->commands().drawing->action()->trigger();
    auto* angle = w_->form().findChild<QDoubleSpinBox*>(u"AngleError"_s);
    QVERIFY(QTest::qWaitForWindowActive(angle->window()));
    const double mBeta = angle->value();
    angle->setFocus();
    angle->selectAll();
    QTest::keyClicks(angle, u"7"_s);
    QVERIFY(press(undo) && waitFor([&] { return angle->value() == mBeta; }));
    QVERIFY(press(undo) && waitFor([&] { return text(Field::EXc) == Xc; }));
  }
};

POTHENOT_WINDOW_TEST_MAIN(TestCommandKeys, "ru_RU.UTF-8")

#include "command_keys_test.moc"
