// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPalette>
#include <QString>
#include <vector>

class QAction;
class QLineEdit;
class TForm2;

namespace pothenot {

class CheckList;

/// "Проверить мои вычисления" (F3) on the problem window: marks the 29 result
/// boxes as the student typed them (a background tint per mark, a tooltip and
/// an accessible description with the worksheet's text) and lists them in the
/// window "Проверка вычислений". The texts, text colours and everything else
/// of the form stay as they are. The marks go away at the next change of any
/// box, at Clear and at Calculate, and each box gets its own palette, tooltip
/// and description back.
///
/// Lives as a child of the problem window; the list window is made at the
/// first check and is hidden with the problem window.
class WorkCheck : public QObject {
  Q_OBJECT

 public:
  explicit WorkCheck(TForm2* form);
  ~WorkCheck() override;

  /// Marks the sheet as it stands and shows the list. Throws
  /// `pothenot::CalcError` where Calculate would stop, with its message,
  /// before anything is marked; the command shows it through the
  /// application's error handling.
  void check();
  /// Takes the marks away; nothing happens when there are none.
  void unmark();

  /// The command itself: F3, in the problem window and in the list window.
  QAction* action() const { return command_; }
  /// Another command of the problem window whose key works in the list
  /// window too.
  void addWindowKey(QAction* command);
  /// The list window, or nullptr before the first check.
  CheckList* list() const { return list_; }

 protected:
  /// The list window goes when the problem window is closed.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// What a box looked like before it was marked.
  struct OwnLook {
    QLineEdit* box;
    QPalette palette;
    bool ownPalette;  ///< set on the box itself, not inherited from the window
    QString toolTip;
    QString description;
  };

  TForm2* form_;
  QAction* command_;
  CheckList* list_ = nullptr;
  std::vector<OwnLook> marked_;
  QList<QAction*> windowKeys_;
};

}  // namespace pothenot
