// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

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

/// Runs the command that `argc`/`argv` ask for on an application object of
/// its own: a QCoreApplication, or for a PDF report a QGuiApplication (on
/// the offscreen platform when none is given). Returns the exit code.
int runCommand(int argc, char** argv);

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
