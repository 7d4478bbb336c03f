// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/Program.h"

#include <QIcon>
#include <QTimer>
#include <utility>

#include "ui/app/About.h"
#include "ui/app/Start.h"
#include "ui/classcheck/ClassCheckCommand.h"
#include "ui/common/Application.h"
#include "ui/common/Title.h"
#include "ui/files/FileCommands.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

Program::Program(TApplication& application, HelpCommand help)
    : application_(application), help_(std::move(help)) {
  application_.setTitle(kProgramTitle);
  help_.setHelpFile(QString());
  // The frames of every window show the application's icon; the desktop
  // entry of the same name gives the desktop the title and the icon.
  QIcon icon;
  icon.addFile(QStringLiteral(":/images/app-16.png"));
  icon.addFile(QStringLiteral(":/images/app-32.png"));
  QApplication::setWindowIcon(icon);
  QGuiApplication::setDesktopFileName(QStringLiteral("pothenot"));
  // The start window alone decides when the application ends: not the last
  // window to close, which may be some other one.
  QApplication::setQuitOnLastWindowClosed(false);

  form1_ = std::make_unique<TForm1>();
  // The dialogs belong to the start window's frame: they stay above it
  // while they are shown.
  form2_ = std::make_unique<TForm2>(form1_.get());
  aboutBox_ = std::make_unique<TAboutBox>(form1_.get());
  commands_ = attachCommands(*form2_);
  // Ending the program sets the sheet aside too: asked about unsaved changes.
  commands_.files->guardClose(form1_.get());

  // The start window only asks; the program answers with its windows and
  // the help, so the start window needs to know none of them.
  QObject::connect(form1_.get(), &TForm1::taskRequested, form2_.get(), &QDialog::exec);
  QObject::connect(form1_.get(), &TForm1::aboutRequested, aboutBox_.get(), &QDialog::exec);
  QObject::connect(form1_.get(), &TForm1::helpRequested, form1_.get(), [this] {
    help_.setHelpFile(QStringLiteral("HELP.HLP"));
    help_.run(HelpCommand::kHelpFinder, 0);
  });
  helpKey_ = std::make_unique<HelpKey>([this](const QString& topic) {
    help_.setHelpFile(QStringLiteral("HELP.HLP"));
    topic.isEmpty() ? help_.run(HelpCommand::kHelpFinder, 0) : help_.showTopic(topic);
  });
  application_.installEventFilter(helpKey_.get());
}

Program::~Program() = default;

int Program::run(const QStringList& files) {
  // The loop ends outright when the start window closes: quit() would first
  // ask every other window to close, and one that refused would keep the
  // application alive.
  const auto end = QObject::connect(form1_.get(), &TForm1::closed, &application_,
                                    [] { QCoreApplication::exit(0); });
  form1_->show();
  if (!files.isEmpty()) {
    QTimer::singleShot(0, form1_.get(), [this, files] {
      commands_.files->openSheet(files.front());
      if (files.size() > 1) {
        QTimer::singleShot(0, form2_.get(),
                           [this, files] { commands_.classCheck->checkFiles(files); });
      }
      form2_->exec();
    });
  }
  const int code = QApplication::exec();
  QObject::disconnect(end);
  return code;
}

}  // namespace pothenot
