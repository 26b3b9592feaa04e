// The native messaging layer: selectors, class look-up, message sending to live, dead and nil
// receivers, what each message does to a real widget, and the message log.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSlider>
#include <QStyle>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "native/MessageLog.h"
#include "native/NativeHandlesPrivate.h"
#include "native/ObjcRuntime.h"
#include "native/SystemFonts.h"

namespace {

using native::Ptr;
using Texts = std::vector<std::string>;

class NativeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!QApplication::instance()) {
      static int argc = 1;
      static char name[] = "native_tests";
      static char* argv[] = {name, nullptr};
      new QApplication(argc, argv);
    }
  }
  void SetUp() override { native::StartRecording(); }
  void TearDown() override { native::StopRecording(); }

  static native::Result Send(Ptr receiver, const char* selector) {
    return objc_msgSend(receiver, sel_registerName(selector));
  }
  template <class... Args>
  static native::Result Send(Ptr receiver, const char* selector, Args... args) {
    return objc_msgSend(receiver, sel_registerName(selector), args...);
  }
  // The log without the look-ups made by Send itself.
  static Texts SentTexts() {
    Texts texts;
    for (const native::Message& m : native::TakeMessages())
      if (m.receiver != "sel_registerName") texts.push_back(m.Text());
    return texts;
  }
  static Ptr ClearColour() {
    return Send(NSClassFromString("NSColor"), "colorWithCalibratedWhite:alpha:", 1.0, 0.0);
  }
  static Ptr FontOfSize(double size) {
    return Send(NSClassFromString("NSFont"), "systemFontOfSize:", size);
  }
};

TEST_F(NativeTest, SelectorsAreInternedByName) {
  SEL a = sel_registerName("setOpaque:");
  EXPECT_NE(a, nullptr);
  EXPECT_EQ(a, sel_registerName(std::string("setOpaque:").c_str()));
  EXPECT_NE(a, sel_registerName("setOpaque"));
  EXPECT_EQ(a->name, "setOpaque:");
  EXPECT_EQ(sel_registerName(nullptr), nullptr);
}

TEST_F(NativeTest, ClassesAreFoundByExactName) {
  Ptr colour = NSClassFromString("NSColor");
  Ptr font = NSClassFromString("NSFont");
  EXPECT_NE(colour, nullptr);
  EXPECT_NE(font, nullptr);
  EXPECT_NE(colour, font);
  EXPECT_EQ(colour, NSClassFromString("NSColor"));
  for (const char* other : {"NSWindow", "nscolor", "NSColor ", "", static_cast<const char*>(nullptr)})
    EXPECT_EQ(NSClassFromString(other), nullptr) << (other ? other : "(null)");
}

TEST_F(NativeTest, MessagingNilDoesNothingAndReturnsNil) {
  native::Result r = Send(nullptr, "cell");
  EXPECT_EQ(static_cast<Ptr>(r), nullptr);
  EXPECT_EQ(static_cast<double>(Send(nullptr, "systemFontSize")), 0.0);
  Send(nullptr, "setAlphaValue:", 0.5);
  std::vector<native::Message> log = native::TakeMessages();
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(log[5].Text(), "nil setAlphaValue: 0.5");
  EXPECT_FALSE(log[5].understood);
}

TEST_F(NativeTest, NullSelectorOnALiveObjectDoesNothing) {
  QWidget window;
  Ptr handle = native::NativeWindowFor(&window);
  EXPECT_EQ(static_cast<Ptr>(objc_msgSend(handle, nullptr, 0.5)), nullptr);
  EXPECT_DOUBLE_EQ(window.windowOpacity(), 1.0);
}

TEST_F(NativeTest, HandlesAreStablePerWidgetAndKind) {
  QWidget a, b;
  Ptr window = native::NativeWindowFor(&a);
  EXPECT_NE(window, nullptr);
  EXPECT_EQ(window, native::NativeWindowFor(&a));
  EXPECT_NE(window, native::NativeWindowFor(&b));
  Ptr view = native::NativeViewFor(&a);
  EXPECT_NE(view, window);
  EXPECT_EQ(view, native::NativeViewFor(&a));
  EXPECT_EQ(native::NativeWindowFor(nullptr), nullptr);
  EXPECT_EQ(native::NativeViewFor(nullptr), nullptr);
}

