// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <vector>

#include "calc/work_check.h"
#include "calc/worksheet.h"

namespace pothenot {

/// How a checked result box is put to the student, in the problem window and
/// in the list window "Проверка вычислений".

/// The mark in words: "верно", "следует из ошибки", "ошибка", "не читается",
/// "пусто".
QString markWord(Mark mark);

/// The background of a box with that mark: a light tint that leaves every
/// text colour of the worksheet readable. Invalid for an empty box, which
/// keeps its own background.
QColor markTint(Mark mark);

/// The tooltip (and accessible description) of a checked box: the mark, the
/// worksheet's own text and, where the box's inputs were not the correct
/// ones, what the step gives from the student's own numbers.
QString markNote(const BoxMark& box);

/// The first error of a marked sheet in words, for a line among many sheets:
/// "первая ошибка — K1: у вас −3523,42, верно −3523,41" (the box, what the
/// student wrote there, the worksheet's text), "все вычисления верны", or with
/// no error but boxes not checked, "ошибок не найдено, но проверено не всё:
/// пустых полей — 3". `sheet` holds the student's texts that `marks` were
/// made from.
QString firstErrorWords(const std::vector<BoxMark>& marks, const TWorksheet& sheet);

/// The sentence at the top of the list window: "Все вычисления верны", or
/// where the first error is, what the student wrote there against the
/// worksheet, and which boxes follow from it. `sheet` holds the student's
/// texts that `marks` were made from.
QString checkSummary(const std::vector<BoxMark>& marks, const TWorksheet& sheet);

}  // namespace pothenot
