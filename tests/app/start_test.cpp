// SPDX-License-Identifier: GPL-3.0-or-later
// The application as a whole: start-up, the start window, the windows it
// shows and the help command. Driven offscreen with real key and mouse
// events; mouse events go through the windowing layer, so a window blocked by
// a modal one does not get them.
#define QTEST_QPA_MOUSE_HANDLING
#include "ui/app/Start.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLocalServer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "calc/number_text.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "help/HelpChannel.h"
#include "ui/app/About.h"
#include "ui/app/Commands.h"
#include "ui/app/Program.h"
#include "ui/classcheck/ClassCheckCommand.h"
#include "ui/classcheck/ClassCheckWindow.h"
#include "ui/common/Application.h"
#include "ui/sheet/Zadaha.h"

using namespace pothenot;
using namespace Qt::StringLiterals;

class TestStart : public QObject {
  Q_OBJECT

  TApplication& app_ = *qobject_cast<TApplication*>(QCoreApplication::instance());
  QTemporaryDir viewerDir_, temp_, runtime_;
  std::unique_ptr<Program> program_;
  QList<QStringList> launches_;  // program, then its arguments

  QWidget* form1() const { return program_->Form1(); }
  static void click(QWidget* window, const char* button) {
    QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
  }

 private slots:
  // A stand-in viewer that keeps running for three seconds, as a viewer would.
  // The help's channels in folders of the test's own: the shared temporary
  // folder, and a runtime folder that others may enter.
  void initTestCase() {
    QFile script(viewerDir_.filePath(u"pothenot-help"_s));
    QVERIFY(script.open(QIODevice::WriteOnly) &&
            script.write("#!/bin/sh\nexec sleep 3 >/dev/null 2>&1\n") > 0);
    QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    qputenv("TMPDIR", QFile::encodeName(temp_.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    QVERIFY(QFile::setPermissions(runtime_.path(), QFile::permissions(runtime_.path()) |
                                                       QFileDevice::ReadOther |
                                                       QFileDevice::ExeOther));
  }

  // The real launcher, looking only where the stand-in is. Nothing is shown
  // before Run but the start window, shown here.
  void init() {
    launches_.clear();
    const auto launch = [this](const QString& program, const QStringList& arguments) {
      launches_ << (QStringList{program} + arguments);
      return HelpCommand::startDetached(program, arguments);
    };
    program_ = std::make_unique<Program>(app_, HelpCommand(launch, {viewerDir_.path()}));
    QVERIFY(!form1()->isVisible() && !program_->Form2()->isVisible() &&
            !program_->AboutBox()->isVisible());
    form1()->show();
    form1()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1()));
  }
  void cleanup() { program_.reset(); }

