// The application as a whole: start-up, the start window, the windows it
// shows and the help command. Driven offscreen with real key and mouse
// events; mouse events go through the windowing layer, so a window blocked by
// a modal one does not get them.
#define QTEST_QPA_MOUSE_HANDLING
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "ui/About.h"
#include "ui/Application.h"
#include "ui/Program.h"
#include "ui/Start.h"
#include "ui/Zadaha.h"

using pothenot::HelpCommand;
using namespace Qt::StringLiterals;

namespace {

QPushButton* Button(QWidget* window, const char* name) {
  return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

}  // namespace

class TestStart : public QObject {
  Q_OBJECT

  TApplication& app_;
  QTemporaryDir viewerDir_;
  std::unique_ptr<TProgram> program_;
  QList<QStringList> launches_;  // program, then its arguments

  QWidget* form1() const { return program_->Form1(); }

 public:
  explicit TestStart(TApplication& app) : app_(app) {}

 private slots:
  // A stand-in viewer that keeps running for three seconds, as a viewer would.
  void initTestCase() {
    QFile script(viewerDir_.filePath(u"pothenot-help"_s));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 3 >/dev/null 2>&1\n");
    script.close();
    QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  }

  void init() {
    launches_.clear();
    // The real launcher, looking only where the stand-in is.
    HelpCommand help(
        [this](const QString& program, const QStringList& arguments) {
          launches_ << (QStringList{program} + arguments);
          return HelpCommand::StartDetached(program, arguments);
        },
        {viewerDir_.path()});
    program_ = std::make_unique<TProgram>(app_, std::move(help));
    QVERIFY(!form1()->isVisible() && !program_->Form2()->isVisible() &&
            !program_->AboutBox()->isVisible());
    form1()->show();
    form1()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1()));
  }
  void cleanup() { program_.reset(); }

  void runEndsWhenTheStartWindowClosesWhateverElseIsOpen_data() {
    QTest::addColumn<bool>("byExitButton");
    QTest::newRow("Выход") << true;
    QTest::newRow("close box") << false;
  }
  void runEndsWhenTheStartWindowClosesWhateverElseIsOpen() {
    QFETCH(bool, byExitButton);
    QCOMPARE(app_.title(), u"Задача Потенота"_s);
    // The start window came first: the other two belong to its frame.
    QVERIFY(form1()->isWindow());
    QCOMPARE(program_->Form2()->parentWidget(), form1());
    QCOMPARE(program_->AboutBox()->parentWidget(), form1());
    QWidget stray;  // some other top-level window, left open
    QTimer::singleShot(0, form1(), [&] {
      stray.show();
      byExitButton ? QTest::mouseClick(Button(form1(), "BitBtn3"), Qt::LeftButton)
                   : void(form1()->close());
    });
    QTimer guard;  // ends the loop if the start window did not
    guard.setSingleShot(true);
    guard.callOnTimeout(&app_, &QApplication::quit);
    guard.start(5000);
    QCOMPARE(program_->Run(), 0);
    QVERIFY(guard.isActive());
    QVERIFY(!form1()->isVisible());
    QVERIFY(stray.isVisible());
  }

  // "Описание" by mouse, Enter and Space: the viewer is started each time
  // with the help file, and the application goes on without waiting for it.
  void helpStartsTheViewerEachTimeWithoutWaiting() {
    QPushButton* help = Button(form1(), "BitBtn2");
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(help, Qt::LeftButton);
    help->setFocus(Qt::TabFocusReason);
    QTest::keyClick(help, Qt::Key_Return);
    QTest::keyClick(help, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(help, Qt::Key_Space);
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    const QStringList launch{viewerDir_.filePath("pothenot-help"), "--topics", "HELP.HLP"};
    QCOMPARE(launches_, QList<QStringList>(4, launch));
  }

  // "Задача" and "О программе" show their windows modally. The About box
  // closes by OK, Enter or its close box; Escape closes neither window.
  void dialogsAreModal_data() {
    QTest::addColumn<bool>("about");
    QTest::addColumn<int>("key");  // 0: OK clicked, -1: the close box
    QTest::addColumn<bool>("closes");
    QTest::newRow("problem window, Escape") << false << int(Qt::Key_Escape) << false;
    QTest::newRow("About, OK") << true << 0 << true;
    QTest::newRow("About, keypad Enter") << true << int(Qt::Key_Enter) << true;
    QTest::newRow("About, Return") << true << int(Qt::Key_Return) << true;
    QTest::newRow("About, close box") << true << -1 << true;
    QTest::newRow("About, Escape") << true << int(Qt::Key_Escape) << false;
  }
  void dialogsAreModal() {
    QFETCH(bool, about);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QDialog* dialog = about ? static_cast<QDialog*>(program_->AboutBox()) : program_->Form2();
    bool sawModal = false;
    QTimer::singleShot(0, dialog, [&] {
      dialog->activateWindow();
      [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(dialog);
      sawModal = dialog->isModal() && QApplication::activeModalWidget() == dialog;
      // The start window takes no input meanwhile.
      QTest::mouseClick(Button(form1(), "BitBtn2"), Qt::LeftButton);
      if (key == 0) {
        QTest::mouseClick(Button(dialog, "OKButton"), Qt::LeftButton);
      } else if (key < 0) {
        dialog->close();
      } else {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
      }
      const bool closed = !dialog->isVisible();
      dialog->hide();
      QCOMPARE(closed, closes);
    });
    QTest::mouseClick(Button(form1(), about ? "BitBtn4" : "BitBtn1"), Qt::LeftButton);
    QVERIFY(sawModal);
    QVERIFY(launches_.isEmpty());
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  TestStart test(app);
  return QTest::qExec(&test, argc, argv);
}

#include "test_start.moc"
