// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace pothenot {

/// F1 in any window of the program: the help at that window's topic, once
/// however long the key is held down. Watches
/// every key the application delivers, so that the windows of every room
/// need know nothing of it.
class HelpKey : public QObject {
 public:
  /// `show(topic)` opens the help at the topic; an empty topic stands for
  /// the contents.
  HelpKey(std::function<void(const QString& topic)> show, QObject* parent = nullptr);

  /// The help topic of `window`, or of the nearest window it belongs to that
  /// has one (Qt's file and print dialogs belong to the window that opened
  /// them); empty for a window without a topic.
  static QString topicOf(const QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(const QString& topic)> show_;
};

}  // namespace pothenot
