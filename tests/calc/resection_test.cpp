#include "calc/resection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/calc_error.h"
#include "tests/calc/geometry.h"
#include "tests/calc/sheet_expect.h"

namespace pothenot {
namespace {

using Kind = CalcError::Kind;
using test::Texts;

// The 29 results of the built-in example, in the order Calculate writes them.
const std::vector<std::pair<const char*, const char*>> kBuiltInResults = {
    {"Ea", "-0,37216"},    {"Eb", "2,31095"},     {"EXbb", "3118,69"},    {"EXcc", "1056,79"},
    {"EXcXb", "-2061,9"},  {"EYbb", "1087,5"},    {"EYcc", "3279,22"},    {"EYcYb", "2191,72"},
    {"EK1", "-3523,41"},   {"EK3", "6521,32"},    {"EK1K3", "-10044,72"}, {"EK2", "-73,15"},
    {"EK4", "5721,4"},     {"EK2K4", "-5794,54"}, {"EC", "0,57687"},      {"ECC", "0,33277"},
    {"EK2CK1", "1959,39"}, {"EK4CK3", "1959,44"}, {"EdY", "1470,16"},     {"EdX", "848,09"},
    {"EYp", "4207,28"},    {"EXp", "8221,23"},    {"EXdXp", "-1947,77"},  {"EYdYp", "-198,97"},
    {"EctgPD", "0,10215"}, {"EPA", "240°1`14``"}, {"EPD", "185°49`59``"}, {"Ee1", "54°11`15``"},
    {"Ede", "0°0`0``"},
};

class ResectionTest : public ::testing::Test {
 protected:
  ResectionTest() {
    sheet.setObserver([this](std::string_view name) { written.emplace_back(name); });
  }

  // Runs Calculate and returns the fault, failing the test if there was none.
  CalcError Failure(std::string_view separator = ",") {
    try {
      Calculate(sheet, separator);
    } catch (const CalcError& e) {
      return e;
    }
    ADD_FAILURE() << "Calculate did not stop";
    return CalcError(Kind::NotANumber, "");
  }

  // Every field up to and including `last` in the order of writing; none after.
  static std::vector<std::string> WrittenThrough(const char* last) {
    std::vector<std::string> out;
    for (const auto& [name, text] : kBuiltInResults) {
      out.emplace_back(name);
      if (std::string_view(name) == last) break;
    }
    return out;
  }

