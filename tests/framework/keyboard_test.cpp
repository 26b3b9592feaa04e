#include "framework/Keyboard.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

namespace fw {
namespace {

using Syms = std::vector<unsigned long>;

TEST(MacKeyTable, TheNamedKeysAreTheModifiersAndInputModeKeys) {
  const std::map<Integer, Syms> named = {
      {55, {XK_Super_L}},   {56, {XK_Shift_L}},     {57, {XK_Caps_Lock}},
      {58, {XK_Alt_L}},     {59, {XK_Control_L}},   {102, {XK_Eisu_toggle}},
      {104, {XK_Hiragana_Katakana}},
  };
  for (const auto& [code, syms] : named) EXPECT_EQ(XKeySymsOfMacKeyCode(code), syms) << code;
}

TEST(MacKeyTable, EachLetterAndDigitHasOneCodeAtItsPlace) {
  std::map<unsigned long, Integer> codeOf;
  for (Integer code = 0; code < 128; ++code) {
    for (unsigned long sym : XKeySymsOfMacKeyCode(code)) {
      EXPECT_EQ(codeOf.count(sym), 0u) << "keysym " << sym << " at " << codeOf[sym] << " and " << code;
      codeOf[sym] = code;
    }
  }
  for (unsigned long sym = XK_a; sym <= XK_z; ++sym) EXPECT_EQ(codeOf.count(sym), 1u) << char(sym);
  for (unsigned long sym = XK_0; sym <= XK_9; ++sym) EXPECT_EQ(codeOf.count(sym), 1u) << char(sym);
  // A few places of Apple's layout that are easy to get wrong.
  EXPECT_EQ(codeOf[XK_a], 0);
  EXPECT_EQ(codeOf[XK_z], 6);
  EXPECT_EQ(codeOf[XK_b], 11);
  EXPECT_EQ(codeOf[XK_6], 22);
  EXPECT_EQ(codeOf[XK_5], 23);
  EXPECT_EQ(codeOf[XK_Return], 36);
  EXPECT_EQ(codeOf[XK_space], 49);
  EXPECT_EQ(codeOf[XK_Escape], 53);
  EXPECT_EQ(codeOf[XK_F1], 122);
  EXPECT_EQ(codeOf[XK_Up], 126);
}

TEST(MacKeyTable, CodesWithoutAKeyAndOutsideTheRangeHaveNone) {
  for (Integer code : {52, 63, 66, 127, -1, 128, 1000}) {
    EXPECT_TRUE(XKeySymsOfMacKeyCode(code).empty()) << code;
  }
}

TEST(XKeyboard, WithoutADisplayNoKeyIsDownAndThatIsSaidOnce) {
  unsetenv("DISPLAY");
  ::testing::internal::CaptureStderr();
  for (Integer code = -2; code < 140; ++code) EXPECT_FALSE(Keyboard().AsyncKeyDown(code)) << code;
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST(ManualKeyboard, HoldsKeysByHandAndRecordsWhatWasAsked) {
  auto service = std::make_unique<ManualKeyboardService>();
  ManualKeyboardService& manual = *service;
  SetKeyboardService(std::move(service));
  manual.Press(56);
  EXPECT_FALSE(Keyboard().AsyncKeyDown(55));
  EXPECT_TRUE(Keyboard().AsyncKeyDown(56));
  manual.Release(56);
  EXPECT_FALSE(Keyboard().AsyncKeyDown(56));
  EXPECT_EQ(manual.Asked(), (std::vector<Integer>{55, 56, 56}));
  SetKeyboardService(nullptr);
}

}  // namespace
}  // namespace fw
