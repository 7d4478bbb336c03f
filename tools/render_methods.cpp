// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the methods window offscreen for people to look at:
//   render_methods <directory>
// methods.png: «Способы решения» on the built-in example after "Вычислить".
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "tools/picture_desktop.h"
#include "ui/app/Commands.h"
#include "ui/common/Application.h"
#include "ui/common/Title.h"
#include "ui/methods/MethodsCommand.h"
#include "ui/methods/MethodsWindow.h"
#include "ui/sheet/Zadaha.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_methods <directory>\n");
    return 2;
  }
  PinPictureDesktop();
  TApplication app(argc, argv);
  app.setTitle(pothenot::kProgramTitle);
  const QDir out(QString::fromLocal8Bit(argv[1]));
  TForm2 form;
  const pothenot::Commands commands = pothenot::attachCommands(form);
  form.show();
  form.findChild<QPushButton*>("BitBtn1")->click();
  commands.methods->action()->trigger();
  pothenot::MethodsWindow* window = commands.methods->window();
  window->resize(760, 980);
  QCoreApplication::processEvents();
  const bool ok =
      QTest::qWaitForWindowExposed(window) && window->grab().save(out.filePath("methods.png"));
  if (!ok) std::fprintf(stderr, "render_methods: cannot write the picture into %s\n", argv[1]);
  return ok ? 0 : 1;
}
