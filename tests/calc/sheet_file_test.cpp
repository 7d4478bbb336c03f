// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet file: what is written survives reading to the byte, what is not a
// sheet is refused for the right reason, and a sheet typed with one decimal
// separator calculates the same with the other.
#include "calc/sheet_file.h"

#include <gtest/gtest.h>

#include <string>

namespace pothenot {
namespace {

using Reason = SheetFileError::Reason;

std::optional<Reason> RefusalOf(const std::string& bytes) {
  try {
    ReadSheetFile(bytes);
  } catch (const SheetFileError& e) {
    return e.reason();
  }
  return std::nullopt;
}

std::string Sheet(const std::string& members) {
  return R"({"format": "pothenot-sheet", "version": 1, )" + members + "}";
}

TEST(SheetFile, SurvivesWritingAndReadingByteForByte) {
  SheetFile file;
  file.variant = 17;
  file.student = "Иванова А.\u00a0П. 🧭 \u05e9\u0301";
  file.sheet.setText("EK1", "  -3523,41\t");
  file.sheet.setText("Ede", std::string("a\0\"\\\n/", 6));  // a NUL, quotes and escapes
  file.sheet.setText("EXa", "тысяча");
  const std::string bytes = WriteSheetFile(file);
  EXPECT_TRUE(
      bytes.starts_with("{\n  \"format\": \"pothenot-sheet\",\n  \"version\": 1,\n"
                        "  \"decimalSeparator\": \",\",\n  \"variant\": 17,\n"
                        "  \"student\": \"Иванова"))
      << bytes;
  EXPECT_TRUE(bytes.ends_with("    \"Ee1\": \"\"\n  }\n}\n")) << bytes;

  const SheetFile read = ReadSheetFile(bytes);
  for (const FieldInfo& f : Fields())
    EXPECT_EQ(read.sheet.text(f.name), file.sheet.text(f.name)) << f.name;
  EXPECT_EQ(WriteSheetFile(read), bytes);  // student and variant too
}

TEST(SheetFile, ReadsWhatItNeedsAndIgnoresTheRest) {
  const SheetFile file = ReadSheetFile(
      Sheet(R"("fields": {"EXa": "5", "EXaa": "7", "EYaa": "8", "EK1": "1,5", "Elsewhere": 3},
               "comment": ["not", "ours"])"));
  EXPECT_EQ(file.sheet.text("EXa"), "5");
  EXPECT_EQ(file.sheet.text("EXaa"), "5");  // the mirrors follow their givens
  EXPECT_EQ(file.sheet.text("EYaa"), "");
  EXPECT_EQ(file.sheet.text("EK1"), "1,5");
  EXPECT_EQ(file.sheet.text("EXb"), "");  // left out: an empty box, not the built-in example
  EXPECT_EQ(file.decimalSeparator, ",");
}

TEST(SheetFile, RefusesWhatIsNotASheetItCanRead) {
  const std::string fields = R"("fields": {})";
  EXPECT_EQ(RefusalOf(Sheet(fields)), std::nullopt);
  EXPECT_EQ(RefusalOf(std::string(kSheetFileMaxBytes + 1, ' ')), Reason::TooLarge);
  EXPECT_EQ(RefusalOf(Sheet(fields).substr(1)), Reason::NotJson);
  EXPECT_EQ(
      RefusalOf(
          "{\"format\": \"pothenot-sheet\", \"version\": 1, \"fields\": {\"EXa\": \"\xff\"}}"),
      Reason::NotJson);
  EXPECT_EQ(RefusalOf(Sheet(R"("huge": 4e444444, )" + fields)), Reason::NotJson);
  EXPECT_EQ(RefusalOf(R"({"format": "other", "version": 1, "fields": {}})"), Reason::NotASheet);
  EXPECT_EQ(RefusalOf(R"({"format": "pothenot-sheet", "version": "1", "fields": {}})"),
            Reason::NotASheet);
  EXPECT_EQ(RefusalOf(R"({"format": "pothenot-sheet", "version": 1})"), Reason::NotASheet);
  // Any later version, even one past every integer the reader keeps, needs a newer program.
  for (const char* later : {"2", "18446744073709551615", "18446744073709551616"}) {
    EXPECT_EQ(RefusalOf(std::string(R"({"format": "pothenot-sheet", "version": )") + later +
                        R"(, "fields": {}})"),
              Reason::NewerVersion)
        << later;
  }
  EXPECT_EQ(RefusalOf(Sheet(R"("fields": {"EK1": 1.5})")), Reason::NotText);
  EXPECT_EQ(RefusalOf(Sheet(R"("fields": {"EXaa": null})")), Reason::NotText);
  EXPECT_EQ(RefusalOf(Sheet(R"("student": 5, )" + fields)), Reason::NotText);
  EXPECT_EQ(RefusalOf(Sheet(R"("decimalSeparator": ";", )" + fields)), Reason::BadValue);
  EXPECT_EQ(RefusalOf(Sheet(R"("variant": 0, )" + fields)), Reason::BadValue);
  EXPECT_EQ(RefusalOf(Sheet(R"("variant": 1000000, )" + fields)), Reason::BadValue);
  EXPECT_EQ(RefusalOf(Sheet(R"("variant": 17.5, )" + fields)), Reason::BadValue);
  EXPECT_EQ(RefusalOf(Sheet(R"("variant": 999999, )" + fields)), std::nullopt);

  try {
    ReadSheetFile(Sheet(R"("fields": {"EK1": 1.5})"));
    ADD_FAILURE() << "read";
  } catch (const SheetFileError& e) {
    EXPECT_EQ(e.Sentence("лист.pothenot"),
              "Файл «лист.pothenot» не прочитан: значение поля «EK1» не строка.");
  }
}

// The window test calculates a comma sheet on a point desktop; here, what
// moving it cannot show there: a text unreadable with one separator stays so.
TEST(SheetFile, MovedToTheOtherSeparatorEveryTextReadsAsBefore) {
  SheetFile point = ReadSheetFile(R"({"format": "pothenot-sheet", "version": 1,
      "fields": {"EK1": "1.5", "EXa": "-2,5E3"}})");
  UseSeparator(point, ".");
  EXPECT_EQ(point.decimalSeparator, ".");
  EXPECT_EQ(point.sheet.text("EK1"), "1,5");
  EXPECT_EQ(point.sheet.text("EXaa"), "-2.5E3");
}

}  // namespace
}  // namespace pothenot
