// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/HelpKey.h"

#include <QKeyEvent>
#include <QWidget>
#include <utility>

namespace pothenot {

namespace {

// Each window by its class, with the topic of the help file that describes it.
struct WindowTopic {
  const char* className;
  const char* topic;
};
constexpr WindowTopic kTopics[] = {
    {"TForm1", "start-window"},
    {"TAboutBox", "start-window"},
    {"TForm2", "worksheet"},
    {"pothenot::DrawingWindow", "drawing"},
    {"pothenot::CheckList", "check-work"},
    {"pothenot::ClassCheckWindow", "class-check"},
    {"pothenot::MethodsWindow", "methods"},
    {"pothenot::VariantDialog", "variants"},
    {"pothenot::ClassVariantsDialog", "variants"},
    {"QPrintDialog", "printing"},
};

}  // namespace

HelpKey::HelpKey(std::function<void(const QString& topic)> show, QObject* parent)
    : QObject(parent), show_(std::move(show)) {}

QString HelpKey::topicOf(const QWidget* window) {
  for (; window != nullptr;
       window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
    for (const WindowTopic& entry : kTopics) {
      if (window->inherits(entry.className)) return QString::fromLatin1(entry.topic);
    }
  }
  return QString();
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const auto* widget = qobject_cast<QWidget*>(watched);
  if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || widget == nullptr)
    return false;
  // F1 held down asks once: its repeats are swallowed.
  if (!key->isAutoRepeat()) show_(topicOf(widget->window()));
  return true;
}

}  // namespace pothenot
