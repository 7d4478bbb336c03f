// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class TForm2;

namespace pothenot {

class ClassCheckCommand;
class DrawingCommand;
class FileCommands;
class MethodsCommand;
class PaperCommands;
class SheetDocument;
class WorkCheck;

/// The features that hang on the problem window, each reached by its keys
/// and the window's background menu. All are children of the window and go
/// with it; each makes its own windows when first used.
struct Commands {
  SheetDocument* document;        ///< the sheet: its file, its variant, its undo
  DrawingCommand* drawing;        ///< F2: "Чертёж засечки"
  WorkCheck* marking;             ///< F3: "Проверить мои вычисления"
  MethodsCommand* methods;        ///< F4: "Способы решения"
  PaperCommands* paper;           ///< Ctrl+P, Ctrl+E, Ctrl+N, Ctrl+Shift+N: paper and variants
  FileCommands* files;            ///< Ctrl+O, Ctrl+S, Ctrl+Shift+S: the sheet in a file
  ClassCheckCommand* classCheck;  ///< Ctrl+Shift+O: "Проверить работы группы…"
};

/// Attaches every feature to `form`; the program and the window tests both
/// call it, so that they drive the same window. A new command is added here.
Commands attachCommands(TForm2& form);

}  // namespace pothenot
