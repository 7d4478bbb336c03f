#include "ui/ClassVariantsDialog.h"

#include <QFileDialog>
#include <QPushButton>
#include <algorithm>

#include "ui/PaperPage.h"
#include "ui/VariantBook.h"
#include "ui_ClassVariantsDialog.h"

TClassVariantsDialog::TClassVariantsDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TClassVariantsDialog>()) {
  ui_->setupUi(this);
  connect(ui_->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(ui_->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(ui_->Browse, &QPushButton::clicked, this, &TClassVariantsDialog::Browse);
  connect(ui_->File, &QLineEdit::textChanged, this, &TClassVariantsDialog::Update);
  connect(ui_->First, &QSpinBox::valueChanged, this, &TClassVariantsDialog::Update);
  Update();
}

TClassVariantsDialog::~TClassVariantsDialog() = default;

void TClassVariantsDialog::suggest(std::uint32_t first) {
  ui_->First->setValue(static_cast<int>(first));
}

std::uint32_t TClassVariantsDialog::first() const {
  return static_cast<std::uint32_t>(ui_->First->value());
}

int TClassVariantsDialog::count() const {
  return ui_->Count->value();
}

QString TClassVariantsDialog::path() const {
  return TPaperPage::PdfPath(ui_->File->text().trimmed());
}

void TClassVariantsDialog::Browse() {
  const QString chosen =
      QFileDialog::getSaveFileName(this, QStringLiteral("Файл для вариантов"), ui_->File->text(),
                                   QStringLiteral("Документ PDF (*.pdf)"));
  if (!chosen.isEmpty()) ui_->File->setText(TPaperPage::PdfPath(chosen));
}

void TClassVariantsDialog::Update() {
  // The last variant is 999999: near it, fewer fit.
  ui_->Count->setMaximum(std::min(TVariantBook::kMaxCount, 1000000 - ui_->First->value()));
  ui_->Buttons->button(QDialogButtonBox::Ok)->setEnabled(!ui_->File->text().trimmed().isEmpty());
}
