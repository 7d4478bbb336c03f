#include "calc/resection.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "calc/calc_error.h"

namespace pothenot {
namespace {

using Kind = CalcError::Kind;

// The 29 results of the built-in example, in the order Calculate writes them.
const std::vector<std::pair<std::string, std::string>> kBuiltInResults = {
    {"Ea", "-0,37216"},    {"Eb", "2,31095"},     {"EXbb", "3118,69"},    {"EXcc", "1056,79"},
    {"EXcXb", "-2061,9"},  {"EYbb", "1087,5"},    {"EYcc", "3279,22"},    {"EYcYb", "2191,72"},
    {"EK1", "-3523,41"},   {"EK3", "6521,32"},    {"EK1K3", "-10044,72"}, {"EK2", "-73,15"},
    {"EK4", "5721,4"},     {"EK2K4", "-5794,54"}, {"EC", "0,57687"},      {"ECC", "0,33277"},
    {"EK2CK1", "1959,39"}, {"EK4CK3", "1959,44"}, {"EdY", "1470,16"},     {"EdX", "848,09"},
    {"EYp", "4207,28"},    {"EXp", "8221,23"},    {"EXdXp", "-1947,77"},  {"EYdYp", "-198,97"},
    {"EctgPD", "0,10215"}, {"EPA", "240°1`14``"}, {"EPD", "185°49`59``"}, {"Ee1", "54°11`15``"},
    {"Ede", "0°0`0``"}};

TEST(ResectionTest, BuiltInExampleGivesTheHandComputedDigitsInOrder) {
  TWorksheet sheet;
  std::vector<std::pair<std::string, std::string>> written;
  sheet.setObserver([&](std::string_view name) { written.emplace_back(name, sheet.text(name)); });
  Calculate(sheet, ",");
  EXPECT_EQ(written, kBuiltInResults);
  for (const FieldInfo& f : Fields()) {
    if (f.role != Role::Result) {
      EXPECT_EQ(sheet.text(f.name), f.defaultText);
    }
  }

  // Again: the same texts, typed-over results written back, mirrors left alone.
  sheet.setText("EK1", "моё");
  sheet.setText("EXaa", "typed");
  written.clear();
  Calculate(sheet, ",");
  EXPECT_EQ(written, (std::vector<std::pair<std::string, std::string>>{{"EK1", "-3523,41"}}));
  EXPECT_EQ(sheet.text("EXaa"), "typed");
}

// What each stop writes: nothing before the first result when a given fails,
// else every result up to the last one named, and no other.
TEST(ResectionTest, StopsNameTheirQuantityAndKeepWhatWasWritten) {
  const std::vector<std::pair<std::string, std::string>> rightAngles = {
      {"Ey1g", "90"}, {"Ey1m", "0"}, {"Ey1s", "0"}, {"Ey2g", "90"}, {"Ey2m", "0"}, {"Ey2s", "0"}};
  auto with = [&](std::vector<std::pair<std::string, std::string>> more) {
    more.insert(more.begin(), rightAngles.begin(), rightAngles.end());  // a = b = 0
    return more;
  };
  std::string longText;  // quoted up to 40 characters, cut on a character
  for (int i = 0; i < 5000; ++i) longText += "ж";
  struct Case {
    std::vector<std::pair<std::string, std::string>> givens;
    Kind kind;
    std::string named;        // what the message must quote
    std::string lastWritten;  // empty: nothing at all
  } cases[] = {
      {{{"Ee2s", "abc"}}, Kind::NotANumber, "«abc»", ""},
      {{{"EYc", longText}}, Kind::NotANumber, "«" + longText.substr(0, 80) + "…» в поле «Yc»", ""},
      {{{"EXb", "10491.83"}}, Kind::NotANumber, "«Xb»", ""},
      {{{"Ey1g", ""}}, Kind::NotANumber, "«γ1, градусы»", ""},
      {{{"EYd", "1e400"}}, Kind::Overflow, "«1e400»", ""},
      {{{"Ee2g", "1,79e308"}, {"Ee2m", "1e308"}}, Kind::Overflow, "«ε изм.»", ""},
      {{{"Ey1g", "0"}, {"Ey1m", "0"}, {"Ey1s", "0"}}, Kind::DivisionByZero, "«a = ctg γ1»", ""},
      {{{"Ey2g", "180"}, {"Ey2m", "0"}, {"Ey2s", "0"}}, Kind::InvalidOperation, "«b = ctg γ2»", ""},
      {{{"EXb", "1e300"}, {"EXa", "-1,7e308"}}, Kind::InvalidOperation, "«K1»", "EYcYb"},
      // K1 = K3 (Xb = Xc), and with K2 = K4 too (B = C).
      {with({{"EXc", "10491,83"}}), Kind::DivisionByZero, "«C»", "EK2K4"},
      {with({{"EXc", "10491,83"}, {"EYc", "3824,62"}}), Kind::InvalidOperation, "«C»", "EK2K4"},
      // K2 = K4 (Yb = Yc): C = 0, the station is found, (PA) divides by zero.
      {with({{"EYc", "3824,62"}}), Kind::DivisionByZero, "«(PA)»", "EctgPD"},
      // ... and D on the parallel through P = A.
      {with({{"EYc", "3824,62"}, {"EXd", "7373,14"}}), Kind::DivisionByZero, "«ctg(PD)»", "EYdYp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.givens.back().first);
    TWorksheet sheet;
    for (const auto& [name, text] : kBuiltInResults) sheet.setText(name, "old");
    for (const auto& [name, text] : c.givens) sheet.setText(name, text);
    std::vector<std::string> written;
    sheet.setObserver([&](std::string_view name) { written.emplace_back(name); });
    try {
      Calculate(sheet, ",");
      ADD_FAILURE() << "no stop";
    } catch (const CalcError& e) {
      EXPECT_EQ(e.kind(), c.kind);
      EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
      EXPECT_LT(std::string(e.what()).size(), 300u);
    }
    std::vector<std::string> expected;
    for (std::size_t i = 0; !c.lastWritten.empty(); ++i) {
      expected.push_back(kBuiltInResults[i].first);
      if (expected.back() == c.lastWritten) break;
    }
    EXPECT_EQ(written, expected);
    for (std::size_t i = expected.size(); i < kBuiltInResults.size(); ++i) {
      EXPECT_EQ(sheet.text(kBuiltInResults[i].first), "old");
    }
  }
}

// A given that reads with the other separator says which one this desktop
// expects; one that reads with neither says nothing of separators.
TEST(ResectionTest, NotANumberNamesTheExpectedSeparatorWhenTheOtherOneReads) {
  struct Case {
    std::string text, separator;
    std::string hint;  // empty: no hint at all
  } cases[] = {
      {"10491,83", ".", "отделяется точкой «.», а не запятой «,»."},
      {"10491.83", ",", "отделяется запятой «,», а не точкой «.»."},
      {"-1,5e3", ".", "точкой «.», а не запятой «,»."},
      {"1.5", "٫", "знаком «٫», а не точкой «.»."},
      {"1,5,3", ".", ""},
      {"abc", ".", ""},
      {",", ".", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " " + c.separator);
    TWorksheet sheet;
    sheet.setText("EXb", c.text);
    if (c.separator != ",") {
      for (const char* name : {"Ey1g", "Ey1m", "Ey1s", "Ey2g", "Ey2m", "Ey2s"})
        sheet.setText(name, "1");
    }
    try {
      Calculate(sheet, c.separator);
      ADD_FAILURE() << "no stop";
    } catch (const CalcError& e) {
      const std::string message = e.what();
      EXPECT_EQ(e.kind(), Kind::NotANumber);
      EXPECT_TRUE(message.starts_with("Текст «" + c.text + "» в поле «Xb» не является числом."))
          << message;
      if (c.hint.empty()) {
        EXPECT_EQ(message.find("отделяется"), std::string::npos) << message;
      } else {
        EXPECT_TRUE(message.ends_with(c.hint)) << message;
      }
    }
  }
}

// The same angle as degrees, minutes and seconds, as decimal degrees, as
// seconds alone or a turn away gives the same worksheet.
TEST(ResectionTest, EquivalentAnglesGiveTheSameWorksheet) {
  auto solve = [](const std::string& angle, const char* g, const char* m, const char* s) {
    TWorksheet w;
    w.setText("E" + angle + "g", g);
    w.setText("E" + angle + "m", m);
    w.setText("E" + angle + "s", s);
    Calculate(w, ",");
    std::map<std::string, std::string> results;
    for (const FieldInfo& f : Fields())
      if (f.role == Role::Result) results[std::string(f.name)] = w.text(f.name);
    return results;
  };
  const auto gamma = solve("y1", "110", "24", "36");
  EXPECT_EQ(solve("y1", "110,41", "0", "0"), gamma);
  EXPECT_EQ(solve("y1", "0", "0", "397476"), gamma);
  EXPECT_EQ(solve("y1", " 111 ", "-36", "3,6e1"), gamma);
  const auto epsilon = solve("e2", "54", "11", "15");
  EXPECT_EQ(solve("e2", "-305", "-48", "-45"), epsilon);
  EXPECT_EQ(solve("e2", "414", "11", "15"), epsilon);
  EXPECT_EQ(solve("e2", "54", "11", "20").at("Ede"), "0°0`-5``");  // five seconds off
}

}  // namespace
}  // namespace pothenot
