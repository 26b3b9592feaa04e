#include "framework/Picture.h"

#include <QImageReader>
#include <QString>

#include "framework/Bundle.h"
#include "framework/FolderItem.h"
#include "framework/PicturePrivate.h"

namespace fw {

namespace {
constexpr Integer kMaxSide = 32767;  // QImage's own limit per side
}

struct Picture::Impl {
  QImage image;
};

Picture::Picture(Integer width, Integer height) : impl_(std::make_unique<Impl>()) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
    throw InvalidArgumentException("a picture of " + std::to_string(width) + " by " +
                                   std::to_string(height) + " pixels cannot be made");
  }
  impl_->image = QImage(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
  if (impl_->image.isNull()) {
    throw InvalidArgumentException("no memory for a picture of " + std::to_string(width) +
                                   " by " + std::to_string(height) + " pixels");
  }
  impl_->image.fill(Qt::transparent);
}

Picture::~Picture() = default;

Integer Picture::Width() const { return impl_->image.width(); }
Integer Picture::Height() const { return impl_->image.height(); }

Ref<RGBSurface> Picture::RGBSurface() {
  return RuntimeNewObject<fw::RGBSurface>(RefTo(this));
}

Ref<Picture> Picture::Open(const Ref<FolderItem>& file) {
  const std::string& path = file->NativePath();
  if (!file->IsRegularFile()) return nullptr;
  QImageReader reader(QString::fromStdString(path));
  QImage image = reader.read();
  if (image.isNull()) return nullptr;
  if (image.hasAlphaChannel() && image.format() != QImage::Format_ARGB32_Premultiplied) {
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
  }
  return PictureAccess::FromImage(std::move(image));
}

Ref<Picture> Picture::OpenFromApp(const std::string& name) {
  return GetBundleService().OpenPicture(name);
}

const QImage& PictureAccess::Image(const Picture& picture) { return picture.impl_->image; }

Ref<Picture> PictureAccess::FromImage(QImage image) {
  if (image.isNull()) return nullptr;
  auto picture = RuntimeNewObject<Picture>(1, 1);
  picture->impl_->image = std::move(image);
  return picture;
}

RGBSurface::RGBSurface(Ref<Picture> picture) : picture_(std::move(picture)) {
  if (!picture_) throw NilObjectException("an RGBSurface needs a picture");
}

void RGBSurface::CheckBounds(Integer x, Integer y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
    throw OutOfBoundsException("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                               ") is outside the " + std::to_string(Width()) + " by " +
                               std::to_string(Height()) + " picture");
  }
}

std::uint32_t RGBSurface::Read(Integer x, Integer y) const {
  CheckBounds(x, y);
  const QImage& image = PictureAccess::Image(*picture_);
  const QRgb value = image.pixel(int(x), int(y));
  // pixel() gives premultiplied values for premultiplied formats.
  return image.pixelFormat().premultiplied() == QPixelFormat::Premultiplied
             ? qUnpremultiply(value)
             : value;
}

Color RGBSurface::Pixel(Integer x, Integer y) const { return Color(Read(x, y) & 0xFFFFFFu); }

Integer RGBSurface::Alpha(Integer x, Integer y) const { return qAlpha(Read(x, y)); }

}  // namespace fw
