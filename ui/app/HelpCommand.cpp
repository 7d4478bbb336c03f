// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/HelpCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <atomic>
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

namespace {

// A channel of its own for each help command of each running program.
QString newChannel() {
  static std::atomic<int> made = 0;
  return QStringLiteral("pothenot-help-%1-%2").arg(QCoreApplication::applicationPid()).arg(++made);
}

}  // namespace

HelpCommand::HelpCommand(Launcher launcher)
    : launcher_(std::move(launcher)), channel_(newChannel()) {}

HelpCommand::HelpCommand(Launcher launcher, QStringList directories)
    : launcher_(std::move(launcher)),
      directories_(std::move(directories)),
      ownDirectories_(true),
      channel_(newChannel()) {}

bool HelpCommand::run(int command, unsigned long data) {
  static_cast<void>(data);
  if (command != kHelpFinder) return false;
  return request({QStringLiteral("--topics")});
}

bool HelpCommand::showTopic(const QString& id) {
  return request({QStringLiteral("--topic"), id});
}

bool HelpCommand::request(const QStringList& arguments) {
  if (helpFile_.isEmpty()) return false;
  // The viewer started before, while it runs, takes the request itself.
  QLocalSocket open;
  open.connectToServer(channel_);
  if (open.waitForConnected(1000)) {
    open.write((arguments + QStringList{helpFile_}).join(u'\n').toUtf8());
    open.disconnectFromServer();
    if (open.state() == QLocalSocket::UnconnectedState || open.waitForDisconnected(1000))
      return true;
  }
  const QString viewer = findViewer(ownDirectories_ ? directories_ : viewerDirectories());
  static_cast<void>(
      launcher_(viewer, arguments + QStringList{QStringLiteral("--channel"), channel_, helpFile_}));
  return true;
}

}  // namespace pothenot
