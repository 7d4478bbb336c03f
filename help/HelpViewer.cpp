#include "help/HelpViewer.h"

#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QTreeWidget>

#include "help/HelpMarkup.h"
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
  ui_->splitter->setStretchFactor(0, 0);
  ui_->splitter->setStretchFactor(1, 1);
  ui_->splitter->setSizes({300, 620});
  ui_->statusLabel->hide();

  ui_->browser->setHelpFile(&file_);
  fillContents();
  fillIndex();

  connect(ui_->topicsButton, &QToolButton::toggled, this, &HelpViewer::setTopicsVisible);
  connect(ui_->backButton, &QToolButton::clicked, ui_->browser, &QTextBrowser::backward);
  connect(ui_->forwardButton, &QToolButton::clicked, ui_->browser, &QTextBrowser::forward);
  connect(ui_->browser, &QTextBrowser::backwardAvailable, ui_->backButton,
          &QToolButton::setEnabled);
  connect(ui_->browser, &QTextBrowser::forwardAvailable, ui_->forwardButton,
          &QToolButton::setEnabled);
  connect(ui_->browser, &QTextBrowser::sourceChanged, this, &HelpViewer::topicShown);
  connect(ui_->browser, &HelpBrowser::linkRefused, this, &HelpViewer::linkRefused);
  connect(ui_->contentsTree, &QTreeWidget::currentItemChanged, this, &HelpViewer::openContentsItem);
  connect(ui_->contentsTree, &QTreeWidget::itemActivated, this, &HelpViewer::openContentsItem);
  connect(ui_->indexFilter, &QLineEdit::textChanged, this, &HelpViewer::filterIndex);
  connect(ui_->indexFilter, &QLineEdit::returnPressed, this,
          [this] { openIndexItem(ui_->indexList->currentItem()); });
  connect(ui_->indexList, &QListWidget::itemClicked, this, &HelpViewer::openIndexItem);
  connect(ui_->indexList, &QListWidget::itemActivated, this, &HelpViewer::openIndexItem);

  showTopic(file_.startTopic());
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::fillContents() {
  QHash<QString, QTreeWidgetItem*> items;
  for (const HelpTopic& topic : file_.topics()) {
    QTreeWidgetItem* item = topic.parent.isEmpty() ? new QTreeWidgetItem(ui_->contentsTree)
                                                   : new QTreeWidgetItem(items.value(topic.parent));
    item->setText(0, topic.title);
    item->setData(0, kTopicRole, topic.id);
    items.insert(topic.id, item);
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
  QListWidgetItem* best = nullptr;
  QListWidgetItem* firstShown = nullptr;
  for (int row = 0; row < ui_->indexList->count(); ++row) {
    QListWidgetItem* item = ui_->indexList->item(row);
    const bool shown = item->text().contains(wanted, Qt::CaseInsensitive);
    item->setHidden(!shown);
    if (!shown) continue;
    if (!firstShown) firstShown = item;
    if (!best && item->text().startsWith(wanted, Qt::CaseInsensitive)) best = item;
  }
  ui_->indexList->setCurrentItem(best ? best : firstShown);
}

void HelpViewer::openIndexItem(QListWidgetItem* item) {
  if (item && !item->isHidden()) showTopic(item->data(kTopicRole).toString());
}

void HelpViewer::openContentsItem(QTreeWidgetItem* item) {
  if (item) showTopic(item->data(0, kTopicRole).toString());
}

void HelpViewer::showTopics() {
  ui_->topicsButton->setChecked(true);
  setTopicsVisible(true);
  ui_->tabs->setCurrentWidget(ui_->contentsTab);
  ui_->contentsTree->setFocus();
}

void HelpViewer::setTopicsVisible(bool visible) {
  ui_->topicsButton->setChecked(visible);
  ui_->tabs->setVisible(visible);
}

bool HelpViewer::showTopic(const QString& id) {
  if (!file_.topic(id)) return false;
  ui_->browser->followLink(HelpMarkup::topicUrl(id));
  return true;
}

QString HelpViewer::currentTopic() const {
  return ui_->browser->topicId();
}

void HelpViewer::topicShown(const QUrl& url) {
  ui_->statusLabel->clear();
  ui_->statusLabel->hide();
  // Keep the contents in step with the page, however it was reached.
  // The browser tells the new address before source() returns it.
  const QString id = HelpMarkup::topicIdOf(url).value_or(QString());
  QTreeWidgetItemIterator it(ui_->contentsTree);
  for (; *it; ++it) {
    if ((*it)->data(0, kTopicRole).toString() == id) {
      const QSignalBlocker blocker(ui_->contentsTree);
      ui_->contentsTree->setCurrentItem(*it);
      break;
    }
  }
}

void HelpViewer::linkRefused(const QUrl& url) {
  ui_->statusLabel->setText(QStringLiteral("Ссылка «%1» ведёт за пределы справки и не открывается.")
                                .arg(url.toDisplayString()));
  ui_->statusLabel->show();
}

}  // namespace pothenot
