#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <functional>

#include "ui/Zadaha.h"

/// A fresh problem window, shown and active, and the ways a person uses it.
/// Every failure message the application shows meanwhile is recorded and,
/// once it is up, closed as a person would press OK.
class WindowDriver {
 public:
  struct Message {
    QString title;
    QString text;
    Qt::TextFormat format;
    bool hadOwner;  ///< shown over the window that was active
  };

  WindowDriver();

  TForm2& form() { return form_; }
  QLineEdit* box(pothenot::Field field) const;
  QPushButton* button(const char* name) const;
  const QVector<Message>& messages() const { return messages_; }

  /// What the 48 boxes show, or what the worksheet holds, in its order.
  QStringList texts(bool ofWorksheet = false);

  void click(const char* buttonName);
  /// Types the text key by key at the end of the box's text, or over all of
  /// it when `over` is set.
  void type(pothenot::Field field, const QString& text, bool over = false);

  /// Shows the window modally (as the start window does) and runs `inside`
  /// within its modal loop. Returns whether the showing ended by itself; if
  /// it did not, the window is closed afterwards.
  bool runModal(const std::function<void()>& inside);

 private:
  TForm2 form_;
  QVector<Message> messages_;
  QObject context_;
};
