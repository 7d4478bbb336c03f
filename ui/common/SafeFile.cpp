// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>

namespace pothenot::safeFile {

bool mayReplace(QWidget* parent, const QString& path) {
  const QFileInfo file(path);
  if (!file.exists()) return true;
  QMessageBox question(QMessageBox::Question, QStringLiteral("Файл уже есть"),
                       QStringLiteral("Файл «%1» уже есть в папке «%2». Заменить его?")
                           .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath())),
                       QMessageBox::NoButton, parent);
  QPushButton* replace = question.addButton(QStringLiteral("Заменить"), QMessageBox::YesRole);
  question.setDefaultButton(question.addButton(QStringLiteral("Не заменять"), QMessageBox::NoRole));
  question.exec();
  return question.clickedButton() == replace;
}

Outcome write(const QString& path, const std::function<Outcome::Status(QIODevice&)>& write) {
  const auto failed = [&path](const QString& why) {
    return Outcome{Outcome::Failed, QStringLiteral("Не удалось записать файл «%1»: %2.")
                                        .arg(QDir::toNativeSeparators(path), why)};
  };
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return failed(file.errorString());
  const Outcome::Status status = write(file);
  if (status != Outcome::Written) {
    file.cancelWriting();
    return status == Outcome::Cancelled ? Outcome{Outcome::Cancelled, {}}
                                        : failed(QStringLiteral("файл не составлен"));
  }
  // A write that failed when the buffer went to the disk (a full disk) does
  // not stop the commit by itself: it is asked of the flush.
  if (!file.flush() || file.error() != QFileDevice::NoError) {
    const QString why = file.errorString();
    file.cancelWriting();
    return failed(why);
  }
  if (!file.commit()) return failed(file.errorString());
  return Outcome{Outcome::Written, {}};
}

Outcome write(const QString& path, const QByteArray& bytes) {
  return write(path, [&bytes](QIODevice& file) {
    return file.write(bytes) == bytes.size() ? Outcome::Written : Outcome::Failed;
  });
}

}  // namespace pothenot::safeFile