  // The application's title is set and Qt's own dialogs speak Russian; the dialogs belong to the
  // start window's frame; Run ends when the start window closes, by "Выход" or its close box,
  // whatever other window is left open.
  void runEndsWhenTheStartWindowClosesWhateverElseIsOpen_data() {
    QTest::addColumn<bool>("byExitButton");
    QTest::newRow("Выход") << true;
    QTest::newRow("close box") << false;
  }
  void runEndsWhenTheStartWindowClosesWhateverElseIsOpen() {
    QFETCH(bool, byExitButton);
    QCOMPARE(app_.title(), u"Задача Потенота"_s);
    // Qt's own dialogs speak Russian like the rest of the program, on a
    // desktop whose language is English.
    QFileDialog dialog(form1());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), u"Отмена"_s);
    QVERIFY(program_->Form2()->parent() == form1() && program_->AboutBox()->parent() == form1());
    QWidget stray;  // some other top-level window, left open
    QTimer::singleShot(0, form1(), [&] {
      stray.show();
      byExitButton ? click(form1(), "BitBtn3") : void(form1()->close());
    });
    // Ends the loop with another code if the start window did not.
    QTimer::singleShot(5000, &stray, [] { QApplication::exit(1); });
    QCOMPARE(program_->run(), 0);
    QVERIFY(!form1()->isVisible() && stray.isVisible());
  }

  // Sheet files named on the command line: the problem window opens with the
  // first, moved to this desktop's decimal point, and the class window lists
  // them all.
  void filesOnTheCommandLineOpenTheFirstAndListAll() {
    QStringList files;
    for (const std::uint32_t variant : {5u, 6u}) {
      QFile file(viewerDir_.filePath(u"%1.pothenot"_s.arg(variant)));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(WriteSheetFile({MakeVariant(variant), ",", variant, {}}).c_str());
      files << file.fileName();
    }
    bool shown = false;
    std::string xb;
    std::size_t listed = 0;
    QTimer::singleShot(300, form1(), [&] {
      shown = program_->Form2()->isVisible();
      xb = program_->Form2()->worksheet().text("EXb");
      listed = program_->commands().classCheck->window()->rows().size();
      program_->Form2()->hide();
      form1()->close();
    });
    QCOMPARE(program_->run(files), 0);
    QVERIFY(shown && listed == 2);
    QCOMPARE(xb, WithSeparator(MakeVariant(5).text("EXb"), "."));
  }

  // "Описание": the viewer is started with the help file and its channel,
  // and the application goes on without waiting for it. Sockets of the
  // channel's name that others left in the shared temporary folder, or in a
  // runtime folder others may enter, take nothing. F1 pressed and held down
  // while the viewer starts starts no other: the ask goes to the viewer once
  // it listens (the test listens for it). Then "Описание" pressed again (by
  // Enter), and F1 held down in a window, ask the open viewer once each.
  // (Every key that presses a button is pressed in the problem window's test.)
  void helpStartsOneViewerAndF1AsksForTheWindowsTopic() {
    const QString channel = program_->help().channel();
    QLocalServer others[2];
    for (QLocalServer& other : others)
      QVERIFY(other.listen(QDir((&other == others ? temp_ : runtime_).path()).filePath(channel)));

    QPushButton* help = form1()->findChild<QPushButton*>(u"BitBtn2"_s);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(help, Qt::LeftButton);
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(launches_, (QList<QStringList>{{viewerDir_.filePath("pothenot-help"), "--topics",
                                             "--channel", channel, "HELP.HLP"}}));
    const auto holdF1 = [](QWidget* window) {  // a press, then the keyboard's repeats
      for (int press = 0; press < 5; ++press) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QString(), press > 0);
        QApplication::sendEvent(window, &key);
      }
    };
    holdF1(form1());
    QCOMPARE(launches_.size(), 1);
    QObject viewer;
    QStringList requests;
    QVERIFY(helpChannel::listen(
        channel, &viewer, [&](const QStringList& request) { requests << request.join(u'\n'); }));
    QTRY_COMPARE(requests, QStringList{"--topic\nstart-window\nHELP.HLP"});
    QTest::keyClick(help, Qt::Key_Return);
    QTimer::singleShot(0, program_->Form2(), [&] {
      holdF1(program_->Form2());
      program_->Form2()->hide();
    });
    click(form1(), "BitBtn1");
    QTRY_COMPARE(requests, (QStringList{"--topic\nstart-window\nHELP.HLP", "--topics\nHELP.HLP",
                                        "--topic\nworksheet\nHELP.HLP"}));
    QCOMPARE(launches_.size(), 1);
    QVERIFY(!others[0].hasPendingConnections() && !others[1].hasPendingConnections());
  }

  // "Задача" and "О программе" show their windows modally, and the start
  // window takes no click meanwhile. The About box closes by OK, Enter or its
  // close box; Escape closes neither window.
  void dialogsAreModal_data() {
    QTest::addColumn<bool>("about");
    QTest::addColumn<int>("key");  // 0: OK clicked, -1: the close box
    QTest::newRow("problem window, Escape") << false << int(Qt::Key_Escape);
    QTest::newRow("About, OK") << true << 0;
    QTest::newRow("About, Return") << true << int(Qt::Key_Return);
    QTest::newRow("About, close box") << true << -1;
    QTest::newRow("About, Escape") << true << int(Qt::Key_Escape);
  }
  void dialogsAreModal() {
    QFETCH(bool, about);
    QFETCH(int, key);
    QDialog* dialog = about ? static_cast<QDialog*>(program_->AboutBox()) : program_->Form2();
    bool sawModal = false, closed = false;
    QTimer::singleShot(0, dialog, [&] {
      dialog->activateWindow();
      [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(dialog);
      sawModal = dialog->isModal() && QApplication::activeModalWidget() == dialog;
      click(form1(), "BitBtn2");  // "Описание", were the start window not blocked
      if (key == 0) click(dialog, "OKButton");
      if (key < 0) dialog->close();
      if (key > 0) QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
      closed = !dialog->isVisible();
      dialog->hide();
    });
    click(form1(), about ? "BitBtn4" : "BitBtn1");
    QVERIFY(sawModal && launches_.isEmpty());
    QCOMPARE(closed, key != Qt::Key_Escape);  // Escape closes nothing
  }
};

int main(int argc, char** argv) {
  qputenv("LC_ALL", "en_US.UTF-8");
  qputenv("LANGUAGE", "en");
  TApplication app(argc, argv);
  TestStart test;
  return QTest::qExec(&test, argc, argv);
}

#include "start_test.moc"
