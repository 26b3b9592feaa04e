#include "framework/BmpStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "support/BmpBytes.h"

namespace fw {
namespace {

using testing_bmp::ColourAt;
using testing_bmp::MakeBmp;
using testing_bmp::Poke;

constexpr std::size_t kLargest = std::size_t(1) << 30;

// Feeds the file in pieces of `piece` bytes; true when every piece was taken.
bool Feed(BmpStream& stream, const std::vector<std::uint8_t>& file, std::size_t piece) {
  for (std::size_t at = 0; at < file.size(); at += piece) {
    const std::size_t size = std::min(piece, file.size() - at);
    if (!stream.Add(std::span(file).subspan(at, size))) return false;
  }
  return true;
}

std::uint32_t PixelOf(const BmpStream& stream, int x, int y) {
  const BmpLayout& layout = stream.Layout();
  const std::uint8_t* p = stream.Pixels()->Data() + std::size_t(y) * layout.stride +
                          std::size_t(x) * std::size_t(layout.bits / 8);
  std::uint32_t v = std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
  if (layout.bits == 32) v |= std::uint32_t(p[3]) << 24;
  return v;
}

TEST(BmpStream, PutsEveryRowInPlaceWhateverThePieces) {
  struct Layout {
    int bits;
    bool topDown;
    int gap;
  };
  const Layout layouts[] = {{24, true, 0}, {24, false, 0}, {32, true, 0}, {32, false, 0},
                            {24, false, 3}, {32, true, 2},  {32, false, 1}};
  // Pieces that split the header, a pixel, a row's padding, and rows in every way.
  const std::size_t pieces[] = {1, 3, 5, 53, 54, 55, 64, 1000, 1 << 20};
  std::shared_ptr<PixelStore> kept;
  for (const Layout& l : layouts) {
    const auto file = MakeBmp(7, 5, l.bits, l.topDown, l.gap);  // 7 * 3 bytes: rows padded
    for (std::size_t piece : pieces) {
      SCOPED_TRACE(testing::Message() << l.bits << " bits, " << (l.topDown ? "top-down" : "bottom-up")
                                      << ", gap " << l.gap << ", pieces of " << piece);
      BmpStream stream(kept, kLargest);
      ASSERT_TRUE(Feed(stream, file, piece));
      ASSERT_TRUE(stream.Complete());
      EXPECT_EQ(stream.Layout().width, 7);
      EXPECT_EQ(stream.Layout().rows, 5);
      const std::uint32_t opaque = l.bits == 32 ? 0xFF000000u : 0;
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(PixelOf(stream, x, y), ColourAt(x, y) | opaque) << x << "," << y;
    }
  }
}

TEST(BmpStream, ACutTransferIsNotComplete) {
  std::shared_ptr<PixelStore> kept;
  const auto file = MakeBmp(7, 5, 24, false);
  BmpStream stream(kept, kLargest);
  ASSERT_TRUE(stream.Add(std::span(file).first(file.size() - 1)));
  EXPECT_FALSE(stream.Complete());
  EXPECT_TRUE(stream.TakeWhole().empty());
}

TEST(BmpStream, OtherKindsAreKeptWholeForTheGeneralReader) {
  std::shared_ptr<PixelStore> kept;
  auto sixteen = MakeBmp(4, 2, 32, true);
  Poke(sixteen, 28, 16, 2);
  auto bitfields = MakeBmp(4, 2, 32, true);
  Poke(bitfields, 30, 3);
  const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
  const std::vector<std::uint8_t> shortBmp = {'B', 'M', 1, 2, 3};
  for (const auto& file : {sixteen, bitfields, png, shortBmp}) {
    BmpStream stream(kept, kLargest);
    ASSERT_TRUE(Feed(stream, file, 7));
    EXPECT_FALSE(stream.Complete());
    EXPECT_EQ(stream.TakeWhole(), file);
  }
}

TEST(BmpStream, HeadersThatLieAreNoPlainPicture) {
  struct Case {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    int bytes;
  };
  const Case cases[] = {
      {"pixels far beyond the data", 10, 0x7FFFFFF0, 4},
      {"pixels inside the header", 10, 20, 4},
      {"an info header too small", 14, 12, 4},
      {"no width", 18, 0, 4},
      {"a negative width", 18, 0xFFFFFFF9, 4},
      {"a width beyond any picture", 18, 40000, 4},
      {"no rows", 22, 0, 4},
      {"the most negative height", 22, 0x80000000, 4},
      {"more rows than sent", 22, 30000, 4},
  };
  std::shared_ptr<PixelStore> kept;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto file = MakeBmp(7, 5, 32, false);
    Poke(file, c.at, c.value, c.bytes);
    BmpStream stream(kept, kLargest);
    Feed(stream, file, 100);
    EXPECT_FALSE(stream.Complete());
  }
}

TEST(BmpStream, GivesUpBeyondTheLargestItKeeps) {
  std::shared_ptr<PixelStore> kept;
  const auto file = MakeBmp(64, 64, 32, true);
  BmpStream plain(kept, file.size() - 1);
  EXPECT_FALSE(Feed(plain, file, 1000));
  EXPECT_FALSE(plain.Complete());

  auto other = file;
  Poke(other, 30, 3);  // not plain: kept whole, up to the limit
  BmpStream whole(kept, 2000);
  EXPECT_FALSE(Feed(whole, other, 1000));
  EXPECT_TRUE(whole.TakeWhole().empty());
}

TEST(BmpStream, ReusesItsStoreOnlyWhenNobodyHoldsIt) {
  std::shared_ptr<PixelStore> kept;
  const auto file = MakeBmp(7, 5, 24, true);
  BmpStream first(kept, kLargest);
  ASSERT_TRUE(Feed(first, file, 1 << 20));
  std::shared_ptr<PixelStore> held = first.Pixels();
  {
    BmpStream second(kept, kLargest);
    ASSERT_TRUE(Feed(second, file, 1 << 20));
    EXPECT_NE(second.Pixels(), held);  // the first picture's rows stay its own
  }
  held.reset();
  const PixelStore* free = kept.get();
  BmpStream third(kept, kLargest);
  ASSERT_TRUE(Feed(third, file, 1 << 20));
  EXPECT_EQ(third.Pixels().get(), free);
}

}  // namespace
}  // namespace fw
