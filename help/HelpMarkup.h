#pragma once

#include <QString>
#include <QUrl>
#include <functional>
#include <optional>
#include <vector>

namespace pothenot {

/// A fault found while reading a help file: the line it is on (1-based, 0 when
/// the fault concerns the file as a whole) and a Russian sentence for the user.
struct HelpFault {
  int line = 0;
  QString message;
};

/// The small markup in which the body of a help topic is written, turned into
/// the HTML subset that the viewer shows.
///
/// Blocks, one per line:
///   (empty line)     ends the paragraph or list
///   "## Heading"     a heading inside the topic
///   "- item"         an item of a bulleted list
///   "1. item"        an item of a numbered list (any number)
///   "  more"         continues the list item above (two leading spaces)
///   "= formula"      one line of a displayed formula, in plain Unicode
///   anything else    text of the current paragraph
/// Inline, closed on the same line:
///   **bold**, __italic__, [[topic-id]] (a link titled with that topic's title),
///   [[topic-id|text]] (a link with its own text), and a backslash that makes
///   the next character plain text ("\*", "\[", "\\", "\@").
///
/// Every character of the text is escaped; tags come only from the markup, so
/// a help file cannot carry scripts, pictures, styles or links out of the file.
class HelpMarkup {
 public:
  struct Line {
    int number = 0;  ///< line of the help file, for messages
    QString text;
  };

  /// The title of the topic with this id, or nothing when the file has none.
  using TopicTitle = std::function<std::optional<QString>(const QString& id)>;

  /// The URL under which the viewer shows the topic `id`: "topic:id".
  static QUrl topicUrl(const QString& id);
  /// The topic id of a URL made by `topicUrl`, or nothing for any other URL.
  static std::optional<QString> topicIdOf(const QUrl& url);
  /// Whether `id` is a well-formed topic id: lower-case Latin letters, digits
  /// and hyphens, starting with a letter or digit.
  static bool isValidTopicId(const QString& id);

  /// The HTML of a body, or the first fault in it. Links are checked against
  /// `titleOf`: a link to a topic that does not exist is a fault.
  static std::optional<QString> toHtml(const std::vector<Line>& body, const TopicTitle& titleOf,
                                       HelpFault* fault);
};

}  // namespace pothenot
