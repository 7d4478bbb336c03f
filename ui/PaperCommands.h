#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

class TClassVariantsDialog;
class TForm2;
class TVariantDialog;

/// The problem window's commands for paper and for exercises:
///   Ctrl+P        «Печать…»: the sheet to a printer (Qt's print dialog);
///   Ctrl+S        «Сохранить в PDF…»: the sheet to a PDF file;
///   Ctrl+N        «Новый вариант…»: an exercise's givens onto the sheet;
///   Ctrl+Shift+N  «Варианты для группы…»: a class set of exercises with its key.
/// Owned by the problem window; its dialogs are made on first use.
class TPaperCommands : public QObject {
  Q_OBJECT

 public:
  /// Gives `form`, which owns it, these commands (keys and background menu).
  explicit TPaperCommands(TForm2* form);

  /// Puts exercise `number` on the sheet: its givens, empty results.
  void ShowVariant(std::uint32_t number);
  /// The header of the printed sheet: "Вариант N" while the givens are still
  /// those of the variant last put on the sheet, else nothing.
  QString VariantTitle() const;

 private:
  void Print();
  void SavePdf();
  void NewVariant();
  void ClassVariants();
  void Report(const QString& message);

  TForm2* form_;
  TVariantDialog* variantDialog_ = nullptr;
  TClassVariantsDialog* classDialog_ = nullptr;
  std::uint32_t lastVariant_ = 0;  ///< 0: none shown yet
  std::uint32_t suggestion_;
};
