#include "framework/Clipboard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>

#include "framework/PicturePrivate.h"

namespace fw {
namespace {

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "clipboard_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  std::unique_ptr<QApplication> app_;
};

TEST_F(ClipboardTest, GivesTheClipboardsPicturePixelForPixel) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(QColor(0x12, 0x34, 0x56));
  image.setPixel(2, 1, qRgb(0x0A, 0x00, 0xFF));
  QApplication::clipboard()->setImage(image);

  auto clipboard = RuntimeNewObject<Clipboard>();
  EXPECT_EQ(clipboard->ClassName(), "Clipboard");
  Ref<Picture> picture = clipboard->Picture();
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), 3);
  EXPECT_EQ(picture->Height(), 2);
  auto surface = picture->RGBSurface();
  EXPECT_EQ(surface->Pixel(2, 1), 0x0A00FFu);
  EXPECT_EQ(surface->Pixel(0, 0), 0x123456u);
}

TEST_F(ClipboardTest, NilWhenTheClipboardHoldsNoPicture) {
  auto clipboard = RuntimeNewObject<Clipboard>();
  QApplication::clipboard()->clear();
  EXPECT_FALSE(clipboard->Picture());
  QApplication::clipboard()->setText("not a picture");
  EXPECT_FALSE(clipboard->Picture());
}

TEST(ManualClipboard, GivesWhatWasSetAndCountsReads) {
  auto service = std::make_unique<ManualClipboardService>();
  ManualClipboardService& manual = *service;
  SetClipboardService(std::move(service));
  auto clipboard = RuntimeNewObject<Clipboard>();
  EXPECT_FALSE(clipboard->Picture());
  auto picture = RuntimeNewObject<Picture>(2, 2);
  manual.SetPicture(picture);
  EXPECT_TRUE(clipboard->Picture() == picture);
  EXPECT_EQ(manual.Reads(), 2);
  SetClipboardService(nullptr);
}

}  // namespace
}  // namespace fw
