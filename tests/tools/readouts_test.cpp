// The live readouts: the pointer, the first held key by virtual key code, and the colour under
// the pointer from the screen picture that the capture command leaves on the clipboard. The
// pointer, the keyboard, the shell and the clipboard are the services' doubles.
#include <QImage>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "KeyFixture.h"
#include "framework/Clipboard.h"
#include "framework/Keyboard.h"
#include "framework/PicturePrivate.h"
#include "framework/Shell.h"
#include "framework/System.h"

namespace {

using fw::Integer;

constexpr fw::Color kRed = 0xFF0000;
constexpr fw::Color kBlack = 0x000000;
const std::string kCapture = "screencapture -c -x";

// A picture of width by height pixels, all of one colour but for one pixel.
fw::Ref<fw::Picture> PictureWith(int width, int height, QPoint at, fw::Color colour,
                                 fw::Color rest = 0x123456) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(QRgb(rest)));
  image.setPixel(at, QRgb(0xFF000000u | colour));
  return fw::PictureFromImage(image);
}

std::vector<Integer> CodesUpTo(Integer last) {
  std::vector<Integer> codes;
  for (Integer c = 0; c <= last; ++c) codes.push_back(c);
  return codes;
}

}  // namespace

class Readouts : public KeyFixture {
 protected:
  void BeforeStartUp() override {
    auto system = std::make_unique<fw::ManualSystemService>();
    auto keyboard = std::make_unique<fw::ManualKeyboardService>();
    auto shell = std::make_unique<fw::RecordingShellService>();
    auto clipboard = std::make_unique<fw::ManualClipboardService>();
    system_ = system.get();
    keyboard_ = keyboard.get();
    shell_ = shell.get();
    clipboard_ = clipboard.get();
    fw::SetSystemService(std::move(system));
    fw::SetKeyboardService(std::move(keyboard));
    fw::SetShellService(std::move(shell));
    fw::SetClipboardService(std::move(clipboard));
  }
  void TearDown() override {
    KeyFixture::TearDown();
    fw::SetSystemService(nullptr);
    fw::SetKeyboardService(nullptr);
    fw::SetShellService(nullptr);
    fw::SetClipboardService(nullptr);
  }

  // One tick, through the timer's Run binding.
  void Tick() { window->KeyTimer()->Fire(); }
  // One tick called straight, so that whatever it raises reaches the test.
  void TickDirect() { window->KeyTimer_Run(window->KeyTimer()); }

  std::string Text(Integer label) const { return window->St(label)->Text(); }

  // Known texts in the labels a tick may write, so that a test sees which ones it wrote.
  void MarkLabels() {
    for (Integer i : {7, 9, 10, 11, 12, 14}) window->St(i)->SetText("mark" + std::to_string(i));
    window->St(10)->SetTextColor(kBlack);
  }

  fw::ManualSystemService* system_ = nullptr;
  fw::ManualKeyboardService* keyboard_ = nullptr;
  fw::RecordingShellService* shell_ = nullptr;
  fw::ManualClipboardService* clipboard_ = nullptr;
};

TEST_F(Readouts, TheBoxStartsAndStopsTheTimerAndTheLabelsKeepTheirTexts) {
  fw::Ref<fw::Timer> timer = window->KeyTimer();
  ASSERT_EQ(timer->RunMode(), 0);
  EXPECT_EQ(timer->Period(), 100);
  clipboard_->SetPicture(PictureWith(50, 50, QPoint(20, 30), 0x0A00FF));
  system_->SetMouse(20, 30);

  Click(window->TFCB(1));
  ASSERT_TRUE(window->TFCB(1)->Value());
  EXPECT_EQ(timer->RunMode(), 2);
  // The timer itself runs the ticks now.
  QTRY_VERIFY_WITH_TIMEOUT(!shell_->Commands().empty(), 2000);
  EXPECT_EQ(Text(14), "0A00FF");

  Click(window->TFCB(1));
  ASSERT_FALSE(window->TFCB(1)->Value());
  EXPECT_EQ(timer->RunMode(), 0);
  const size_t ticks = shell_->Commands().size();
  clipboard_->SetPicture(PictureWith(50, 50, QPoint(20, 30), 0xFFFFFF));
  system_->SetMouse(5, 6);
  QTest::qWait(300);
  EXPECT_EQ(shell_->Commands().size(), ticks);
  EXPECT_EQ(Text(7), "20");
  EXPECT_EQ(Text(9), "30");
  EXPECT_EQ(Text(14), "0A00FF");
}

