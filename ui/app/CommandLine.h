// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "ui/classcheck/ClassReport.h"
#include "ui/common/SafeFile.h"

namespace pothenot {

/// The program's command line. Without a command it opens the windows, and
/// with files the problem window with the first of them; the commands
/// --calculate, --variant and --check (with --json, --report) work without a
/// window, write to standard output in UTF-8 and end with an exit code:
///   0  every file was read (and calculated, marked);
///   1  a file could not be read, or Calculate stopped on one;
///   2  the command line itself is wrong (an unknown option, no file, …).
namespace commandLine {

/// Whether `arguments` (the program's name first) ask for a command rather
/// than the windows; told apart before the application object exists,
/// because only the windows need a display.
bool asksForCommand(const QStringList& arguments);

/// Whether `arguments` need the window libraries: the windows themselves, or
/// a class report (the PDF is painted with the windows' fonts). The program
/// `pothenot` is built on Qt Core alone, so that a command does not pay for
/// loading them, and hands such a command line to `pothenot-windows`.
bool needsWindows(const QStringList& arguments);

/// Writes a class report (`classcheck::writeReport`).
using ReportWriter = std::function<safeFile::Outcome(
    const QString& path, const std::vector<classcheck::StudentRow>& rows)>;

/// Whether `arguments` ask for a PDF report, which needs a QGuiApplication
/// (on the offscreen platform when none is given) and its fonts.
bool asksForPdf(const QStringList& arguments);

/// Runs the command that the application's arguments ask for, on the
/// application object the caller made: a QCoreApplication, or for a PDF
/// report a QGuiApplication. Returns the exit code.
int runCommand(const ReportWriter& writeReport);

/// A command line for the windows that is wrong, told before the application
/// object exists (which would need a display first): 2, having told standard
/// error why, for an option that neither the program nor Qt knows; else 0.
int usageBeforeWindows(const QStringList& arguments);

/// The files the windows are to open, from the application's arguments
/// (Qt's own options already taken out). Sets `exitCode` to 2, having told
/// standard error why, when the command line is wrong.
QStringList windowFiles(const QStringList& arguments, int& exitCode);

}  // namespace commandLine

}  // namespace pothenot
