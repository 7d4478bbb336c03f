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

// The table's columns.
enum Column { kStudent, kVariant, kStanding };
// On a row's first cell: where the row is in `rows_`.
constexpr int kRowRole = Qt::UserRole;
// On every cell: what a click on its column's header orders the rows by.
constexpr int kOrderRole = Qt::UserRole + 1;

// A cell ordered by its kOrderRole: a number as a number (a variant of 12
// after one of 5), a text as the desktop's language orders it.
class Cell : public QTableWidgetItem {
 public:
  Cell(const QString& text, const QVariant& order) : QTableWidgetItem(text) {
    setData(kOrderRole, order);
  }

  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant mine = data(kOrderRole), theirs = other.data(kOrderRole);
    if (mine.typeId() == QMetaType::QString)
      return QString::localeAwareCompare(mine.toString(), theirs.toString()) < 0;
    return mine.toLongLong() < theirs.toLongLong();
  }
};

// The rows in the marking's tints: not read or wrong red, not finished or
// another variant's givens amber, all right green; a file not marked keeps
// the table's own background.
QBrush rowTint(classcheck::Standing standing) {
  switch (standing) {
    case classcheck::Standing::NotRead:
    case classcheck::Standing::WithErrors:
      return markTint(Mark::Wrong);
    case classcheck::Standing::OtherGivens:
    case classcheck::Standing::NotFinished:
      return markTint(Mark::Carried);
    case classcheck::Standing::Right:
      return markTint(Mark::Correct);
    case classcheck::Standing::NotMarked:
      break;
  }
  return {};
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
  // The report's order until a header is clicked.
  ui_->Table->horizontalHeader()->setSortIndicator(kStanding, Qt::AscendingOrder);
  connect(ui_->FilesButton, &QPushButton::clicked, this, &ClassCheckWindow::chooseFiles);
  connect(ui_->FolderButton, &QPushButton::clicked, this, &ClassCheckWindow::chooseFolder);
  connect(ui_->SaveButton, &QPushButton::clicked, this, &ClassCheckWindow::saveReport);
  connect(ui_->CloseButton, &QPushButton::clicked, this, &QWidget::close);
  connect(ui_->Table, &QTableWidget::cellDoubleClicked, this, [this](int line, int) {
    if (line >= 0 && line < ui_->Table->rowCount()) open_(rowAt(line).path);
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

const classcheck::StudentRow& ClassCheckWindow::rowAt(int line) const {
  return rows_[ui_->Table->item(line, kStudent)->data(kRowRole).toULongLong()];
}

std::vector<classcheck::StudentRow> ClassCheckWindow::rows() const {
  std::vector<classcheck::StudentRow> shown;
  for (int line = 0; line < ui_->Table->rowCount(); ++line) shown.push_back(rowAt(line));
  return shown;
}

void ClassCheckWindow::showRows() {
  QTableWidget* table = ui_->Table;
  // Filled line by line, then put in the order the header shows.
  table->setSortingEnabled(false);
  table->clearContents();
  table->setRowCount(int(rows_.size()));
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    const classcheck::StudentRow& row = rows_[r];
    const QString name = row.student.isEmpty() ? row.fileName() : row.student;
    const QString firstError = row.givensNote.isEmpty()
                                   ? row.firstError
                                   : row.firstError + QStringLiteral("; ") + row.givensNote;
    QList<Cell*> cells{new Cell(name, name),
                       new Cell(row.variant ? QString::number(*row.variant) : QStringLiteral("—"),
                                row.variant ? qlonglong(*row.variant) : -1),
                       // Ordered by the report's order, which `rows_` keeps.
                       new Cell(classcheck::standingWords(row.standing()), qulonglong(r))};
    for (const QString& count : classcheck::countCells(row)) {
      cells << new Cell(count, count.isEmpty() ? -1 : count.toLongLong());
      cells.back()->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    cells << new Cell(firstError, firstError);
    cells[kVariant]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cells[kStudent]->setData(kRowRole, qulonglong(r));
    cells[kStudent]->setBackground(rowTint(row.standing()));
    const QString tip = QDir::toNativeSeparators(row.path) +
                        (row.givensNote.isEmpty() ? QString() : u'\n' + row.givensNote);
    for (int column = 0; column < cells.size(); ++column) {
      cells[column]->setToolTip(tip);
      table->setItem(int(r), column, cells[column]);
    }
  }
  table->setSortingEnabled(true);
  table->setCurrentCell(-1, -1);
  ui_->SaveButton->setEnabled(!rows_.empty());
  ui_->Summary->setText(rows_.empty()
                            ? QStringLiteral("Листов задачи (*.pothenot) не найдено.")
                            : classcheck::classSummary(rows_) +
                                  QStringLiteral(" Двойной щелчок по строке открывает лист в окне "
                                                 "задачи и проверяет его."));
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
  // Whether to replace a file is asked once, below, of the name written.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  QString path = dialog.selectedFiles().front();
  // The suffix typed decides; without one, the kind chosen in the dialog.
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("csv"))
    path += dialog.selectedNameFilter() == pdf ? QStringLiteral(".pdf") : QStringLiteral(".csv");
  if (!safeFile::mayReplace(this, path)) return;
  const safeFile::Outcome outcome = classcheck::writeReport(path, rows());
  if (outcome.status == safeFile::Outcome::Failed)
    QMessageBox::warning(this, kProgramTitle, outcome.message);
}

}  // namespace pothenot
