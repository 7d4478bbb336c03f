// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/classcheck/ClassCheckWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>

#include "ui/classcheck/ReportPages.h"
#include "ui/common/Title.h"
#include "ui/common/WindowFont.h"
#include "ui/marking/CheckWords.h"
#include "ui_ClassCheckWindow.h"

namespace pothenot {

namespace {

// A file takes long enough to mark (tens of microseconds, more on a slow
// disk) that a class of this many may keep the teacher waiting.
constexpr int kProgressFrom = 50;

// The rows in the marking's tints: not marked or wrong red, not all checked
// amber, all right green.
QColor rowTint(const classcheck::StudentRow& row) {
  switch (row.rank()) {
    case 0:
    case 1:
      return markTint(Mark::Wrong);
    case 2:
      return markTint(Mark::Carried);
    default:
      return markTint(Mark::Correct);
  }
}

}  // namespace

ClassCheckWindow::ClassCheckWindow(QWidget* owner, std::function<void(const QString&)> open)
    : QWidget(owner, Qt::Window),
      ui_(std::make_unique<Ui::ClassCheckWindow>()),
      open_(std::move(open)) {
  setFont(windowFont());
  ui_->setupUi(this);
  ui_->Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  ui_->Table->horizontalHeader()->setStretchLastSection(true);
  // One line of text a row, so that a class of thirty fits on a screen.
  ui_->Table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  connect(ui_->FilesButton, &QPushButton::clicked, this, &ClassCheckWindow::chooseFiles);
  connect(ui_->FolderButton, &QPushButton::clicked, this, &ClassCheckWindow::chooseFolder);
  connect(ui_->SaveButton, &QPushButton::clicked, this, &ClassCheckWindow::saveReport);
  connect(ui_->CloseButton, &QPushButton::clicked, this, &QWidget::close);
  connect(ui_->Table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (row >= 0 && std::size_t(row) < rows_.size()) open_(rows_[std::size_t(row)].path);
  });
  folder_ = QDir::homePath();
}

ClassCheckWindow::~ClassCheckWindow() = default;

void ClassCheckWindow::checkFiles(const QStringList& paths) {
  QProgressDialog progress(QStringLiteral("Проверка работ…"), QStringLiteral("Отмена"), 0,
                           int(paths.size()), this);
  progress.setWindowTitle(kProgramTitle);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(paths.size() >= kProgressFrom ? 0 : 1000);
  rows_ = classcheck::markFiles(paths, [&progress](int done) {
    progress.setValue(done);
    return !progress.wasCanceled();
  });
  progress.reset();
  if (!paths.isEmpty()) folder_ = QFileInfo(paths.front()).absolutePath();
  showRows();
  show();
  raise();
}

void ClassCheckWindow::checkFolder(const QString& folder) {
  folder_ = folder;
  checkFiles(classcheck::sheetFilesIn(folder));
}

void ClassCheckWindow::showRows() {
  QTableWidget* table = ui_->Table;
  table->clearContents();
  table->setRowCount(int(rows_.size()));
  int unfinished = 0;
  for (int r = 0; r < table->rowCount(); ++r) {
    const classcheck::StudentRow& row = rows_[std::size_t(r)];
    unfinished += row.rank() < 2 ? 1 : 0;
    QStringList texts{row.student.isEmpty() ? row.fileName() : row.student,
                      row.variant ? QString::number(*row.variant) : QStringLiteral("—")};
    for (const Mark mark :
         {Mark::Correct, Mark::Carried, Mark::Wrong, Mark::Empty, Mark::Unreadable})
      texts << (row.error.isEmpty() ? QString::number(row.check.count(mark)) : QString());
    texts << (row.givensNote.isEmpty() ? row.firstError
                                       : row.firstError + QStringLiteral("; ") + row.givensNote);
    const QString tip = QDir::toNativeSeparators(row.path) +
                        (row.givensNote.isEmpty() ? QString() : u'\n' + row.givensNote);
    for (int column = 0; column < texts.size(); ++column) {
      auto* item = new QTableWidgetItem(texts[column]);
      item->setToolTip(tip);
      if (column >= 1 && column <= 6) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table->setItem(r, column, item);
    }
    table->item(r, 0)->setBackground(rowTint(row));
  }
  table->setCurrentCell(-1, -1);
  ui_->SaveButton->setEnabled(!rows_.empty());
  ui_->Summary->setText(
      rows_.empty()
          ? QStringLiteral("Листов задачи (*.pothenot) не найдено.")
          : QStringLiteral("Работ: %1; с ошибками или не проверено: %2. Двойной щелчок по строке "
                           "открывает лист в окне задачи и проверяет его.")
                .arg(rows_.size())
                .arg(unfinished));
}

void ClassCheckWindow::chooseFiles() {
  QFileDialog dialog(this, QStringLiteral("Работы студентов"), folder_,
                     QStringLiteral("Листы задачи (*.pothenot)"));
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (dialog.exec() == QDialog::Accepted) checkFiles(dialog.selectedFiles());
}

void ClassCheckWindow::chooseFolder() {
  QFileDialog dialog(this, QStringLiteral("Папка с работами студентов"), folder_);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    checkFolder(dialog.selectedFiles().front());
}

void ClassCheckWindow::saveReport() {
  const QString pdf = QStringLiteral("Отчёт PDF (*.pdf)");
  QFileDialog dialog(this, QStringLiteral("Сохранить отчёт"),
                     QDir(folder_).filePath(QStringLiteral("отчёт.pdf")),
                     pdf + QStringLiteral(";;Таблица CSV (*.csv)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  QString path = dialog.selectedFiles().front();
  // The suffix typed decides; without one, the kind chosen in the dialog.
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("csv"))
    path += dialog.selectedNameFilter() == pdf ? QStringLiteral(".pdf") : QStringLiteral(".csv");
  if (!safeFile::mayReplace(this, path)) return;
  const safeFile::Outcome outcome = classcheck::writeReport(path, rows_);
  if (outcome.status == safeFile::Outcome::Failed)
    QMessageBox::warning(this, kProgramTitle, outcome.message);
}

}  // namespace pothenot
