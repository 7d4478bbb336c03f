#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>

namespace Ui {
class TClassVariantsDialog;
}

/// "Варианты для группы": the first variant, how many, and the PDF file to
/// write them to. OK is offered once a file is named.
class TClassVariantsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TClassVariantsDialog(QWidget* parent);
  ~TClassVariantsDialog() override;

  void suggest(std::uint32_t first);
  std::uint32_t first() const;
  int count() const;
  /// The file named, with ".pdf" added when missing.
  QString path() const;

 private:
  void Browse();
  void Update();

  std::unique_ptr<Ui::TClassVariantsDialog> ui_;
};
