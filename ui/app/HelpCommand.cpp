#include "ui/app/HelpCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <utility>

#ifndef POTHENOT_BINDIR
#define POTHENOT_BINDIR "/usr/local/bin"
#endif

namespace pothenot {

bool HelpCommand::startDetached(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}

QString HelpCommand::viewerName() {
  return QStringLiteral("pothenot-help");
}

QStringList HelpCommand::viewerDirectories() {
  QStringList directories{QCoreApplication::applicationDirPath()};
  const QString path = qEnvironmentVariable("PATH");
  for (const QString& entry : path.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
    directories << entry;
  }
  directories << QStringLiteral(POTHENOT_BINDIR);
  return directories;
}

QString HelpCommand::findViewer(const QStringList& directories) {
  const QString found = QStandardPaths::findExecutable(viewerName(), directories);
  return found.isEmpty() ? viewerName() : found;
}

HelpCommand::HelpCommand(Launcher launcher) : launcher_(std::move(launcher)) {}

HelpCommand::HelpCommand(Launcher launcher, QStringList directories)
    : launcher_(std::move(launcher)), directories_(std::move(directories)), ownDirectories_(true) {}

bool HelpCommand::run(int command, unsigned long data) {
  static_cast<void>(data);
  if (command != kHelpFinder || helpFile_.isEmpty()) return false;
  const QString viewer = findViewer(ownDirectories_ ? directories_ : viewerDirectories());
  static_cast<void>(launcher_(viewer, {QStringLiteral("--topics"), helpFile_}));
  return true;
}

}  // namespace pothenot
