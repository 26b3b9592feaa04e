// Fitting a text to its control's width: the largest size that fits, down to the legible floor,
// and past that the text cut at its end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>

#include <memory>

#include "framework/TextFitPrivate.h"
#include "framework/TextStylePrivate.h"

namespace {

class FitText : public ::testing::Test {
 protected:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "fit_text_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  std::unique_ptr<QApplication> app_;
  static QFont System(double size) {
    fw::TextStyle style;
    style.fontSize = size;
    return fw::FontOf(style);
  }
  static qreal Advance(const QFont& font, const QString& text) {
    return QFontMetricsF(font).horizontalAdvance(text);
  }
};

TEST_F(FitText, ATextThatFitsKeepsItsDeclaredSizeAndAWiderOneTakesTheLargestSizeThatFits) {
  struct Case {
    const char* text;
    qreal room;
  };
  for (const Case& c : {Case{"Return", 31}, Case{"PageDown", 31}, Case{"command", 31},
                        Case{"DDDDDD", 33}}) {
    SCOPED_TRACE(c.text);
    const QString text = QString::fromUtf8(c.text);
    const fw::FittedText fit = fw::FitText(System(10), text, c.room);
    EXPECT_EQ(fit.shown, text);
    EXPECT_LE(Advance(fit.font, text), c.room);
    EXPECT_GE(fit.font.pixelSize(), fw::kLegibleFloorPixels);
    EXPECT_LE(fit.font.pixelSize(), 10);
    if (fit.font.pixelSize() < 10) {
      QFont larger = fit.font;
      larger.setPixelSize(fit.font.pixelSize() + 1);
      EXPECT_GT(Advance(larger, text), c.room) << "a larger size fits too";
    }
  }
}

TEST_F(FitText, PastTheFloorTheTextIsCutAtItsEndOnly) {
  const QString text = QStringLiteral("1.79769313486232e+308");
  const fw::FittedText fit = fw::FitText(System(12), text, 60);
  EXPECT_EQ(fit.font.pixelSize(), fw::kLegibleFloorPixels);
  ASSERT_GT(fit.shown.size(), 1);
  EXPECT_TRUE(text.startsWith(fit.shown.chopped(1))) << fit.shown.toStdString();
  EXPECT_EQ(fit.shown.back(), QChar(0x2026));
  EXPECT_LE(Advance(fit.font, fit.shown), 60);
}

TEST_F(FitText, ATextDeclaredBelowTheFloorIsNeverEnlarged) {
  const QString text = QStringLiteral("PageDown");
  const fw::FittedText fit = fw::FitText(System(5), text, 10);
  EXPECT_EQ(fit.font.pixelSize(), 5);
  EXPECT_NE(fit.shown, text);
}

}  // namespace
