// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

class TForm2;

namespace pothenot {

class ClassVariantsDialog;
class DrawingCommand;
class MethodsCommand;
class SheetDocument;
class VariantDialog;

/// The problem window's commands for paper and for exercises:
///   Ctrl+P        «Печать…»: the sheet to a printer (Qt's print dialog);
///   Ctrl+E        «Экспорт в PDF…»: the sheet to a PDF file;
///   Ctrl+N        «Новый вариант…»: an exercise's givens as a new sheet
///                 (asked about unsaved changes first, then without a file);
///   Ctrl+Shift+N  «Варианты для группы…»: a class set of exercises with its
///                 key, and a sheet file per variant for the students to fill in.
/// Owned by the problem window; its dialogs are made on first use.
class PaperCommands : public QObject {
  Q_OBJECT

 public:
  /// Gives `form`, which owns it, these commands (keys and background menu).
  /// Page 2 of the printed sheet is what `drawing` shows; page 3 what the
  /// window of `methods` shows, while it is open. A new variant is a new
  /// sheet of `document`.
  PaperCommands(TForm2* form, const DrawingCommand* drawing, const MethodsCommand* methods,
                SheetDocument* document);

  /// The header of the printed sheet, whose sheet it is: «Вариант N» while
  /// the givens are still those of the document's variant, and the student
  /// named on the sheet, «Вариант 12 — Иванов И.»; either alone, or nothing.
  QString sheetTitle() const;

 private:
  void print();
  void savePdf();
  void newVariant();
  void classVariants();
  void report(const QString& message);

  TForm2* form_;
  const DrawingCommand* drawing_;
  const MethodsCommand* methods_;
  SheetDocument* document_;
  VariantDialog* variantDialog_ = nullptr;
  ClassVariantsDialog* classDialog_ = nullptr;
  std::uint32_t suggestion_;
};

}  // namespace pothenot
