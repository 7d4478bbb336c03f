// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/HelpCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <atomic>
#include <utility>

#include "help/HelpChannel.h"

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
  const QStringList line = arguments + QStringList{helpFile_};
  // The viewer started before, while it runs, takes the request itself.
  if (helpChannel::send(channel_, line)) {
    starting_.reset();
    return true;
  }
  // One still starting takes it once it listens: a second is not started.
  if (starting_ && !starting_->until.hasExpired()) {
    const bool waiting = !starting_->pending.isEmpty();
    starting_->pending = line;
    if (!waiting) handOnLater(starting_, channel_);
    return true;
  }
  starting_.reset();
  const QString viewer = findViewer(ownDirectories_ ? directories_ : viewerDirectories());
  if (launcher_(viewer, arguments + QStringList{QStringLiteral("--channel"), channel_, helpFile_}))
    starting_ = std::make_shared<Starting>(Starting{QDeadlineTimer(kStartingMs), {}});
  return true;
}

void HelpCommand::handOnLater(const std::weak_ptr<Starting>& starting, const QString& channel) {
  QTimer::singleShot(100, QCoreApplication::instance(), [starting, channel] {
    const std::shared_ptr<Starting> viewer = starting.lock();
    if (!viewer || viewer->pending.isEmpty()) return;
    if (helpChannel::send(channel, viewer->pending) || viewer->until.hasExpired()) {
      viewer->pending.clear();
    } else {
      handOnLater(starting, channel);
    }
  });
}

}  // namespace pothenot
