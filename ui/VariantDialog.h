#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui {
class TVariantDialog;
}

/// "Новый вариант": asks for the number of the exercise to put on the sheet.
class TVariantDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TVariantDialog(QWidget* parent);
  ~TVariantDialog() override;

  /// The number offered when the dialog opens, 1–999999.
  void suggest(std::uint32_t number);
  /// The number chosen, 1–999999.
  std::uint32_t number() const;

 private:
  std::unique_ptr<Ui::TVariantDialog> ui_;
};
