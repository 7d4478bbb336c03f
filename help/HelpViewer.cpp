// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpViewer.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QTreeWidget>

#include "help/HelpChannel.h"
#include "ui_HelpViewer.h"

namespace pothenot {

namespace {
constexpr int kTopicRole = Qt::UserRole;
}

HelpViewer::HelpViewer(HelpFile file, QWidget* parent)
    : QWidget(parent), file_(std::move(file)), ui_(std::make_unique<Ui::HelpViewer>()) {
  ui_->setupUi(this);
  setWindowTitle(QStringLiteral("Справка — %1").arg(file_.title()));
  ui_->backButton->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  ui_->forwardButton->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  ui_->splitter->setSizes({300, 620});
  ui_->statusLabel->hide();

  ui_->browser->setHelpFile(&file_);
  fillContents();
  fillIndex();
  auto* find = new QAction(this);
  find->setShortcut(QKeySequence::Find);
  addAction(find);

  connect(find, &QAction::triggered, this, &HelpViewer::showSearch);
  connect(ui_->topicsButton, &QToolButton::toggled, this, &HelpViewer::setTopicsVisible);
  connect(ui_->backButton, &QToolButton::clicked, ui_->browser, &QTextBrowser::backward);
  connect(ui_->forwardButton, &QToolButton::clicked, ui_->browser, &QTextBrowser::forward);
  connect(ui_->browser, &QTextBrowser::backwardAvailable, ui_->backButton,
          &QToolButton::setEnabled);
  connect(ui_->browser, &QTextBrowser::forwardAvailable, ui_->forwardButton,
          &QToolButton::setEnabled);
  connect(ui_->browser, &QTextBrowser::sourceChanged, this, &HelpViewer::topicShown);
  connect(ui_->browser, &HelpBrowser::linkRefused, this, [this](const QUrl& url) {
    ui_->statusLabel->setText(
        QStringLiteral("Ссылка «%1» ведёт за пределы справки и не открывается.")
            .arg(url.toDisplayString()));
    ui_->statusLabel->show();
  });
  const auto openContentsItem = [this](QTreeWidgetItem* item) {
    if (item) showTopic(item->data(0, kTopicRole).toString());
  };
  connect(ui_->contentsTree, &QTreeWidget::currentItemChanged, this, openContentsItem);
  connect(ui_->contentsTree, &QTreeWidget::itemActivated, this, openContentsItem);
  connect(ui_->indexFilter, &QLineEdit::textChanged, this, &HelpViewer::filterIndex);
  connect(ui_->indexFilter, &QLineEdit::returnPressed, this,
          [this] { openItem(ui_->indexList->currentItem()); });
  connect(ui_->searchText, &QLineEdit::textChanged, this, &HelpViewer::search);
  connect(ui_->searchText, &QLineEdit::returnPressed, this,
          [this] { openItem(ui_->searchList->currentItem()); });
  for (QListWidget* list : {ui_->indexList, ui_->searchList}) {
    connect(list, &QListWidget::itemClicked, this, &HelpViewer::openItem);
    connect(list, &QListWidget::itemActivated, this, &HelpViewer::openItem);
  }

  showTopic(file_.startTopic());
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::fillContents() {
  for (const HelpTopic& topic : file_.topics()) {
    QTreeWidgetItem* item = topic.parent.isEmpty()
                                ? new QTreeWidgetItem(ui_->contentsTree)
                                : new QTreeWidgetItem(contentsItems_.value(topic.parent));
    item->setText(0, topic.title);
    item->setData(0, kTopicRole, topic.id);
    contentsItems_.insert(topic.id, item);
  }
  ui_->contentsTree->expandAll();
}

void HelpViewer::fillIndex() {
  const std::vector<HelpIndexEntry>& index = file_.index();
  for (std::size_t i = 0; i < index.size(); ++i) {
    // A term that leads to several topics names the topic on each of its lines.
    auto sameTerm = [&](std::size_t j) {
      return j < index.size() && index[j].term.compare(index[i].term, Qt::CaseInsensitive) == 0;
    };
    const bool shared = (i > 0 && sameTerm(i - 1)) || sameTerm(i + 1);
    const QString text =
        shared ? QStringLiteral("%1 — %2").arg(index[i].term, file_.topic(index[i].topicId)->title)
               : index[i].term;
    auto* item = new QListWidgetItem(text, ui_->indexList);
    item->setData(kTopicRole, index[i].topicId);
  }
}

void HelpViewer::filterIndex(const QString& text) {
  const QString wanted = text.trimmed();
  const QList<QListWidgetItem*> shown = ui_->indexList->findItems(wanted, Qt::MatchContains);
  for (int row = 0; row < ui_->indexList->count(); ++row) {
    ui_->indexList->item(row)->setHidden(!shown.contains(ui_->indexList->item(row)));
  }
  // A term that begins with the letters typed is a better guess than one that holds them.
  const QList<QListWidgetItem*> begin = ui_->indexList->findItems(wanted, Qt::MatchStartsWith);
  ui_->indexList->setCurrentItem(begin.isEmpty() ? shown.value(0) : begin[0]);
}

void HelpViewer::search(const QString& text) {
  ui_->searchList->clear();
  const QString wanted = text.simplified();
  if (wanted.isEmpty()) return;
  for (const HelpTopic& topic : file_.topics()) {
    const qsizetype at = topic.text.indexOf(wanted, 0, Qt::CaseInsensitive);
    if (at < 0) continue;
    // The hit with a little of the words around it, under the topic's title.
    const qsizetype from = std::max<qsizetype>(0, at - 16);
    const QString around = topic.text.mid(from, at - from + wanted.size() + 24).simplified();
    auto* item = new QListWidgetItem(QStringLiteral("%1\n    …%2…").arg(topic.title, around),
                                     ui_->searchList);
    item->setData(kTopicRole, topic.id);
  }
  ui_->searchList->setCurrentRow(0);
}

void HelpViewer::openItem(QListWidgetItem* item) {
  if (!item || item->isHidden()) return;
  showTopic(item->data(kTopicRole).toString());
  if (item->listWidget() != ui_->searchList) return;
  // Each opening of a hit marks the next place of the text in the page.
  const QString wanted = ui_->searchText->text().simplified();
  if (!ui_->browser->find(wanted)) {
    ui_->browser->moveCursor(QTextCursor::Start);
    ui_->browser->find(wanted);
  }
}

void HelpViewer::showTopics() {
  setTopicsVisible(true);
  ui_->tabs->setCurrentWidget(ui_->contentsTab);
  ui_->contentsTree->setFocus();
}

void HelpViewer::setTopicsVisible(bool visible) {
  ui_->topicsButton->setChecked(visible);
  ui_->tabs->setVisible(visible);
}

void HelpViewer::showSearch() {
  setTopicsVisible(true);
  ui_->tabs->setCurrentWidget(ui_->searchTab);
  ui_->searchText->setFocus();
  ui_->searchText->selectAll();
}

bool HelpViewer::showTopic(const QString& id) {
  if (!file_.topic(id)) return false;
  ui_->browser->followLink(HelpFile::topicUrl(id));
  return true;
}

bool HelpViewer::listen(const QString& name, QString* error) {
  return helpChannel::listen(
             name, this, [this](const QStringList& arguments) { answer(arguments); }, error) !=
         nullptr;
}

void HelpViewer::answer(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf(QStringLiteral("--topic"));
  if (arguments.contains(QStringLiteral("--topics"))) showTopics();
  if (at >= 0) showTopic(arguments.value(at + 1));
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

QString HelpViewer::currentTopic() const {
  return HelpFile::topicIdOf(ui_->browser->source()).value_or(QString());
}

void HelpViewer::topicShown(const QUrl& url) {
  ui_->statusLabel->hide();
  // Keep the contents in step with the page, however it was reached.
  const QSignalBlocker blocker(ui_->contentsTree);
  ui_->contentsTree->setCurrentItem(
      contentsItems_.value(HelpFile::topicIdOf(url).value_or(QString())));
}

}  // namespace pothenot
