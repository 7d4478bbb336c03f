// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>
#include <vector>

namespace pothenot {

/// One topic of the help: what the contents, the index, the search and the
/// text pane know of it.
struct HelpTopic {
  QString id;         ///< "k-quantities": what links and the contents refer to
  QString title;      ///< the heading, shown in the contents and atop the page
  int level = 1;      ///< 1 to 6, the number of "#" of its heading
  QString parent;     ///< id of the topic it stands under in the contents; empty at the top
  QStringList terms;  ///< index terms that lead to it
  QString markdown;   ///< its text as written, without the index line
  QString html;       ///< the page as shown: heading, text, links to the topics under it
  QString text;       ///< the page as plain text, for the search
};

/// One line of the index: a term and one topic it leads to. A term that leads
/// to several topics has one entry per topic.
struct HelpIndexEntry {
  QString term;
  QString topicId;
};

/// The help file read into memory. No widgets here, but the pages are made
/// with Qt's Markdown reader, so a QGuiApplication must exist.
///
/// The file is UTF-8 Markdown. A heading that ends in "{#id}" (lower-case
/// Latin letters, digits, hyphens) opens a topic; its level ("#" to "######")
/// puts it under the nearest topic above it with a smaller level. A heading
/// without "{#id}" is a sub-heading of the topic it stands in. A line
/// "<!-- index: term; term -->" in a topic gives its index terms. Links to
/// topics are written "[text](#id)". Text before the first topic is not shown.
///
/// Nothing of a page may reach outside the file: raw HTML is shown as typed,
/// pictures are replaced by their alternative text, and a link to anything but
/// a topic stays as written for the viewer to refuse.
class HelpFile {
 public:
  /// Larger files are refused unread: no help text comes near this.
  static constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

  /// Reads the file at `path`. On failure returns nothing and puts a Russian
  /// message naming the file into `error`.
  static std::optional<HelpFile> load(const QString& path, QString* error);

  /// Reads already decoded text; on failure `error` gets the reason, opening
  /// with "строка N: " when it is on one line.
  static std::optional<HelpFile> parse(const QString& text, QString* error);

  /// The title of the help: that of its first topic, where the viewer opens.
  const QString& title() const { return topics_.front().title; }
  const QString& startTopic() const { return topics_.front().id; }
  /// In the order of the file, which is also the order of the contents.
  const std::vector<HelpTopic>& topics() const { return topics_; }
  const HelpTopic* topic(const QString& id) const;
  /// Sorted alphabetically (Russian order, ignoring case), then by topic order.
  const std::vector<HelpIndexEntry>& index() const { return index_; }

  /// The URL under which the viewer shows the topic `id`: "topic:id".
  static QUrl topicUrl(const QString& id);
  /// The topic id of such a URL, whether or not the file has that topic;
  /// nothing for any other URL.
  static std::optional<QString> topicIdOf(const QUrl& url);

 private:
  HelpFile() = default;
  void buildPages();
  void buildIndex();

  std::vector<HelpTopic> topics_;
  std::vector<HelpIndexEntry> index_;
};

}  // namespace pothenot
