// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpFile.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace pothenot {

namespace {

const QString kTopicScheme = QStringLiteral("topic");

std::nullopt_t Fail(QString* error, const QString& message) {
  if (error) *error = message;
  return std::nullopt;
}

// A picture would be read from a file or a data address named in the text:
// each is put back as the words that describe it.
void PicturesToWords(QTextDocument& doc) {
  const QString picture(QChar::ObjectReplacementCharacter);
  for (QTextCursor at = doc.find(picture); !at.isNull(); at = doc.find(picture, at)) {
    at.insertText(at.charFormat().stringProperty(QTextFormat::ImageAltText), QTextCharFormat());
  }
}

}  // namespace

std::optional<HelpFile> HelpFile::load(const QString& path, QString* error) {
  const QString shown = QFileInfo(path).absoluteFilePath();
  QFile file(path);
  if (!file.exists()) return Fail(error, QStringLiteral("Файл справки «%1» не найден.").arg(shown));
  if (!file.open(QIODevice::ReadOnly)) {
    return Fail(error, QStringLiteral("Не удалось прочитать файл справки «%1»: %2.")
                           .arg(shown, file.errorString()));
  }
  const QByteArray bytes = file.read(kMaxBytes + 1);
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(bytes);
  QString fault = bytes.size() > kMaxBytes ? QStringLiteral("он слишком велик")
                  : decoder.hasError() ? QStringLiteral("его текст не в кодировке UTF-8")
                                       : QString();
  std::optional<HelpFile> help;
  if (fault.isEmpty()) help = parse(text, &fault);
  if (help) return help;
  // A fault on one line is a help file gone wrong; any other, not a help file.
  return Fail(error,
              fault.startsWith(QStringLiteral("строка"))
                  ? QStringLiteral("Файл справки «%1» повреждён: %2.").arg(shown, fault)
                  : QStringLiteral("Файл «%1» не является файлом справки: %2.").arg(shown, fault));
}

std::optional<HelpFile> HelpFile::parse(const QString& text, QString* error) {
  static const QRegularExpression topicHeading(
      QStringLiteral(R"(^(#{1,6})\s+(\S.*?)\s*\{#([a-z0-9][a-z0-9-]*)\}\s*$)"));
  static const QRegularExpression subHeading(QStringLiteral(R"(^#{1,6}(?=\s))"));
  static const QRegularExpression indexLine(QStringLiteral(R"(^\s*<!--\s*index:(.*)-->\s*$)"));
  static const QRegularExpression termSeparator(QStringLiteral(R"(\s*;\s*)"));
  static const QRegularExpression fence(QStringLiteral(R"(^ {0,3}(```|~~~))"));
  HelpFile help;
  bool inFence = false;
  const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r?\n")));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    if (fence.match(line).hasMatch()) inFence = !inFence;
    const QRegularExpressionMatch heading =
        inFence ? QRegularExpressionMatch() : topicHeading.match(line);
    if (heading.hasMatch()) {
      HelpTopic topic;
      topic.id = heading.captured(3);
      topic.title = heading.captured(2);
      topic.level = int(heading.capturedLength(1));
      if (help.topic(topic.id)) {
        return Fail(
            error, QStringLiteral("строка %1: раздел «%2» описан дважды").arg(i + 1).arg(topic.id));
      }
      // Under the nearest topic above it that stands higher.
      const auto above = std::find_if(help.topics_.rbegin(), help.topics_.rend(),
                                      [&](const HelpTopic& t) { return t.level < topic.level; });
      if (above != help.topics_.rend()) topic.parent = above->id;
      help.topics_.push_back(std::move(topic));
      continue;
    }
    if (help.topics_.empty()) continue;  // the file's own preamble
    HelpTopic& topic = help.topics_.back();
    if (const QRegularExpressionMatch terms =
            inFence ? QRegularExpressionMatch() : indexLine.match(line);
        terms.hasMatch()) {
      topic.terms << terms.captured(1).trimmed().split(termSeparator, Qt::SkipEmptyParts);
      continue;
    }
    // Every sub-heading one step below the page's own heading.
    if (!inFence) line.replace(subHeading, QStringLiteral("###"));
    topic.markdown += line + u'\n';
  }
  if (help.topics_.empty()) {
    return Fail(error, QStringLiteral("в нём нет ни одного раздела «# Заголовок {#имя}»"));
  }
  help.buildPages();
  help.buildIndex();
  return help;
}

void HelpFile::buildPages() {
  for (HelpTopic& topic : topics_) {
    QString page = QStringLiteral("## %1\n\n%2").arg(topic.title, topic.markdown);
    QString under;
    for (const HelpTopic& child : topics_) {
      if (child.parent == topic.id)
        under += QStringLiteral("- [%1](#%2)\n").arg(child.title, child.id);
    }
    if (!under.isEmpty()) page += QStringLiteral("\n\n**В этом разделе:**\n\n") + under;
    // A link "#id" would be resolved against the page's own address.
    page.replace(QStringLiteral("](#"), QStringLiteral("](") + kTopicScheme + u':');
    QTextDocument doc;
    doc.setMarkdown(page, QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectGitHub |
                                                          QTextDocument::MarkdownNoHTML));
    PicturesToWords(doc);
    topic.html = doc.toHtml();
    topic.text = doc.toPlainText();
  }
}

void HelpFile::buildIndex() {
  QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(true);
  for (HelpTopic& t : topics_) {
    t.terms.removeDuplicates();
    for (const QString& term : t.terms) index_.push_back({term, t.id});
  }
  // Stable: entries of one term keep the order of their topics in the file.
  std::stable_sort(index_.begin(), index_.end(),
                   [&](const HelpIndexEntry& a, const HelpIndexEntry& b) {
                     return collator.compare(a.term, b.term) < 0;
                   });
}

const HelpTopic* HelpFile::topic(const QString& id) const {
  const auto it =
      std::find_if(topics_.begin(), topics_.end(), [&](const HelpTopic& t) { return t.id == id; });
  return it == topics_.end() ? nullptr : &*it;
}

QUrl HelpFile::topicUrl(const QString& id) {
  return QUrl(kTopicScheme + u':' + id);
}

std::optional<QString> HelpFile::topicIdOf(const QUrl& url) {
  if (url.scheme() != kTopicScheme || url.hasQuery() || url.hasFragment()) return std::nullopt;
  return url.path();
}

}  // namespace pothenot
