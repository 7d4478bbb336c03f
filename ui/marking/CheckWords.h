// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <vector>

#include "calc/work_check.h"
#include "calc/worksheet.h"

namespace pothenot {

/// How a checked result box is put to the student, in the problem window and
/// in the list window "Проверка вычислений": the engine's words
/// (calc/check_words.h) as Qt takes them.

/// `MarkWord`: "верно", "следует из ошибки", "ошибка", "не читается", "пусто".
QString markWord(Mark mark);

/// `MarkTint`, opaque; invalid for an empty box, which keeps its own background.
QColor markTint(Mark mark);

/// `MarkNote`: the tooltip (and accessible description) of a checked box.
QString markNote(const BoxMark& box);

/// `CheckSummary`: the sentence at the top of the list window.
QString checkSummary(const std::vector<BoxMark>& marks, const TWorksheet& sheet);

}  // namespace pothenot
