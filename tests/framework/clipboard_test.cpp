#include "framework/Clipboard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QBuffer>
#include <QImage>
#include <QMimeData>

#include <cstdint>

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

// An uncompressed BMP of 3 by 2 pixels, 24 or 32 bits a pixel: rows top-down (negative height)
// or bottom-up, with `gap` bytes between the headers and the pixels. Rows are padded to 4 bytes;
// a 32-bit pixel's fourth byte is 0, as X servers give it.
QByteArray Bmp(int bits, bool topDown, int gap = 0) {
  const QRgb rows[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF}, {0x0A00FF, 0x000000, 0xFFFFFF}};
  const int stride = (3 * bits / 8 + 3) / 4 * 4;
  QByteArray b;
  auto put = [&b](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.append(char((v >> (8 * i)) & 0xFF));
  };
  const int offset = 54 + gap;
  b.append("BM");
  put(offset + 2 * stride, 4);
  put(0, 4);
  put(offset, 4);
  put(40, 4);
  put(3, 4);
  put(topDown ? std::uint32_t(-2) : 2u, 4);
  put(1, 2);
  put(bits, 2);
  put(0, 4);  // uncompressed
  put(2 * stride, 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  b.append(QByteArray(gap, '\0'));
  for (int r = 0; r < 2; ++r) {
    const qsizetype start = b.size();
    for (QRgb c : rows[topDown ? r : 1 - r]) put(c & 0xFFFFFF, bits / 8);  // B, G, R (, 0)
    b.append(QByteArray(stride - (b.size() - start), '\0'));
  }
  return b;
}

TEST_F(ClipboardTest, AScreenPictureHandedOverAsBmpReadsBackExactly) {
  struct Case {
    const char* what;
    QByteArray bmp;
    Color blueish = 0x0A00FF;  // the pixel at (0, 1)
  };
  QImage image(3, 2, QImage::Format_RGB888);
  image.setPixel(0, 0, 0xFF0000);
  image.setPixel(1, 0, 0x00FF00);
  image.setPixel(2, 0, 0x0000FF);
  image.setPixel(0, 1, 0x0A00FF);
  image.setPixel(1, 1, 0x000000);
  image.setPixel(2, 1, 0xFFFFFF);
  auto saved = [](const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, "BMP"));
    return bytes;
  };
  const QByteArray bmp24 = saved(image);
  // A kind left to the toolkit's reader: 16-bit pixels, five bits a component.
  const QByteArray bmp16 = saved(image.convertToFormat(QImage::Format_RGB555));
  const Case cases[] = {
      {"32-bit top-down", Bmp(32, true)},      {"32-bit top-down, gap 1", Bmp(32, true, 1)},
      {"32-bit top-down, gap 2", Bmp(32, true, 2)}, {"32-bit bottom-up", Bmp(32, false)},
      {"24-bit bottom-up", Bmp(24, false)},    {"24-bit top-down, gap 3", Bmp(24, true, 3)},
      {"24-bit, as the toolkit writes it", bmp24}, {"16-bit, for the toolkit's reader", bmp16, 0x0800FF}};
  const Color expected[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF}, {0x0A00FF, 0x000000, 0xFFFFFF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* mime = new QMimeData;
    mime->setData("image/bmp", c.bmp);
    QApplication::clipboard()->setMimeData(mime);
    Ref<Picture> picture = RuntimeNewObject<Clipboard>()->Picture();
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->Width(), 3);
    ASSERT_EQ(picture->Height(), 2);
    auto surface = picture->RGBSurface();
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(surface->Pixel(x, y), x == 0 && y == 1 ? c.blueish : expected[y][x])
            << x << "," << y;
        EXPECT_EQ(surface->Alpha(x, y), 255) << x << "," << y;
      }
    }
    // The picture stays whole after the clipboard has moved on.
    QApplication::clipboard()->clear();
    EXPECT_EQ(surface->Pixel(2, 1), 0xFFFFFFu);
  }
}

TEST_F(ClipboardTest, BytesThatAreNoBmpAreNoPicture) {
  for (const QByteArray& bytes : {QByteArray("BM"), QByteArray("not a picture"), QByteArray()}) {
    auto* mime = new QMimeData;
    mime->setData("image/bmp", bytes);
    QApplication::clipboard()->setMimeData(mime);
    EXPECT_FALSE(RuntimeNewObject<Clipboard>()->Picture()) << bytes.size();
  }
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
