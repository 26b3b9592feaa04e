#pragma once
// A BMP that arrives in pieces, as a clipboard transfer hands it over. An uncompressed 24- or
// 32-bit picture goes straight into top-down rows of a pixel store as its pieces arrive, so
// nothing is copied or flipped afterwards; any other kind is kept whole for a general reader.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "framework/PixelStore.h"

namespace fw {

struct BmpLayout {
  std::size_t pixelsAt = 0;  // where the first row starts in the file
  int width = 0;
  int rows = 0;
  int bits = 0;            // 24 or 32
  std::size_t stride = 0;  // bytes a row, padded to 4
  bool topDown = false;
  std::size_t FileSize() const { return pixelsAt + stride * std::size_t(rows); }
};

// The file header and the smallest info header: all that a plain BMP's layout needs.
inline constexpr std::size_t kBmpHeadSize = 54;

// The layout of an uncompressed 24- or 32-bit BMP from its first kBmpHeadSize bytes or more;
// nothing for any other kind of file, or for a header whose numbers cannot hold.
std::optional<BmpLayout> PlainBmpLayout(std::span<const std::uint8_t> head);

class BmpStream {
 public:
  // `kept` is reused for the pixels when nobody else holds it. Nothing larger than `largest`
  // bytes is kept.
  BmpStream(std::shared_ptr<PixelStore>& kept, std::size_t largest)
      : kept_(kept), largest_(largest) {}

  // The next piece, in order; false once the stream has been given up (too large to keep, or no
  // memory), after which pieces are ignored.
  bool Add(std::span<const std::uint8_t> piece);

  // After the last piece: a plain BMP all of whose rows arrived. Its rows are in Pixels(),
  // top-down, Layout().stride bytes apart, with a 32-bit pixel's fourth byte 0xFF.
  bool Complete() const { return mode_ == Mode::kPlain && received_ >= layout_.FileSize(); }
  const BmpLayout& Layout() const { return layout_; }
  const std::shared_ptr<PixelStore>& Pixels() const { return store_; }

  // After the last piece: every byte of a stream that is no plain BMP; empty otherwise, and for a
  // BMP whose pixels would start beyond its end.
  std::vector<std::uint8_t> TakeWhole();

 private:
  enum class Mode { kUndecided, kPlain, kWhole, kGivenUp };
  void Decide();
  void Place(std::size_t at, std::span<const std::uint8_t> bytes);

  std::shared_ptr<PixelStore>& kept_;
  std::size_t largest_;
  Mode mode_ = Mode::kUndecided;
  BmpLayout layout_;
  std::shared_ptr<PixelStore> store_;
  std::vector<std::uint8_t> whole_;  // the head until the kind is known, or the whole stream
  std::size_t received_ = 0;
};

}  // namespace fw
