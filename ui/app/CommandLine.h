// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

#include "ui/classcheck/ClassReport.h"
#include "ui/common/SafeFile.h"

namespace pothenot {

/// The program's command line. Without a command it opens the windows, and
/// with files the problem window with the first of them; the commands
/// --calculate, --variant and --check (with --json, --report) work without a
/// window, write to standard output in UTF-8 and end with an exit code:
///   0  every file was read (and calculated, marked) and the output written;
///   1  a file could not be read, Calculate stopped on one, or the output (or
///      the report) could not be written;
///   2  the command line itself is wrong (an unknown option, no file, …).
/// Every message on standard error starts with "pothenot: ".
namespace commandLine {

/// What a command line asks for, told from it once, before any application
/// object exists (only the windows need a display, only a PDF report the
/// window libraries): both programs' mains switch on it.
struct Request {
  enum class Command { Windows, Help, Version, Variant, Calculate, Check, WrongUsage };
  Command command = Command::Windows;
  /// The sheet files named, as given: the windows' to open, the one file of
  /// --calculate, the files and folders of --check. "-" is standard input
  /// for --calculate and --check.
  QStringList files;
  std::uint32_t variant = 0;  ///< --variant: kFirstVariant to kLastVariant
  bool json = false;          ///< --check --json
  QString report;             ///< --check --report: a .pdf or .csv path, or empty
  QString wrongUsage;         ///< WrongUsage: why, in Russian, without the program's name

  /// The windows themselves, or a class report (the PDF is painted with the
  /// windows' fonts, and the report is written with them): the program
  /// `pothenot` is built on Qt Core alone, so that a command does not pay
  /// for loading the window libraries, and hands such a request to
  /// `pothenot-windows`.
  bool needsWindows() const;
  /// A PDF report, which needs a QGuiApplication and its fonts.
  bool needsGui() const;
};

/// Reads the program's arguments (its name first). Qt's own options
/// ("-platform offscreen", "-style=fusion", …) are taken as Qt reads them and
/// left out of the files; an option neither the program nor Qt knows is
/// WrongUsage.
Request parse(const QStringList& arguments);

/// Keeps Qt's own notices away from the user, installed before the
/// application object: a command says all it has to say itself, so Qt's
/// debug output and warnings are dropped and its errors start with
/// "pothenot: "; the windows lose only the notice that XDG_RUNTIME_DIR is not
/// set (Qt makes a runtime folder of its own then), and keep every other.
void quietQt(const Request& request);

/// Writes a class report (`classcheck::writeReport`).
using ReportWriter = std::function<safeFile::Outcome(
    const QString& path, const std::vector<classcheck::StudentRow>& rows)>;

/// Runs a request other than Windows on the application object the caller
/// made: a QCoreApplication, or for a PDF report (`needsGui`) a
/// QGuiApplication. Closes standard output, so that an output that could not
/// be written (a full disk, a closed pipe) is told and gives 1. Returns the
/// exit code.
int run(const Request& request, const ReportWriter& writeReport);

}  // namespace commandLine

}  // namespace pothenot
