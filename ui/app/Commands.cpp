// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/Commands.h"

#include "ui/classcheck/ClassCheckCommand.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/files/FileCommands.h"
#include "ui/marking/WorkCheck.h"
#include "ui/methods/MethodsCommand.h"
#include "ui/paper/PaperCommands.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

Commands attachCommands(TForm2& form) {
  auto* drawing = new DrawingCommand(&form);
  auto* marking = new WorkCheck(&form);
  auto* methods = new MethodsCommand(&form);
  // F2 and F3 work in each other's windows as in the problem window.
  drawing->addWindowKey(marking->action());
  marking->addWindowKey(drawing->action());
  // Page 2 of the printed sheet is the drawing, page 3 the methods while their window is open.
  auto* paper = new PaperCommands(&form, drawing, methods);
  // A sheet file keeps the variant whose givens are on the sheet, and a sheet
  // opened with one is that variant on paper: the two rooms meet only here.
  auto* files = new FileCommands(&form);
  files->setVariantSource([paper] { return paper->variant(); });
  QObject::connect(files, &FileCommands::sheetOpened, paper, &PaperCommands::markVariant);
  // A row of the class window opens its sheet as Ctrl+O would: asked about
  // unsaved changes first, a refusal told.
  auto* classCheck = new ClassCheckCommand(
      &form, marking, [files](const QString& path) { return files->openSheet(path); });
  return {drawing, marking, methods, paper, files, classCheck};
}

}  // namespace pothenot
