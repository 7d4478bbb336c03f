// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

class QLabel;
class QSpinBox;

namespace Ui {
class VariantDialog;
}

namespace pothenot {

/// "Новый вариант": asks for the number of the exercise to put on the sheet.
class VariantDialog : public QDialog {
  Q_OBJECT

 public:
  explicit VariantDialog(QWidget* parent);
  ~VariantDialog() override;

  /// The number offered when the dialog opens, kFirstVariant–kLastVariant.
  void suggest(std::uint32_t number);
  /// The number chosen, kFirstVariant–kLastVariant.
  std::uint32_t number() const;

 private:
  std::unique_ptr<Ui::VariantDialog> ui_;
};

/// A box for a variant's number and its label: the label's "%1–%2" and the
/// box's range become the first and the last variant.
void setUpVariantNumber(QLabel* label, QSpinBox* box);

}  // namespace pothenot