  TWorksheet sheet;
  std::vector<std::string> written;
};

TEST_F(ResectionTest, BuiltInExampleGivesTheHandComputedDigits) {
  const Texts before = test::Snapshot(sheet);
  Calculate(sheet, ",");
  for (const auto& [name, text] : kBuiltInResults) EXPECT_EQ(sheet.text(name), text) << name;
  EXPECT_EQ(written, WrittenThrough("Ede"));
  // Givens and mirrors are as they were.
  for (const FieldInfo& f : Fields()) {
    if (f.role != Role::Result) {
      EXPECT_EQ(sheet.text(f.name), before.at(std::string(f.name)));
    }
  }
}

TEST_F(ResectionTest, SecondRunOverwritesTypedResultsWithTheSameTexts) {
  Calculate(sheet, ",");
  const Texts first = test::Snapshot(sheet);
  sheet.setText("EK1", "моё");
  sheet.setText("EXaa", "typed mirror");
  sheet.setText("Ede", "");
  written.clear();
  Calculate(sheet, ",");
  EXPECT_EQ(sheet.text("EK1"), "-3523,41");
  EXPECT_EQ(sheet.text("Ede"), "0°0`0``");
  EXPECT_EQ(sheet.text("EXaa"), "typed mirror");  // never written by Calculate
  EXPECT_EQ(written, (std::vector<std::string>{"EK1", "Ede"}));
  sheet.setText("EXaa", first.at("EXaa"));
  EXPECT_EQ(test::Snapshot(sheet), first);
}

TEST_F(ResectionTest, AMeasuredAngleFiveSecondsOffShowsInDeltaEpsilon) {
  sheet.setText("Ee2s", "20");
  Calculate(sheet, ",");
  EXPECT_EQ(sheet.text("Ee1"), "54°11`15``");
  EXPECT_EQ(sheet.text("Ede"), "0°0`-5``");
}

TEST_F(ResectionTest, GivenThatIsNotANumberStopsBeforeAnyWrite) {
  struct Case {
    const char* field;
    const char* text;
    Kind kind;
    const char* quoted;  // what the message must quote
  };
  for (const Case& c : {Case{"Ee2s", "abc", Kind::NotANumber, "«abc»"},
                        Case{"EXb", "10491.83", Kind::NotANumber, "«10491.83»"},
                        Case{"Ey1g", "", Kind::NotANumber, "«γ1, градусы»"},
                        Case{"EYd", "1e400", Kind::Overflow, "«1e400»"},
                        Case{"EXc", "-1e5000", Kind::Overflow, "«-1e5000»"}}) {
    TWorksheet fresh;
    Calculate(fresh, ",");
    sheet = fresh;
    sheet.setObserver([this](std::string_view name) { written.emplace_back(name); });
    sheet.setText(c.field, c.text);
    const Texts before = test::Snapshot(sheet);
    written.clear();
    const CalcError e = Failure();
    EXPECT_EQ(e.kind(), c.kind) << c.field;
    EXPECT_NE(std::string(e.what()).find(c.quoted), std::string::npos) << e.what();
    EXPECT_TRUE(written.empty()) << c.field;
    EXPECT_EQ(test::Snapshot(sheet), before);
  }
}

TEST_F(ResectionTest, MessagesNameTheFieldAndCutLongTexts) {
  sheet.setText("EYc", std::string(5000, '7') + "x");
  const std::string message = Failure().what();
  EXPECT_NE(message.find("«Yc»"), std::string::npos) << message;
  EXPECT_NE(message.find("…"), std::string::npos);
  EXPECT_LT(message.size(), 300u);

  // Cut after 40 characters, never inside a letter of two bytes.
  std::string cyrillic;
  for (int i = 0; i < 100; ++i) cyrillic += "ж";
  sheet.setText("EYc", cyrillic);
  const std::string quoted = Failure().what();
  EXPECT_NE(quoted.find("«" + cyrillic.substr(0, 80) + "…»"), std::string::npos) << quoted;
}

TEST_F(ResectionTest, PointSeparatorStopsAtTheFirstCommaOfTheExample) {
  const Texts before = test::Snapshot(sheet);
  const CalcError e = Failure(".");
  EXPECT_EQ(e.kind(), Kind::NotANumber);
  EXPECT_NE(std::string(e.what()).find("«Xb»"), std::string::npos) << e.what();
  EXPECT_EQ(test::Snapshot(sheet), before);

  // The same example typed with points calculates to the same digits, with points.
  for (const FieldInfo& f : Fields()) {
    std::string text = sheet.text(f.name);
    for (char& ch : text) {
      if (ch == ',') ch = '.';
    }
    sheet.setText(f.name, text);
  }
  Calculate(sheet, ".");
  EXPECT_EQ(sheet.text("EK1K3"), "-10044.72");
  EXPECT_EQ(sheet.text("EXp"), "8221.23");
  EXPECT_EQ(sheet.text("EPA"), "240°1`14``");
}

TEST_F(ResectionTest, ClearedWorksheetStopsAtTheFirstGiven) {
  sheet.clear();
  written.clear();
  const CalcError e = Failure();
  EXPECT_EQ(e.kind(), Kind::NotANumber);
  EXPECT_NE(std::string(e.what()).find("γ1, градусы"), std::string::npos) << e.what();
  EXPECT_TRUE(written.empty());
}

// γ of 0° divides by zero in the cotangent; γ of 180° gives a cotangent whose
// cut overflows the integers. Both stop before a or b is shown.
TEST_F(ResectionTest, AnglesWithoutACotangentStopBeforeTheFirstResult) {
  for (const auto& [field, degrees, kind, quantity] :
       {std::tuple{"Ey1g", "0", Kind::DivisionByZero, "«a = ctg γ1»"},
        std::tuple{"Ey2g", "180", Kind::InvalidOperation, "«b = ctg γ2»"},
        std::tuple{"Ey2g", "360", Kind::InvalidOperation, "«b = ctg γ2»"}}) {
    TWorksheet fresh;
    sheet = fresh;
    sheet.setText("Ey1m", "0");
    sheet.setText("Ey1s", "0");
    sheet.setText("Ey2m", "0");
    sheet.setText("Ey2s", "0");
    sheet.setText(field, degrees);
    const CalcError e = Failure();
    EXPECT_EQ(e.kind(), kind) << field << " " << degrees;
    EXPECT_NE(std::string(e.what()).find(quantity), std::string::npos) << e.what();
    EXPECT_EQ(sheet.text("Ea"), "");
  }
}

// γ1 = γ2 = 90° makes a = b = 0, so K1 − K3 = Xc − Xb and K2 − K4 = Yb − Yc.
class DegenerateTest : public ResectionTest {
 protected:
  void SetUp() override {
    for (const char* f : {"Ey1m", "Ey1s", "Ey2m", "Ey2s"}) sheet.setText(f, "0");
    sheet.setText("Ey1g", "90");
    sheet.setText("Ey2g", "90");
    Calculate(sheet, ",");  // fills every result with something to keep or replace
    for (const auto& [name, text] : kBuiltInResults) sheet.setText(name, "old");
    written.clear();
  }