TEST_F(NativeTest, HandleOfADestroyedWidgetIsUnknownAndNeverReused) {
  auto slider = std::make_unique<QSlider>(Qt::Horizontal);
  Ptr view = native::NativeViewFor(slider.get());
  Ptr cell = Send(view, "cell");
  Ptr window = native::NativeWindowFor(slider.get());
  slider.reset();
  native::TakeMessages();

  EXPECT_EQ(static_cast<Ptr>(Send(view, "cell")), nullptr);
  Send(cell, "setControlSize:", 2);
  Send(window, "setAlphaValue:", 0.5);
  EXPECT_EQ(SentTexts(), (Texts{"unknown cell", "unknown setControlSize: 2",
                                "unknown setAlphaValue: 0.5"}));

  // A new widget, even at the old one's address, gets a handle of its own.
  for (int i = 0; i < 20; ++i) {
    QSlider again(Qt::Horizontal);
    Ptr fresh = native::NativeViewFor(&again);
    EXPECT_NE(fresh, view);
    EXPECT_NE(fresh, cell);
    EXPECT_NE(native::NativeWindowFor(&again), window);
  }
}

TEST_F(NativeTest, UnknownSelectorOnALiveObjectIsRecordedAndIgnored) {
  QWidget window;
  Ptr handle = native::NativeWindowFor(&window);
  native::TakeMessages();
  EXPECT_EQ(static_cast<Ptr>(Send(handle, "orderOut:", nullptr)), nullptr);
  EXPECT_EQ(static_cast<Ptr>(Send(NSClassFromString("NSFont"), "boldSystemFontOfSize:", 12.0)),
            nullptr);
  std::vector<native::Message> log = native::TakeMessages();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[1].Text(), "NSWindow orderOut: nil");
  EXPECT_EQ(log[1].target, handle);
  EXPECT_FALSE(log[1].understood);
  EXPECT_EQ(log[4].Text(), "NSFont class boldSystemFontOfSize: 12");
  EXPECT_FALSE(log[4].understood);
  EXPECT_TRUE(window.isWindow());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(NativeTest, ClearBackgroundAndNotOpaqueMakeTheWindowTranslucent) {
  QWidget window;
  window.setAutoFillBackground(true);
  Ptr handle = native::NativeWindowFor(&window);
  Send(handle, "setBackgroundColor:", ClearColour());
  EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_FALSE(window.autoFillBackground());
  Send(handle, "setOpaque:", false);
  Send(handle, "invalidateShadow");
  EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));
  for (const native::Message& m : native::TakeMessages()) EXPECT_TRUE(m.understood) << m.Text();
}

TEST_F(NativeTest, OpaqueFlagAloneDecidesForAnOpaqueBackground) {
  QWidget window;
  Ptr handle = native::NativeWindowFor(&window);
  Send(handle, "setOpaque:", false);
  EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));
  Send(handle, "setOpaque:", true);
  EXPECT_FALSE(window.testAttribute(Qt::WA_TranslucentBackground));

  // Opaque again, but the background is still clear: it stays see-through.
  Send(handle, "setBackgroundColor:", ClearColour());
  Send(handle, "setOpaque:", true);
  EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));
  Ptr grey = Send(NSClassFromString("NSColor"), "colorWithCalibratedWhite:alpha:", 0.5, 1.0);
  Send(handle, "setBackgroundColor:", grey);
  EXPECT_FALSE(window.testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_TRUE(window.autoFillBackground());
  EXPECT_EQ(window.palette().color(QPalette::Window), QColor::fromRgbF(0.5f, 0.5f, 0.5f, 1.0f));
}

TEST_F(NativeTest, ColoursAreValues) {
  Ptr colourClass = NSClassFromString("NSColor");
  Ptr clear = ClearColour();
  EXPECT_NE(clear, nullptr);
  EXPECT_EQ(clear, ClearColour());
  EXPECT_NE(clear, static_cast<Ptr>(Send(colourClass, "colorWithCalibratedWhite:alpha:", 1.0, 1.0)));
  // A colour is not a window: sending it a window's message does nothing.
  native::TakeMessages();
  Send(clear, "setAlphaValue:", 0.5);
  std::vector<native::Message> log = native::TakeMessages();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].Text(), "NSColor setAlphaValue: 0.5");
  EXPECT_FALSE(log[1].understood);
}

