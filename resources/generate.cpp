// Draws the bundle's 22 pictures and writes its two sounds into the first folder given, and the
// program's icon, as a hicolor theme's PNGs, into the second.
//
// Geometry: the window is 1400 by 980 points and its pictures are drawn at one pixel a point.
// A zero line is a boundary between pixels: x = 167 and x = W - 167, y = 150 and y = H - 151.
// A caliper's reading is the distance from that boundary to the caliper's edge that faces it, so
// the mark for a distance k is the pixel just on the measured side of the boundary k points
// away: the same pixel that the caliper's measuring edge covers when it reads k.
#include <sndfile.h>

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "resources/AppIcon.h"
#include "resources/Palette.h"

namespace {

constexpr int kWidth = 1400;
constexpr int kHeight = 980;
constexpr int kLeftZero = 167;
constexpr int kRightZero = kWidth - 167;
constexpr int kTopZero = 150;
constexpr int kBottomZero = kHeight - 151;

// A ruler strip is this deep across its length, on the outer side of its zero line.
constexpr int kRulerDepth = 36;
// Mark lengths from the ruler's inner edge: every 2, 10 and 50 points; numbers sit beyond the
// long marks, every 50 points.
constexpr int kShortMark = 6;
constexpr int kMediumMark = 12;
constexpr int kLongMark = 20;
constexpr int kNumberFrom = 22;
constexpr int kNumberTo = 34;

// Where the calipers are created, and the label boxes that ride on them (window coordinates).
constexpr int kCaliperLength = 140;
constexpr int kCaliperWidth = 50;
constexpr int kBottomCaliperTop = 741;  // NogisCV(0)
constexpr int kTopCaliperTop = 100;     // NogisCV(2)
constexpr int kLeftCaliperLeft = 121;   // NogisCV(3)
constexpr int kRightCaliperLeft = 1139;  // NogisCV(1)
constexpr int kCaliperParkedAt = 500;   // the travelling coordinate at creation
const QRect kBottomCaliperBox(505, 833, 40, 18);
const QRect kTopCaliperBox(505, 129, 40, 18);
// The vertical calipers' boxes: 1 point below the caliper's top in corner modes 0 and 1, 31 in
// modes 2 and 3.
constexpr int kBoxLowTop = 1;
constexpr int kBoxHighTop = 31;
constexpr int kLeftCaliperBoxLeft = 201;
constexpr int kRightCaliperBoxLeft = 1159;
constexpr int kBoxWidth = 40;
constexpr int kBoxHeight = 18;

QImage NewPicture(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// One device pixel, with no blending: marks and edges stay exactly their colour.
void FillPixels(QPainter& p, const QRect& r, const QColor& color) {
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.fillRect(r, color);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

int MarkLength(int k) {
  if (k == 0) return kRulerDepth;
  if (k % 50 == 0) return kLongMark;
  if (k % 10 == 0) return kMediumMark;
  return kShortMark;
}

QFont NumberFont() {
  QFont font("DejaVu Sans");
  font.setPixelSize(10);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

// The rulers of one corner: corner 0 bottom-left, 1 bottom-right, 2 top-right, 3 top-left.
QImage DrawRulers(int corner, const Palette& palette) {
  const bool rightZero = corner == 1 || corner == 2;
  const bool topZero = corner == 2 || corner == 3;
  QImage image = NewPicture(kWidth, kHeight);
  QPainter p(&image);
  p.setFont(NumberFont());

  // The strips, on the outer side of the zero lines, meeting in the corner block.
  const int stripTop = topZero ? kTopZero - kRulerDepth : kBottomZero;
  const int stripLeft = rightZero ? kRightZero : kLeftZero - kRulerDepth;
  const QRect across = rightZero ? QRect(0, stripTop, kRightZero + kRulerDepth, kRulerDepth)
                                 : QRect(stripLeft, stripTop, kWidth - stripLeft, kRulerDepth);
  const QRect down = topZero ? QRect(stripLeft, stripTop, kRulerDepth, kHeight - stripTop)
                             : QRect(stripLeft, 0, kRulerDepth, kBottomZero + kRulerDepth);
  FillPixels(p, across, palette.strip);
  FillPixels(p, down, palette.strip);

  // The horizontal ruler counts x from its zero line; its marks hang from the strip's inner edge.
  for (int k = 0;; k += 2) {
    const int x = rightZero ? kRightZero - 1 - k : kLeftZero + k;
    if (x < 0 || x >= kWidth) break;
    const int len = MarkLength(k);
    const int y = topZero ? kTopZero - len : kBottomZero;
    FillPixels(p, QRect(x, y, 1, len), k == 0 ? palette.zero : palette.mark);
    if (k > 0 && k % 50 == 0) {
      const int top = topZero ? kTopZero - kNumberTo : kBottomZero + kNumberFrom;
      p.setPen(palette.mark);
      p.drawText(QRect(x - 20, top, 41, kNumberTo - kNumberFrom), Qt::AlignCenter,
                 QString::number(k));
    }
  }

  // The vertical ruler counts y; its numbers read along it, turned a quarter.
  for (int k = 0;; k += 2) {
    const int y = topZero ? kTopZero + k : kBottomZero - 1 - k;
    if (y < 0 || y >= kHeight) break;
    const int len = MarkLength(k);
    const int x = rightZero ? kRightZero : kLeftZero - len;
    FillPixels(p, QRect(x, y, len, 1), k == 0 ? palette.zero : palette.mark);
    if (k > 0 && k % 50 == 0) {
      const double middle = (kNumberFrom + kNumberTo) / 2.0;
      const double cx = rightZero ? kRightZero + middle : kLeftZero - middle;
      p.save();
      p.translate(cx, y + 0.5);
      p.rotate(rightZero ? 90 : -90);
      p.setPen(palette.mark);
      p.drawText(QRectF(-20, -(kNumberTo - kNumberFrom) / 2.0, 40, kNumberTo - kNumberFrom),
                 Qt::AlignCenter, QString::number(k));
      p.restore();
    }
  }
  return image;
}

enum class Edge { Left, Right, Top, Bottom };

// A caliper picture in its creation place: `band` is the ruler's strip across the caliper and
// `box` the label box, both in the picture's own pixels.
struct Caliper {
  const char* name;
  bool slidesHorizontally;
  Edge measuringEdge;
  int bandFrom, bandTo;  // rows for a horizontally sliding caliper, columns otherwise
  QRect box;
};

std::vector<Caliper> Calipers() {
  const int bottomBand = kBottomZero - kBottomCaliperTop;        // ruler below the zero row
  const int topBand = kTopZero - kRulerDepth - kTopCaliperTop;    // ruler above it
  const int leftBand = kLeftZero - kRulerDepth - kLeftCaliperLeft;
  const int rightBand = kRightZero - kRightCaliperLeft;
  const QRect bottomBox = kBottomCaliperBox.translated(-kCaliperParkedAt, -kBottomCaliperTop);
  const QRect topBox = kTopCaliperBox.translated(-kCaliperParkedAt, -kTopCaliperTop);
  auto leftBox = [](int top) {
    return QRect(kLeftCaliperBoxLeft - kLeftCaliperLeft, top, kBoxWidth, kBoxHeight);
  };
  auto rightBox = [](int top) {
    return QRect(kRightCaliperBoxLeft - kRightCaliperLeft, top, kBoxWidth, kBoxHeight);
  };
  return {
      {"Nogis00", true, Edge::Left, bottomBand, bottomBand + kRulerDepth, bottomBox},
      {"Nogis01", true, Edge::Right, bottomBand, bottomBand + kRulerDepth, bottomBox},
      {"Nogis02", true, Edge::Right, topBand, topBand + kRulerDepth, topBox},
      {"Nogis03", true, Edge::Left, topBand, topBand + kRulerDepth, topBox},
      {"Nogis10", false, Edge::Bottom, leftBand, leftBand + kRulerDepth, leftBox(kBoxLowTop)},
      {"Nogis11", false, Edge::Bottom, rightBand, rightBand + kRulerDepth, rightBox(kBoxLowTop)},
      {"Nogis12", false, Edge::Top, rightBand, rightBand + kRulerDepth, rightBox(kBoxHighTop)},
      {"Nogis13", false, Edge::Top, leftBand, leftBand + kRulerDepth, leftBox(kBoxHighTop)},
  };
}

// A jaw: a body on the window's side of the ruler, a foot beyond it, rails across it that leave
// the marks in view, and the measuring edge in red along the whole length.
QImage DrawCaliper(const Caliper& c) {
  const int w = c.slidesHorizontally ? kCaliperWidth : kCaliperLength;
  const int h = c.slidesHorizontally ? kCaliperLength : kCaliperWidth;
  QImage image = NewPicture(w, h);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  // Bands across the caliper's length, turned into the picture's rectangles.
  auto across = [&](int from, int to) {
    return c.slidesHorizontally ? QRectF(0, from, w, to - from) : QRectF(from, 0, to - from, h);
  };
  // Whether the body comes before the ruler's band along the caliper's length.
  const bool bodyFirst = c.bandTo > kCaliperLength / 2;
  const QRectF body = bodyFirst ? across(0, c.bandFrom) : across(c.bandTo, kCaliperLength);
  const QRectF foot = bodyFirst ? across(c.bandTo, kCaliperLength) : across(0, c.bandFrom);

  QPainterPath solid;
  solid.addRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  solid.addRoundedRect(foot.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  QPainterPath clear;
  clear.addRect(QRectF(c.box).adjusted(-2, -2, 2, 2));
  solid = solid.subtracted(clear);
  p.setPen(QPen(kCaliperOutline, 1));
  p.setBrush(kCaliperBody);
  p.drawPath(solid);

  // Rails along both sides of the travel, across the ruler.
  const int rail = 3;
  const QRectF band = across(c.bandFrom, c.bandTo);
  p.setPen(Qt::NoPen);
  p.setBrush(kCaliperRail);
  if (c.slidesHorizontally) {
    p.drawRect(QRectF(0, band.top(), rail, band.height()));
    p.drawRect(QRectF(w - rail, band.top(), rail, band.height()));
  } else {
    p.drawRect(QRectF(band.left(), 0, band.width(), rail));
    p.drawRect(QRectF(band.left(), h - rail, band.width(), rail));
  }

  // Grip lines at the body's far end, clear of the label box.
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int i = -1; i <= 1; ++i) {
    if (c.slidesHorizontally) {
      const int y0 = bodyFirst ? 14 : kCaliperLength - 30;
      FillPixels(p, QRect(w / 2 + 5 * i, y0, 1, 16), kCaliperGrip);
    } else {
      const int x0 = bodyFirst ? 4 : kCaliperLength - 16;
      FillPixels(p, QRect(x0, h / 2 + 5 * i, 12, 1), kCaliperGrip);
    }
  }

  QRect edge;
  switch (c.measuringEdge) {
    case Edge::Left: edge = QRect(0, 0, 1, h); break;
    case Edge::Right: edge = QRect(w - 1, 0, 1, h); break;
    case Edge::Top: edge = QRect(0, 0, w, 1); break;
    case Edge::Bottom: edge = QRect(0, h - 1, w, 1); break;
  }
  FillPixels(p, edge, kMeasuringEdge);
  return image;
}

enum class Direction { Left, Right, Up };

// A 12 by 12 corner button: a grey arrow, or, highlighted, a dark arrow on an amber tile.
QImage DrawArrow(Direction direction, bool highlighted) {
  QImage image = NewPicture(12, 12);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  if (highlighted) {
    p.setBrush(QColor(255, 194, 51));
    p.drawRoundedRect(QRectF(0, 0, 12, 12), 2.5, 2.5);
  }
  QPolygonF arrow;
  switch (direction) {
    case Direction::Left: arrow << QPointF(2, 6) << QPointF(10, 1.5) << QPointF(10, 10.5); break;
    case Direction::Right: arrow << QPointF(10, 6) << QPointF(2, 1.5) << QPointF(2, 10.5); break;
    case Direction::Up: arrow << QPointF(6, 2) << QPointF(1.5, 10) << QPointF(10.5, 10); break;
  }
  p.setBrush(highlighted ? QColor(26, 26, 26) : QColor(88, 88, 88));
  p.drawPolygon(arrow);
  return image;
}

// A short tone sequence: each part a frequency and a length, with a soft start and a decay so
// that it clicks neither in nor out.
std::vector<std::int16_t> Tones(int rate, std::initializer_list<std::pair<double, double>> parts) {
  std::vector<std::int16_t> samples;
  for (auto [frequency, seconds] : parts) {
    const int n = int(std::lround(rate * seconds));
    const int attack = rate / 500;  // 2 ms
    for (int i = 0; i < n; ++i) {
      const double t = double(i) / rate;
      double envelope = std::exp(-5.0 * i / n) * (1.0 - double(i) / n);
      if (i < attack) envelope *= double(i) / attack;
      const double v = 0.45 * envelope * std::sin(2 * std::numbers::pi * frequency * t);
      samples.push_back(std::int16_t(std::lround(v * 32767)));
    }
  }
  return samples;
}

bool WriteAiff(const QString& path, int rate, const std::vector<std::int16_t>& samples) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
  if (!file) return false;
  const sf_count_t written = sf_writef_short(file, samples.data(), sf_count_t(samples.size()));
  return sf_close(file) == 0 && written == sf_count_t(samples.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s RESOURCES-FOLDER ICONS-FOLDER\n", argv[0]);
    return 2;
  }
  // Fonts need a GUI application; no display is needed for drawing into images.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString icons = QString::fromLocal8Bit(argv[2]);

  bool ok = true;
  auto saveIn = [&](const QString& where, const QString& name, const QImage& image) {
    const QString path = where + "/" + name + ".png";
    if (!QDir().mkpath(where) || !image.save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      ok = false;
    }
  };
  auto save = [&](const QString& name, const QImage& image) { saveIn(folder, name, image); };
  for (int corner = 0; corner < 4; ++corner) {
    save(QString("Querl%1").arg(corner), DrawRulers(corner, kBlackSet));
    save(QString("QuerlB%1").arg(corner), DrawRulers(corner, kWhiteSet));
  }
  for (const Caliper& c : Calipers()) save(c.name, DrawCaliper(c));
  save("LArrow", DrawArrow(Direction::Left, false));
  save("RArrow", DrawArrow(Direction::Right, false));
  save("TArrow", DrawArrow(Direction::Up, false));
  save("LArrowB", DrawArrow(Direction::Left, true));
  save("RArrowB", DrawArrow(Direction::Right, true));
  save("TArrowB", DrawArrow(Direction::Up, true));
  for (int size : kAppIconSizes)
    saveIn(QString("%1/hicolor/%2x%2/apps").arg(icons).arg(size), "brindlex", DrawAppIcon(size));

  // The digit key ticks high and short; the operator keys answer with two lower notes.
  constexpr int kRate = 44100;
  for (auto [name, samples] : {std::pair{"Num", Tones(kRate, {{1320, 0.035}})},
                               std::pair{"Ent", Tones(kRate, {{660, 0.035}, {990, 0.045}})}}) {
    const QString path = folder + "/" + name + ".aiff";
    if (!WriteAiff(path, kRate, samples)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
