// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paper/PaperCommands.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRandomGenerator>

#include "calc/variant.h"
#include "ui/common/SafeFile.h"
#include "ui/common/Title.h"
#include "ui/document/SheetDocument.h"
#include "ui/paper/ClassVariantsDialog.h"
#include "ui/paper/SheetPrint.h"
#include "ui/paper/VariantBook.h"
#include "ui/paper/VariantDialog.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot {

namespace {

std::uint32_t nextVariant(std::uint32_t number) {
  return number >= kLastVariant ? kFirstVariant : number + 1;
}

}  // namespace

PaperCommands::PaperCommands(TForm2* form, const DrawingCommand* drawing,
                             const MethodsCommand* methods, SheetDocument* document)
    : QObject(form),
      form_(form),
      drawing_(drawing),
      methods_(methods),
      document_(document),
      suggestion_(static_cast<std::uint32_t>(QRandomGenerator::global()->bounded(1, 1000))) {
  const auto add = [this](const QString& text, const QKeySequence& key,
                          void (PaperCommands::*run)()) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, run);
    form_->addCommand(action);
  };
  add(QStringLiteral("Печать…"), QKeySequence(Qt::CTRL | Qt::Key_P), &PaperCommands::print);
  add(QStringLiteral("Экспорт в PDF…"), QKeySequence(Qt::CTRL | Qt::Key_E),
      &PaperCommands::savePdf);
  add(QStringLiteral("Новый вариант…"), QKeySequence(Qt::CTRL | Qt::Key_N),
      &PaperCommands::newVariant);
  add(QStringLiteral("Варианты для группы…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
      &PaperCommands::classVariants);
}

QString PaperCommands::sheetTitle() const {
  QStringList parts;
  if (const std::uint32_t number = document_->variant())
    parts << QStringLiteral("Вариант %1").arg(number);
  if (const QString student = document_->student().simplified(); !student.isEmpty())
    parts << student;
  return parts.join(QStringLiteral(" — "));
}

void PaperCommands::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(paper::pageLayout());
  printer.setDocName(kProgramTitle);
  QPrintDialog dialog(&printer, form_);
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    report(QStringLiteral("Не удалось начать печать."));
    return;
  }
  paper::paintSheet(painter, printer, *form_, *drawing_, sheetTitle(), methods_);
}

void PaperCommands::savePdf() {
  const QString title = sheetTitle();
  // Asked below of the name as it will be written, ".pdf" added.
  const QString chosen = QFileDialog::getSaveFileName(
      form_, QStringLiteral("Сохранить лист в PDF"),
      (title.isEmpty() ? kProgramTitle : title) + ".pdf",
      QStringLiteral("Документ PDF (*.pdf)"), nullptr, QFileDialog::DontConfirmOverwrite);
  if (chosen.isEmpty()) return;
  const QString path = paper::pdfPath(chosen);
  if (!safeFile::mayReplace(form_, path)) return;
  const auto outcome = paper::writeSheetPdf(*form_, *drawing_, path, title, methods_);
  if (outcome.status == paper::Outcome::Failed) report(outcome.message);
}

void PaperCommands::newVariant() {
  if (variantDialog_ == nullptr) variantDialog_ = new VariantDialog(form_);
  variantDialog_->suggest(suggestion_);
  if (variantDialog_->exec() != QDialog::Accepted) return;
  const std::uint32_t number = variantDialog_->number();
  TWorksheet sheet;
  paper::fillVariant(sheet, MakeVariant(number));
  if (document_->newSheet(sheet, number)) suggestion_ = nextVariant(number);
}

void PaperCommands::classVariants() {
  if (classDialog_ == nullptr) {
    classDialog_ = new ClassVariantsDialog(form_);
    classDialog_->suggest(suggestion_);
  }
  if (classDialog_->exec() != QDialog::Accepted) return;
  const int count = classDialog_->count();
  const std::uint32_t first = classDialog_->first();
  // A step for each variant and one for the key: the window stays up and
  // «Отменить» holds until the key is drawn too. It never resets itself at
  // its end, which would forget a cancel made during the last variant.
  QProgressDialog progress(QStringLiteral("Варианты для группы: листы и ключ…"),
                           QStringLiteral("Отменить"), 0, count + 1, form_);
  progress.setWindowTitle(QStringLiteral("Варианты для группы"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  progress.setMinimumDuration(0);  // «Отменить» is there from the first variant
  progress.setValue(0);
  const auto outcome = paper::writeClassSet(first, count, classDialog_->path(), [&](int done) {
    progress.setValue(done);
    return !progress.wasCanceled();
  });
  progress.hide();
  if (outcome.status == paper::Outcome::Failed) report(outcome.message);
  // The students' files follow a set that was written, asked for at OK.
  if (outcome.status == paper::Outcome::Written && !classDialog_->sheetFolder().isEmpty()) {
    const auto files = paper::writeSheetFiles(first, count, classDialog_->sheetFolder());
    if (files.status == paper::Outcome::Failed) report(files.message);
  }
  // The next set follows this one once it is written; after a cancel or a
  // failure the same variants are offered again.
  if (outcome.status == paper::Outcome::Written)
    classDialog_->suggest(nextVariant(first + static_cast<std::uint32_t>(count) - 1));
}

void PaperCommands::report(const QString& message) {
  QMessageBox::warning(form_, kProgramTitle, message);
}

}  // namespace pothenot
