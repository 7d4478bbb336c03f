// SPDX-License-Identifier: GPL-3.0-or-later
// A class's sheet that cannot be marked: its one sentence, the engine's
// message with its Cyrillic first letter made small, and its givens still
// compared with its variant's, many of them told in a few words.
#include "calc/sheet_commands.h"

#include <gtest/gtest.h>

#include "calc/sheet_file.h"
#include "calc/variant.h"

namespace pothenot {
namespace {

TEST(SheetCommands, ASheetThatCannotBeMarkedIsToldInOneSentenceWithItsGivens) {
  SheetFile file{MakeVariant(18), ",", 17u, "Петров П."};  // variant 18 worked for 17
  file.sheet.setText(Field::EXb, "");
  const std::size_t differing = GivensDifferingFromVariant(file).size();
  ASSERT_GT(differing, 5u);

  const SheetMarking marking = MarkSheetText(WriteSheetFile(file), "лист.pothenot");
  EXPECT_EQ(marking.error,
            "Файл «лист.pothenot» не проверен: поле «Xb» не заполнено: в нём должно стоять число.");
  EXPECT_EQ(marking.firstError, marking.error);
  EXPECT_TRUE(marking.check.marks.empty());
  EXPECT_EQ(marking.student, "Петров П.");
  EXPECT_TRUE(marking.givensNote.starts_with("исходные данные не те, что в варианте 17: "));
  EXPECT_TRUE(marking.givensNote.ends_with("; и ещё " + std::to_string(differing - 4)))
      << marking.givensNote;
}

}  // namespace
}  // namespace pothenot
