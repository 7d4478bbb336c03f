// SPDX-License-Identifier: GPL-3.0-or-later
// A student's result boxes judged by CheckWork: the worksheet's own texts,
// exact-decimal work and other spellings, where a mistake begins and what is
// carried from it, unreadable and empty boxes, and the stops of Calculate.
#include "calc/work_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calc/angles.h"
#include "calc/resection.h"
#include "calc/steps.h"
#include "calc/variant.h"
#include "tests/calc/test_support.h"

namespace pothenot {
namespace {

// The built-in example with the givens of `typed` ("name=text|…") changed,
// every result box as the worksheet writes it, then the results of `typed`.
TWorksheet Sheet(std::string_view typed, std::string_view separator = ",") {
  TWorksheet sheet;
  for (const FieldInfo& f : Fields()) {
    std::string text = sheet.text(f.name);
    std::replace(text.begin(), text.end(), ',', separator[0]);
    sheet.setText(f.name, text);
  }
  test::Type(sheet, typed);
  TWorksheet worked = sheet;
  Calculate(worked, separator);
  const std::string boxes = std::string("|").append(typed);
  for (const FieldInfo& f : Fields()) {
    if (f.role == Role::Result &&
        boxes.find(std::string("|").append(f.name).append("=")) == std::string::npos)
      sheet.setText(f.name, worked.text(f.name));
  }
  return sheet;
}

// One letter per result box in the order of writing: '.' empty, '?' unreadable,
// '+' correct, '~' carried, 'x' wrong. The order is
//   a b | Xb−Xa Xc−Xa Xc−Xb Yb−Ya Yc−Ya Yc−Yb | K1 K3 K1−K3 K2 K4 K2−K4 |
//   C C² K2−CK1 K4−CK3 ΔY ΔX Yp Xp | Xd−Xp Yd−Yp ctg(PD) (PA) (PD) ε δε
std::string Letters(const TWorksheet& sheet, std::string_view separator = ",") {
  std::string out;
  for (const BoxMark& m : CheckWork(sheet, separator)) out += ".?+~x"[static_cast<int>(m.mark)];
  return out;
}
std::string Letters(std::string_view typed) {
  return Letters(Sheet(typed));
}

std::string Carried(const TWorksheet& sheet, const char* name) {
  for (const BoxMark& m : CheckWork(sheet, ",")) {
    if (Info(m.field).name == name) return m.carried;
  }
  return "no such box";
}

const std::string kAllCorrect(29, '+');

// The worksheet's own texts are correct, in its order of writing; empty
// boxes are empty, and nothing is written or heard; the other notation is
// unreadable.
TEST(WorkCheckTest, TheWorksheetsOwnTextsAreCorrectInItsOrderAndNothingIsWritten) {
  for (std::string_view separator : {",", "."}) {
    TWorksheet sheet = Sheet("", separator), blank = sheet;
    for (const FieldInfo& f : Fields()) {
      if (f.role == Role::Result) blank.setText(f.name, "");
    }
    // Empty boxes, and a sheet whose watcher hears nothing of the check.
    blank.setObserver([&](std::string_view name) { ADD_FAILURE() << "wrote " << name; });
    EXPECT_EQ(Letters(blank, separator), std::string(29, '.'));
    std::vector<Field> written;  // Calculate's order of writing
    blank.setObserver([&](std::string_view name) { written.push_back(*FieldByName(name)); });
    Calculate(blank, separator);
    const std::vector<BoxMark> marks = CheckWork(sheet, separator);
    ASSERT_EQ(marks.size(), written.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
      EXPECT_EQ(marks[i].field, written[i]) << i;
      EXPECT_EQ(marks[i].expected, sheet.text(marks[i].field));
      EXPECT_EQ(marks[i].mark, Mark::Correct) << Info(marks[i].field).name;
      EXPECT_EQ(marks[i].carried, "");
    }
    const char* other = separator == "," ? "EK1=-3523.41" : "EK1=-3523,41";
    EXPECT_EQ(Letters(Sheet(other, separator), separator)[8], '?');
  }
}

// Worked in exact decimals, the example's four cut differences come out one
// hundredth further from zero than the worksheet's 80-bit ones; both are
// right, and so are other spellings of the same numbers, but not one digit
// more or less.
TEST(WorkCheckTest, ExactDecimalWorkAndOtherSpellingsAreCorrect) {
  EXPECT_EQ(Letters("EK1K3=-10044,73|EK2K4=-5794,55|EXdXp=-1947,78|EYdYp=-198,98"), kAllCorrect);
  EXPECT_EQ(Letters("Ea=-0,372160|EYbb=1087,50|EdX= +848,090 |EC=57687e-5|EXbb=3118,69"
                    "0000000000000000000000000000000000000000000|EPD=185°49'59\"|Ee1=54° 11′ 15″"
                    "|Ede=-0°0`-0``"),
            kAllCorrect);
  // A minus before the degrees is the whole angle's where no other part is
  // signed (-306°-11`-15``, wrong), else each sign its part's.
  EXPECT_EQ(Letters("Ee1=-306°11`+15``"), kAllCorrect);
  EXPECT_EQ(Letters("Ee1=-306°11`15``")[27], 'x');
  EXPECT_EQ(Letters("EK1K3=-10044,74")[10], 'x');
  EXPECT_EQ(Letters("EC=0,5768")[14], 'x');
}

// K1 mistyped (-3532,41 for -3523,41) and everything after it worked from it
// in exact decimals: K1 is where the mistake begins, what uses it is carried,
// what does not stays correct; a box that does not follow either is wrong.
TEST(WorkCheckTest, OneWrongBoxIsWrongAndWhatIsWorkedFromItCarried) {
  const TWorksheet sheet = Sheet(
      "EK1=-3532,41|EK1K3=-10053,73|EK2K4=-5794,55|EC=0,57635|ECC=0,33217|EK2CK1=1962,75"
      "|EK4CK3=1962,83|EdY=1473,34|EdX=849,15|EYp=4210,46|EXp=8222,29|EXdXp=-1948,84"
      "|EYdYp=-202,16|EctgPD=0,10373|EPA=240°2`34``|EPD=185°55`20``|Ee1=54°7`14``|Ede=0°-4`-1``");
  EXPECT_EQ(Letters(sheet), "++++++++x+~+++~~~~~~~~~~~~~~~");
  EXPECT_EQ(Carried(sheet, "EYp"), "4210,46");
  EXPECT_EQ(Carried(sheet, "Ede"), "0°-4`-1``");
  EXPECT_EQ(Carried(sheet, "EK2K4"), "");
  TWorksheet twice = sheet;
  twice.setText("EdX", "849,16");
  EXPECT_EQ(Letters(twice), "++++++++x+~+++~~~~~x~x~~~~~~~");

  // ΔY wrong alone: Yp follows it, ΔX (worked from the right ΔY) stays right.
  EXPECT_EQ(Letters("EdY=1470,61|EYp=4207,73|EYdYp=-199,43"), "++++++++++++++++++x+~++~+++++");
  // Xp wrong alone: Xd − Xp and (PD) follow it, and the angles after (PD);
  // ctg(PD) and (PA) come out as before.
  EXPECT_EQ(Letters("EXp=8221,32|EXdXp=-1947,87|EPD=185°49`58``|Ee1=54°11`16``|Ede=0°0`1``"),
            "+++++++++++++++++++++x~+++~~~");
}

// An angle text written the usual way: one minus before the degrees.
std::string OneMinus(std::string text) {
  const auto minus = std::erase(text, '-');
  return minus == 0 ? text : "-" + text;
}

// The angle of a worksheet's text a whole turn away, in whole seconds, its
// parts as the worksheet signs them.
std::string AWholeTurnAway(const std::string& text) {
  const scheme::Dms e = *ReadDmsText(text);
  std::int64_t turned = e.degrees * 3600 + e.minutes * 60 + e.seconds;
  turned += turned > 0 ? -1296000 : 1296000;
  const std::int64_t sign = turned < 0 ? -1 : 1, t = turned * sign;
  return std::to_string(sign * (t / 3600)) + "°" + std::to_string(sign * (t / 60 % 60)) + "`" +
         std::to_string(sign * (t % 60)) + "``";
}

// The program's own output for γ1 changed by 20″ (then typed back) follows
// from values that read as its boxes' texts: a is where the mistake begins,
// nothing after it is wrong. ε выч. and δε written with one minus, and ε
// выч. a whole turn away (also from a text with 60 seconds: the variants
// past 100), are the worksheet's angles.
TEST(WorkCheckTest, TheProgramsOwnOutputIsNeverWrongAndAnglesReadAsStudentsWriteThem) {
  std::vector<std::uint32_t> variants{237, 599, 745, 856};
  for (std::uint32_t n = 1; n <= 100; ++n) variants.push_back(n);
  for (const std::uint32_t n : variants) {
    TWorksheet sheet = MakeVariant(n), moved = sheet;
    moved.setText(Field::Ey1s, std::to_string((std::stoi(sheet.text(Field::Ey1s)) + 20) % 60));
    Calculate(moved, ",");
    TWorksheet worked = sheet;
    Calculate(worked, ",");
    for (const Step& step : Steps()) sheet.setText(step.field, moved.text(step.field));
    EXPECT_EQ(Letters(sheet).find('x', 1), std::string::npos) << "variant " << n;

    const std::string e = worked.text(Field::Ee1), de = worked.text(Field::Ede);
    for (const std::string& typed :
         {"Ee1=" + OneMinus(e) + "|Ede=" + OneMinus(de), "Ee1=" + AWholeTurnAway(e),
          "Ee1=" + OneMinus(AWholeTurnAway(e)) + "|Ede=" + OneMinus(de)}) {
      TWorksheet written = worked;
      test::Type(written, typed);
      EXPECT_EQ(Letters(written), kAllCorrect) << "variant " << n << " " << typed;
    }
  }
}

// A mistake late in the sheet: what comes before stays correct, a later box
// equal to the worksheet's is correct, δε is compared as shown, angles whole.
TEST(WorkCheckTest, ALateTypoLeavesEarlierBoxesAndCorrectLaterOnesCorrect) {
  // Yp typed with two digits swapped; the control left as the worksheet has it.
  const TWorksheet typo = Sheet("EYp=4207,82");
  EXPECT_EQ(Letters(typo), "++++++++++++++++++++x++++++++");
  EXPECT_EQ(Carried(typo, "EYdYp").substr(0, 6), "-199,5");
  EXPECT_EQ(Letters("Ede=0°0`1``"), std::string(28, '+') + "x");
  // ε measured with half a second: the worksheet's δε has 0.006″ more and
  // is shown rounded away from it; exactly the half second rounds to even.
  for (const char* half : {"Ee2s=15,5|Ede=0°0`-1``", "Ee2s=15,5|Ede=0°0`0``",
                           "Ee2m=12|Ee2s=15,5|Ede=0°-1`-1``", "Ee2m=12|Ee2s=15,5|Ede=0°-1`0``"})
    EXPECT_EQ(Letters(half), kAllCorrect) << half;

  // Angles carried in whole seconds: ε from a wrong (PA), and a difference
  // of (PA) and (PD) brought back into the half circle.
  const std::string head(25, '+');
  EXPECT_EQ(Letters("EPA=240°1`41``|Ee1=54°11`42``|Ede=0°0`27``"), head + "x+~~");
  EXPECT_EQ(Letters("EPA=10°0`0``|EPD=350°0`0``|Ee1=20°0`0``|Ede=-34°-11`-15``"), head + "xx~~");
  EXPECT_EQ(Letters("EPA=10°0`0``|EPD=190°0`0``|Ee1=180°0`0``|Ede=125°48`45``"), head + "xx~~");
}

// What a box that cannot be read, or is empty, or is absurdly large means.
TEST(WorkCheckTest, UnreadableAndEmptyBoxesStandForTheCorrectValue) {
  // K1 unreadable and K3 empty: the boxes worked from them are judged from
  // the worksheet's values.
  EXPECT_EQ(Letters("EK1=abc|EK3="), "++++++++?.+++++++++++++++++++");
  EXPECT_EQ(Letters("EK1=-3532,41|EK3=|EK1K3=-10053,73").substr(8, 3), "x.~");
  for (const char* text : {"12,3,4", "1e400", "3523,41-", "-", ",5e", "--1"})
    EXPECT_EQ(Letters("EK1=" + std::string(text))[8], '?') << text;
  for (const char* text : {"240 1 14", "240°1`14,5``", "240°1`14`", "240°1``14``", "240°1`14``x",
                           "240°1`", "°1`14``", "240°1`99999999999999999999``"})
    EXPECT_EQ(Letters("EPA=" + std::string(text))[25], '?') << text;
  // Readable but far out of range: simply wrong, and what is worked from
  // it is judged without a fault.
  EXPECT_EQ(Letters("EC=1E300|EdY=-1E300"), "++++++++++++++x+++x++++++++++");
  EXPECT_EQ(Letters("EC=1E300|ECC=1E300"), "++++++++++++++xx+++++++++++++");
  EXPECT_EQ(Letters("EPA=-999999999999999999°0`0``|Ee1=1°0`0``").substr(25), "x+x+");
}

// Where Calculate stops, CheckWork stops with the same message: a given, a
// zero angle, and (right angles, Yb = Yc) a division by zero at (PA).
TEST(WorkCheckTest, FailsWhereCalculateFails) {
  for (const char* givens : {"EXb=abc", "Ey1g=0|Ey1m=0|Ey1s=0",
                             "Ey1g=90|Ey1m=0|Ey1s=0|Ey2g=90|Ey2m=0|Ey2s=0|EYc=3824,62"}) {
    TWorksheet sheet, copy;
    test::Type(sheet, givens);
    test::Type(copy, givens);
    const std::string calculated = test::MessageOf([&] { Calculate(copy, ","); });
    EXPECT_NE(calculated, "");
    EXPECT_EQ(test::MessageOf([&] { return CheckWork(sheet, ","); }), calculated);
  }
}

}  // namespace
}  // namespace pothenot
