// The window effects as the native layer receives them: which messages, to whom, with which
// arguments, in which order, and what they leave on the widgets.
#include "shell/Module1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "framework/Label.h"
#include "framework/Progress.h"
#include "framework/Slider.h"
#include "framework/ControlPrivate.h"
#include "native/MessageLog.h"
#include "native/NativeHandlesPrivate.h"
#include "native/SystemFonts.h"
#include "support/TransparencyMessages.h"

namespace {

using Texts = std::vector<std::string>;

// A subclass counts as a progress bar.
class BusyBar : public fw::ProgressBar {
  FW_CLASS("Test.BusyBar")
};

class Module1Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!QApplication::instance()) {
      static int argc = 1;
      static char name[] = "shell_tests";
      static char* argv[] = {name, nullptr};
      new QApplication(argc, argv);
    }
  }
  void SetUp() override { native::StartRecording(); }
  void TearDown() override {
    native::StopRecording();
    native::ResetSystemFontSizes();
  }

  template <class T>
  static fw::Ref<T> Made() {
    fw::Ref<T> control = fw::RuntimeNewObject<T>();
    control->Constructor();
    return control;
  }
  static QWidget* Widget(const fw::Ref<fw::RectControl>& control) { return fw::WidgetOf(*control); }

  // What SetControlSize sends to a control that has a cell, up to the font it asks for.
  static Texts CellAndFont(long long size, const char* fontSizeSelector, const std::string& fontSize) {
    return {"sel_registerName cell",
            "NSView cell",
            "sel_registerName setControlSize:",
            "NSCell setControlSize: " + std::to_string(size),
            "NSClassFromString NSFont",
            std::string("sel_registerName ") + fontSizeSelector,
            std::string("NSFont class ") + fontSizeSelector,
            "NSClassFromString NSFont",
            "sel_registerName systemFontOfSize:",
            "NSFont class systemFontOfSize: " + fontSize};
  }
};

const Texts& kMakeTransparent = kMakeTransparentMessages;

TEST_F(Module1Test, MakeWindowTransparentSendsAClearColourThenNotOpaqueThenShadow) {
  QWidget window;
  native::Ptr handle = native::NativeWindowFor(&window);
  // Whatever the background was before, the clear colour is white with alpha 0.
  objc_msgSend(handle, sel_registerName("setBackgroundColor:"),
               objc_msgSend(NSClassFromString("NSColor"),
                            sel_registerName("colorWithCalibratedWhite:alpha:"), 0.2, 1.0));
  native::TakeMessages();

  Module1::MakeWindowTransparent(handle);
  EXPECT_EQ(native::TakeMessageTexts(), kMakeTransparent);
  EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));

  // A second call does the same work again, looking everything up afresh.
  Module1::MakeWindowTransparent(handle);
  EXPECT_EQ(native::TakeMessageTexts(), kMakeTransparent);
}

TEST_F(Module1Test, SetAlphaValuePassesTheValueOnUnchanged) {
  QWidget window;
  native::Ptr handle = native::NativeWindowFor(&window);
  const std::pair<double, const char*> cases[] = {
      {0.91, "0.91"}, {0.2, "0.2"}, {1.0, "1"}, {1.5, "1.5"}, {-0.25, "-0.25"}};
  for (const auto& [alpha, text] : cases) {
    Module1::SetAlphaValue(handle, alpha);
    EXPECT_EQ(native::TakeMessageTexts(),
              (Texts{"sel_registerName setAlphaValue:", std::string("NSWindow setAlphaValue: ") + text}));
  }
  Module1::SetAlphaValue(handle, 0.6);
  EXPECT_NEAR(window.windowOpacity(), 0.6, 1.0 / 255);
}

