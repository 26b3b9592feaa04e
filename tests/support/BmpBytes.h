#pragma once
// BMP files made byte by byte for tests: uncompressed, 24 or 32 bits a pixel, rows top-down or
// bottom-up, with a gap of unused bytes between the headers and the pixels. Every pixel has a
// colour of its own (ColourAt), so a row or a column out of place shows.
#include <cstdint>
#include <vector>

namespace testing_bmp {

inline std::uint32_t ColourAt(int x, int y) {
  return (std::uint32_t(x * 37 + y * 11) & 0xFF) << 16 | (std::uint32_t(y * 53 + 7) & 0xFF) << 8 |
         (std::uint32_t(x * 3 + y * 97 + 1) & 0xFF);
}

inline std::vector<std::uint8_t> MakeBmp(int width, int height, int bits, bool topDown, int gap = 0) {
  const int stride = (width * bits / 8 + 3) / 4 * 4;
  std::vector<std::uint8_t> b;
  auto put = [&b](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
  };
  const int offset = 54 + gap;
  b.push_back('B');
  b.push_back('M');
  put(std::uint32_t(offset + height * stride), 4);
  put(0, 4);
  put(std::uint32_t(offset), 4);
  put(40, 4);
  put(std::uint32_t(width), 4);
  put(topDown ? std::uint32_t(-height) : std::uint32_t(height), 4);
  put(1, 2);
  put(std::uint32_t(bits), 2);
  put(0, 4);  // uncompressed
  put(std::uint32_t(height * stride), 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  b.resize(b.size() + std::size_t(gap));
  for (int r = 0; r < height; ++r) {
    const std::size_t start = b.size();
    // A 32-bit pixel's fourth byte is 0, as X servers give it.
    for (int x = 0; x < width; ++x) put(ColourAt(x, topDown ? r : height - 1 - r), bits / 8);
    b.resize(start + std::size_t(stride));
  }
  return b;
}

// Writes a little-endian number into a made file, to make its header lie.
inline void Poke(std::vector<std::uint8_t>& bmp, std::size_t at, std::uint32_t v, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) bmp[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

}  // namespace testing_bmp
