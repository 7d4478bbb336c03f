#include "ui/PaperCommands.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRandomGenerator>

#include "calc/variant.h"
#include "ui/ClassVariantsDialog.h"
#include "ui/SheetPrint.h"
#include "ui/VariantBook.h"
#include "ui/VariantDialog.h"
#include "ui/Zadaha.h"

namespace {

constexpr std::uint32_t kLastNumber = 999999;

std::uint32_t Next(std::uint32_t number) {
  return number >= kLastNumber ? 1 : number + 1;
}

}  // namespace

TPaperCommands::TPaperCommands(TForm2* form)
    : QObject(form),
      form_(form),
      suggestion_(static_cast<std::uint32_t>(QRandomGenerator::global()->bounded(1, 1000))) {
  const auto add = [this](const QString& text, const QKeySequence& key,
                          void (TPaperCommands::*run)()) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, run);
    form_->addCommand(action);
  };
  add(QStringLiteral("Печать…"), QKeySequence(Qt::CTRL | Qt::Key_P), &TPaperCommands::Print);
  add(QStringLiteral("Сохранить в PDF…"), QKeySequence(Qt::CTRL | Qt::Key_S),
      &TPaperCommands::SavePdf);
  add(QStringLiteral("Новый вариант…"), QKeySequence(Qt::CTRL | Qt::Key_N),
      &TPaperCommands::NewVariant);
  add(QStringLiteral("Варианты для группы…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
      &TPaperCommands::ClassVariants);
}

void TPaperCommands::ShowVariant(std::uint32_t number) {
  TVariantBook::Fill(form_->worksheet(), pothenot::MakeVariant(number));
  lastVariant_ = number;
  suggestion_ = Next(number);
}

QString TPaperCommands::VariantTitle() const {
  if (lastVariant_ == 0) return {};
  const pothenot::TWorksheet variant = pothenot::MakeVariant(lastVariant_);
  for (const auto& info : pothenot::Fields())
    if (info.role == pothenot::Role::Given &&
        form_->worksheet().text(info.name) != variant.text(info.name))
      return {};
  return QStringLiteral("Вариант %1").arg(lastVariant_);
}

void TPaperCommands::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(TPaperPage::Layout());
  printer.setDocName(QStringLiteral("Задача Потенота"));
  QPrintDialog dialog(&printer, form_);
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    Report(QStringLiteral("Не удалось начать печать."));
    return;
  }
  TSheetPrint::Paint(painter, printer, *form_, VariantTitle());
}

void TPaperCommands::SavePdf() {
  const QString variant = VariantTitle();
  const QString chosen = QFileDialog::getSaveFileName(
      form_, QStringLiteral("Сохранить лист в PDF"),
      (variant.isEmpty() ? QStringLiteral("Задача Потенота") : variant) + ".pdf",
      QStringLiteral("Документ PDF (*.pdf)"));
  if (chosen.isEmpty()) return;
  const auto outcome = TSheetPrint::WritePdf(*form_, TPaperPage::PdfPath(chosen), variant);
  if (outcome.status == TPaperPage::Outcome::Failed) Report(outcome.message);
}

void TPaperCommands::NewVariant() {
  if (variantDialog_ == nullptr) variantDialog_ = new TVariantDialog(form_);
  variantDialog_->suggest(suggestion_);
  if (variantDialog_->exec() == QDialog::Accepted) ShowVariant(variantDialog_->number());
}

void TPaperCommands::ClassVariants() {
  if (classDialog_ == nullptr) {
    classDialog_ = new TClassVariantsDialog(form_);
    classDialog_->suggest(suggestion_);
  }
  if (classDialog_->exec() != QDialog::Accepted) return;
  const int count = classDialog_->count();
  QProgressDialog progress(QStringLiteral("Варианты для группы: листы и ключ…"),
                           QStringLiteral("Отменить"), 0, count, form_);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  const auto outcome =
      TVariantBook::WritePdf(classDialog_->first(), count, classDialog_->path(), [&](int done) {
        progress.setValue(done);
        return !progress.wasCanceled();
      });
  progress.reset();
  if (outcome.status == TPaperPage::Outcome::Failed) Report(outcome.message);
  // The next set follows this one.
  classDialog_->suggest(Next(classDialog_->first() + static_cast<std::uint32_t>(count) - 1));
}

void TPaperCommands::Report(const QString& message) {
  QMessageBox::warning(form_, QStringLiteral("Задача Потенота"), message);
}
