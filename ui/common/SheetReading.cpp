// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/SheetReading.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace pothenot {

namespace {

[[noreturn]] void refuse(const QFileInfo& info, const QString& why) {
  throw std::runtime_error(
      QStringLiteral("Файл «%1» не прочитан: %2.").arg(info.fileName(), why).toStdString());
}

}  // namespace

QByteArray readSheetBytes(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) refuse(info, QStringLiteral("такого файла нет"));
  if (info.isDir()) refuse(info, QStringLiteral("это папка, а не файл"));
  // A file far larger than any sheet is refused unread; a device that reports
  // no size is read no further than one byte past the largest sheet.
  if (info.isFile() && static_cast<std::size_t>(info.size()) > kSheetFileMaxBytes)
    throw std::runtime_error(TooLargeSheetFile().Sentence(info.fileName().toStdString()));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    refuse(info, info.isReadable() ? QStringLiteral("его не открыть (%1)").arg(file.errorString())
                                   : QStringLiteral("нет права его читать"));
  }
  QByteArray read = file.read(static_cast<qint64>(kSheetFileMaxBytes) + 1);
  if (file.error() != QFileDevice::NoError)
    refuse(info, QStringLiteral("ошибка чтения (%1)").arg(file.errorString()));
  return read;
}

SheetFile readSheetFile(const QString& path, QByteArray* bytes) {
  const QByteArray read = readSheetBytes(path);
  if (bytes != nullptr) *bytes = read;
  try {
    return ReadSheetFile(std::string_view(read.constData(), static_cast<std::size_t>(read.size())));
  } catch (const SheetFileError& error) {
    throw std::runtime_error(error.Sentence(QFileInfo(path).fileName().toStdString()));
  }
}

}  // namespace pothenot
