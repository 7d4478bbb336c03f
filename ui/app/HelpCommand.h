// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace pothenot {

/// The application's help: the name of its help file and the command that
/// hands that file to the help viewer. The viewer is a program of its own,
/// `pothenot-help`; the application starts it and goes on at once, without
/// waiting for it. A viewer that cannot be
/// started is simply not there: the user sees no help, and nothing else
/// happens. While the viewer it started runs, a command goes to it on a
/// local channel (helpChannel) instead: the open help window shows what is
/// asked and comes to the front, and no second one is started. Nor is one
/// started while the last is starting (for kStartingMs, or until it listens):
/// the last command asked meanwhile goes to it once it listens, polled on
/// the event loop. A viewer that never listens (it could not open the
/// channel and said so, yet shows the help) is followed, after that time, by
/// a new one at each command.
class HelpCommand {
 public:
  /// Opens the help file at its topics: its contents and index.
  static constexpr int kHelpFinder = 11;
  /// How long a viewer that has been started may take to listen, ms.
  static constexpr int kStartingMs = 5000;

  /// Starts `program` with `arguments` and returns without waiting. The
  /// result tells whether a process came into being: only then is it taken
  /// for a viewer that is starting.
  using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;

  /// The real launcher: a detached process.
  static bool startDetached(const QString& program, const QStringList& arguments);

  /// The viewer's file name.
  static QString viewerName();

  /// Where the viewer is looked for, in this order: the directory of the
  /// running program, the directories of PATH, the installed bindir.
  /// Needs a QCoreApplication.
  static QStringList viewerDirectories();

  /// The first executable viewer in `directories`; the bare name when there
  /// is none, so that starting it fails quietly.
  static QString findViewer(const QStringList& directories);

  /// The viewer is looked for in viewerDirectories() at each command.
  explicit HelpCommand(Launcher launcher = &startDetached);
  /// The viewer is looked for in `directories` only.
  HelpCommand(Launcher launcher, QStringList directories);

  /// The help file's name, without a directory: the viewer finds it. Empty
  /// until the first "Описание".
  const QString& helpFile() const { return helpFile_; }
  void setHelpFile(const QString& name) { helpFile_ = name; }

  /// Passes `command` for the current help file to the viewer. Only
  /// kHelpFinder is known; `data` carries nothing for it. Returns whether the
  /// viewer was asked at all (there is a help file and the command is known);
  /// the application does not use the result.
  bool run(int command, unsigned long data = 0);

  /// Opens the current help file at the topic `id` (F1 in a window). Returns
  /// whether the viewer was asked at all.
  bool showTopic(const QString& id);

  /// The name of the local channel (helpChannel) the viewer started by this
  /// command listens on.
  const QString& channel() const { return channel_; }

 private:
  /// A viewer started and not heard of yet: when it is given up on, and the
  /// last request made meanwhile.
  struct Starting {
    QDeadlineTimer until;
    QStringList pending;
  };
  bool request(const QStringList& arguments);
  /// Hands the pending request to the viewer as soon as it listens, until
  /// it is given up on or forgotten.
  static void handOnLater(const std::weak_ptr<Starting>& starting, const QString& channel);

  Launcher launcher_;
  QStringList directories_;
  bool ownDirectories_ = false;
  QString helpFile_;
  QString channel_;
  std::shared_ptr<Starting> starting_;
};

}  // namespace pothenot
