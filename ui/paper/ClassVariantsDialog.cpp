// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paper/ClassVariantsDialog.h"

#include <QFileDialog>
#include <QPushButton>
#include <algorithm>

#include "calc/variant.h"
#include "ui/common/SafeFile.h"
#include "ui/paper/PaperPage.h"
#include "ui/paper/VariantBook.h"
#include "ui/paper/VariantDialog.h"
#include "ui_ClassVariantsDialog.h"

namespace pothenot {

ClassVariantsDialog::ClassVariantsDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ClassVariantsDialog>()) {
  ui_->setupUi(this);
  setUpVariantNumber(ui_->FirstLabel, ui_->First);
  connect(ui_->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(ui_->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(ui_->Browse, &QPushButton::clicked, this, &ClassVariantsDialog::browse);
  connect(ui_->File, &QLineEdit::textChanged, this, &ClassVariantsDialog::updateLimits);
  connect(ui_->First, &QSpinBox::valueChanged, this, &ClassVariantsDialog::updateLimits);
  updateLimits();
}

ClassVariantsDialog::~ClassVariantsDialog() = default;

void ClassVariantsDialog::suggest(std::uint32_t first) {
  ui_->First->setValue(static_cast<int>(first));
}

std::uint32_t ClassVariantsDialog::first() const {
  return static_cast<std::uint32_t>(ui_->First->value());
}

int ClassVariantsDialog::count() const {
  return ui_->Count->value();
}

QString ClassVariantsDialog::path() const {
  return paper::pdfPath(ui_->File->text().trimmed());
}

void ClassVariantsDialog::accept() {
  if (safeFile::mayReplace(this, path())) QDialog::accept();
}

void ClassVariantsDialog::browse() {
  // Asked at OK, of the name as it will be written.
  const QString chosen = QFileDialog::getSaveFileName(
      this, QStringLiteral("Файл для вариантов"), ui_->File->text(),
      QStringLiteral("Документ PDF (*.pdf)"), nullptr, QFileDialog::DontConfirmOverwrite);
  if (!chosen.isEmpty()) ui_->File->setText(paper::pdfPath(chosen));
}

void ClassVariantsDialog::updateLimits() {
  // Near the last variant, fewer fit.
  ui_->Count->setMaximum(
      std::min(paper::kMaxClassCount, static_cast<int>(kLastVariant) + 1 - ui_->First->value()));
  ui_->Buttons->button(QDialogButtonBox::Ok)->setEnabled(!ui_->File->text().trimmed().isEmpty());
}

}  // namespace pothenot
