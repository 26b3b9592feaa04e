// The code converter: the fields' key filter, the conversions, the switch. Keys and clicks go
// through the toolkit.
#include <array>

#include "tools/KeyFixture.h"

namespace {

class Converter : public KeyFixture {
 protected:
  std::array<std::string, 4> Texts() {
    return {window->TF(0)->Text(), window->TF(1)->Text(), window->TF(2)->Text(),
            window->TF(3)->Text()};
  }
  void SetTexts(const std::array<std::string, 4>& texts) {
    for (fw::Integer i = 0; i < 4; ++i) window->TF(i)->SetText(texts[std::size_t(i)]);
  }
  // A click on the upper or the lower arrow of UpDownA(i).
  void ClickArrow(fw::Integer i, bool up) {
    QWidget* w = WidgetOf(window->UpDownA(i));
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, up ? 3 : w->height() - 3));
  }
};

TEST_F(Converter, TypingIsFilteredByField) {
  struct Case {
    fw::Integer field;
    const char* before;
    int cursor;  // -1: at the end
    const char* keys;
    const char* after;
  };
  // clang-format off
  const Case cases[] = {
      // Decimal field: digits up to 3, nothing else; backspace always.
      {0, "",     -1, "1 2 3 4",      "123"},
      {0, "12",   -1, "4",            "124"},
      {0, "123",  -1, "4",            "123"},
      {0, "1",    -1, "a F . - + Space Tab Return Enter", "1"},
      {0, "12",   -1, "Left Home 5",  "125"},  // arrows and Home do not move the cursor
      {0, "12",    0, "Delete",       "12"},
      {0, "12",   -1, "Up Down End PageUp 9", "129"},
      {0, "123",  -1, "BS",           "12"},
      {0, "",     -1, "BS",           ""},
      // Hexadecimal fields: both cases of a to f, up to 2.
      {1, "",     -1, "f A 0",        "fA"},
      {1, "",     -1, "g G z . Space", ""},
      {1, "F",    -1, "Left 1",       "F1"},
      {1, "FF",   -1, "0 BS",         "F"},
      {3, "",     -1, "e 6 8",        "e6"},
      {3, "E6",    0, "Delete BS",    "E6"},
      {3, "E6",   -1, "BS BS BS",     ""},
      // The text field: any key while it holds at most 2 characters.
      {2, "",     -1, "a + Space",    "a+ "},
      {2, "ab",   -1, "Left c",       "acb"},
      {2, "ab",   -1, "Tab",          "ab"},
      {2, "a",    -1, "愛 é",         "a愛é"},
      {2, "abc",  -1, "d 1",          "abc"},
      {2, "abc",  -1, "Left BS",      "ab"},   // the arrow is refused, backspace passes
      {2, "愛愛愛", -1, "x",           "愛愛愛"},  // three characters, nine bytes
      {2, "愛愛",  -1, "x",           "愛愛x"},
      {2, "abc",  -1, "BS BS BS BS",  ""},
  };
  // clang-format on
  SetConverter(true);
  for (const Case& c : cases) {
    window->TF(c.field)->SetText(c.before);
    FocusField(c.field);
    if (c.cursor >= 0) Field(c.field)->setCursorPosition(c.cursor);
    Type(c.keys);
    EXPECT_EQ(window->TF(c.field)->Text(), c.after)
        << "TF(" << c.field << ") holding \"" << c.before << "\", keys " << c.keys;
  }
}

// The filter looks at the length before the key: a full field refuses a key even when its whole
// text is selected; backspace still clears the selection.
TEST_F(Converter, AFullFieldRefusesKeysWhileSelected) {
  SetConverter(true);
  window->TF(0)->SetText("123");
  FocusField(0);
  Field(0)->selectAll();
  Type("4");
  EXPECT_EQ(window->TF(0)->Text(), "123");
  Type("BS");
  EXPECT_EQ(window->TF(0)->Text(), "");
}

// Ctrl combinations are the fields' own editing (as Cmd's are), not typed keys.
TEST_F(Converter, EditingShortcutsWorkInAFullField) {
  SetConverter(true);
  window->TF(1)->SetText("FF");
  FocusField(1);
  Type("Ctrl+A BS");
  EXPECT_EQ(window->TF(1)->Text(), "");
  window->TF(2)->SetText("愛");
  FocusField(2);
  Type("Ctrl+A Ctrl+C");
  window->TF(0)->SetText("123");
  FocusField(0);
  Type("Ctrl+A Ctrl+V");
  EXPECT_EQ(window->TF(0)->Text(), "愛");
}

// Texts the program wrote past a field's limit stay typable: the length tests are equalities.
TEST_F(Converter, TextsWrittenPastTheLimitStillTakeKeys) {
  Type("Clear");  // the key display writes 63289 and F739
  ASSERT_EQ(window->TF(0)->Text(), "63289");
  ASSERT_EQ(window->TF(1)->Text(), "F739");
  SetConverter(true);
  FocusField(0);
  Type("1 a");
  EXPECT_EQ(window->TF(0)->Text(), "632891");
  FocusField(1);
  Type("a g");
  EXPECT_EQ(window->TF(1)->Text(), "F739a");
  window->TF(2)->SetText("愛");
  ClickArrow(1, false);
  ASSERT_EQ(window->TF(3)->Text(), "E6849B");
  FocusField(3);
  Type("0 x");
  EXPECT_EQ(window->TF(3)->Text(), "E6849B0");
}

