#include "help/HelpBrowser.h"

#include "help/HelpFile.h"
#include "help/HelpMarkup.h"

namespace pothenot {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  // Links are followed by followLink alone, which knows only the file's topics.
  setOpenExternalLinks(false);
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
  document()->setDefaultStyleSheet(
      QStringLiteral("h2 { color: #1f3f7f; }"
                     "h3 { color: #1f3f7f; }"
                     "p.formula { margin-left: 28px; font-family: 'DejaVu Serif', serif; }"
                     "p.subtopics { font-weight: bold; }"));
}

void HelpBrowser::setHelpFile(const HelpFile* file) {
  file_ = file;
  clearHistory();
  clear();
}

QString HelpBrowser::topicId() const {
  return HelpMarkup::topicIdOf(source()).value_or(QString());
}

bool HelpBrowser::isTopic(const QUrl& url) const {
  const std::optional<QString> id = HelpMarkup::topicIdOf(url);
  return file_ && id && file_->topic(*id);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  if (type != QTextDocument::HtmlResource || !isTopic(name)) return QVariant();
  return file_->pageHtml(*HelpMarkup::topicIdOf(name));
}

void HelpBrowser::followLink(const QUrl& url) {
  if (isTopic(url)) {
    setSource(url, QTextDocument::HtmlResource);
  } else {
    emit linkRefused(url);
  }
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  // Back and Forward come here too; the history holds topics only.
  if (!isTopic(name)) {
    emit linkRefused(name);
    return;
  }
  QTextBrowser::doSetSource(
      name, type == QTextDocument::UnknownResource ? QTextDocument::HtmlResource : type);
}

}  // namespace pothenot
