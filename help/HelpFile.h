#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

#include "help/HelpMarkup.h"

namespace pothenot {

/// One topic of a help file: what the contents, the index and the text pane
/// know of it.
struct HelpTopic {
  QString id;         ///< "k-quantities": what links and the contents refer to
  QString title;      ///< shown in the contents and as the page heading
  QString parent;     ///< id of the topic it stands under in the contents; empty at the top
  QStringList terms;  ///< index terms that lead to it
  QString bodyHtml;   ///< the body, already turned from markup into HTML
};

/// One line of the index: a term and one topic it leads to. A term that leads
/// to several topics has one entry per topic.
struct HelpIndexEntry {
  QString term;
  QString topicId;
};

/// A help file read into memory and checked: every link and every index term
/// leads to a topic of the file. No widgets here.
///
/// The file is UTF-8 text. Lines starting with "%" are comments. It opens with
/// a header:
///   @helpfile <title of the help>
///   @start <topic id>          (optional; else the first topic)
/// and goes on with topics, each a block of directives followed by its body in
/// the markup of `HelpMarkup`:
///   @topic <id>
///   @title <title>
///   @parent <id of a topic above it in the file>   (optional)
///   @index <term>; <term>; ...                     (any number of lines)
class HelpFile {
 public:
  /// Larger files are refused unread: no help text comes near this.
  static constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

  /// Reads and checks the file at `path`. On failure returns nothing and puts a
  /// Russian message naming the file into `error`.
  static std::optional<HelpFile> load(const QString& path, QString* error);

  /// Checks already decoded text. `fault->line` is 0 when the text is not a
  /// help file at all (no header), else the line of the first fault.
  static std::optional<HelpFile> parse(QStringView text, HelpFault* fault);

  const QString& title() const { return title_; }
  const QString& startTopic() const { return start_; }
  /// In the order of the file, which is also the order of the contents.
  const std::vector<HelpTopic>& topics() const { return topics_; }
  const HelpTopic* topic(const QString& id) const;
  /// Ids of the topics directly under `id` ("" for the top level), in file order.
  QStringList children(const QString& id) const;
  /// Sorted alphabetically (Russian order, ignoring case), then by topic order.
  const std::vector<HelpIndexEntry>& index() const { return index_; }

  /// The whole page of a topic: its heading, its body and links to the topics
  /// under it. Empty for an unknown id.
  QString pageHtml(const QString& id) const;

 private:
  HelpFile() = default;
  void buildIndex();

  QString title_;
  QString start_;
  std::vector<HelpTopic> topics_;
  std::vector<HelpIndexEntry> index_;
};

}  // namespace pothenot
