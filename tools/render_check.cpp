// SPDX-License-Identifier: GPL-3.0-or-later
// Renders "Проверить мои вычисления" offscreen for people to look at:
//   render_check <directory>
// check-sheet.png, the problem window marked after a student swapped two
// digits of K1 and worked every later box on from it, and
// check-list.png, the list window "Проверка вычислений" for the same sheet.
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "calc/work_check.h"
#include "tools/picture_desktop.h"
#include "ui/app/Commands.h"
#include "ui/common/Application.h"
#include "ui/common/Title.h"
#include "ui/marking/CheckList.h"
#include "ui/marking/WorkCheck.h"
#include "ui/sheet/Zadaha.h"

using pothenot::Field;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_check <directory>\n");
    return 2;
  }
  PinPictureDesktop();
  TApplication app(argc, argv);
  app.setTitle(pothenot::kProgramTitle);
  TForm2 form;
  const pothenot::Commands commands = pothenot::attachCommands(form);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;

  // The student's sheet: the example worked out, two digits of K1 swapped,
  // and each later box as the scheme gives it from the student's own numbers.
  form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  form.box(Field::EK1)->setText(QStringLiteral("-3532,41"));
  const std::string separator = TForm2::decimalSeparator();
  for (std::size_t step = 0;; ++step) {
    const auto marks = pothenot::CheckWork(form.worksheet(), separator);
    if (step == marks.size()) break;
    const auto& box = marks[step];
    if (!box.carried.empty() && box.mark != pothenot::Mark::Carried)
      form.box(box.field)->setText(QString::fromStdString(box.carried));
  }
  form.box(Field::EXb)->setFocus();
  commands.marking->action()->trigger();
  auto* list = commands.marking->list();
  if (list == nullptr || !QTest::qWaitForWindowExposed(list)) return 1;

  const QDir out(QString::fromLocal8Bit(argv[1]));
  const bool ok = form.grab().save(out.filePath(QStringLiteral("check-sheet.png"))) &&
                  list->grab().save(out.filePath(QStringLiteral("check-list.png")));
  if (!ok) std::fprintf(stderr, "render_check: cannot write the pictures into %s\n", argv[1]);
  return ok ? 0 : 1;
}
