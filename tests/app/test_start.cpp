// The application as a whole: start-up, the start window and its buttons,
// the help command. Driven offscreen with real key and mouse events; mouse
// events go through the windowing layer, so a window blocked by a modal one
// does not get them.
#define QTEST_QPA_MOUSE_HANDLING
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "ui/About.h"
#include "ui/Application.h"
#include "ui/HelpCommand.h"
#include "ui/Program.h"
#include "ui/Start.h"
#include "ui/Zadaha.h"

using pothenot::HelpCommand;

namespace {

QPushButton* Button(QWidget* window, const char* name) {
  auto* found = window->findChild<QPushButton*>(QString::fromLatin1(name));
  Q_ASSERT(found != nullptr);
  return found;
}

bool Activate(QWidget* window) {
  window->show();
  QApplication::setActiveWindow(window);
  return QTest::qWaitForWindowActive(window);
}

// A stand-in viewer: a script that writes its arguments next to itself, then
// waits until the test lets it go or its directory goes (ten seconds at most).
bool WriteViewer(const QString& directory) {
  QFile script(directory + QStringLiteral("/pothenot-help"));
  if (!script.open(QIODevice::WriteOnly)) return false;
  script.write(
      "#!/bin/sh\n"
      "exec >/dev/null 2>&1\n"
      "here=$(dirname \"$0\")\n"
      "echo \"$@\" > \"$here/asked.tmp\" && mv \"$here/asked.tmp\" \"$here/asked\"\n"
      "i=0\n"
      "while [ -d \"$here\" ] && [ ! -e \"$here/release\" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i+1)); done\n");
  script.close();
  return script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                               QFileDevice::ExeOwner);
}

}  // namespace

class TestStart : public QObject {
  Q_OBJECT

 private:
  TApplication& app_;
  QTemporaryDir viewerDir_;
  std::unique_ptr<TProgram> program_;
  QList<QStringList> launches_;  // program, then its arguments

  QWidget* form1() const { return program_->Form1(); }

 public:
  explicit TestStart(TApplication& app) : app_(app) {}

 private slots:
  void initTestCase() {
    QVERIFY(viewerDir_.isValid());
    QVERIFY(WriteViewer(viewerDir_.path()));
  }

  void init() {
    launches_.clear();
    HelpCommand help(
        [this](const QString& program, const QStringList& arguments) {
          launches_ << (QStringList{program} + arguments);
          return true;
        },
        {viewerDir_.path()});
    program_ = std::make_unique<TProgram>(app_, std::move(help));
  }

  void cleanup() { program_.reset(); }

  void startUpCreatesTheWindowsHidden() {
    QCOMPARE(app_.title(), QStringLiteral("Задача Потенота"));
    QVERIFY(program_->help().helpFile().isEmpty());
    QVERIFY(!form1()->isVisible());
    QVERIFY(!program_->Form2()->isVisible());
    QVERIFY(!program_->AboutBox()->isVisible());
    // The start window came first: the other two belong to its frame.
    QVERIFY(form1()->isWindow());
    QCOMPARE(program_->Form2()->parentWidget(), form1());
    QCOMPARE(program_->AboutBox()->parentWidget(), form1());
    // Every frame shows the application's icon, in both small sizes.
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
    QVERIFY(form1()->windowIcon().cacheKey() == QApplication::windowIcon().cacheKey());
  }

  void runEndsWhenTheStartWindowClosesWhateverElseIsOpen_data() {
    QTest::addColumn<bool>("byExitButton");
    QTest::newRow("Выход") << true;
    QTest::newRow("close box") << false;
  }
  void runEndsWhenTheStartWindowClosesWhateverElseIsOpen() {
    QFETCH(bool, byExitButton);
    bool shownAlone = false;
    bool stillRunning = false;
    bool guardFired = false;
    QWidget stray;  // some other top-level window, left open
    QTimer::singleShot(0, form1(), [&] {
      shownAlone = form1()->isVisible() && !program_->Form2()->isVisible() &&
                   !program_->AboutBox()->isVisible();
      stray.show();
      program_->AboutBox()->show();
      // Closing another window does not end the application.
      program_->Form2()->show();
      program_->Form2()->close();
      QTimer::singleShot(20, form1(), [&] {
        stillRunning = true;
        if (byExitButton) {
          QTest::mouseClick(Button(form1(), "BitBtn3"), Qt::LeftButton);
        } else {
          form1()->close();
        }
      });
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &app_, [&] {
      guardFired = true;
      QApplication::quit();
    });
    guard.start(5000);
    program_->Run();
    QVERIFY(shownAlone);
    QVERIFY(stillRunning);
    QVERIFY(!guardFired);
    QVERIFY(!form1()->isVisible());
    QVERIFY(stray.isVisible());
  }

  void tabRunsTaskHelpExitAbout() {
    QVERIFY(Activate(form1()));
    Button(form1(), "BitBtn1")->setFocus(Qt::TabFocusReason);
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 4; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, (QStringList{"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn1"}));
    QCOMPARE(Button(form1(), "BitBtn3")->text(), QStringLiteral("Выход"));
    QCOMPARE(Button(form1(), "BitBtn4")->text(), QStringLiteral("О программе"));
  }

