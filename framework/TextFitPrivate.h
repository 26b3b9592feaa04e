#pragma once
// Fitting a one-line text into the width of its control.
#include <QFont>
#include <QString>

namespace fw {

// Below this a text gets hard to read; a text declared smaller keeps its own size.
inline constexpr int kLegibleFloorPixels = 7;

struct FittedText {
  QFont font;
  // The text itself, or, when it is too wide even at the floor, its start and an ellipsis.
  QString shown;
};

// The largest font from the given one down to the legible floor (in whole pixels) in which the
// text's ink fits in `room` pixels; past the floor, the text at the floor cut at its end.
FittedText FitText(const QFont& font, const QString& text, qreal room);

}  // namespace fw
