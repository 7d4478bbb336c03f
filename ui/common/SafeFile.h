// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;
class QWidget;

/// Writing the user's files, the one way every command does it: asked before a
/// file is replaced, written whole or not at all, and a failure told.
namespace pothenot::safeFile {

/// How writing a file went.
struct Outcome {
  enum Status { Written, Cancelled, Failed } status;
  QString message;  ///< for Failed: what to tell the user, in Russian
};

/// Whether `path` may be written: yes when no file is there, else what the
/// user answers, over `parent`, to the question whether to replace it. Asked
/// of the name that will be written, after any suffix was added to it.
bool mayReplace(QWidget* parent, const QString& path);

/// Writes `path` through a file that takes the place of the old one only once
/// it is whole. `write` fills the open device and returns Written, Cancelled
/// (nothing is written) or Failed; a failure of the device itself (a full
/// disk, a folder that cannot be written into) is Failed too. On anything but
/// Written whatever was at `path` stays as it was.
Outcome write(const QString& path, const std::function<Outcome::Status(QIODevice&)>& write);

/// Writes `bytes` as the whole of `path`, the same way: a file made in
/// memory (a sheet file, a CSV table).
Outcome write(const QString& path, const QByteArray& bytes);

}  // namespace pothenot::safeFile
