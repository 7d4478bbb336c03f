// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpBrowser.h"

#include "help/HelpFile.h"

namespace pothenot {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  // Links are followed by followLink alone, which knows only the file's topics.
  setOpenExternalLinks(false);
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
  document()->setDefaultStyleSheet(QStringLiteral("h2, h3 { color: #1f3f7f; }"));
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  const std::optional<QString> id = HelpFile::topicIdOf(name);
  const HelpTopic* topic = file_ && id ? file_->topic(*id) : nullptr;
  if (type != QTextDocument::HtmlResource || !topic) return QVariant();
  return topic->html;
}

void HelpBrowser::followLink(const QUrl& url) {
  setSource(url, QTextDocument::HtmlResource);
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  const std::optional<QString> id = HelpFile::topicIdOf(name);
  static_cast<void>(type);  // a topic is always a page, whatever the caller guessed
  if (!file_ || !id || !file_->topic(*id)) {
    emit linkRefused(name);
    return;
  }
  QTextBrowser::doSetSource(name, QTextDocument::HtmlResource);
}

}  // namespace pothenot
