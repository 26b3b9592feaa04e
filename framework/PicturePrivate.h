#pragma once
// The Qt side of a Picture, for framework code that paints pictures or takes them from Qt.
#include <QImage>

#include "framework/Picture.h"

namespace fw {

struct PictureAccess {
  // The picture's image. Pictures that came from files with transparency are kept as
  // ARGB32_Premultiplied, the format QPainter draws fastest.
  static const QImage& Image(const Picture& picture);
  // A picture holding the image as it is (implicitly shared, not copied); nil for a null image.
  static Ref<Picture> FromImage(QImage image);
};

inline const QImage& ImageOf(const Picture& picture) { return PictureAccess::Image(picture); }
inline Ref<Picture> PictureFromImage(QImage image) {
  return PictureAccess::FromImage(std::move(image));
}

}  // namespace fw
