#include "ui/app/Commands.h"

#include "ui/drawing/DrawingCommand.h"
#include "ui/marking/WorkCheck.h"
#include "ui/paper/PaperCommands.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

Commands attachCommands(TForm2& form) {
  auto* drawing = new DrawingCommand(&form);
  auto* marking = new WorkCheck(&form);
  // F2 and F3 work in each other's windows as in the problem window.
  drawing->addWindowKey(marking->action());
  marking->addWindowKey(drawing->action());
  // Page 2 of the printed sheet is the drawing.
  auto* paper = new PaperCommands(&form, drawing);
  return {drawing, marking, paper};
}

}  // namespace pothenot
