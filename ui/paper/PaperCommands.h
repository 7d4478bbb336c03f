// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class TForm2;

namespace pothenot {

class ClassVariantsDialog;
class DrawingCommand;
class MethodsCommand;
class VariantDialog;

/// The problem window's commands for paper and for exercises:
///   Ctrl+P        «Печать…»: the sheet to a printer (Qt's print dialog);
///   Ctrl+E        «Экспорт в PDF…»: the sheet to a PDF file;
///   Ctrl+N        «Новый вариант…»: an exercise's givens onto the sheet;
///   Ctrl+Shift+N  «Варианты для группы…»: a class set of exercises with its
///                 key, and a sheet file per variant for the students to fill in.
/// Owned by the problem window; its dialogs are made on first use.
class PaperCommands : public QObject {
  Q_OBJECT

 public:
  /// Gives `form`, which owns it, these commands (keys and background menu).
  /// Page 2 of the printed sheet is what `drawing` shows; page 3 what the
  /// window of `methods` shows, while it is open.
  PaperCommands(TForm2* form, const DrawingCommand* drawing, const MethodsCommand* methods);

  /// Puts exercise `number` on the sheet: its givens, empty results.
  void showVariant(std::uint32_t number);
  /// The header of the printed sheet: "Вариант N" while the givens are still
  /// those of the variant last put on the sheet, else nothing.
  QString variantTitle() const;
  /// The number of that variant, 0 while there is none.
  std::uint32_t variant() const;
  /// Takes the givens now on the sheet as those of exercise `number` (a sheet
  /// opened from a file that names it); 0 forgets the variant.
  void markVariant(std::uint32_t number);

 private:
  void print();
  void savePdf();
  void newVariant();
  void classVariants();
  void report(const QString& message);

  TForm2* form_;
  const DrawingCommand* drawing_;
  const MethodsCommand* methods_;
  VariantDialog* variantDialog_ = nullptr;
  ClassVariantsDialog* classDialog_ = nullptr;
  std::uint32_t lastVariant_ = 0;           ///< 0: none shown yet
  std::vector<std::string> variantGivens_;  ///< its givens' texts, as put on the sheet
  std::uint32_t suggestion_;
};

}  // namespace pothenot
