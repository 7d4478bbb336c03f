#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "help/HelpLocator.h"

namespace pothenot {

class HelpViewer;

/// What `pothenot-help [--topics] FILE` does before the event loop: reads the
/// command line, finds and reads the help file and builds the viewer. Every
/// failure goes to the error sink as one Russian message; the program shows it
/// in a message box, a test just records it.
class HelpLauncher {
 public:
  using ErrorSink = std::function<void(const QString& message)>;

  /// Exit statuses of the program.
  enum Status { Ok = 0, FileFailed = 1, UsageFailed = 2 };

  HelpLauncher(HelpLocator locator, ErrorSink sink);

  /// `arguments` without the program's name. Returns the viewer, not yet
  /// shown, or nothing after reporting the failure; `status()` tells which.
  std::unique_ptr<HelpViewer> open(const QStringList& arguments);
  Status status() const { return status_; }

 private:
  std::unique_ptr<HelpViewer> fail(Status status, const QString& message);

  HelpLocator locator_;
  ErrorSink sink_;
  Status status_ = Ok;
};

}  // namespace pothenot