  void ExpectStop(Kind kind, const char* quantity, const char* lastWritten) {
    written.clear();
    const CalcError e = Failure();
    EXPECT_EQ(e.kind(), kind);
    EXPECT_NE(std::string(e.what()).find(quantity), std::string::npos) << e.what();
    EXPECT_EQ(written, WrittenThrough(lastWritten));
    bool after = false;
    for (const auto& [name, text] : kBuiltInResults) {
      if (after) {
        EXPECT_EQ(sheet.text(name), "old") << name;
      }
      after = after || std::string_view(name) == lastWritten;
    }
  }
};

TEST_F(DegenerateTest, StationOnTheDangerCircleStopsAtC) {
  sheet.setText("EXc", sheet.text("EXb"));
  ExpectStop(Kind::DivisionByZero, "«C»", "EK2K4");
  EXPECT_EQ(sheet.text("EK1K3"), "0");
  EXPECT_EQ(sheet.text("Ea"), "0");
}

TEST_F(DegenerateTest, BEqualToCIsZeroOverZero) {
  sheet.setText("EXc", sheet.text("EXb"));
  sheet.setText("EYc", sheet.text("EYb"));
  ExpectStop(Kind::InvalidOperation, "«C»", "EK2K4");
}

TEST_F(DegenerateTest, ZeroKDifferenceCompletesTheSolutionAndStopsAtPA) {
  sheet.setText("EYc", sheet.text("EYb"));
  ExpectStop(Kind::DivisionByZero, "«(PA)»", "EctgPD");
  EXPECT_EQ(sheet.text("EC"), "0");
  EXPECT_EQ(sheet.text("EYp"), sheet.text("EYb"));
  EXPECT_EQ(sheet.text("EXp"), sheet.text("EXa"));
}

TEST_F(DegenerateTest, ControlPointDueEastOrWestStopsAtCtgPD) {
  // With C = 0 the station has Xp = Xa; D on that parallel divides by zero.
  sheet.setText("EYc", sheet.text("EYb"));
  sheet.setText("EXd", sheet.text("EXa"));
  ExpectStop(Kind::DivisionByZero, "«ctg(PD)»", "EYdYp");
  EXPECT_EQ(sheet.text("EXdXp"), "0");
}

// The built-in example from the other three quarters of the compass: the
// whole figure turned by 90°, 180° and 270° about P puts A and D north of
// the station in turn. The station and the control must come out alike.
TEST_F(ResectionTest, ControlIsRightWithAOrDNorthOfTheStation) {
  const test::Point P{8221.23, 4207.28};
  const test::Point pts[] = {
      {7373.14, 2737.12}, {10491.83, 3824.62}, {8429.93, 6016.34}, {6273.45, 4008.3}};
  for (int turn = 0; turn < 4; ++turn) {
    auto rotate = [&](test::Point q) {
      const double dx = q.x - P.x, dy = q.y - P.y;
      const double c[] = {1, 0, -1, 0}, s[] = {0, 1, 0, -1};
      return test::Point{P.x + dx * c[turn] - dy * s[turn], P.y + dx * s[turn] + dy * c[turn]};
    };
    const test::Geometry g{P, rotate(pts[0]), rotate(pts[1]), rotate(pts[2]), rotate(pts[3])};
    TWorksheet turned;
    test::Fill(turned, g);
    turned.setText("Ee2g", "54");  // ε is the same angle in every turn
    turned.setText("Ee2m", "11");
    turned.setText("Ee2s", "15");
    Calculate(turned, ",");
    SCOPED_TRACE("turned by " + std::to_string(turn * 90) + "°");
    EXPECT_NEAR(test::Value(turned.text("EXp")), P.x, 0.05);
    EXPECT_NEAR(test::Value(turned.text("EYp")), P.y, 0.05);
    EXPECT_NEAR(test::ArcSeconds(turned.text("EPA")), test::DirectionDegrees(P, g.A) * 3600, 10);
    EXPECT_NEAR(test::ArcSeconds(turned.text("EPD")), test::DirectionDegrees(P, g.D) * 3600, 10);
    EXPECT_NEAR(test::ArcSeconds(turned.text("Ee1")), (54 * 60 + 11) * 60 + 15, 10);
    EXPECT_LE(std::abs(test::ArcSeconds(turned.text("Ede"))), 10);
  }
}

TEST_F(ResectionTest, ControlAngleTypedTheOtherWayRoundChecksTheSame) {
  Calculate(sheet, ",");
  const Texts expected = test::Snapshot(sheet);
  sheet.setText("Ee2g", "-305");
  sheet.setText("Ee2m", "-48");
  sheet.setText("Ee2s", "-45");
  Calculate(sheet, ",");
  for (const auto& [name, text] : kBuiltInResults) EXPECT_EQ(sheet.text(name), expected.at(name));
}

// The same angles typed as degrees, minutes and seconds, as decimal degrees,
// or as seconds alone give the same station.
TEST_F(ResectionTest, EquivalentAnglesGiveTheSameWorksheet) {
  auto solve = [](const char* g1, const char* m1, const char* s1) {
    TWorksheet w;
    w.setText("Ey1g", g1);
    w.setText("Ey1m", m1);
    w.setText("Ey1s", s1);
    Calculate(w, ",");
    Texts results;
    for (const auto& [name, text] : kBuiltInResults) results[name] = w.text(name);
    return results;
  };
  const Texts dms = solve("110", "24", "36");
  EXPECT_EQ(solve("110,41", "0", "0"), dms);
  EXPECT_EQ(solve("0", "0", "397476"), dms);
  EXPECT_EQ(solve("111", "-36", "36"), dms);
  EXPECT_EQ(solve(" 110 ", "+24", "3,6e1"), dms);
}

}  // namespace
}  // namespace pothenot
