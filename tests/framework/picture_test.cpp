#include "framework/Picture.h"

#include <gtest/gtest.h>

#include <QImage>

#include "framework/FolderItem.h"
#include "framework/PicturePrivate.h"
#include "framework/TempBundle.h"

namespace fw {
namespace {

using testing::TestData;

Ref<FolderItem> Item(const std::filesystem::path& path) {
  return RuntimeNewObject<FolderItem>(path.string());
}

TEST(Picture, NewPictureHasItsSizeAndIsTransparent) {
  auto picture = RuntimeNewObject<Picture>(5, 3);
  EXPECT_EQ(picture->Width(), 5);
  EXPECT_EQ(picture->Height(), 3);
  EXPECT_EQ(picture->ClassName(), "Picture");
  auto surface = picture->RGBSurface();
  EXPECT_EQ(surface->ClassName(), "RGBSurface");
  for (Integer y = 0; y < 3; ++y) {
    for (Integer x = 0; x < 5; ++x) {
      EXPECT_EQ(surface->Alpha(x, y), 0);
      EXPECT_EQ(surface->Pixel(x, y), 0x000000u);
    }
  }
}

TEST(Picture, ImpossibleSizesRaiseInvalidArgument) {
  const std::pair<Integer, Integer> sizes[] = {{0, 1}, {1, 0}, {-4, 5}, {32768, 1}, {1, 1LL << 40}};
  for (auto [w, h] : sizes) {
    EXPECT_THROW(Picture(w, h), InvalidArgumentException) << w << " by " << h;
  }
}

TEST(Picture, OpenedFileReadsBackPixelByPixel) {
  Ref<Picture> picture = Picture::Open(Item(TestData("pixels.png")));
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->Width(), 3);
  ASSERT_EQ(picture->Height(), 2);
  struct Case {
    Integer x, y;
    Color color;
    Integer alpha;
  };
  // Half-transparent white must come back white: the stored image is premultiplied.
  const Case cases[] = {{0, 0, 0xFF0000, 255}, {1, 0, 0x00FF00, 255}, {2, 0, 0x0000FF, 255},
                        {0, 1, 0x0A00FF, 255}, {1, 1, 0x000000, 0},   {2, 1, 0xFFFFFF, 128}};
  auto surface = picture->RGBSurface();
  for (const Case& c : cases) {
    EXPECT_EQ(surface->Pixel(c.x, c.y), c.color) << c.x << "," << c.y;
    EXPECT_EQ(surface->Alpha(c.x, c.y), c.alpha) << c.x << "," << c.y;
  }
}

TEST(Picture, PixelOutsideThePictureRaisesOutOfBounds) {
  auto surface = RuntimeNewObject<Picture>(3, 2)->RGBSurface();
  const std::pair<Integer, Integer> outside[] = {{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {1LL << 33, 0}};
  for (auto [x, y] : outside) {
    EXPECT_THROW(surface->Pixel(x, y), OutOfBoundsException) << x << "," << y;
    EXPECT_THROW(surface->Alpha(x, y), OutOfBoundsException) << x << "," << y;
  }
  EXPECT_NO_THROW(surface->Pixel(2, 1));
}

TEST(Picture, SurfaceKeepsItsPictureAlive) {
  Ref<RGBSurface> surface;
  {
    Ref<Picture> picture = Picture::Open(Item(TestData("pixels.png")));
    ASSERT_TRUE(picture);
    surface = picture->RGBSurface();
  }
  EXPECT_EQ(surface->Pixel(0, 1), 0x0A00FFu);
}

TEST(Picture, WhatIsNotAPictureOpensAsNil) {
  const std::filesystem::path paths[] = {TestData("not-a-sound.aiff"), TestData("tone.aiff"),
                                         TestData("no-such-file.png"), TestData("")};
  for (const auto& path : paths) EXPECT_FALSE(Picture::Open(Item(path))) << path;
  EXPECT_THROW(Picture::Open(nullptr), NilObjectException);
}

TEST(Picture, QtSideSharesTheImageBothWays) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(qRgb(0x12, 0x34, 0x56));
  Ref<Picture> picture = PictureFromImage(image);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), 4);
  EXPECT_EQ(picture->RGBSurface()->Pixel(3, 3), 0x123456u);
  // No copy is made: the painting and clipboard code hand large images across.
  EXPECT_EQ(ImageOf(*picture).constBits(), image.constBits());
  EXPECT_FALSE(PictureFromImage(QImage()));
}

TEST(Picture, OpenFromAppFindsPngByNameInTheBundle) {
  testing::TempBundle bundle;
  bundle.Add("pixels.png", "Sample.png");
  bundle.Install();
  Ref<Picture> picture = Picture::OpenFromApp("Sample");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->RGBSurface()->Pixel(2, 0), 0x0000FFu);
  // Not there, not a picture, or not a plain name: nil, never an exception.
  bundle.Add("tone.aiff", "Noise.png");
  for (const char* name : {"Missing", "Noise", "", "../Resources/Sample", "Sample.png"}) {
    EXPECT_FALSE(Picture::OpenFromApp(name)) << name;
  }
  SetBundleService(nullptr);
}

}  // namespace
}  // namespace fw
