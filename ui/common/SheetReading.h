// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "calc/sheet_file.h"

namespace pothenot {

/// The sheet file at `path`, read the one way every command reads it (Ctrl+O,
/// a dropped file, the class window, the command line): a file larger than
/// kSheetFileMaxBytes is refused by its size before it is read, any other is
/// read whole and taken by `ReadSheetFile`. Its texts keep the file's own
/// separator. Throws `std::runtime_error` whose what() is the one Russian
/// sentence to tell the user, naming the file: the sheet file's own
/// (`SheetFileError::Sentence`), or why the file could not be read at all (not
/// there, a folder, not readable). `bytes`, when given, receives what was read.
SheetFile readSheetFile(const QString& path, QByteArray* bytes = nullptr);

/// The bytes of the file at `path`, read as `readSheetFile` reads them but not
/// yet taken as a sheet (the engine's `ReadSheetFile`, `MarkSheetText` or
/// `CalculateSheetText` does that): at most kSheetFileMaxBytes + 1, a file
/// over the limit refused by its size. Throws `std::runtime_error` with the
/// sentence of a file that could not be read, as `readSheetFile`.
QByteArray readSheetBytes(const QString& path);

}  // namespace pothenot
