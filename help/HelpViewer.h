#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "help/HelpFile.h"

namespace Ui {
class HelpViewer;
}

class QListWidgetItem;
class QTreeWidgetItem;
class QUrl;

namespace pothenot {

/// The help window: on the left the topics of the file as a contents tree and
/// an index of terms, on the right the topic on show, above them Back and
/// Forward. It opens at the file's start topic.
class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  explicit HelpViewer(HelpFile file, QWidget* parent = nullptr);
  ~HelpViewer() override;

  const HelpFile& helpFile() const { return file_; }

  /// Brings up the topics: contents and index shown, the contents in front
  /// and holding the keyboard focus.
  void showTopics();
  /// Shows or hides the contents and index.
  void setTopicsVisible(bool visible);

  /// Shows the topic `id`; false (and nothing changes) when the file has none.
  bool showTopic(const QString& id);
  QString currentTopic() const;

 private:
  void fillContents();
  void fillIndex();
  void filterIndex(const QString& text);
  void openIndexItem(QListWidgetItem* item);
  void openContentsItem(QTreeWidgetItem* item);
  void topicShown(const QUrl& url);
  void linkRefused(const QUrl& url);

  HelpFile file_;
  std::unique_ptr<Ui::HelpViewer> ui_;
};

}  // namespace pothenot
