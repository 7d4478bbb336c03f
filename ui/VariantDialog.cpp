#include "ui/VariantDialog.h"

#include <QPushButton>

#include "ui_VariantDialog.h"

TVariantDialog::TVariantDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TVariantDialog>()) {
  ui_->setupUi(this);
  // The toolkit's own captions are English without its translations.
  ui_->Buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  connect(ui_->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(ui_->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TVariantDialog::~TVariantDialog() = default;

void TVariantDialog::suggest(std::uint32_t number) {
  ui_->Number->setValue(static_cast<int>(number));
  ui_->Number->selectAll();
  ui_->Number->setFocus();
}

std::uint32_t TVariantDialog::number() const {
  return static_cast<std::uint32_t>(ui_->Number->value());
}
