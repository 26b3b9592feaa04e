// Every text the program writes shows whole in its control, at scale 1 and 2: rendered through the
// real widgets, its ink lies inside the control and clear of both side edges (a text cut by its
// control reaches them).
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>

#include <cstdlib>
#include <string>

#include "framework/TextFitPrivate.h"
#include "framework/TextStylePrivate.h"
#include "support/AppFixture.h"

namespace {

// Pixels beside the control that are rendered too, so that ink outside it is seen.
constexpr int kBeside = 12;

struct Case {
  const char* array;  // "St" or "TF"
  fw::Integer index;
  const char* text;  // for a field, "" shows its hint
};

const Case kCases[] = {
    // The colour under the pointer; D is the widest hexadecimal digit.
    {"St", 14, "DDDDDD"}, {"St", 14, "888888"}, {"St", 14, "00C060"}, {"St", 14, "FFFFFF"},
    {"St", 14, "000000"},
    // The pointer's place over two or three screens.
    {"St", 7, "-1920"}, {"St", 7, "7679"}, {"St", 9, "-1920"}, {"St", 9, "7679"},
    // Key codes and names, held virtual codes.
    {"St", 11, "63289"}, {"St", 12, "127"},
    {"St", 10, "command"}, {"St", 10, "capslock"}, {"St", 10, "Control"}, {"St", 10, "option"},
    {"St", 10, "shift"}, {"St", 10, "PageUp"}, {"St", 10, "PageDown"}, {"St", 10, "Delete→"},
    {"St", 10, "delete"}, {"St", 10, "Enter"}, {"St", 10, "Return"}, {"St", 10, "Space"},
    {"St", 10, "英数"}, {"St", 10, "かな"}, {"St", 10, "W"},
    // Caliper readings.
    {"St", 2, "8888"}, {"St", 2, "-888"}, {"St", 5, "8888"},
    // Calculator results of 10 characters and the operator signs.
    {"St", 0, "88888888.8"}, {"St", 0, "-1234567.8"}, {"St", 1, "×"}, {"St", 1, "÷"},
    // Captions.
    {"St", 6, "X:"}, {"St", 8, "Y:"}, {"St", 13, "Color"},
    // The converter's fields at their lengths: typed, written by the key display, and the hints.
    {"TF", 0, "999"}, {"TF", 0, "63289"}, {"TF", 0, ""}, {"TF", 1, "F739"}, {"TF", 1, ""},
    {"TF", 2, "WWW"}, {"TF", 2, "愛愛愛"}, {"TF", 2, ""}, {"TF", 3, "DDDDDD"}, {"TF", 3, "F09F9880"}, {"TF", 3, ""},
};

class TextFit : public AppFixture, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    // Read when the application starts; each test runs in a process of its own.
    setenv("QT_SCALE_FACTOR", GetParam(), 1);
    AppFixture::SetUp();
  }
  void TearDown() override {
    AppFixture::TearDown();
    unsetenv("QT_SCALE_FACTOR");
  }

  fw::Ref<fw::RectControl> Control(const Case& c) {
    if (std::string(c.array) == "St") return window->St(c.index);
    return window->TF(c.index);
  }

  // Shows the text in the control and renders the control's row, kBeside pixels either side.
  QImage Render(const Case& c, const char* text) {
    if (std::string(c.array) == "St")
      window->St(c.index)->SetText(text);
    else
      window->TF(c.index)->SetText(text);
    ProcessEvents();
    auto control = Control(c);
    QRect row(static_cast<int>(control->Left()) - kBeside, static_cast<int>(control->Top()),
              static_cast<int>(control->Width()) + 2 * kBeside, static_cast<int>(control->Height()));
    return fw::ContentOf(*window)->grab(row).toImage().convertToFormat(QImage::Format_RGB32);
  }
};

TEST_P(TextFit, EachTextsInkLiesInsideItsControlClearOfBothEdges) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.array) + "(" + std::to_string(c.index) + ") showing \"" + c.text +
                 "\" at scale " + GetParam());
    // A field's blank differs from its text by the text alone; an empty field shows its hint.
    const bool field = std::string(c.array) == "TF";
    const QImage blank = Render(c, field ? " " : "");
    const QImage shown = Render(c, c.text);
    ASSERT_EQ(blank.size(), shown.size());
    const double scale = shown.devicePixelRatio();

    int first = shown.width(), last = -1;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixel(x, y) != blank.pixel(x, y)) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
    ASSERT_GE(last, 0) << "no ink at all";
    // In the control's own pixels: its edges are columns 0 and width - 1.
    const double width = static_cast<double>(Control(c)->Width());
    const double left = first / scale - kBeside, right = (last + 1) / scale - kBeside;
    const std::string ink = "ink from " + std::to_string(left) + " to " + std::to_string(right) +
                            " of " + std::to_string(width);
    EXPECT_GE(left, 1.0) << ink;
    EXPECT_LE(right, width - 1.0) << ink;
    // Whole: at least as wide as the whole text at the smallest size allowed (a pixel's rounding
    // aside); a text cut short is narrower.
    const std::string text = *c.text ? c.text : window->TF(c.index)->Hint();
    fw::TextStyle floor;
    floor.fontSize = fw::kLegibleFloorPixels;
    const qreal least =
        QFontMetricsF(fw::FontOf(floor)).tightBoundingRect(QString::fromStdString(text)).width();
    EXPECT_GE(right - left, least - 1) << ink << ": cut, or smaller than legible";
  }
}

TEST_P(TextFit, ATextTooWideEvenAtTheFloorShowsItsStartAndLosesItsEnd) {
  const Case cases[] = {{"St", 10, "PageDownPageDown"},
                        {"St", 0, "-1.7976931348623157e+308"},
                        {"TF", 3, "E6849BE6849BE6849B"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.array) + "(" + std::to_string(c.index) + ") at scale " + GetParam());
    const std::string text = c.text;
    const QImage shown = Render(c, text.c_str());
    // Another end does not show; another first character does.
    const std::string otherEnd = text.substr(0, text.size() - 2) + "00";
    const std::string otherStart = "0" + text.substr(1);
    EXPECT_EQ(Render(c, otherEnd.c_str()), shown);
    EXPECT_NE(Render(c, otherStart.c_str()), shown);
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, TextFit, ::testing::Values("1", "2"),
                         [](const auto& info) { return std::string("x") + info.param; });

}  // namespace
