// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace pothenot {

class HelpViewer;

/// What `pothenot-help [--topics] [--topic ID] [--channel NAME] FILE` does
/// before the event loop: reads the command line, finds and reads the help
/// file and builds the viewer, which takes later requests on the channel
/// NAME. Every failure goes to the error sink as one Russian message; the
/// program shows it in a message box, a test just records it.
class HelpLauncher {
 public:
  using ErrorSink = std::function<void(const QString& message)>;

  /// The help file is looked for in `directories`, in order.
  HelpLauncher(QStringList directories, ErrorSink sink);

  /// The program's own places first, so that a file of the same name in the
  /// folder the user started from is not taken for its help: the directory of
  /// the executable, the installed data directory, the working directory last.
  /// Needs a QCoreApplication.
  static QStringList standardDirectories();

  /// The path of the file to open, from the first directory holding a regular
  /// file of that name (an absolute name stands for itself). Empty when there
  /// is none.
  QString locate(const QString& name) const;

  /// `arguments` without the program's name. Returns the viewer, not yet
  /// shown, or nothing after reporting the failure. A channel that cannot be
  /// opened is reported too, and the viewer returned all the same. Qt's own texts are
  /// Russian from the first call on (Qt's translation, from its folder).
  std::unique_ptr<HelpViewer> open(const QStringList& arguments);

  /// Hands `arguments` to the viewer that listens on their channel, if one
  /// does (helpChannel::send): it shows what they ask for and comes to the
  /// front. False where they name no channel or nobody listens on it.
  static bool forward(const QStringList& arguments);

 private:
  std::unique_ptr<HelpViewer> fail(const QString& message);

  QStringList directories_;
  ErrorSink sink_;
};

}  // namespace pothenot
