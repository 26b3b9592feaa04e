#include "framework/BmpStream.h"

#include <algorithm>
#include <cstring>

namespace fw {

namespace {

std::uint32_t Le(std::span<const std::uint8_t> b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | b[at + std::size_t(i)];
  return v;
}

// Sets the fourth byte of each 32-bit pixel in bytes [from, to) of 4-aligned rows at `base`:
// screens hand that byte over as 0, and the picture's format wants it 0xFF.
void MakeOpaque(std::uint8_t* base, std::size_t from, std::size_t to) {
  if (from % 4 != 0 && (from | 3) < to) base[from | 3] = 0xFF;  // a pixel begun in the last piece
  auto* pixel = reinterpret_cast<std::uint32_t*>(base);
  for (std::size_t i = (from + 3) / 4, end = to / 4; i < end; ++i) pixel[i] |= 0xFF000000u;
}

}  // namespace

std::optional<BmpLayout> PlainBmpLayout(std::span<const std::uint8_t> head) {
  constexpr std::size_t kFileHeader = 14;
  constexpr std::uint32_t kUncompressed = 0;
  constexpr std::int64_t kLargestSide = 32767;
  if (head.size() < kBmpHeadSize || head[0] != 'B' || head[1] != 'M') return std::nullopt;
  const std::uint32_t pixelsAt = Le(head, 10, 4);
  const std::uint32_t infoSize = Le(head, 14, 4);
  const std::int64_t width = std::int32_t(Le(head, 18, 4));
  const std::int64_t height = std::int32_t(Le(head, 22, 4));
  const std::uint32_t bits = Le(head, 28, 2);
  const std::uint32_t compression = Le(head, 30, 4);
  const std::int64_t rows = height < 0 ? -height : height;
  if (infoSize < 40 || std::uint64_t(pixelsAt) < kFileHeader + std::uint64_t(infoSize) ||
      (bits != 24 && bits != 32) || compression != kUncompressed || width < 1 ||
      width > kLargestSide || rows < 1 || rows > kLargestSide)
    return std::nullopt;
  BmpLayout layout;
  layout.pixelsAt = pixelsAt;
  layout.width = int(width);
  layout.rows = int(rows);
  layout.bits = int(bits);
  layout.stride = (std::size_t(width) * bits / 8 + 3) / 4 * 4;
  layout.topDown = height < 0;
  return layout;
}

bool BmpStream::Add(std::span<const std::uint8_t> piece) {
  switch (mode_) {
    case Mode::kGivenUp:
      return false;
    case Mode::kPlain:
      Place(received_, piece);
      received_ += piece.size();
      return true;
    case Mode::kUndecided:
    case Mode::kWhole:
      if (whole_.size() + piece.size() > largest_) {
        mode_ = Mode::kGivenUp;
        whole_ = {};
        return false;
      }
      whole_.insert(whole_.end(), piece.begin(), piece.end());
      received_ += piece.size();
      if (mode_ == Mode::kUndecided && whole_.size() >= kBmpHeadSize) Decide();
      return mode_ != Mode::kGivenUp;
  }
  return false;
}

void BmpStream::Decide() {
  std::optional<BmpLayout> layout = PlainBmpLayout(whole_);
  if (!layout) {
    mode_ = Mode::kWhole;
    return;
  }
  layout_ = *layout;
  const std::size_t pixels = layout_.stride * std::size_t(layout_.rows);
  if (layout_.FileSize() > largest_ || !(store_ = PixelStore::Reuse(kept_, pixels))) {
    mode_ = Mode::kGivenUp;
    whole_ = {};
    return;
  }
  mode_ = Mode::kPlain;
  Place(0, whole_);
  whole_ = {};
}

// Puts the file's bytes [at, at + size) that are pixels into their rows.
void BmpStream::Place(std::size_t at, std::span<const std::uint8_t> bytes) {
  const std::size_t begin = std::max(at, layout_.pixelsAt);
  const std::size_t end = std::min(at + bytes.size(), layout_.FileSize());
  if (begin >= end) return;
  const std::uint8_t* from = bytes.data() + (begin - at);
  std::uint8_t* base = store_->Data();
  const std::size_t stride = layout_.stride;
  std::size_t offset = begin - layout_.pixelsAt;  // from the first row in the file
  const std::size_t last = end - layout_.pixelsAt;
  if (layout_.topDown) {
    std::memcpy(base + offset, from, last - offset);
    if (layout_.bits == 32) MakeOpaque(base, offset, last);
    return;
  }
  // Bottom-up: the file's first row is the picture's last.
  while (offset < last) {
    const std::size_t row = offset / stride;
    const std::size_t column = offset % stride;
    const std::size_t size = std::min(stride - column, last - offset);
    const std::size_t to = (std::size_t(layout_.rows) - 1 - row) * stride + column;
    std::memcpy(base + to, from, size);
    if (layout_.bits == 32) MakeOpaque(base, to, to + size);
    from += size;
    offset += size;
  }
}

std::vector<std::uint8_t> BmpStream::TakeWhole() {
  if (mode_ != Mode::kWhole && mode_ != Mode::kUndecided) return {};
  // A BMP whose pixels would lie beyond its end is broken, whatever its kind: the general reader
  // would read other bytes in their place.
  if (whole_.size() >= kBmpHeadSize && whole_[0] == 'B' && whole_[1] == 'M' &&
      Le(whole_, 10, 4) >= whole_.size())
    return {};
  return std::move(whole_);
}

}  // namespace fw
