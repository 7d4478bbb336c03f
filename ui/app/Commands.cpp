// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/Commands.h"

#include "ui/classcheck/ClassCheckCommand.h"
#include "ui/document/SheetDocument.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/files/FileCommands.h"
#include "ui/marking/WorkCheck.h"
#include "ui/methods/MethodsCommand.h"
#include "ui/paper/PaperCommands.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

Commands attachCommands(TForm2& form) {
  // The sheet as a document: every command that replaces or clears it, and
  // every undo step, goes through this one object.
  auto* document = new SheetDocument(&form);
  auto* drawing = new DrawingCommand(&form, document);
  auto* marking = new WorkCheck(&form);
  auto* methods = new MethodsCommand(&form);
  // F2 and F3 work in each other's windows as in the problem window.
  drawing->addWindowKey(marking->action());
  marking->addWindowKey(drawing->action());
  // Page 2 of the printed sheet is the drawing, page 3 the methods while their window is open.
  auto* paper = new PaperCommands(&form, drawing, methods, document);
  auto* files = new FileCommands(&form, document);
  // A row of the class window opens its sheet as Ctrl+O would: asked about
  // unsaved changes first, a refusal told.
  auto* classCheck = new ClassCheckCommand(
      &form, marking, [files](const QString& path) { return files->openSheet(path); });
  return {document, drawing, marking, methods, paper, files, classCheck};
}

}  // namespace pothenot
