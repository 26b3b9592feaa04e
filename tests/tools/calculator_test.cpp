// The calculator and the key display, driven by key events through the toolkit.
#include <cmath>
#include <filesystem>

#include "framework/TempBundle.h"
#include "framework/Text.h"
#include "shell/Resources.h"
#include "tools/KeyFixture.h"

namespace {

struct Shown {
  std::string display, sign, name, code, hex;
};

class Calculator : public KeyFixture {
 protected:
  // The calculator as it is at creation, so that a table's rows do not depend on each other.
  void Fresh() {
    window->values.assign(3, "");
    window->operator_.clear();
    window->total = 0.0;
    window->inKeyFinish = false;
    window->St(0)->SetText("0.0");
    window->St(1)->SetText("");
  }
  Shown Now() {
    return {window->St(0)->Text(), window->St(1)->Text(), window->St(10)->Text(),
            window->St(11)->Text(), window->TF(1)->Text()};
  }
  void ExpectShown(const Shown& want, const std::string& context) {
    const Shown got = Now();
    EXPECT_EQ(got.display, want.display) << context << ": display St(0)";
    EXPECT_EQ(got.sign, want.sign) << context << ": sign St(1)";
    EXPECT_EQ(got.name, want.name) << context << ": key name St(10)";
    EXPECT_EQ(got.code, want.code) << context << ": code St(11)";
    EXPECT_EQ(window->TF(0)->Text(), want.code) << context << ": code TF(0)";
    EXPECT_EQ(got.hex, want.hex) << context << ": hex TF(1)";
  }
};

struct Sequence {
  const char* keys;
  Shown shown;
  double total;
};

// clang-format off
const Sequence kSequences[] = {
    {"7",                     {"7.0", "", "7", "55", "37"}, 0},
    {"7 +",                   {"0.0", "+", "+", "43", "2B"}, 7},
    {"7 + 2",                 {"2.0", "+", "2", "50", "32"}, 7},
    {"7 + 2 Enter",           {"9.0", "", "Enter", "3", "3"}, 9},
    {"7 + 2 Return",          {"9.0", "", "Return", "13", "D"}, 9},
    // A second operator drops the entry typed before it.
    {"7 + 2 + 3 Enter",       {"10.0", "", "Enter", "3", "3"}, 10},
    {"5 - 5 Enter",           {"0.0", "", "Enter", "3", "3"}, 0},
    // A result of 0 leaves the accumulator empty: the next operator loads the last operand.
    {"5 - 5 Enter +",         {"0.0", "+", "+", "43", "2B"}, 5},
    {"7 * 3 Enter",           {"21.0", "", "Enter", "3", "3"}, 21},
    {"2 - 7 Enter",           {"-5.0", "", "Enter", "3", "3"}, -5},
    {"7 / 2 Enter",           {"3.5", "", "Enter", "3", "3"}, 3.5},
    {"1 / 8 Enter",           {"0.1", "", "Enter", "3", "3"}, 0.1},
    {"5 / 0 Enter",           {"INF.0", "", "Enter", "3", "3"}, INFINITY},
    // Cut, not rounded, while the sum uses every digit.
    {"3 . 1 9",               {"3.1", "", "9", "57", "39"}, 0},
    {"3 . 1 4 * 1 0 Enter",   {"31.4", "", "Enter", "3", "3"}, 31.4},
    {". 5",                   {".5", "", "5", "53", "35"}, 0},
    {"2 . 5 .",               {"2.5", "", ".", "46", "2E"}, 0},
    // Digits change nothing while a result is shown; a point appends to the last operand.
    {"7 + 2 Enter 5",         {"9.0", "", "5", "53", "35"}, 9},
    {"7 + 2 Enter .",         {"2.", "", ".", "46", "2E"}, 9},
    {"7 + 2 Enter . 5",       {"2.", "", "5", "53", "35"}, 9},
    {"7 + 2 Enter 1 +",       {"0.0", "+", "+", "43", "2B"}, 9},
    {"1 2 BS",                {"1.0", "", "delete", "8", "8"}, 0},
    {"3 . BS",                {"3.0", "", "delete", "8", "8"}, 0},
    {"BS",                    {"0.0", "", "delete", "8", "8"}, 0},
    {"7 BS BS",               {"0.0", "", "delete", "8", "8"}, 0},
    {"7 + BS",                {"0.0", "+", "delete", "8", "8"}, 7},
    {"7 + 1 2 Enter BS",      {"1.0", "", "delete", "8", "8"}, 19},  // edits the last operand
    {"7 + 2 Clear",           {"0.0", "", "\uF739", "63289", "F739"}, 0},
    {"7 + 2 Clear 3 Enter",   {"3.0", "", "enter", "3", "3"}, 0},
    {"7 + 2 Enter Clear 4",   {"4.0", "", "4", "52", "34"}, 0},
    // The keypad's digits, operators and point are the same keys.
    {"KP7 KP+ KP. 5 Enter",   {"7.5", "", "Enter", "3", "3"}, 7.5},
};
// clang-format on

TEST_F(Calculator, KeySequencesShowTheirResultsAndKeys) {
  for (const Sequence& s : kSequences) {
    Fresh();
    Type(s.keys);
    ExpectShown(s.shown, s.keys);
    if (std::isinf(s.total))
      EXPECT_TRUE(std::isinf(window->total) && window->total > 0) << s.keys;
    else
      EXPECT_DOUBLE_EQ(window->total, s.total) << s.keys;
  }
}

TEST_F(Calculator, EnterAndReturnWithNoOperatorAreNotTaken) {
  struct Case {
    const char* before;
    const char* key;
    bool taken;
    Shown shown;
  };
  const Case cases[] = {
      {"", "Enter", false, {"0.0", "", "enter", "3", "3"}},
      {"", "Return", false, {"0.0", "", "ret", "13", "D"}},
      {"4 2", "Return", false, {"42.0", "", "ret", "13", "D"}},
      // The result emptied the operator: a second Enter only shows the key.
      {"7 + 2 Enter", "Enter", false, {"9.0", "", "enter", "3", "3"}},
      {"7 + 2", "Enter", true, {"9.0", "", "Enter", "3", "3"}},
      {"", "a", true, {"0.0", "", "a", "97", "61"}},
      {"", "BS", true, {"0.0", "", "delete", "8", "8"}},
  };
  for (const Case& c : cases) {
    Fresh();
    Type(c.before);
    const std::string context = std::string(c.before) + " then " + c.key;
    EXPECT_EQ(WindowTakes(c.key), c.taken) << context;
    ExpectShown(c.shown, context);
  }
}

// Which keys the toolkit delivers with which text, and how the key display names them.
TEST_F(Calculator, KeyDisplayNamesAndCodes) {
  struct Case {
    const char* key;
    const char* name;
    const char* code;
    const char* hex;
  };
  const Case cases[] = {
      {"a", "a", "97", "61"},         {"A", "A", "65", "41"},
      {"Space", "Space", "32", "20"}, {"Tab", "Tab", "9", "9"},
      {"Left", "←", "28", "1C"},      {"Right", "→", "29", "1D"},
      {"Up", "↑", "30", "1E"},        {"Down", "↓", "31", "1F"},
      {"Home", "\x01", "1", "1"},     {"End", "End", "4", "4"},
      {"PageUp", "PageUp", "11", "B"}, {"PageDown", "PageDown", "12", "C"},
      {"Delete", "Delete→", "127", "7F"}, {"Escape", "\x1b", "27", "1B"},
      {"BS", "delete", "8", "8"},     {"Clear", "\uF739", "63289", "F739"},
      {"é", "é", "233", "E9"},        {"愛", "愛", "24859", "611B"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(WindowTakes(c.key)) << c.key;
    ExpectShown({"0.0", "", c.name, c.code, c.hex}, c.key);
  }
}

TEST_F(Calculator, KeysThatTypeNothingLeaveTheDisplayAlone) {
  Type("a");
  // Modifier keys, function keys and Ctrl combinations (commands, Cmd's role here) are no key
  // texts: Ctrl+H is not backspace, Ctrl+M not Return.
  Type("Shift F1 Ctrl+H Ctrl+M");
  ExpectShown({"0.0", "", "a", "97", "61"}, "after a and keys that type nothing");
  Type("7 + 2 Ctrl+M");
  EXPECT_EQ(window->St(0)->Text(), "2.0");
  EXPECT_EQ(window->St(1)->Text(), "+");
}

TEST_F(Calculator, AKeyPaintsTheKeyNameBlackAgain) {
  window->St(10)->SetTextColor(0xFF0000);
  Type("a");
  EXPECT_EQ(window->St(10)->TextColor(), 0u);
  window->St(10)->SetTextColor(0xFF0000);
  EXPECT_FALSE(WindowTakes("Return"));
  EXPECT_EQ(window->St(10)->TextColor(), 0u);
}

TEST_F(Calculator, ArrowKeysNudgeTheFirstCaliper) {
  auto caliper = window->NogisCV(0);
  const fw::Integer left = caliper->Left();
  Type("Left");
  EXPECT_EQ(caliper->Left(), left - 1);
  EXPECT_EQ(window->St(2)->Text(), fw::Str(left - 1 - 167));
  Type("Right Right");
  EXPECT_EQ(caliper->Left(), left + 1);
  EXPECT_EQ(window->St(2)->Text(), fw::Str(left + 1 - 167));
  // Up and down move nothing.
  Type("Up Down");
  EXPECT_EQ(caliper->Left(), left + 1);
}

// Keys typed into a focused field are the field's: the calculator does not see them.
TEST_F(Calculator, KeysInAFocusedFieldDoNotReachTheCalculator) {
  SetConverter(true);
  FocusField(2);
  Type("7 + 2 Return");
  EXPECT_EQ(window->TF(2)->Text(), "7+2");
  ExpectShown({"0.0", "", "", "", ""}, "typed into TF(2)");
  EXPECT_EQ(window->total, 0.0);
  // A click on the window's background gives the keys back to the window.
  QTest::mouseClick(fw::ContentOf(*window), Qt::LeftButton, {}, QPoint(700, 400));
  Type("7");
  EXPECT_EQ(window->St(0)->Text(), "7.0");
  EXPECT_EQ(window->TF(2)->Text(), "7+2");
}

// A bundle whose two sounds are missing: the calculator works, silently, and nothing is raised.
class CalculatorWithoutSounds : public Calculator {
 protected:
  void BeforeStartUp() override {
    const std::filesystem::path from = std::filesystem::path(std::getenv("BRINDLEX_BUNDLE"));
    std::filesystem::copy(from / "Resources", bundle_.Resources(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove(bundle_.Resources() / "Num.aiff");
    std::filesystem::remove(bundle_.Resources() / "Ent.aiff");
    bundle_.Install();
  }
  fw::testing::TempBundle bundle_;
};

TEST_F(CalculatorWithoutSounds, EveryKeyStillWorks) {
  ASSERT_FALSE(Num());
  ASSERT_FALSE(Ent());
  testing::internal::CaptureStderr();
  Type("7 + 2 . 5 Enter");
  ExpectShown({"9.5", "", "Enter", "3", "3"}, "7 + 2.5 Enter");
  EXPECT_DOUBLE_EQ(window->total, 9.5);
  Type("Clear");
  ExpectShown({"0.0", "", "\uF739", "63289", "F739"}, "Clear");
  EXPECT_EQ(window->total, 0.0);
  EXPECT_TRUE(window->operator_.empty());
  Type("1 2 BS");
  EXPECT_EQ(window->St(0)->Text(), "1.0");
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err.find("unhandled"), std::string::npos) << err;
}

}  // namespace
