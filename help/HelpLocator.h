#pragma once

#include <QString>
#include <QStringList>

namespace pothenot {

/// Where the viewer looks for a help file named without a directory.
class HelpLocator {
 public:
  /// Looks in `directories`, in this order.
  explicit HelpLocator(QStringList directories);

  /// The viewer's own order: the current directory, then the directory of the
  /// executable, then the installed data directory. Needs a QCoreApplication.
  static HelpLocator standard();

  const QStringList& directories() const { return directories_; }

  /// The path of the file to open: a name with a directory part is taken as it
  /// stands (relative to the current directory); a bare name is looked for in
  /// each directory in turn and the first regular file of that name wins.
  /// Empty when there is nothing of that name.
  QString locate(const QString& name) const;

  /// Whether `name` carries a directory part ("docs/HELP.HLP", "/x/HELP.HLP").
  static bool hasDirectory(const QString& name);

 private:
  QStringList directories_;
};

}  // namespace pothenot