TEST_F(NativeTest, AlphaValueSetsTheWindowOpacity) {
  struct Case {
    double alpha, opacity;
  };
  for (Case c : {Case{0.91, 0.91}, Case{0.2, 0.2}, Case{1.0, 1.0}, Case{0.0, 0.0},
                 Case{1.7, 1.0}, Case{-0.3, 0.0}}) {
    QWidget window;
    Send(native::NativeWindowFor(&window), "setAlphaValue:", c.alpha);
    // Qt keeps a window's opacity in 1/255 steps.
    EXPECT_NEAR(window.windowOpacity(), c.opacity, 0.5 / 255) << c.alpha;
  }
  EXPECT_EQ(SentTexts().front(), "NSWindow setAlphaValue: 0.91");
}

TEST_F(NativeTest, AlphaValueIgnoresNotANumber) {
  QWidget window;
  Ptr handle = native::NativeWindowFor(&window);
  Send(handle, "setAlphaValue:", 0.5);
  Send(handle, "setAlphaValue:", std::nan(""));
  EXPECT_NEAR(window.windowOpacity(), 0.5, 0.5 / 255);
}

TEST_F(NativeTest, StyleMaskMiniaturizableOnlyMakesAFramelessMinimisableWindow) {
  QWidget window;
  window.setWindowFlag(Qt::WindowStaysOnTopHint);
  window.setGeometry(10, 20, 300, 200);
  Send(native::NativeWindowFor(&window), "setStyleMask:", 4);
  EXPECT_EQ(window.geometry(), QRect(10, 20, 300, 200));
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags & Qt::FramelessWindowHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & (Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                        Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint));
  EXPECT_EQ(window.windowType(), Qt::Window);
  EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(NativeTest, StyleMaskOnAShownWindowKeepsItShownAndInPlace) {
  QWidget window;
  window.setGeometry(100, 120, 300, 200);
  window.show();
  Ptr handle = native::NativeWindowFor(&window);
  Send(handle, "setStyleMask:", 4);
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(window.geometry(), QRect(100, 120, 300, 200));

  // Titled, closable, miniaturizable and resizable: a normal frame again.
  Send(handle, "setStyleMask:", 15);
  EXPECT_TRUE(window.isVisible());
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_FALSE(flags & Qt::FramelessWindowHint);
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(NativeTest, CellIsOneObjectPerView) {
  QSlider slider(Qt::Horizontal);
  Ptr view = native::NativeViewFor(&slider);
  Ptr cell = Send(view, "cell");
  EXPECT_NE(cell, nullptr);
  EXPECT_NE(cell, view);
  EXPECT_EQ(cell, static_cast<Ptr>(Send(view, "cell")));
  EXPECT_EQ(SentTexts(), (Texts{"NSView cell", "NSView cell"}));
}

TEST_F(NativeTest, ControlSizeShrinksTheControlKeepingItsGeometry) {
  QWidget window;
  QSlider slider(Qt::Horizontal, &window);
  slider.setGeometry(10, 20, 140, 24);
  const int regular = slider.style()->pixelMetric(QStyle::PM_SliderLength, nullptr, &slider);
  Ptr view = native::NativeViewFor(&slider);

  Send(Send(view, "cell"), "setControlSize:", 1);
  const int small = slider.style()->pixelMetric(QStyle::PM_SliderLength, nullptr, &slider);
  EXPECT_EQ(slider.property("controlSize").toInt(), 1);
  EXPECT_LT(small, regular);

  Send(view, "setControlSize:", 2);  // a view takes it too
  const int mini = slider.style()->pixelMetric(QStyle::PM_SliderLength, nullptr, &slider);
  EXPECT_EQ(slider.property("controlSize").toInt(), 2);
  EXPECT_LT(mini, small);
  EXPECT_EQ(slider.geometry(), QRect(10, 20, 140, 24));

  Send(view, "setControlSize:", 0);
  EXPECT_EQ(slider.property("controlSize").toInt(), 0);
  EXPECT_EQ(slider.style(), QApplication::style());
  EXPECT_EQ(slider.style()->pixelMetric(QStyle::PM_SliderLength, nullptr, &slider), regular);
}

TEST_F(NativeTest, ControlSizeOutOfRangeIsClamped) {
  QSlider slider;
  Ptr view = native::NativeViewFor(&slider);
  Send(view, "setControlSize:", 7);
  EXPECT_EQ(slider.property("controlSize").toInt(), 2);
  Send(view, "setControlSize:", -1);
  EXPECT_EQ(slider.property("controlSize").toInt(), 0);
}

TEST_F(NativeTest, FontSizes) {
  Ptr font = NSClassFromString("NSFont");
  EXPECT_DOUBLE_EQ(static_cast<double>(Send(font, "systemFontSize")), 13.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Send(font, "smallSystemFontSize")), 11.0);
  EXPECT_NE(FontOfSize(11.0), nullptr);
  EXPECT_EQ(FontOfSize(11.0), FontOfSize(11.0));
  EXPECT_NE(FontOfSize(11.0), FontOfSize(13.0));
  for (double size : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_EQ(FontOfSize(size), nullptr) << size;
}

TEST_F(NativeTest, SetFontGivesTheSystemFamilyAtThatSize) {
  QSlider slider;
  Ptr view = native::NativeViewFor(&slider);
  Send(view, "setFont:", FontOfSize(11.0));
  EXPECT_DOUBLE_EQ(slider.font().pointSizeF(), 11.0);
  EXPECT_EQ(slider.font().family(), QString::fromLatin1(native::kSystemFontFamily));

  // nil or a non-font changes nothing.
  Send(view, "setFont:", nullptr);
  Send(view, "setFont:", ClearColour());
  EXPECT_DOUBLE_EQ(slider.font().pointSizeF(), 11.0);
}

TEST_F(NativeTest, ArgumentsArePackedByType) {
  QWidget window;
  Ptr handle = native::NativeWindowFor(&window);
  native::TakeMessages();
  short four = 4;
  Send(handle, "setStyleMask:", four);
  Send(handle, "setStyleMask:", 4ULL);
  Send(handle, "setAlphaValue:", 0.25f);
  Send(handle, "setOpaque:", true);
  Send(handle, "setAlphaValue:");  // missing: read as 0
  EXPECT_EQ(SentTexts(), (Texts{"NSWindow setStyleMask: 4", "NSWindow setStyleMask: 4",
                                "NSWindow setAlphaValue: 0.25", "NSWindow setOpaque: YES",
                                "NSWindow setAlphaValue:"}));
  EXPECT_NEAR(window.windowOpacity(), 0.0, 0.5 / 255);
  // A result passes on as an argument, a number as a number.
  Send(handle, "setAlphaValue:", Send(NSClassFromString("NSFont"), "systemFontSize"));
  EXPECT_EQ(SentTexts().back(), "NSWindow setAlphaValue: 13");
}

TEST_F(NativeTest, LogHoldsLookUpsAndMessagesInOrder) {
  QWidget window;
  Ptr handle = native::NativeWindowFor(&window);
  native::TakeMessages();

  Ptr colourClass = NSClassFromString("NSColor");
  Ptr colour = objc_msgSend(colourClass, sel_registerName("colorWithCalibratedWhite:alpha:"), 1.0, 0.0);
  objc_msgSend(handle, sel_registerName("setBackgroundColor:"), colour);
  objc_msgSend(handle, sel_registerName("setOpaque:"), false);
  std::vector<native::Message> log = native::TakeMessages();

  Texts texts;
  for (const native::Message& m : log) texts.push_back(m.Text());
  EXPECT_EQ(texts, (Texts{"NSClassFromString NSColor",
                          "sel_registerName colorWithCalibratedWhite:alpha:",
                          "NSColor class colorWithCalibratedWhite:alpha: 1 0",
                          "sel_registerName setBackgroundColor:",
                          "NSWindow setBackgroundColor: NSColor(white 1, alpha 0)",
                          "sel_registerName setOpaque:", "NSWindow setOpaque: NO"}));
  EXPECT_EQ(log[2].target, colourClass);
  EXPECT_EQ(log[4].target, handle);
  EXPECT_EQ(log[4].arguments, Texts{"NSColor(white 1, alpha 0)"});
  EXPECT_TRUE(native::TakeMessages().empty());
}

TEST_F(NativeTest, NothingIsKeptWhileNotRecording) {
  native::StopRecording();
  NSClassFromString("NSFont");
  sel_registerName("cell");
  Send(nullptr, "cell");
  EXPECT_TRUE(native::TakeMessages().empty());
  native::StartRecording();
  NSClassFromString("NSFont");
  EXPECT_EQ(native::TakeMessageTexts(), Texts{"NSClassFromString NSFont"});
}

}  // namespace
