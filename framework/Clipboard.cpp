#include "framework/Clipboard.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QtGlobal>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "framework/BmpStream.h"
#include "framework/PicturePrivate.h"
#include "framework/ServiceSlot.h"
#include "framework/XSelection.h"

namespace fw {

namespace {

using Slot = ServiceSlot<ClipboardService, SystemClipboardService>;
using Clock = XClipboardReader::Clock;
using Outcome = XClipboardReader::Outcome;

// Nothing larger is kept: a 16384 by 16384 picture at 32 bits.
constexpr std::size_t kLargest = std::size_t(1) << 30;

constexpr const char* kBmp = "image/bmp";

void ReleaseStore(void* store) { delete static_cast<std::shared_ptr<PixelStore>*>(store); }

// The image over the stream's own rows: no copy.
QImage ImageOf(const BmpStream& bmp) {
  const BmpLayout& layout = bmp.Layout();
  auto* store = new std::shared_ptr<PixelStore>(bmp.Pixels());
  // Bytes B, G, R; or B, G, R and 0xFF, the toolkit's 32-bit form.
  const QImage::Format format = layout.bits == 32 ? QImage::Format_RGB32 : QImage::Format_BGR888;
  QImage image((*store)->Data(), layout.width, layout.rows, qsizetype(layout.stride), format,
               ReleaseStore, store);
  if (image.isNull()) delete store;
  return image;
}

// What the general reader says about bytes it cannot read is not for the user: any program may
// put them on the clipboard, at every tick. Messages of other threads pass.
QtMessageHandler outerHandler = nullptr;
std::thread::id quietThread;
void QuietHere(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (std::this_thread::get_id() != quietThread && outerHandler)
    outerHandler(type, context, message);
}

QImage Decode(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return {};
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  qsizetype(bytes.size()));
  quietThread = std::this_thread::get_id();
  outerHandler = qInstallMessageHandler(QuietHere);
  QImage image = QImage::fromData(data);
  qInstallMessageHandler(outerHandler);
  return image;
}

// The forms the general reader takes, PNG first: the one browsers and editors all offer.
const std::vector<std::string>& GeneralForms() {
  static const std::vector<std::string> forms = [] {
    std::vector<std::string> list{"image/png"};
    for (const QByteArray& type : QImageReader::supportedMimeTypes())
      if (type != "image/png" && type != kBmp) list.push_back(type.toStdString());
    return list;
  }();
  return forms;
}

}  // namespace

struct SystemClipboardService::Impl {
  std::chrono::milliseconds stall;
  std::chrono::milliseconds longest;
  XClipboardReader reader;
  std::shared_ptr<PixelStore> kept;  // the last picture's rows, for the next when it is gone
};

SystemClipboardService::SystemClipboardService(std::chrono::milliseconds stall,
                                               std::chrono::milliseconds longest)
    : impl_(std::make_unique<Impl>(stall, longest)) {}
SystemClipboardService::~SystemClipboardService() = default;

Ref<Picture> SystemClipboardService::Picture() {
  const Clock::time_point latest = Clock::now() + impl_->longest;
  const Clock::duration stall = impl_->stall;
  // BMP first, and at once: it needs no decoding, and screen pictures are handed over in it.
  BmpStream bmp(impl_->kept, kLargest);
  const auto intoBmp = [&bmp](std::span<const std::uint8_t> piece) { return bmp.Add(piece); };
  const Outcome outcome = impl_->reader.Read(kBmp, intoBmp, stall, latest);
  if (outcome == Outcome::kDone) {
    if (bmp.Complete()) return PictureFromImage(ImageOf(bmp));
    return PictureFromImage(Decode(bmp.TakeWhole()));  // a BMP of another kind
  }
  if (outcome == Outcome::kFailed) return nullptr;

  const std::string form = impl_->reader.FirstOffered(GeneralForms(), stall, latest);
  if (form.empty()) return nullptr;
  std::vector<std::uint8_t> bytes;
  const auto keep = [&bytes](std::span<const std::uint8_t> piece) {
    if (bytes.size() + piece.size() > kLargest) return false;
    bytes.insert(bytes.end(), piece.begin(), piece.end());
    return true;
  };
  if (impl_->reader.Read(form, keep, stall, latest) != Outcome::kDone) return nullptr;
  return PictureFromImage(Decode(bytes));
}

ClipboardService& GetClipboardService() { return Slot::Get(); }

void SetClipboardService(std::unique_ptr<ClipboardService> service) { Slot::Set(std::move(service)); }

}  // namespace fw
