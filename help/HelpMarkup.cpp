#include "help/HelpMarkup.h"

#include <QRegularExpression>

namespace pothenot {

namespace {

const QString kTopicScheme = QStringLiteral("topic");

// Inline markup of one line: bold, italic, links and backslash escapes.
class InlineWriter {
 public:
  InlineWriter(const HelpMarkup::TopicTitle& titleOf, int line) : titleOf_(titleOf), line_(line) {}

  std::optional<QString> write(const QString& text, HelpFault* fault) {
    QString out;
    QString open;  // markers open at this point, innermost last: 'b' or 'i'
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
      if (c == u'\\') {
        if (next.isNull())
          return fail(fault, QStringLiteral("обратная косая черта в конце строки"));
        out += escaped(next);
        ++i;
      } else if ((c == u'*' && next == u'*') || (c == u'_' && next == u'_')) {
        const QChar kind = c == u'*' ? u'b' : u'i';
        const QString tag = kind == u'b' ? QStringLiteral("b") : QStringLiteral("i");
        if (!open.contains(kind)) {
          open += kind;
          out += u'<' + tag + u'>';
        } else if (open.back() == kind) {
          open.chop(1);
          out += QStringLiteral("</") + tag + u'>';
        } else {
          return fail(fault, QStringLiteral("выделения ** и __ перекрываются"));
        }
        ++i;
      } else if (c == u'[' && next == u'[') {
        const qsizetype end = text.indexOf(QStringLiteral("]]"), i + 2);
        if (end < 0) return fail(fault, QStringLiteral("ссылка «[[» не закрыта «]]»"));
        std::optional<QString> link = writeLink(text.mid(i + 2, end - i - 2), fault);
        if (!link) return std::nullopt;
        out += *link;
        i = end + 1;
      } else {
        out += escaped(c);
      }
    }
    if (!open.isEmpty()) {
      return fail(fault, open.back() == u'b' ? QStringLiteral("выделение ** не закрыто")
                                             : QStringLiteral("выделение __ не закрыто"));
    }
    return out;
  }

 private:
  std::optional<QString> writeLink(const QString& inner, HelpFault* fault) {
    const qsizetype bar = inner.indexOf(u'|');
    const QString id = (bar < 0 ? inner : inner.left(bar)).trimmed();
    if (!HelpMarkup::isValidTopicId(id)) {
      return fail(fault, QStringLiteral("в ссылке «[[%1]]» нет имени раздела").arg(inner));
    }
    const std::optional<QString> title = titleOf_(id);
    if (!title) return fail(fault, QStringLiteral("ссылка на несуществующий раздел «%1»").arg(id));
    QString caption = bar < 0 ? *title : inner.mid(bar + 1).trimmed();
    if (caption.isEmpty())
      return fail(fault, QStringLiteral("у ссылки на «%1» пустой текст").arg(id));
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(HelpMarkup::topicUrl(id).toString(), caption.toHtmlEscaped());
  }

  static QString escaped(QChar c) { return QString(c).toHtmlEscaped(); }

  std::nullopt_t fail(HelpFault* fault, const QString& message) const {
    if (fault) *fault = {line_, message};
    return std::nullopt;
  }

  const HelpMarkup::TopicTitle& titleOf_;
  int line_;
};

enum class Block { None, Paragraph, Bullets, Numbers, Formula };

// Block structure of a body: opens and closes paragraphs, lists and formulas.
class BlockWriter {
 public:
  void close() {
    switch (block_) {
      case Block::Paragraph:
      case Block::Formula:
        html_ += QStringLiteral("</p>\n");
        break;
      case Block::Bullets:
        html_ += QStringLiteral("</li></ul>\n");
        break;
      case Block::Numbers:
        html_ += QStringLiteral("</li></ol>\n");
        break;
      case Block::None:
        break;
    }
    block_ = Block::None;
  }

