// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/Commands.h"

#include <stdexcept>

#include "calc/sheet_file.h"
#include "ui/classcheck/ClassCheckCommand.h"
#include "ui/classcheck/ClassReport.h"
#include "ui/common/Application.h"
#include "ui/drawing/DrawingCommand.h"
#include "ui/marking/WorkCheck.h"
#include "ui/methods/MethodsCommand.h"
#include "ui/paper/PaperCommands.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

namespace {

// A sheet file's texts put into the problem window, moved to the desktop's
// decimal separator; a file that is not a sheet is told as any failure is.
bool putSheet(TForm2& form, const QString& path) {
  try {
    SheetFile file = classcheck::readSheet(path);
    UseSeparator(file, TForm2::decimalSeparator());
    for (const FieldInfo& info : Fields())
      if (info.role != Role::Mirror)
        form.worksheet().setText(info.name, file.sheet.text(info.name));
    return true;
  } catch (const std::runtime_error& failure) {
    if (auto* app = qobject_cast<TApplication*>(QCoreApplication::instance()))
      app->showException(failure);
    return false;
  }
}

}  // namespace

Commands attachCommands(TForm2& form) {
  auto* drawing = new DrawingCommand(&form);
  auto* marking = new WorkCheck(&form);
  auto* methods = new MethodsCommand(&form);
  // F2 and F3 work in each other's windows as in the problem window.
  drawing->addWindowKey(marking->action());
  marking->addWindowKey(drawing->action());
  // Page 2 of the printed sheet is the drawing, page 3 the methods while their window is open.
  auto* paper = new PaperCommands(&form, drawing, methods);
  const auto openSheet = [&form](const QString& path) { return putSheet(form, path); };
  auto* classCheck = new ClassCheckCommand(&form, marking, openSheet);
  return {drawing, marking, methods, paper, classCheck, openSheet};
}

}  // namespace pothenot
