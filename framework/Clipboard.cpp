#include "framework/Clipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QString>

#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/PicturePrivate.h"
#include "framework/ServiceSlot.h"

namespace fw {

namespace {

using Slot = ServiceSlot<ClipboardService, SystemClipboardService>;

std::int64_t Le(const QByteArray& bytes, qsizetype at, int size) {
  std::uint64_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | std::uint8_t(bytes[at + i]);
  if (size == 4) return std::int32_t(std::uint32_t(v));
  return std::int64_t(v);
}

// The toolkit's reader handles every kind of BMP, but on a whole screen it costs more than the
// transfer itself. An uncompressed 24- or 32-bit BMP, the forms screen pictures are handed over
// in, is read here instead, in place: the image is made of the transferred bytes themselves, so
// no second whole-screen buffer has to be faulted in and filled.
struct PlainBmp {
  qsizetype pixelsAt = 0;
  int width = 0;
  int rows = 0;
  int bits = 0;
  qsizetype stride = 0;  // bytes a row, padded to 4
  bool topDown = false;
};

bool ReadHeader(const QByteArray& bmp, PlainBmp& out) {
  constexpr qsizetype kFileHeader = 14;
  if (bmp.size() < kFileHeader + 40 || bmp[0] != 'B' || bmp[1] != 'M') return false;
  const std::int64_t pixelsAt = Le(bmp, 10, 4);
  const std::int64_t infoSize = Le(bmp, 14, 4);
  const std::int64_t width = Le(bmp, 18, 4);
  const std::int64_t height = Le(bmp, 22, 4);
  const std::int64_t bits = Le(bmp, 28, 2);
  const std::int64_t compression = Le(bmp, 30, 4);
  constexpr std::int64_t kRgb = 0;
  const std::int64_t rows = height < 0 ? -height : height;
  const std::int64_t stride = (width * bits / 8 + 3) / 4 * 4;
  if (infoSize < 40 || (bits != 24 && bits != 32) || compression != kRgb || width <= 0 ||
      rows == 0 || width > 32767 || rows > 32767 || pixelsAt < kFileHeader + infoSize ||
      pixelsAt + stride * rows > bmp.size())
    return false;
  out = {qsizetype(pixelsAt), int(width), int(rows), int(bits), qsizetype(stride), height < 0};
  return true;
}

void FreeBytes(void* bytes) { delete static_cast<QByteArray*>(bytes); }

// Takes the bytes over when it reads them; leaves them for another reader otherwise.
QImage FromPlainBmp(QByteArray& bmp) {
  PlainBmp h;
  if (!ReadHeader(bmp, h)) return {};
  auto* bytes = new QByteArray(std::move(bmp));
  char* base = bytes->data();
  // The image's rows must start on a 4-byte boundary: move the pixels down to the nearest one.
  char* pixels = base + h.pixelsAt;
  char* to = pixels - qsizetype(reinterpret_cast<std::uintptr_t>(pixels) % 4);
  const qsizetype size = h.stride * h.rows;
  std::memmove(to, pixels, size_t(size));
  if (!h.topDown) {
    std::vector<char> row(size_t(h.stride));
    for (int top = 0, bottom = h.rows - 1; top < bottom; ++top, --bottom) {
      char* a = to + top * h.stride;
      char* b = to + bottom * h.stride;
      std::memcpy(row.data(), a, size_t(h.stride));
      std::memcpy(a, b, size_t(h.stride));
      std::memcpy(b, row.data(), size_t(h.stride));
    }
  }
  QImage::Format format = QImage::Format_BGR888;  // bytes B, G, R
  if (h.bits == 32) {
    // Bytes B, G, R and padding: the toolkit's 32-bit format, which wants the padding 0xFF.
    format = QImage::Format_RGB32;
    auto* pixel = reinterpret_cast<std::uint32_t*>(to);
    for (qsizetype i = 0, n = qsizetype(h.width) * h.rows; i < n; ++i) pixel[i] |= 0xFF000000u;
  }
  QImage image(reinterpret_cast<uchar*>(to), h.width, h.rows, h.stride, format, FreeBytes, bytes);
  if (image.isNull()) delete bytes;
  return image;
}

}  // namespace

Ref<Picture> SystemClipboardService::Picture() {
  if (!qGuiApp) return nullptr;
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard->mimeData();
  if (!data) return nullptr;
  // BMP where it is offered, since it needs no decoding; the toolkit's choice otherwise (it would
  // take PNG first, which is slow to decode on a whole screen).
  const QString bmpType = QStringLiteral("image/bmp");
  if (data->hasFormat(bmpType)) {
    QByteArray bmp = data->data(bmpType);
    QImage image = FromPlainBmp(bmp);
    if (image.isNull()) image = QImage::fromData(bmp, "BMP");
    if (!image.isNull()) return PictureFromImage(std::move(image));
  }
  return PictureFromImage(clipboard->image());
}

ClipboardService& GetClipboardService() { return Slot::Get(); }

void SetClipboardService(std::unique_ptr<ClipboardService> service) { Slot::Set(std::move(service)); }

}  // namespace fw
