// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paper/ClassVariantsDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
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
  connect(ui_->BrowseFolder, &QPushButton::clicked, this, &ClassVariantsDialog::browseFolder);
  connect(ui_->Folder, &QLineEdit::textChanged, this, &ClassVariantsDialog::updateLimits);
  connect(ui_->Files, &QCheckBox::toggled, this, &ClassVariantsDialog::updateLimits);
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

QString ClassVariantsDialog::sheetFolder() const {
  return ui_->Files->isChecked() ? ui_->Folder->text().trimmed() : QString();
}

void ClassVariantsDialog::accept() {
  if (!safeFile::mayReplace(this, path())) return;
  QStringList there;
  if (!sheetFolder().isEmpty())
    for (const QString& file : paper::sheetFilePaths(first(), count(), sheetFolder()))
      if (QFileInfo::exists(file)) there << QFileInfo(file).fileName();
  if (!there.isEmpty()) {
    // One question for the whole set, however many of its files are there.
    QMessageBox question(
        QMessageBox::Question, QStringLiteral("Файлы уже есть"),
        QStringLiteral("В папке «%1» уже есть листы этих вариантов (%2: «%3»%4). Заменить их?")
            .arg(QDir::toNativeSeparators(sheetFolder()))
            .arg(there.size())
            .arg(there.constFirst(), there.size() > 1 ? QStringLiteral(" и другие") : QString()),
        QMessageBox::NoButton, this);
    QPushButton* replace = question.addButton(QStringLiteral("Заменить"), QMessageBox::YesRole);
    question.setDefaultButton(
        question.addButton(QStringLiteral("Не заменять"), QMessageBox::NoRole));
    question.exec();
    if (question.clickedButton() != replace) return;
  }
  QDialog::accept();
}

void ClassVariantsDialog::browseFolder() {
  const QString chosen = QFileDialog::getExistingDirectory(
      this, QStringLiteral("Папка для листов вариантов"), ui_->Folder->text());
  if (!chosen.isEmpty()) ui_->Folder->setText(chosen), ui_->Files->setChecked(true);
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
  ui_->Folder->setEnabled(ui_->Files->isChecked());
  ui_->BrowseFolder->setEnabled(ui_->Files->isChecked());
  ui_->Buttons->button(QDialogButtonBox::Ok)
      ->setEnabled(!ui_->File->text().trimmed().isEmpty() &&
                   (!ui_->Files->isChecked() || !sheetFolder().isEmpty()));
}

}  // namespace pothenot
