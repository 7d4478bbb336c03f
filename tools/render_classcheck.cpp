// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the marking of a whole class for people to look at:
//   render_classcheck <directory>
// classcheck.png, the window «Проверка работ группы» over a class of eight
// sheets made here from variants (some right, some with a box altered, a
// given miscopied, boxes left empty, a file that is no sheet), and
// class-report.pdf, its report. Turn the page into a picture with pdftoppm.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "calc/resection.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "tools/picture_desktop.h"
#include "ui/app/Commands.h"
#include "ui/classcheck/ClassCheckCommand.h"
#include "ui/classcheck/ClassCheckWindow.h"
#include "ui/classcheck/ReportPages.h"
#include "ui/common/Application.h"
#include "ui/sheet/Zadaha.h"

using pothenot::Field;

namespace {

struct Student {
  const char* file;
  const char* name;
  std::uint32_t variant;
  void (*slip)(pothenot::TWorksheet&);  // what the student got wrong, if anything
};

void alterLastDigit(pothenot::TWorksheet& sheet, Field field) {
  std::string text = sheet.text(field);
  text.back() = text.back() == '7' ? '1' : '7';
  sheet.setText(field, text);
}

const Student kClass[] = {
    {"abramova", "Абрамова Е. Д.", 31, nullptr},
    {"belov", "Белов Н. А.", 32, [](pothenot::TWorksheet& s) { alterLastDigit(s, Field::EK3); }},
    {"volkova", "Волкова М. С.", 33, nullptr},
    {"gusev", "Гусев П. Р.", 34,
     [](pothenot::TWorksheet& s) {
       for (const Field f : {Field::EPA, Field::EPD, Field::Ee1, Field::Ede}) s.setText(f, "");
     }},
    {"egorova", "Егорова Т. И.", 35,
     [](pothenot::TWorksheet& s) { alterLastDigit(s, Field::EXp); }},
    {"zaitsev", "Зайцев О. В.", 36, nullptr},
    {"ilyina", "Ильина Ю. К.", 37, [](pothenot::TWorksheet& s) { alterLastDigit(s, Field::Ea); }},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_classcheck <directory>\n");
    return 2;
  }
  PinPictureDesktop();
  TApplication app(argc, argv);
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir work;
  for (const Student& student : kClass) {
    pothenot::SheetFile file{pothenot::MakeVariant(student.variant), ",", student.variant,
                             student.name};
    pothenot::Calculate(file.sheet, ",");
    if (student.slip != nullptr) student.slip(file.sheet);
    QFile sheet(work.filePath(QString::fromUtf8(student.file) + QStringLiteral(".pothenot")));
    if (!sheet.open(QIODevice::WriteOnly)) return 1;
    sheet.write(QByteArray::fromStdString(pothenot::WriteSheetFile(file)));
  }
  QFile lost(work.filePath(QStringLiteral("kuznetsov.pothenot")));
  if (!lost.open(QIODevice::WriteOnly)) return 1;
  lost.write("Кузнецов: решение на бумаге\n");
  lost.close();

  TForm2 form;
  const pothenot::Commands commands = pothenot::attachCommands(form);
  form.show();
  pothenot::ClassCheckWindow* window = commands.classCheck->window();
  window->checkFolder(work.path());
  window->resize(900, 280);
  const bool picture = window->grab().save(out.filePath(QStringLiteral("classcheck.png")));
  const auto report = pothenot::classcheck::writeReport(
      out.filePath(QStringLiteral("class-report.pdf")), window->rows());
  if (report.status != pothenot::safeFile::Outcome::Written)
    std::fprintf(stderr, "render_classcheck: %s\n", report.message.toUtf8().constData());
  return picture && report.status == pothenot::safeFile::Outcome::Written ? 0 : 1;
}
