// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/fields.h"
#include "calc/sheet_check.h"
#include "calc/work_check.h"
#include "calc/worksheet.h"

namespace pothenot {

/// The marking's words: how a checked result box, a marked sheet and a sheet
/// file marked for a class are put to the student and the teacher, in the
/// problem window (F3), its list window, the class window, the command line
/// and the page. Every text is Russian, UTF-8; a number in running text takes
/// the typographic minus (U+2212, "−3523,42") and a quantity's name keeps its
/// words together with no-break spaces (U+00A0, "K2 − C·K1"). None of these
/// throws anything but std::bad_alloc.

/// The mark in words: "верно", "следует из ошибки", "ошибка", "не читается",
/// "пусто".
std::string MarkWord(Mark mark);

/// The background of a box with that mark as 0xRRGGBB: a light tint that
/// leaves every text colour of the worksheet readable (Correct pale green
/// 0xCCF0CC, Carried pale amber 0xFFEEB0, Wrong pale red 0xFFC4C4,
/// Unreadable lavender 0xD8D8F8). None for Empty: an empty box keeps its own
/// background.
std::optional<std::uint32_t> MarkTint(Mark mark);

/// The tooltip (and accessible description) of a checked box: the mark, the
/// worksheet's own text (`box.expected`) and, where the box's inputs were not
/// the correct ones, what the step gives from the student's own numbers
/// (`box.carried`): "Верно. На листе программы: 1087,5", "Ошибка. Верно: 12;
/// из ваших предыдущих чисел шаг даёт 13", …
std::string MarkNote(const BoxMark& box);

/// The first error of a marked sheet in words, for a line among many sheets:
/// "первая ошибка — K1: у вас −3523,42, верно −3523,41" (the box, what the
/// student wrote there, the worksheet's text), "все вычисления верны", or with
/// no error but boxes not checked, "ошибок не найдено, но проверено не всё:
/// пустых полей — 3, нечитаемых — 1". Starts with a small letter. `sheet`
/// holds the student's texts that `marks` (CheckWork's) were made from.
std::string FirstErrorWords(const std::vector<BoxMark>& marks, const TWorksheet& sheet);

/// The sentence at the top of the list window: `FirstErrorWords` with a
/// capital first letter and, after the first error, which boxes follow from
/// it ("; K2, C следуют из неё", "… из ошибок" when there are more) and the
/// other errors ("; другие ошибки: Yp, Xp"). No full stop.
std::string CheckSummary(const std::vector<BoxMark>& marks, const TWorksheet& sheet);

/// The givens of a sheet file that are not those of its variant, for a
/// class's row: "исходные данные не те, что в варианте 17: Xb; Yc" (at most
/// four quantities named, then "; и ещё 9"). Empty when `differing` is empty
/// or there is no `variant` (`GivensDifferingFromVariant` gives none then).
std::string GivensNote(std::optional<std::uint32_t> variant, const std::vector<Field>& differing);

/// The five counts of a marked sheet in words: "верно 27, следует из ошибки 1,
/// ошибка 1, пусто 0, не читается 0".
std::string CountsText(const SheetCheck& check);

/// The one sentence of a sheet file whose sheet could not be marked (CheckWork
/// stopped where Calculate would): "Файл «name» не проверен: " and
/// `calcMessage` (a `CalcError`'s what()) with its first letter made small,
/// Cyrillic or Latin ("Деление на ноль …" → "деление на ноль …").
std::string NotMarkedSentence(std::string_view fileName, std::string_view calcMessage);

}  // namespace pothenot