  void focusedButtonTakesEnterAndSpaceNoOtherDoes() {
    QVERIFY(Activate(form1()));
    QPushButton* help = Button(form1(), "BitBtn2");
    help->setFocus(Qt::TabFocusReason);
    QTest::keyClick(help, Qt::Key_Return);
    QTest::keyClick(help, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(help, Qt::Key_Space);
    QCOMPARE(launches_.size(), 3);
    for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4"}) {
      QVERIFY2(!Button(form1(), name)->isDefault() && !Button(form1(), name)->autoDefault(), name);
    }
    QPushButton* exit = Button(form1(), "BitBtn3");
    exit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(exit, Qt::Key_Return);
    QVERIFY(!form1()->isVisible());
  }

  void helpAsksTheViewerEachTimeWithTheSameFile() {
    QVERIFY(Activate(form1()));
    for (int i = 0; i < 3; ++i) QTest::mouseClick(Button(form1(), "BitBtn2"), Qt::LeftButton);
    QCOMPARE(program_->help().helpFile(), QStringLiteral("HELP.HLP"));
    QCOMPARE(launches_.size(), 3);
    const QStringList expected{viewerDir_.filePath("pothenot-help"), "--topics", "HELP.HLP"};
    for (const QStringList& launch : launches_) QCOMPARE(launch, expected);
  }

  void taskShowsTheProblemWindowModallyWithItsTexts() {
    QVERIFY(Activate(form1()));
    TForm2* form2 = program_->Form2();
    bool sawModal = false;
    bool startWindowIgnored = false;
    QTimer::singleShot(0, form2, [&] {
      QVERIFY(QTest::qWaitForWindowExposed(form2));
      sawModal =
          form2->isVisible() && form2->isModal() && QApplication::activeModalWidget() == form2;
      // The start window takes no input while the problem window is up.
      QTest::mouseClick(Button(form1(), "BitBtn2"), Qt::LeftButton);
      startWindowIgnored = launches_.isEmpty();
      auto* xb = form2->findChild<QLineEdit*>("EXb");
      xb->setFocus(Qt::MouseFocusReason);
      QTest::keyClick(xb, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(xb, "1234,5");
      QTest::mouseClick(Button(form2, "BitBtn2"), Qt::LeftButton);  // "Выход"
    });
    QTest::mouseClick(Button(form1(), "BitBtn1"), Qt::LeftButton);
    QVERIFY(sawModal);
    QVERIFY(startWindowIgnored);
    QVERIFY(!form2->isVisible());
    QVERIFY(form1()->isVisible());

    QString shownAgain;
    QTimer::singleShot(0, form2, [&] {
      shownAgain = form2->findChild<QLineEdit*>("EXb")->text();
      form2->close();  // the frame's close box
    });
    QTest::mouseClick(Button(form1(), "BitBtn1"), Qt::LeftButton);
    QCOMPARE(shownAgain, QStringLiteral("1234,5"));
    QVERIFY(!form2->isVisible());
  }

  void aboutShowsTheAboutBoxModally() {
    QVERIFY(Activate(form1()));
    TAboutBox* about = program_->AboutBox();
    bool sawModal = false;
    QTimer::singleShot(0, about, [&] {
      sawModal = about->isVisible() && QApplication::activeModalWidget() == about;
      QTest::mouseClick(Button(about, "OKButton"), Qt::LeftButton);
    });
    QTest::mouseClick(Button(form1(), "BitBtn4"), Qt::LeftButton);
    QVERIFY(sawModal);
    QVERIFY(!about->isVisible());
  }

  // The real launcher, with a stand-in viewer that keeps running: the command
  // starts it and returns at once.
  void realViewerIsStartedWithoutWaiting() {
    HelpCommand help(&HelpCommand::StartDetached, {viewerDir_.path()});
    help.setHelpFile(QStringLiteral("HELP.HLP"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(help.run(HelpCommand::kHelpFinder));
    QVERIFY(clock.elapsed() < 2000);
    const QString asked = viewerDir_.filePath("asked");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(asked), 5000);
    QFile file(asked);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().trimmed(), QByteArray("--topics HELP.HLP"));
    QFile release(viewerDir_.filePath("release"));
    QVERIFY(release.open(QIODevice::WriteOnly));
  }

  void missingViewerIsNotAnError() {
    QTemporaryDir empty;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", empty.path().toLocal8Bit());
    HelpCommand help(&HelpCommand::StartDetached, {empty.path()});
    QCOMPARE(HelpCommand::FindViewer({empty.path()}), QStringLiteral("pothenot-help"));
    // Before the first "Описание" there is no help file to show.
    QVERIFY(!help.run(HelpCommand::kHelpFinder));
    help.setHelpFile(QStringLiteral("HELP.HLP"));
    const bool asked = help.run(HelpCommand::kHelpFinder);
    qputenv("PATH", path);
    QVERIFY(asked);
  }

  void viewerIsLookedForInOrder() {
    QTemporaryDir first;
    // A file of that name that cannot run is passed over.
    QFile plain(first.filePath("pothenot-help"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QCOMPARE(HelpCommand::FindViewer({first.path(), viewerDir_.path()}),
             viewerDir_.filePath("pothenot-help"));
    const QStringList standard = HelpCommand::ViewerDirectories();
    QCOMPARE(standard.first(), QCoreApplication::applicationDirPath());
  }
};

int main(int argc, char** argv) {
  // The problem window reads numbers with the desktop's decimal separator;
  // pin the desktop the texts above are written for.
  qputenv("LC_ALL", "ru_RU.UTF-8");
  TApplication app(argc, argv);
  TestStart test(app);
  return QTest::qExec(&test, argc, argv);
}

#include "test_start.moc"
