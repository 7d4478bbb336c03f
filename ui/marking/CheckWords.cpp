// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/marking/CheckWords.h"

#include <QStringList>
#include <algorithm>

namespace pothenot {

namespace {

// A quantity's name in running text is never broken across lines: "K2 − C·K1".
QString quantity(Field field) {
  return QString::fromUtf8(Info(field).quantity).replace(u' ', QChar(0x00A0));
}

// A number in running text takes the typographic minus: "−3523,42".
QString inSentence(const std::string& text) {
  QString out = QString::fromUtf8(text);
  if (out.startsWith(u'-')) out[0] = QChar(0x2212);
  return out;
}

}  // namespace

QString markWord(Mark mark) {
  switch (mark) {
    case Mark::Empty:
      return QStringLiteral("пусто");
    case Mark::Unreadable:
      return QStringLiteral("не читается");
    case Mark::Correct:
      return QStringLiteral("верно");
    case Mark::Carried:
      return QStringLiteral("следует из ошибки");
    case Mark::Wrong:
      return QStringLiteral("ошибка");
  }
  return {};
}

QColor markTint(Mark mark) {
  switch (mark) {
    case Mark::Empty:
      return {};
    case Mark::Unreadable:
      return QColor(216, 216, 248);  // lavender
    case Mark::Correct:
      return QColor(204, 240, 204);  // pale green
    case Mark::Carried:
      return QColor(255, 238, 176);  // pale amber
    case Mark::Wrong:
      return QColor(255, 196, 196);  // pale red
  }
  return {};
}

QString markNote(const BoxMark& box) {
  const QString expected = QString::fromUtf8(box.expected);
  const QString carried = QString::fromUtf8(box.carried);
  switch (box.mark) {
    case Mark::Correct:
      return QStringLiteral("Верно. На листе программы: %1").arg(expected);
    case Mark::Carried:
      return QStringLiteral(
                 "Следует из ошибки выше: из ваших предыдущих чисел этот шаг даёт %1. "
                 "Верно: %2")
          .arg(carried, expected);
    case Mark::Wrong:
      if (!carried.isEmpty() && carried != expected)
        return QStringLiteral("Ошибка. Верно: %1; из ваших предыдущих чисел шаг даёт %2")
            .arg(expected, carried);
      return QStringLiteral("Ошибка. Верно: %1").arg(expected);
    case Mark::Unreadable:
      return QStringLiteral("Не читается. Верно: %1").arg(expected);
    case Mark::Empty:
      return QStringLiteral("Пусто. Верно: %1").arg(expected);
  }
  return {};
}

QString firstErrorWords(const std::vector<BoxMark>& marks, const TWorksheet& sheet) {
  const auto first = std::find_if(marks.begin(), marks.end(),
                                  [](const BoxMark& box) { return box.mark == Mark::Wrong; });
  if (first != marks.end()) {
    return QStringLiteral("первая ошибка — %1: у вас %2, верно %3")
        .arg(quantity(first->field), inSentence(sheet.text(first->field)),
             inSentence(first->expected));
  }
  const auto count = [&](Mark mark) {
    return std::count_if(marks.begin(), marks.end(),
                         [mark](const BoxMark& box) { return box.mark == mark; });
  };
  const auto empty = count(Mark::Empty);
  const auto unreadable = count(Mark::Unreadable);
  if (empty == 0 && unreadable == 0) return QStringLiteral("все вычисления верны");
  QStringList unchecked;
  if (empty > 0) unchecked << QStringLiteral("пустых полей — %1").arg(empty);
  if (unreadable > 0) unchecked << QStringLiteral("нечитаемых — %1").arg(unreadable);
  return QStringLiteral("ошибок не найдено, но проверено не всё: ") +
         unchecked.join(QStringLiteral(", "));
}

QString checkSummary(const std::vector<BoxMark>& marks, const TWorksheet& sheet) {
  QString sentence = firstErrorWords(marks, sheet);
  sentence[0] = sentence[0].toUpper();
  const auto first = std::find_if(marks.begin(), marks.end(),
                                  [](const BoxMark& box) { return box.mark == Mark::Wrong; });
  if (first == marks.end()) return sentence;

  QStringList carried;
  QStringList laterErrors;
  for (const BoxMark& box : marks) {
    if (box.mark == Mark::Carried) carried << quantity(box.field);
    if (box.mark == Mark::Wrong && &box != &*first) laterErrors << quantity(box.field);
  }
  // With one error every carried box follows from it; with more, from them.
  if (!carried.isEmpty()) {
    sentence += QStringLiteral("; ") + carried.join(QStringLiteral(", "));
    sentence += carried.size() == 1 ? QStringLiteral(" следует") : QStringLiteral(" следуют");
    sentence += laterErrors.isEmpty() ? QStringLiteral(" из неё") : QStringLiteral(" из ошибок");
  }
  if (!laterErrors.isEmpty())
    sentence += QStringLiteral("; другие ошибки: ") + laterErrors.join(QStringLiteral(", "));
  return sentence;
}

}  // namespace pothenot
