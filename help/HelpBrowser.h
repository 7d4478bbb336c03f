#pragma once

#include <QTextBrowser>
#include <QUrl>

namespace pothenot {

class HelpFile;

/// The text pane of the help viewer. It shows the topics of one help file and
/// nothing else: every resource that is not a topic of that file (another file,
/// a remote address, a picture, a style sheet) is refused, and links leading
/// anywhere but to a topic are not followed.
class HelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpBrowser(QWidget* parent = nullptr);

  /// The file whose topics are shown; it must outlive the browser.
  void setHelpFile(const HelpFile* file);

  /// The id of the topic on show, empty before the first.
  QString topicId() const;

  /// Serves the pages of the file's topics; anything else gets nothing.
  QVariant loadResource(int type, const QUrl& name) override;

 public slots:
  /// Shows the topic the link leads to, or refuses it (`linkRefused`).
  void followLink(const QUrl& url);

 signals:
  void linkRefused(const QUrl& url);

 protected:
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

 private:
  bool isTopic(const QUrl& url) const;

  const HelpFile* file_ = nullptr;
};

}  // namespace pothenot
