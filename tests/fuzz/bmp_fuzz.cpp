// Fuzz target for the clipboard's BMP reader: any bytes, cut into any pieces, must neither crash
// nor trip a sanitizer; a picture it reads has every pixel where the file puts it, and what it
// does not read is kept whole for the general reader.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "framework/BmpStream.h"

namespace {

#define Check(ok) CheckAt((ok), __LINE__)
void CheckAt(bool ok, int line) {
  if (ok) return;
  std::fprintf(stderr, "bmp_fuzz: the check on line %d failed\n", line);
  std::abort();
}

constexpr std::size_t kLargest = std::size_t(1) << 24;
std::shared_ptr<fw::PixelStore> kept;  // reused from input to input, as between ticks

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte sets the pieces' size; the rest is the file.
  if (size < 1) return 0;
  const std::size_t piece = std::size_t(data[0]) * 7 + 1;
  const std::span<const std::uint8_t> file(data + 1, size - 1);

  fw::BmpStream stream(kept, kLargest);
  bool taken = true;
  for (std::size_t at = 0; at < file.size() && taken; at += piece)
    taken = stream.Add(file.subspan(at, std::min(piece, file.size() - at)));

  if (!stream.Complete()) {
    std::vector<std::uint8_t> whole = stream.TakeWhole();
    Check(whole.empty() || (taken && std::equal(whole.begin(), whole.end(), file.begin(), file.end())));
    return 0;
  }
  Check(taken);
  const fw::BmpLayout& layout = stream.Layout();
  Check(layout.FileSize() <= file.size());
  Check(layout.stride * std::size_t(layout.rows) <= stream.Pixels()->Capacity());
  const std::size_t bytes = std::size_t(layout.bits / 8);
  for (int y = 0; y < layout.rows; ++y) {
    const int fileRow = layout.topDown ? y : layout.rows - 1 - y;
    const std::uint8_t* want = file.data() + layout.pixelsAt + std::size_t(fileRow) * layout.stride;
    const std::uint8_t* got = stream.Pixels()->Data() + std::size_t(y) * layout.stride;
    for (int x = 0; x < layout.width; ++x) {
      const std::size_t at = std::size_t(x) * bytes;
      Check(std::memcmp(want + at, got + at, 3) == 0);
      if (bytes == 4) Check(got[at + 3] == 0xFF);
    }
  }
  return 0;
}
