// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextBrowser>
#include <QUrl>

namespace pothenot {

class HelpFile;

/// The text pane of the help viewer. It shows the pages of one help file and
/// nothing else: it loads no resource at all (no other file, picture, style
/// sheet or network address), and follows links to topics of the file only.
class HelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpBrowser(QWidget* parent = nullptr);

  /// The file whose topics are shown; it must outlive the browser.
  void setHelpFile(const HelpFile* file) { file_ = file; }

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
  const HelpFile* file_ = nullptr;
};

}  // namespace pothenot
