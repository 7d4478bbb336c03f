#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <functional>
#include <memory>

#include "calc/fields.h"
#include "ui/Zadaha.h"

/// A fresh problem window, shown and active, and the ways a person uses it.
class WindowDriver {
 public:
  WindowDriver();
  ~WindowDriver();

  TForm2& form() { return *form_; }
  QLineEdit* box(pothenot::Field field) const;
  QLineEdit* box(const QString& name) const;
  QPushButton* button(const QString& name) const;

  /// What the 48 boxes show, in the worksheet's order.
  QStringList texts() const;
  /// What the worksheet holds, in the same order.
  QStringList fieldTexts() const;

  void click(const QString& buttonName);
  /// Puts the focus into the box, goes to the end of its text (End) and types
  /// the text key by key.
  void type(pothenot::Field field, const QString& text);
  /// Selects everything in the box and types the text over it.
  void retype(pothenot::Field field, const QString& text);

  /// Shows the window modally (as the start window does) and runs `inside`
  /// within its modal loop. Returns whether the modal showing ended by
  /// itself; if it did not, the window is closed afterwards.
  bool runModal(const std::function<void()>& inside);

 private:
  std::unique_ptr<TForm2> form_;
};