TEST_F(Converter, ArrowsConvertAndChangeNothingElse) {
  struct Case {
    fw::Integer pair;
    bool up;
    const char* source;
    const char* target;
  };
  // clang-format off
  const Case cases[] = {
      {0, false, "255",    "FF"},
      {0, false, "0",      "0"},
      {0, false, "999",    "3E7"},
      {0, false, "63289",  "F739"},   // five digits, as the key display writes them
      {0, false, "",       "0"},
      {0, true,  "FF",     "255"},
      {0, true,  "ff",     "255"},
      {0, true,  "F739",   "63289"},
      {0, true,  "",       "0"},
      {0, true,  "G",      "0"},
      {1, false, "愛",     "E6849B"},
      {1, false, "A",      "41"},
      {1, false, "a愛",    "61E6849B"},
      {1, false, "",       ""},
      {1, true,  "E6849B", "愛"},
      {1, true,  "e6849b", "愛"},
      {1, true,  "41",     "A"},
      {1, true,  "414",    "A"},        // a last lone digit is left out
      {1, true,  "4",      ""},
      {1, true,  "",       ""},
      {1, true,  "E6",     "\uFFFD"},   // not UTF-8 on its own
      {1, true,  "FF",     "\uFFFD"},
      {1, true,  "4E6",    "N"},
  };
  // clang-format on
  SetConverter(true);
  for (const Case& c : cases) {
    // The pair's source and target, by the arrow pressed.
    const std::size_t upper = std::size_t(2 * c.pair), lower = upper + 1;
    const std::size_t source = c.up ? lower : upper, target = c.up ? upper : lower;
    std::array<std::string, 4> before = {"1", "2", "3", "4"};
    before[source] = c.source;
    SetTexts(before);
    const std::string display = window->St(0)->Text(), name = window->St(10)->Text();
    ClickArrow(c.pair, c.up);
    std::array<std::string, 4> want = before;
    want[target] = c.target;
    EXPECT_EQ(Texts(), want) << "UpDownA(" << c.pair << ") " << (c.up ? "up" : "down")
                             << " from \"" << c.source << "\"";
    EXPECT_EQ(window->St(0)->Text(), display);
    EXPECT_EQ(window->St(10)->Text(), name);
  }
}

TEST_F(Converter, UpAndDownRoundTrip) {
  SetConverter(true);
  window->TF(0)->SetText("200");
  ClickArrow(0, false);
  window->TF(0)->SetText("");
  ClickArrow(0, true);
  EXPECT_EQ(window->TF(0)->Text(), "200");
  EXPECT_EQ(window->TF(1)->Text(), "C8");
  window->TF(2)->SetText("é€");
  ClickArrow(1, false);
  EXPECT_EQ(window->TF(3)->Text(), "C3A9E282AC");
  window->TF(2)->SetText("");
  ClickArrow(1, true);
  EXPECT_EQ(window->TF(2)->Text(), "é€");
}

TEST_F(Converter, SwitchedOffTheFieldsAndArrowsTakeNoInput) {
  for (fw::Integer i = 0; i < 4; ++i) EXPECT_FALSE(window->TF(i)->Enabled()) << i;
  EXPECT_FALSE(window->UpDownA(0)->Enabled());
  EXPECT_FALSE(window->UpDownA(1)->Enabled());
  SetTexts({"255", "", "A", "zz"});
  // A click on a disabled field does not give it the focus: the keys go to the window.
  Click(window->TF(2));
  EXPECT_NE(QApplication::focusWidget(), Field(2));
  Type("x");
  EXPECT_EQ(window->TF(2)->Text(), "A");
  EXPECT_EQ(window->St(10)->Text(), "x");
  // The key display still writes the upper pair.
  EXPECT_EQ(window->TF(0)->Text(), "120");
  EXPECT_EQ(window->TF(1)->Text(), "78");
  window->TF(0)->SetText("255");
  ClickArrow(0, false);
  ClickArrow(1, true);
  EXPECT_EQ(Texts(), (std::array<std::string, 4>{"255", "78", "A", "zz"}));
}

TEST_F(Converter, TheSwitchEnablesAllSixAndKeepsTheTexts) {
  SetTexts({"1", "2", "3", "4"});
  SetConverter(true);
  for (fw::Integer i = 0; i < 4; ++i) EXPECT_TRUE(window->TF(i)->Enabled()) << i;
  EXPECT_TRUE(window->UpDownA(0)->Enabled());
  EXPECT_TRUE(window->UpDownA(1)->Enabled());
  SetConverter(false);
  for (fw::Integer i = 0; i < 4; ++i) EXPECT_FALSE(window->TF(i)->Enabled()) << i;
  EXPECT_FALSE(window->UpDownA(0)->Enabled());
  EXPECT_FALSE(window->UpDownA(1)->Enabled());
  SetConverter(true);
  EXPECT_EQ(Texts(), (std::array<std::string, 4>{"1", "2", "3", "4"}));
  // The readouts' switch is the other box: it leaves the converter alone.
  Click(window->TFCB(1));
  EXPECT_TRUE(window->TF(0)->Enabled());
}

TEST_F(Converter, TheReadoutsBoxRunsTheKeyTimer) {
  EXPECT_EQ(window->KeyTimer()->RunMode(), 0);
  Click(window->TFCB(1));
  ASSERT_TRUE(window->TFCB(1)->Value());
  EXPECT_EQ(window->KeyTimer()->RunMode(), 2);
  Click(window->TFCB(1));
  EXPECT_EQ(window->KeyTimer()->RunMode(), 0);
}

TEST_F(Converter, AnyFieldOpeningTakesAllFourBordersAway) {
  for (fw::Integer i = 0; i < 4; ++i) {
    EXPECT_FALSE(window->TF(i)->HasBorder()) << i;
    window->TF(i)->SetHasBorder(true);
  }
  window->TF(3)->Opening();
  for (fw::Integer i = 0; i < 4; ++i) EXPECT_FALSE(window->TF(i)->HasBorder()) << i;
}

}  // namespace