TEST_F(Readouts, ATickWithoutAHeldKeyCapturesAndShowsThePixelUnderThePointer) {
  MarkLabels();
  system_->SetMouse(7, 3);
  // The picture reaches the clipboard only through the capture, as the real command puts it there.
  shell_->OnExecute([this](const std::string&) {
    clipboard_->SetPicture(PictureWith(10, 5, QPoint(7, 3), 0x0A00FF));
  });

  Tick();

  EXPECT_EQ(shell_->Commands(), std::vector<std::string>{kCapture});
  EXPECT_EQ(clipboard_->Reads(), 1);
  EXPECT_EQ(window->SystemColor, 0x0A00FFu);
  EXPECT_EQ(Text(14), "0A00FF");
  EXPECT_EQ(Text(7), "7");
  EXPECT_EQ(Text(9), "3");
  // Every code was asked, lowest first, with one yield after each.
  EXPECT_EQ(keyboard_->Asked(), CodesUpTo(127));
  EXPECT_EQ(system_->Yields(), 128);
  // Key labels are written only for a held key.
  EXPECT_EQ(Text(10), "mark10");
  EXPECT_EQ(Text(11), "mark11");
  EXPECT_EQ(Text(12), "mark12");
}

TEST_F(Readouts, ThePixelIsReadWhereThePointerIsAfterTheCapture) {
  system_->SetMouse(1, 1);
  shell_->OnExecute([this](const std::string&) {
    clipboard_->SetPicture(PictureWith(10, 5, QPoint(8, 4), 0xFFFFFF, 0x000000));
    system_->SetMouse(8, 4);
  });
  Tick();
  EXPECT_EQ(Text(7), "1");
  EXPECT_EQ(Text(9), "1");
  EXPECT_EQ(Text(14), "FFFFFF");
}

TEST_F(Readouts, TheColourTextHasTwoCapitalDigitsPerComponent) {
  struct Case {
    fw::Color pixel;
    const char* text;
  };
  const Case cases[] = {{0x0A00FF, "0A00FF"}, {0xFFFFFF, "FFFFFF"}, {0x000000, "000000"},
                        {0x01020A, "01020A"}, {0xA0B0C0, "A0B0C0"}};
  system_->SetMouse(2, 1);
  for (const Case& c : cases) {
    clipboard_->SetPicture(PictureWith(4, 3, QPoint(2, 1), c.pixel, c.pixel ^ 0xFFFFFF));
    Tick();
    EXPECT_EQ(Text(14), c.text);
    EXPECT_EQ(window->SystemColor, c.pixel) << c.text;
  }
}

TEST_F(Readouts, PointsBecomePixelsOnADoubledScreen) {
  system_->SetPixelsPerPoint(2.0);
  system_->SetMouse(3, 1);
  clipboard_->SetPicture(PictureWith(8, 4, QPoint(6, 2), 0x0A00FF));
  Tick();
  EXPECT_EQ(Text(7), "3");
  EXPECT_EQ(Text(9), "1");
  EXPECT_EQ(Text(14), "0A00FF");
}

