// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's paper output for people to look at:
//   render_paper <directory> [first] [count]
// sheet.pdf (the built-in example after "Вычислить", both pages) and
// variants.pdf (a class set, variants first … first + count − 1, and its key),
// and pictures of the two dialogs that ask for them: variant-dialog.png and
// class-dialog.png.
// Turn pages into pictures with pdftoppm.
#include <QDir>
#include <QPushButton>
#include <cstdio>
#include <string>

#include "tools/picture_desktop.h"
#include "ui/app/Commands.h"
#include "ui/common/Application.h"
#include "ui/paper/ClassVariantsDialog.h"
#include "ui/paper/SheetPrint.h"
#include "ui/paper/VariantBook.h"
#include "ui/paper/VariantDialog.h"
#include "ui/sheet/Zadaha.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_paper <directory> [first] [count]\n");
    return 2;
  }
  PinPictureDesktop();
  TApplication app(argc, argv);
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const auto first = static_cast<std::uint32_t>(argc > 2 ? std::stoul(argv[2]) : 1);
  const int count = argc > 3 ? std::stoi(argv[3]) : 3;

  TForm2 form;
  const pothenot::Commands commands = pothenot::attachCommands(form);
  form.show();
  form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  const auto sheet = pothenot::paper::writeSheetPdf(form, *commands.drawing,
                                                    out.filePath(QStringLiteral("sheet.pdf")), {});
  const auto set = pothenot::paper::writeClassSet(
      first, count, out.filePath(QStringLiteral("variants.pdf")), [](int) { return true; });
  pothenot::VariantDialog variantDialog(&form);
  variantDialog.suggest(first);
  pothenot::ClassVariantsDialog classDialog(&form);
  classDialog.suggest(first);
  bool pictures = true;
  for (QWidget* dialog :
       {static_cast<QWidget*>(&variantDialog), static_cast<QWidget*>(&classDialog)}) {
    dialog->show();
    const QString name = dialog == &variantDialog ? QStringLiteral("variant-dialog.png")
                                                  : QStringLiteral("class-dialog.png");
    pictures = dialog->grab().save(out.filePath(name)) && pictures;
  }
  for (const auto& outcome : {sheet, set})
    if (outcome.status != pothenot::paper::Outcome::Written)
      std::fprintf(stderr, "render_paper: %s\n", outcome.message.toUtf8().constData());
  return pictures && sheet.status == pothenot::paper::Outcome::Written && set.status == sheet.status
             ? 0
             : 1;
}
