// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/check_words.h"

#include <algorithm>
#include <cstddef>

namespace pothenot {

namespace {

constexpr std::string_view kNoBreakSpace = "\u00A0";
constexpr std::string_view kMinus = "\u2212";

// A quantity's name in running text is never broken across lines: "K2 − C·K1".
std::string Quantity(Field field) {
  std::string out;
  for (const char c : Info(field).quantity) {
    if (c == ' ') {
      out += kNoBreakSpace;
    } else {
      out += c;
    }
  }
  return out;
}

// A number in running text takes the typographic minus: "−3523,42".
std::string InSentence(const std::string& text) {
  if (!text.empty() && text.front() == '-') return std::string(kMinus) + text.substr(1);
  return text;
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += separator;
    out += parts[i];
  }
  return out;
}

// The words start with a letter of the Russian or the Latin alphabet; the
// first one, in either case, is changed in place (two bytes for a Cyrillic
// letter of U+0400–U+045F, one for a Latin). Anything else is left alone.
enum class Case { Small, Capital };
std::string WithFirstLetter(std::string text, Case wanted) {
  if (text.empty()) return text;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  if (byte(0) < 0x80) {
    const char c = text[0];
    if (wanted == Case::Small && c >= 'A' && c <= 'Z') text[0] = char(c - 'A' + 'a');
    if (wanted == Case::Capital && c >= 'a' && c <= 'z') text[0] = char(c - 'a' + 'A');
    return text;
  }
  if (text.size() < 2 || (byte(0) != 0xD0 && byte(0) != 0xD1) || (byte(1) & 0xC0) != 0x80)
    return text;
  char32_t letter = char32_t((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F));
  if (wanted == Case::Small) {
    if (letter >= 0x0410 && letter <= 0x042F)
      letter += 0x20;  // А–Я
    else if (letter >= 0x0400 && letter <= 0x040F)
      letter += 0x50;  // Ѐ–Џ, Ё among them
  } else {
    if (letter >= 0x0430 && letter <= 0x044F)
      letter -= 0x20;
    else if (letter >= 0x0450 && letter <= 0x045F)
      letter -= 0x50;
  }
  text[0] = char(0xC0 | (letter >> 6));
  text[1] = char(0x80 | (letter & 0x3F));
  return text;
}

}  // namespace

std::string MarkWord(Mark mark) {
  switch (mark) {
    case Mark::Empty:
      return "пусто";
    case Mark::Unreadable:
      return "не читается";
    case Mark::Correct:
      return "верно";
    case Mark::Carried:
      return "следует из ошибки";
    case Mark::Wrong:
      return "ошибка";
  }
  return {};
}

std::optional<std::uint32_t> MarkTint(Mark mark) {
  switch (mark) {
    case Mark::Empty:
      return std::nullopt;
    case Mark::Unreadable:
      return 0xD8D8F8;  // lavender
    case Mark::Correct:
      return 0xCCF0CC;  // pale green
    case Mark::Carried:
      return 0xFFEEB0;  // pale amber
    case Mark::Wrong:
      return 0xFFC4C4;  // pale red
  }
  return std::nullopt;
}

std::string MarkNote(const BoxMark& box) {
  const std::string& expected = box.expected;
  const std::string& carried = box.carried;
  switch (box.mark) {
    case Mark::Correct:
      return "Верно. На листе программы: " + expected;
    case Mark::Carried:
      return "Следует из ошибки выше: из ваших предыдущих чисел этот шаг даёт " + carried +
             ". Верно: " + expected;
    case Mark::Wrong:
      if (!carried.empty() && carried != expected)
        return "Ошибка. Верно: " + expected + "; из ваших предыдущих чисел шаг даёт " + carried;
      return "Ошибка. Верно: " + expected;
    case Mark::Unreadable:
      return "Не читается. Верно: " + expected;
    case Mark::Empty:
      return "Пусто. Верно: " + expected;
  }
  return {};
}

std::string FirstErrorWords(const std::vector<BoxMark>& marks, const TWorksheet& sheet) {
  const auto first = std::find_if(marks.begin(), marks.end(),
                                  [](const BoxMark& box) { return box.mark == Mark::Wrong; });
  if (first != marks.end()) {
    return "первая ошибка — " + Quantity(first->field) + ": у вас " +
           InSentence(sheet.text(first->field)) + ", верно " + InSentence(first->expected);
  }
  const auto count = [&](Mark mark) {
    return std::count_if(marks.begin(), marks.end(),
                         [mark](const BoxMark& box) { return box.mark == mark; });
  };
  const auto empty = count(Mark::Empty);
  const auto unreadable = count(Mark::Unreadable);
  if (empty == 0 && unreadable == 0) return "все вычисления верны";
  std::vector<std::string> unchecked;
  if (empty > 0) unchecked.push_back("пустых полей — " + std::to_string(empty));
  if (unreadable > 0) unchecked.push_back("нечитаемых — " + std::to_string(unreadable));
  return "ошибок не найдено, но проверено не всё: " + Joined(unchecked, ", ");
}

std::string CheckSummary(const std::vector<BoxMark>& marks, const TWorksheet& sheet) {
  std::string sentence = WithFirstLetter(FirstErrorWords(marks, sheet), Case::Capital);
  const auto first = std::find_if(marks.begin(), marks.end(),
                                  [](const BoxMark& box) { return box.mark == Mark::Wrong; });
  if (first == marks.end()) return sentence;

  std::vector<std::string> carried;
  std::vector<std::string> laterErrors;
  for (const BoxMark& box : marks) {
    if (box.mark == Mark::Carried) carried.push_back(Quantity(box.field));
    if (box.mark == Mark::Wrong && &box != &*first) laterErrors.push_back(Quantity(box.field));
  }
  // With one error every carried box follows from it; with more, from them.
  if (!carried.empty()) {
    sentence += "; " + Joined(carried, ", ");
    sentence += carried.size() == 1 ? " следует" : " следуют";
    sentence += laterErrors.empty() ? " из неё" : " из ошибок";
  }
  if (!laterErrors.empty()) sentence += "; другие ошибки: " + Joined(laterErrors, ", ");
  return sentence;
}

std::string GivensNote(std::optional<std::uint32_t> variant, const std::vector<Field>& differing) {
  if (differing.empty() || !variant) return {};
  // A few names tell what was miscopied; a sheet of some other problem
  // altogether is said in a few words too.
  constexpr std::size_t kNamed = 4;
  std::vector<std::string> names;
  for (std::size_t i = 0; i < std::min(differing.size(), kNamed); ++i)
    names.emplace_back(Info(differing[i]).quantity);
  if (differing.size() > kNamed)
    names.push_back("и ещё " + std::to_string(differing.size() - kNamed));
  return "исходные данные не те, что в варианте " + std::to_string(*variant) + ": " +
         Joined(names, "; ");
}

std::string CountsText(const SheetCheck& check) {
  return "верно " + std::to_string(check.count(Mark::Correct)) + ", следует из ошибки " +
         std::to_string(check.count(Mark::Carried)) + ", ошибка " +
         std::to_string(check.count(Mark::Wrong)) + ", пусто " +
         std::to_string(check.count(Mark::Empty)) + ", не читается " +
         std::to_string(check.count(Mark::Unreadable));
}

std::string NotMarkedSentence(std::string_view fileName, std::string_view calcMessage) {
  return "Файл «" + std::string(fileName) +
         "» не проверен: " + WithFirstLetter(std::string(calcMessage), Case::Small);
}

}  // namespace pothenot