TEST_F(Module1Test, SetControlSizeSetsTheCellsSizeAndTheFontForThatSize) {
  struct Case {
    long long size;
    const char* fontSizeSelector;  // the regular size for 0, the small one for every other
    double points;
    const char* pointsText;
  };
  const Case cases[] = {{0, "systemFontSize", 13.0, "13"},
                        {1, "smallSystemFontSize", 11.0, "11"},
                        {2, "smallSystemFontSize", 11.0, "11"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    auto slider = Made<fw::Slider>();
    native::TakeMessages();
    const std::string points = c.pointsText;
    Texts expected = CellAndFont(c.size, c.fontSizeSelector, points);
    expected.push_back("sel_registerName setFont:");
    expected.push_back("NSView setFont: NSFont(" + points + ")");

    Module1::SetControlSize(slider, c.size);
    EXPECT_EQ(native::TakeMessageTexts(), expected);
    EXPECT_EQ(Widget(slider)->property("controlSize").toInt(), c.size);
    EXPECT_DOUBLE_EQ(Widget(slider)->font().pointSizeF(), c.points);

    // Every call looks its selectors and classes up again.
    Module1::SetControlSize(slider, c.size);
    EXPECT_EQ(native::TakeMessageTexts(), expected);
  }
}

TEST_F(Module1Test, SetControlSizeWorksOnAnyControlWithACell) {
  auto label = Made<fw::Label>();
  native::TakeMessages();
  Module1::SetControlSize(label, 2);
  const Texts log = native::TakeMessageTexts();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "NSView setFont: NSFont(11)");
  EXPECT_DOUBLE_EQ(Widget(label)->font().pointSizeF(), 11.0);
}

TEST_F(Module1Test, ProgressIndicatorsGetOnlyTheSizeOnTheirView) {
  auto bar = Made<fw::ProgressBar>();
  auto wheel = Made<fw::ProgressWheel>();
  auto busy = Made<BusyBar>();
  for (const fw::Ref<fw::RectControl>& control :
       {fw::Ref<fw::RectControl>(bar), fw::Ref<fw::RectControl>(wheel), fw::Ref<fw::RectControl>(busy)}) {
    SCOPED_TRACE(control->ClassName());
    const double before = Widget(control)->font().pointSizeF();
    native::TakeMessages();
    Module1::SetControlSize(control, 2);
    EXPECT_EQ(native::TakeMessageTexts(),
              (Texts{"sel_registerName setControlSize:", "NSView setControlSize: 2"}));
    EXPECT_EQ(Widget(control)->property("controlSize").toInt(), 2);
    EXPECT_DOUBLE_EQ(Widget(control)->font().pointSizeF(), before);
  }
}

TEST_F(Module1Test, NoFontMeansNoSetFontAndTheNewSizeStays) {
  // A system whose small font size is 0 has no font of that size.
  native::SetSystemFontSizes(13.0, 0.0);
  auto slider = Made<fw::Slider>();
  const double before = Widget(slider)->font().pointSizeF();
  native::TakeMessages();

  Module1::SetControlSize(slider, 2);
  EXPECT_EQ(native::TakeMessageTexts(), CellAndFont(2, "smallSystemFontSize", "0"));
  EXPECT_EQ(Widget(slider)->property("controlSize").toInt(), 2);
  EXPECT_DOUBLE_EQ(Widget(slider)->font().pointSizeF(), before);
}

TEST_F(Module1Test, ANilControlRaisesBeforeAnyMessage) {
  EXPECT_THROW(Module1::SetControlSize(nullptr, 2), fw::NilObjectException);
  EXPECT_THROW(Module1::SetControlSize(fw::Ref<fw::Slider>(), 0), fw::NilObjectException);
  EXPECT_TRUE(native::TakeMessageTexts().empty());
}

TEST_F(Module1Test, AControlWithoutAWidgetIsHarmless) {
  // Not yet constructed: no native view, so the messages go to nil and do nothing.
  auto slider = fw::RuntimeNewObject<fw::Slider>();
  EXPECT_NO_THROW(Module1::SetControlSize(slider, 2));
  const Texts log = native::TakeMessageTexts();
  ASSERT_EQ(log.size(), 12u);
  EXPECT_EQ(log[1], "nil cell");
  EXPECT_EQ(log[3], "nil setControlSize: 2");
  EXPECT_EQ(log[11], "nil setFont: NSFont(11)");
}

TEST_F(Module1Test, NSClassFromStringFindsTheNativeClassesByName) {
  const fw::Ptr colour = Module1::NSClassFromString("NSColor");
  const fw::Ptr font = Module1::NSClassFromString("NSFont");
  EXPECT_NE(colour, nullptr);
  EXPECT_NE(font, nullptr);
  EXPECT_NE(colour, font);
  // Looked up at every call, and the same class each time.
  EXPECT_EQ(Module1::NSClassFromString("NSColor"), colour);
  EXPECT_EQ(Module1::NSClassFromString("NSWindow"), nullptr);
  EXPECT_EQ(Module1::NSClassFromString(""), nullptr);
  EXPECT_EQ(native::TakeMessageTexts(),
            (Texts{"NSClassFromString NSColor", "NSClassFromString NSFont", "NSClassFromString NSColor",
                   "NSClassFromString NSWindow", "NSClassFromString "}));
}

}  // namespace