  void heading(const QString& html) {
    close();
    html_ += QStringLiteral("<h3>") + html + QStringLiteral("</h3>\n");
  }

  void item(Block list, const QString& html) {
    if (block_ == list) {
      html_ += QStringLiteral("</li>");
    } else {
      close();
      html_ += list == Block::Bullets ? QStringLiteral("<ul>") : QStringLiteral("<ol>");
      block_ = list;
    }
    html_ += QStringLiteral("<li>") + html;
  }

  bool inList() const { return block_ == Block::Bullets || block_ == Block::Numbers; }
  void continueItem(const QString& html) { html_ += u' ' + html; }

  void formula(const QString& html) {
    if (block_ == Block::Formula) {
      html_ += QStringLiteral("<br/>");
    } else {
      close();
      html_ += QStringLiteral("<p class=\"formula\">");
      block_ = Block::Formula;
    }
    html_ += html;
  }

  void text(const QString& html) {
    if (block_ == Block::Paragraph) {
      html_ += u' ';
    } else {
      close();
      html_ += QStringLiteral("<p>");
      block_ = Block::Paragraph;
    }
    html_ += html;
  }

  QString finish() {
    close();
    return html_;
  }

 private:
  Block block_ = Block::None;
  QString html_;
};

}  // namespace

QUrl HelpMarkup::topicUrl(const QString& id) {
  QUrl url;
  url.setScheme(kTopicScheme);
  url.setPath(id);
  return url;
}

std::optional<QString> HelpMarkup::topicIdOf(const QUrl& url) {
  if (url.scheme() != kTopicScheme || !url.host().isEmpty() || url.hasQuery()) return std::nullopt;
  const QString id = url.path();
  if (!isValidTopicId(id)) return std::nullopt;
  return id;
}

bool HelpMarkup::isValidTopicId(const QString& id) {
  static const QRegularExpression pattern(QStringLiteral("^[a-z0-9][a-z0-9-]*$"));
  return pattern.match(id).hasMatch();
}

std::optional<QString> HelpMarkup::toHtml(const std::vector<Line>& body, const TopicTitle& titleOf,
                                          HelpFault* fault) {
  static const QRegularExpression numbered(QStringLiteral("^\\d+\\. "));
  BlockWriter blocks;
  for (const Line& line : body) {
    InlineWriter inlines(titleOf, line.number);
    QString text = line.text;
    while (!text.isEmpty() && text.back().isSpace()) text.chop(1);

    if (text.trimmed().isEmpty()) {
      blocks.close();
      continue;
    }
    Block kind = Block::Paragraph;
    qsizetype skip = 0;
    if (text.startsWith(QStringLiteral("## "))) {
      kind = Block::None;  // a heading
      skip = 3;
    } else if (text.startsWith(QStringLiteral("- "))) {
      kind = Block::Bullets;
      skip = 2;
    } else if (const auto m = numbered.match(text); m.hasMatch()) {
      kind = Block::Numbers;
      skip = m.capturedLength();
    } else if (text.startsWith(QStringLiteral("= "))) {
      kind = Block::Formula;
      skip = 2;
    }
    const std::optional<QString> html = inlines.write(text.mid(skip).trimmed(), fault);
    if (!html) return std::nullopt;

    switch (kind) {
      case Block::None:
        blocks.heading(*html);
        break;
      case Block::Bullets:
      case Block::Numbers:
        blocks.item(kind, *html);
        break;
      case Block::Formula: {
        // A formula is laid out by hand: runs of spaces keep their width.
        QString spaced = *html;
        blocks.formula(spaced.replace(QStringLiteral("  "), QStringLiteral("&nbsp;&nbsp;")));
        break;
      }
      case Block::Paragraph:
        if (blocks.inList() && text.startsWith(QStringLiteral("  "))) {
          blocks.continueItem(*html);
        } else {
          blocks.text(*html);
        }
        break;
    }
  }
  return blocks.finish();
}

}  // namespace pothenot
