// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class TForm2;

namespace pothenot {

class ClassCheckWindow;
class WorkCheck;

/// «Проверить работы группы…» (Ctrl+Shift+O) on the problem window: opens the
/// window «Проверка работ группы». A double click on a student's row puts that
/// sheet into the problem window through `open` (which says whether it did)
/// and marks it as F3 does, with the marking's list shown.
///
/// Lives as a child of the problem window; its window is made at first use and
/// is hidden with the problem window.
class ClassCheckCommand : public QObject {
  Q_OBJECT

 public:
  ClassCheckCommand(TForm2* form, WorkCheck* marking, std::function<bool(const QString&)> open);
  ~ClassCheckCommand() override;

  QAction* action() const { return command_; }
  /// The window, made when first asked for.
  ClassCheckWindow* window();
  /// Shows the window with `paths` marked.
  void checkFiles(const QStringList& paths);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void openSheet(const QString& path);

  TForm2* form_;
  WorkCheck* marking_;
  std::function<bool(const QString&)> open_;
  QAction* command_;
  ClassCheckWindow* window_ = nullptr;
};

}  // namespace pothenot
