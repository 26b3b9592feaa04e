#pragma once
// Pictures, and the surface through which their pixels are read.
#include <cstdint>
#include <memory>
#include <string>

#include "framework/Object.h"

namespace fw {

class FolderItem;
class RGBSurface;
struct PictureAccess;

class Picture : public Object {
  FW_CLASS("Picture")
 public:
  // A fully transparent picture; InvalidArgumentException unless both sides are 1 to 32767.
  Picture(Integer width, Integer height);
  ~Picture() override;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  Integer Width() const;
  Integer Height() const;

  // The picture's pixels for reading; the surface keeps the picture alive.
  Ref<fw::RGBSurface> RGBSurface();

  // A picture file in any format the toolkit reads (PNG, BMP, JPEG ...); nil when the file is
  // missing, is not a regular file (a FIFO or a device could block the read) or is not a picture.
  // A nil file raises NilObjectException.
  static Ref<Picture> Open(const Ref<FolderItem>& file);

  // The bundle's picture of that name, Resources/<name>.png (see Bundle.h); nil when it cannot
  // be opened.
  static Ref<Picture> OpenFromApp(const std::string& name);

 private:
  friend struct PictureAccess;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Reads a picture's pixels. Pixel gives 0xRRGGBB without the alpha: a fully transparent pixel
// reads 000000.
class RGBSurface : public Object {
  FW_CLASS("RGBSurface")
 public:
  explicit RGBSurface(Ref<Picture> picture);

  // OutOfBoundsException unless 0 <= x < Width and 0 <= y < Height.
  Color Pixel(Integer x, Integer y) const;
  // The pixel's opacity, 0 (transparent) to 255 (opaque); the same bounds as Pixel.
  Integer Alpha(Integer x, Integer y) const;

  Integer Width() const { return picture_->Width(); }
  Integer Height() const { return picture_->Height(); }

 private:
  void CheckBounds(Integer x, Integer y) const;
  std::uint32_t Read(Integer x, Integer y) const;  // 0xAARRGGBB, not premultiplied
  Ref<Picture> picture_;
};

}  // namespace fw
