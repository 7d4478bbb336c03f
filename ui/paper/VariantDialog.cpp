// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paper/VariantDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "calc/variant.h"
#include "ui_VariantDialog.h"

namespace pothenot {

void setUpVariantNumber(QLabel* label, QSpinBox* box) {
  label->setText(label->text().arg(kFirstVariant).arg(kLastVariant));
  box->setRange(static_cast<int>(kFirstVariant), static_cast<int>(kLastVariant));
}

VariantDialog::VariantDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::VariantDialog>()) {
  ui_->setupUi(this);
  setUpVariantNumber(ui_->NumberLabel, ui_->Number);
  // The toolkit's own captions are English without its translations.
  ui_->Buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  connect(ui_->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(ui_->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

VariantDialog::~VariantDialog() = default;

void VariantDialog::suggest(std::uint32_t number) {
  ui_->Number->setValue(static_cast<int>(number));
  ui_->Number->selectAll();
  ui_->Number->setFocus();
}

std::uint32_t VariantDialog::number() const {
  return static_cast<std::uint32_t>(ui_->Number->value());
}

}  // namespace pothenot
