// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/StudentDialog.h"

#include "ui_StudentDialog.h"

namespace pothenot {

StudentDialog::StudentDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::StudentDialog>()) {
  ui_->setupUi(this);
  connect(ui_->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(ui_->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

StudentDialog::~StudentDialog() = default;

void StudentDialog::setStudent(const QString& student) {
  ui_->Student->setText(student);
  ui_->Student->selectAll();
  ui_->Student->setFocus();
}

QString StudentDialog::student() const {
  return ui_->Student->text().trimmed();
}

}  // namespace pothenot
