// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/Commands.h"

#include "ui/drawing/DrawingCommand.h"
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
  return {drawing, marking, methods, paper};
}

}  // namespace pothenot
