// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/marking/CheckList.h"

#include <QAction>
#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "ui/common/WindowFont.h"
#include "ui/marking/CheckWords.h"
#include "ui_CheckList.h"

namespace pothenot {

CheckList::CheckList(QWidget* owner, QAction* checkAgain)
    : QWidget(owner, Qt::Window), ui_(std::make_unique<Ui::CheckList>()) {
  setFont(windowFont());
  ui_->setupUi(this);
  // Shown next to the worksheet, not in place of it: the student's focus
  // stays in the box being worked on.
  setAttribute(Qt::WA_ShowWithoutActivating);
  ui_->Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // One line of text a row, so that the 29 results fit without scrolling.
  ui_->Table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  connect(ui_->CloseButton, &QPushButton::clicked, this, &QWidget::close);
  addAction(checkAgain);
  connect(ui_->CheckAgain, &QPushButton::clicked, checkAgain, &QAction::trigger);
}

CheckList::~CheckList() = default;

void CheckList::showMarks(const std::vector<BoxMark>& marks, const TWorksheet& sheet) {
  ui_->Summary->setText(checkSummary(marks, sheet));
  QTableWidget* table = ui_->Table;
  table->clearContents();
  table->setRowCount(static_cast<int>(marks.size()));
  for (int row = 0; row < table->rowCount(); ++row) {
    const BoxMark& box = marks[static_cast<std::size_t>(row)];
    const QString note = markNote(box);
    const QString cells[] = {
        QString::fromUtf8(Info(box.field).quantity),
        QString::fromUtf8(sheet.text(box.field)),
        QString::fromUtf8(box.expected),
        markWord(box.mark),
    };
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setToolTip(note);
      table->setItem(row, column, item);
    }
    if (const QColor tint = markTint(box.mark); tint.isValid())
      table->item(row, 3)->setBackground(tint);
  }
  table->setCurrentCell(-1, -1);
  // The whole list at once: the window grows to hold every row.
  table->setMinimumHeight(table->horizontalHeader()->height() + table->verticalHeader()->length() +
                          2 * table->frameWidth());
  // The sentence above wraps: its height depends on the window's width.
  layout()->activate();
  resize(width(), std::max(height(), layout()->totalHeightForWidth(width())));
  show();
  raise();
}

void CheckList::forget() {
  ui_->Table->setRowCount(0);
  ui_->Summary->setText(
      QStringLiteral("Лист изменён после проверки. Нажмите F3, чтобы проверить его снова."));
}

}  // namespace pothenot
