#include "ui/paper/PaperCommands.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRandomGenerator>

#include "calc/number_text.h"
#include "calc/variant.h"
#include "ui/common/Title.h"
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
                             const MethodsCommand* methods)
    : QObject(form),
      form_(form),
      drawing_(drawing),
      methods_(methods),
      suggestion_(static_cast<std::uint32_t>(QRandomGenerator::global()->bounded(1, 1000))) {
  const auto add = [this](const QString& text, const QKeySequence& key,
                          void (PaperCommands::*run)()) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, run);
    form_->addCommand(action);
  };
  add(QStringLiteral("Печать…"), QKeySequence(Qt::CTRL | Qt::Key_P), &PaperCommands::print);
  add(QStringLiteral("Сохранить в PDF…"), QKeySequence(Qt::CTRL | Qt::Key_S),
      &PaperCommands::savePdf);
  add(QStringLiteral("Новый вариант…"), QKeySequence(Qt::CTRL | Qt::Key_N),
      &PaperCommands::newVariant);
  add(QStringLiteral("Варианты для группы…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
      &PaperCommands::classVariants);
}

void PaperCommands::showVariant(std::uint32_t number) {
  paper::fillVariant(form_->worksheet(), MakeVariant(number));
  lastVariant_ = number;
  suggestion_ = nextVariant(number);
}

QString PaperCommands::variantTitle() const {
  if (lastVariant_ == 0) return {};
  const TWorksheet variant = MakeVariant(lastVariant_);
  for (const auto& info : Fields())
    if (info.role == Role::Given &&
        form_->worksheet().text(info.name) !=
            WithSeparator(variant.text(info.name), TForm2::decimalSeparator()))
      return {};
  return QStringLiteral("Вариант %1").arg(lastVariant_);
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
  paper::paintSheet(painter, printer, *form_, *drawing_, variantTitle(), methods_);
}

void PaperCommands::savePdf() {
  const QString variant = variantTitle();
  const QString chosen = QFileDialog::getSaveFileName(
      form_, QStringLiteral("Сохранить лист в PDF"),
      (variant.isEmpty() ? kProgramTitle : variant) + ".pdf",
      QStringLiteral("Документ PDF (*.pdf)"));
  if (chosen.isEmpty()) return;
  const auto outcome =
      paper::writeSheetPdf(*form_, *drawing_, paper::pdfPath(chosen), variant, methods_);
  if (outcome.status == paper::Outcome::Failed) report(outcome.message);
}

void PaperCommands::newVariant() {
  if (variantDialog_ == nullptr) variantDialog_ = new VariantDialog(form_);
  variantDialog_->suggest(suggestion_);
  if (variantDialog_->exec() == QDialog::Accepted) showVariant(variantDialog_->number());
}

void PaperCommands::classVariants() {
  if (classDialog_ == nullptr) {
    classDialog_ = new ClassVariantsDialog(form_);
    classDialog_->suggest(suggestion_);
  }
  if (classDialog_->exec() != QDialog::Accepted) return;
  const int count = classDialog_->count();
  QProgressDialog progress(QStringLiteral("Варианты для группы: листы и ключ…"),
                           QStringLiteral("Отменить"), 0, count, form_);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  const auto outcome =
      paper::writeClassSet(classDialog_->first(), count, classDialog_->path(), [&](int done) {
        progress.setValue(done);
        return !progress.wasCanceled();
      });
  progress.reset();
  if (outcome.status == paper::Outcome::Failed) report(outcome.message);
  // The next set follows this one.
  classDialog_->suggest(nextVariant(classDialog_->first() + static_cast<std::uint32_t>(count) - 1));
}

void PaperCommands::report(const QString& message) {
  QMessageBox::warning(form_, kProgramTitle, message);
}

}  // namespace pothenot
