// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class StudentDialog;
}

namespace pothenot {

/// «Кто решал лист»: the student's surname and initials, put on the sheet
/// when it is saved. The box may be left empty.
class StudentDialog : public QDialog {
  Q_OBJECT

 public:
  explicit StudentDialog(QWidget* parent);
  ~StudentDialog() override;

  /// The name offered when the dialog opens, selected so that typing replaces it.
  void setStudent(const QString& student);
  /// The name given, without spaces around it.
  QString student() const;

 private:
  std::unique_ptr<Ui::StudentDialog> ui_;
};

}  // namespace pothenot