TEST_F(Readouts, NoPictureOrAPointerOutsideItLeavesTheColourAsItWas) {
  struct Case {
    const char* what;
    bool picture;
    Integer x, y;
    double ratio;
  };
  const Case cases[] = {
      {"no picture", false, 1, 1, 1.0},
      {"left of it", true, -1, 0, 1.0},
      {"above it", true, 0, -1, 1.0},
      {"right of it", true, 4, 0, 1.0},
      {"below it", true, 0, 3, 1.0},
      {"far away", true, 5000, 4000, 1.0},
      {"inside in points, outside in pixels", true, 2, 1, 2.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    window->SystemColor = 0x0A00FF;
    window->St(14)->SetText("0A00FF");
    clipboard_->SetPicture(c.picture ? PictureWith(4, 3, QPoint(0, 0), 0xFFFFFF, 0xFFFFFF)
                                     : nullptr);
    system_->SetMouse(c.x, c.y);
    system_->SetPixelsPerPoint(c.ratio);
    const size_t before = shell_->Commands().size();

    ASSERT_NO_THROW(TickDirect());

    EXPECT_EQ(shell_->Commands().size(), before + 1);
    EXPECT_EQ(window->SystemColor, 0x0A00FFu);
    EXPECT_EQ(Text(14), "0A00FF");
    EXPECT_EQ(Text(7), std::to_string(c.x));
    EXPECT_EQ(Text(9), std::to_string(c.y));
  }
}

namespace {

struct HeldCase {
  const char* what;
  std::vector<Integer> held;
  Integer winner;
  const char* name;  // nullptr: St(10) and St(11) are not touched
  fw::Color colour;  // of St(10) afterwards, from black
};

const HeldCase kHeldCases[] = {
    {"command", {55}, 55, "command", kRed},
    {"shift", {56}, 56, "shift", kRed},
    {"caps lock", {57}, 57, "capslock", kRed},
    {"option", {58}, 58, "option", kRed},
    {"control", {59}, 59, "Control", kRed},
    {"eisu", {102}, 102, "英数", kRed},
    {"kana keeps the colour", {104}, 104, "かな", kBlack},
    {"command and shift: the lowest wins", {56, 55}, 55, "command", kRed},
    {"code 0 before shift", {56, 0}, 0, nullptr, kBlack},
    {"a key without a name", {30}, 30, nullptr, kBlack},
    {"the last code", {127}, 127, nullptr, kBlack},
    {"shift before kana", {104, 56}, 56, "shift", kRed},
};

void PrintTo(const HeldCase& c, std::ostream* os) { *os << c.what; }

}  // namespace

class HeldKeys : public Readouts, public testing::WithParamInterface<HeldCase> {};

TEST_P(HeldKeys, TheLowestHeldCodeIsShownAndNoCaptureRuns) {
  const HeldCase& c = GetParam();
  MarkLabels();
  window->SystemColor = 0x0A00FF;
  clipboard_->SetPicture(PictureWith(4, 3, QPoint(0, 0), 0xFFFFFF, 0xFFFFFF));
  system_->SetMouse(2, 1);
  for (Integer code : c.held) keyboard_->Press(code);

  Tick();

  EXPECT_EQ(Text(12), std::to_string(c.winner));
  EXPECT_EQ(Text(10), c.name ? c.name : "mark10");
  EXPECT_EQ(Text(11), c.name ? "" : "mark11");
  EXPECT_EQ(window->St(10)->TextColor(), c.colour);
  // The scan stops at the held code, without a yield after it; higher codes are not asked.
  EXPECT_EQ(keyboard_->Asked(), CodesUpTo(c.winner));
  EXPECT_EQ(system_->Yields(), c.winner);
  // The pointer is shown; the capture and the colour readout wait until no key is held.
  EXPECT_EQ(Text(7), "2");
  EXPECT_EQ(Text(9), "1");
  EXPECT_TRUE(shell_->Commands().empty());
  EXPECT_EQ(clipboard_->Reads(), 0);
  EXPECT_EQ(window->SystemColor, 0x0A00FFu);
  EXPECT_EQ(Text(14), "mark14");
}

INSTANTIATE_TEST_SUITE_P(Readouts, HeldKeys, testing::ValuesIn(kHeldCases),
                         [](const testing::TestParamInfo<HeldCase>& info) {
                           std::string name;
                           for (const char* p = info.param.what; *p; ++p)
                             if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                           return name;
                         });

TEST_F(Readouts, AKeyFromCode128UpNeitherShowsNorStopsTheCapture) {
  MarkLabels();
  for (Integer code : {128, 255, 1000, -1}) keyboard_->Press(code);
  clipboard_->SetPicture(PictureWith(4, 3, QPoint(0, 0), 0x000000, 0x000000));
  Tick();
  EXPECT_EQ(keyboard_->Asked(), CodesUpTo(127));
  EXPECT_EQ(Text(12), "mark12");
  EXPECT_EQ(shell_->Commands(), std::vector<std::string>{kCapture});
  EXPECT_EQ(Text(14), "000000");
}

TEST_F(Readouts, TheRedStaysUntilTheNextKeyReachesTheWindow) {
  system_->SetMouse(0, 0);
  clipboard_->SetPicture(PictureWith(4, 3, QPoint(0, 0), 0xFFFFFF, 0xFFFFFF));

  keyboard_->Press(56);
  Tick();
  ASSERT_EQ(window->St(10)->TextColor(), kRed);

  // Released: the colour readout comes back, the red stays.
  keyboard_->ReleaseAll();
  Tick();
  EXPECT_EQ(Text(14), "FFFFFF");
  EXPECT_EQ(Text(10), "shift");
  EXPECT_EQ(window->St(10)->TextColor(), kRed);

  // Kana after a red name: red.
  keyboard_->Press(104);
  Tick();
  EXPECT_EQ(Text(10), "かな");
  EXPECT_EQ(window->St(10)->TextColor(), kRed);

  // A key typed to the window turns the name black; kana then shows in black.
  keyboard_->ReleaseAll();
  WindowTakes("a");
  ASSERT_EQ(window->St(10)->TextColor(), kBlack);
  keyboard_->Press(104);
  Tick();
  EXPECT_EQ(Text(10), "かな");
  EXPECT_EQ(window->St(10)->TextColor(), kBlack);
}
