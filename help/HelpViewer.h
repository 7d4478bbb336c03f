// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QWidget>
#include <memory>

#include "help/HelpFile.h"

namespace Ui {
class HelpViewer;
}

class QListWidget;
class QListWidgetItem;
class QTreeWidgetItem;
class QUrl;

namespace pothenot {

/// The help window: on the left the topics of the file as a contents tree, an
/// index of terms and a search through the text of every topic, on the right
/// the topic on show, above them Back and Forward. It opens at the file's
/// first topic.
class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  explicit HelpViewer(HelpFile file, QWidget* parent = nullptr);
  ~HelpViewer() override;

  const HelpFile& helpFile() const { return file_; }

  /// Brings up the topics: contents, index and search shown, the contents in
  /// front and holding the keyboard focus.
  void showTopics();
  /// Shows or hides the contents, index and search.
  void setTopicsVisible(bool visible);
  /// Brings the search in front with the keyboard in its text (Ctrl+F).
  void showSearch();

  /// Shows the topic `id`; false (and nothing changes) when the file has none.
  bool showTopic(const QString& id);

  /// Takes requests on the local channel `name` from then on: each is a
  /// command line of the viewer, one argument a line ("--topics" or
  /// "--topic ID", and the file, which is this one); the viewer shows what
  /// it asks for and comes to the front, restored if it was minimised.
  /// False where the channel cannot be opened (helpChannel::listen), with
  /// `error` (if given) saying why.
  bool listen(const QString& name, QString* error = nullptr);
  /// What a request does: `arguments` as on the command line.
  void answer(const QStringList& arguments);
  QString currentTopic() const;

 private:
  void fillContents();
  void fillIndex();
  void filterIndex(const QString& text);
  void search(const QString& text);
  void openItem(QListWidgetItem* item);
  void topicShown(const QUrl& url);

  HelpFile file_;
  std::unique_ptr<Ui::HelpViewer> ui_;
  QHash<QString, QTreeWidgetItem*> contentsItems_;  ///< by topic id
};

}  // namespace pothenot
