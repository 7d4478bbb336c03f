#include "help/HelpFile.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringDecoder>
#include <algorithm>
#include <map>

namespace pothenot {

namespace {

// One topic while the file is read: its body stays markup until every topic
// is known, so that links may point forward.
struct RawTopic {
  HelpTopic topic;
  int line = 0;
  std::vector<HelpMarkup::Line> body;
  bool hasTitle = false;
  bool hasParent = false;
};

// A directive line: "@name argument".
struct Directive {
  QString name;
  QString argument;
};

Directive SplitDirective(const QString& line) {
  const qsizetype space = line.indexOf(u' ');
  if (space < 0) return {line.mid(1), QString()};
  return {line.mid(1, space - 1), line.mid(space + 1).trimmed()};
}

std::nullopt_t Fail(HelpFault* fault, int line, const QString& message) {
  if (fault) *fault = {line, message};
  return std::nullopt;
}

}  // namespace

std::optional<HelpFile> HelpFile::load(const QString& path, QString* error) {
  auto fail = [&](const QString& message) -> std::optional<HelpFile> {
    if (error) *error = message;
    return std::nullopt;
  };
  const QString shown = QFileInfo(path).absoluteFilePath();
  const QFileInfo info(path);
  if (!info.exists()) return fail(QStringLiteral("Файл справки «%1» не найден.").arg(shown));
  if (info.isDir()) {
    return fail(QStringLiteral("«%1» — это папка, а не файл справки.").arg(shown));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return fail(QStringLiteral("Не удалось прочитать файл справки «%1»: %2.")
                    .arg(shown, file.errorString()));
  }
  if (file.size() > kMaxBytes) {
    return fail(QStringLiteral("Файл «%1» слишком велик для файла справки.").arg(shown));
  }
  const QByteArray bytes = file.read(kMaxBytes + 1);
  if (bytes.size() > kMaxBytes) {
    return fail(QStringLiteral("Файл «%1» слишком велик для файла справки.").arg(shown));
  }
  const QString notHelp = QStringLiteral("Файл «%1» не является файлом справки: %2.");
  if (bytes.contains('\0'))
    return fail(notHelp.arg(shown, QStringLiteral("в нём двоичные данные")));

  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(bytes);
  if (decoder.hasError()) {
    return fail(notHelp.arg(shown, QStringLiteral("его текст не в кодировке UTF-8")));
  }

  HelpFault fault;
  std::optional<HelpFile> help = parse(text, &fault);
  if (!help) {
    if (fault.line == 0) return fail(notHelp.arg(shown, fault.message));
    return fail(QStringLiteral("Файл справки «%1» повреждён: строка %2: %3.")
                    .arg(shown)
                    .arg(fault.line)
                    .arg(fault.message));
  }
  return help;
}

std::optional<HelpFile> HelpFile::parse(QStringView text, HelpFault* fault) {
  HelpFile help;
  std::vector<RawTopic> raw;
  std::map<QString, std::size_t> byId;
  bool header = false;
  int startLine = 0;

  const QList<QStringView> lines = text.split(u'\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(i + 1);
    QString line = lines[i].toString();
    if (line.endsWith(u'\r')) line.chop(1);
    if (i == 0 && line.startsWith(QChar(0xFEFF))) line.remove(0, 1);
    if (line.startsWith(u'%')) continue;

    if (!header) {
      if (line.trimmed().isEmpty()) continue;
      const Directive d = SplitDirective(line);
      if (!line.startsWith(u'@') || d.name != QStringLiteral("helpfile")) {
        return Fail(fault, 0, QStringLiteral("в начале нет строки «@helpfile»"));
      }
      if (d.argument.isEmpty())
        return Fail(fault, number, QStringLiteral("у справки нет названия"));
      help.title_ = d.argument;
      header = true;
      continue;
    }

    if (!line.startsWith(u'@')) {
      if (raw.empty()) {
        if (line.trimmed().isEmpty()) continue;
        return Fail(fault, number, QStringLiteral("текст до первого раздела «@topic»"));
      }
      raw.back().body.push_back({number, line});
      continue;
    }

    const Directive d = SplitDirective(line);
    if (d.name == QStringLiteral("topic")) {
      if (!HelpMarkup::isValidTopicId(d.argument)) {
        return Fail(fault, number,
                    QStringLiteral("имя раздела «%1» недопустимо: нужны строчные латинские "
                                   "буквы, цифры и дефисы")
                        .arg(d.argument));
      }
      if (byId.count(d.argument)) {
        return Fail(fault, number, QStringLiteral("раздел «%1» описан дважды").arg(d.argument));
      }
      byId[d.argument] = raw.size();
      RawTopic topic;
      topic.topic.id = d.argument;
      topic.line = number;
      raw.push_back(std::move(topic));
      continue;
    }
    if (d.name == QStringLiteral("start")) {
      if (!raw.empty()) {
        return Fail(fault, number, QStringLiteral("«@start» стоит после начала разделов"));
      }
      help.start_ = d.argument;
      startLine = number;
      continue;
    }
    if (d.name != QStringLiteral("title") && d.name != QStringLiteral("parent") &&
        d.name != QStringLiteral("index")) {
      return Fail(fault, number, QStringLiteral("неизвестная команда «@%1»").arg(d.name));
    }
    if (raw.empty()) {
      return Fail(fault, number, QStringLiteral("«@%1» стоит вне раздела").arg(d.name));
    }
    RawTopic& topic = raw.back();
    if (d.name == QStringLiteral("title")) {
      if (topic.hasTitle) return Fail(fault, number, QStringLiteral("второй заголовок раздела"));
      if (d.argument.isEmpty()) return Fail(fault, number, QStringLiteral("пустой заголовок"));
      topic.topic.title = d.argument;
      topic.hasTitle = true;
    } else if (d.name == QStringLiteral("parent")) {
      if (topic.hasParent) return Fail(fault, number, QStringLiteral("второй «@parent» раздела"));
      const auto parent = byId.find(d.argument);
      // The parent must stand above: the contents follow the file, and no
      // topic can end up under itself.
      if (parent == byId.end() || parent->second + 1 == raw.size()) {
        return Fail(
            fault, number,
            QStringLiteral("раздел «%1» для «@parent» должен быть описан выше").arg(d.argument));
      }
      topic.topic.parent = d.argument;
      topic.hasParent = true;
    } else {
      for (const QString& term : d.argument.split(u';')) {
        const QString trimmed = term.trimmed();
        if (trimmed.isEmpty())
          return Fail(fault, number, QStringLiteral("пустой термин указателя"));
        topic.topic.terms.push_back(trimmed);
      }
    }
  }

  if (!header) return Fail(fault, 0, QStringLiteral("в нём нет строки «@helpfile»"));
  if (raw.empty()) return Fail(fault, 0, QStringLiteral("в нём нет ни одного раздела"));
  if (help.start_.isEmpty()) {
    help.start_ = raw.front().topic.id;
  } else if (!byId.count(help.start_)) {
    return Fail(fault, startLine,
                QStringLiteral("начальный раздел «%1» не описан").arg(help.start_));
  }

  const HelpMarkup::TopicTitle titleOf = [&](const QString& id) -> std::optional<QString> {
    const auto it = byId.find(id);
    if (it == byId.end()) return std::nullopt;
    return raw[it->second].topic.title;
  };
  for (RawTopic& topic : raw) {
    if (!topic.hasTitle) return Fail(fault, topic.line, QStringLiteral("у раздела нет «@title»"));
    std::optional<QString> html = HelpMarkup::toHtml(topic.body, titleOf, fault);
    if (!html) return std::nullopt;
    topic.topic.bodyHtml = *html;
  }
  for (RawTopic& topic : raw) help.topics_.push_back(std::move(topic.topic));
  help.buildIndex();
  return help;
}

void HelpFile::buildIndex() {
  QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(true);
  for (const HelpTopic& t : topics_) {
    for (const QString& term : t.terms) {
      const bool seen = std::any_of(index_.begin(), index_.end(), [&](const HelpIndexEntry& e) {
        return e.topicId == t.id && e.term.compare(term, Qt::CaseInsensitive) == 0;
      });
      if (!seen) index_.push_back({term, t.id});
    }
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

QStringList HelpFile::children(const QString& id) const {
  QStringList ids;
  for (const HelpTopic& t : topics_) {
    if (t.parent == id) ids.push_back(t.id);
  }
  return ids;
}

QString HelpFile::pageHtml(const QString& id) const {
  const HelpTopic* t = topic(id);
  if (!t) return QString();
  QString html = QStringLiteral("<html><body><h2>%1</h2>\n").arg(t->title.toHtmlEscaped());
  html += t->bodyHtml;
  const QStringList under = children(id);
  if (!under.isEmpty()) {
    html += QStringLiteral("<p class=\"subtopics\">В этом разделе:</p><ul>");
    for (const QString& child : under) {
      html += QStringLiteral("<li><a href=\"%1\">%2</a></li>")
                  .arg(HelpMarkup::topicUrl(child).toString(), topic(child)->title.toHtmlEscaped());
    }
    html += QStringLiteral("</ul>\n");
  }
  return html + QStringLiteral("</body></html>");
}

}  // namespace pothenot
