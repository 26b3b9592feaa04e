// The built bundle's pictures and sounds, read back through the accessors: the geometry that
// the calipers' readings rely on, derived here from the reading rules alone.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <string>

#include "framework/Bundle.h"
#include "shell/Resources.h"

namespace {

using fw::Integer;

constexpr Integer W = 1400, H = 980;
// Zero lines, as boundaries between pixels.
constexpr Integer kLeftZero = 167, kRightZero = W - 167, kTopZero = 150, kBottomZero = H - 151;
// Along its travel a caliper is 50 wide, as the readings count.
constexpr Integer kExtent = 50;

std::string BundleDir() {
  const char* bundle = std::getenv("BRINDLEX_BUNDLE");
  return bundle ? bundle : "";
}

class ArtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(BundleDir().empty()) << "BRINDLEX_BUNDLE names the built bundle";
    fw::SetBundleService(std::make_unique<fw::FixedBundleService>(BundleDir() + "/bin"));
  }
  void TearDown() override { fw::SetBundleService(nullptr); }
};

fw::Ref<fw::RGBSurface> Surface(fw::Ref<fw::Picture> (*accessor)(), const char* name) {
  fw::Ref<fw::Picture> picture = accessor();
  if (!picture) ADD_FAILURE() << name << " is not in " << BundleDir() << "/Resources";
  return picture ? picture->RGBSurface() : nullptr;
}

int Luminance(fw::Color c) {
  return int((299 * ((c >> 16) & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * (c & 0xFF)) / 1000);
}

// One ruler of a backdrop, seen from its zero: distance k along it and depth d into the strip
// (d = 0 is the pixel row or column that touches the zero line of the other axis).
struct Ruler {
  fw::Ref<fw::RGBSurface> s;
  bool horizontal;  // counts x
  bool fromFarSide;  // right zero (x) or bottom zero (y)
  bool stripBeforeLine;  // the strip lies above or left of the other axis's zero line

  Integer Along(Integer k) const {
    if (horizontal) return fromFarSide ? kRightZero - 1 - k : kLeftZero + k;
    return fromFarSide ? kBottomZero - 1 - k : kTopZero + k;
  }
  Integer Across(Integer d) const {
    if (horizontal) return stripBeforeLine ? kTopZero - 1 - d : kBottomZero + d;
    return stripBeforeLine ? kLeftZero - 1 - d : kRightZero + d;
  }
  fw::Color At(Integer k, Integer d) const {
    return horizontal ? s->Pixel(Along(k), Across(d)) : s->Pixel(Across(d), Along(k));
  }
  Integer AlphaAt(Integer k, Integer d) const {
    return horizontal ? s->Alpha(Along(k), Across(d)) : s->Alpha(Across(d), Along(k));
  }
  Integer Depth() const {
    Integer d = 0;
    while (d < 200 && AlphaAt(1, d) > 0) ++d;
    return d;
  }
  fw::Color Strip() const { return At(1, 0); }
  fw::Color Mark() const { return At(2, 0); }
  // How far the mark at k reaches into the strip.
  Integer MarkLength(Integer k) const {
    const fw::Color colour = k == 0 ? At(0, 0) : Mark();
    Integer d = 0;
    while (d < Depth() && At(k, d) == colour) ++d;
    return d;
  }
};

// Corner m: 0 bottom-left, 1 bottom-right, 2 top-right, 3 top-left.
bool RightZero(int m) { return m == 1 || m == 2; }
bool TopZero(int m) { return m == 2 || m == 3; }
Ruler HorizontalRuler(const fw::Ref<fw::RGBSurface>& s, int m) {
  return {s, true, RightZero(m), TopZero(m)};
}
Ruler VerticalRuler(const fw::Ref<fw::RGBSurface>& s, int m) {
  return {s, false, !TopZero(m), !RightZero(m)};
}

struct Backdrop {
  const char* name;
  fw::Ref<fw::Picture> (*get)();
  int corner;
  bool whiteSet;
};
const Backdrop kBackdrops[] = {
    {"Querl0", Querl0, 0, false},  {"Querl1", Querl1, 1, false},  {"Querl2", Querl2, 2, false},
    {"Querl3", Querl3, 3, false},  {"QuerlB0", QuerlB0, 0, true}, {"QuerlB1", QuerlB1, 1, true},
    {"QuerlB2", QuerlB2, 2, true}, {"QuerlB3", QuerlB3, 3, true}};

TEST_F(ArtTest, RulersHaveTheirZeroAtTheZeroLinesAndMarksAtCountedDistances) {
  for (const Backdrop& b : kBackdrops) {
    SCOPED_TRACE(b.name);
    auto s = Surface(b.get, b.name);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->Width(), W);
    ASSERT_EQ(s->Height(), H);
    for (const Ruler& r : {HorizontalRuler(s, b.corner), VerticalRuler(s, b.corner)}) {
      SCOPED_TRACE(r.horizontal ? "horizontal ruler" : "vertical ruler");
      const Integer depth = r.Depth();
      // Deep enough to carry marks and numbers, shallow enough for the calipers to straddle.
      EXPECT_GE(depth, 20);
      EXPECT_LE(depth, 44);
      const fw::Color strip = r.Strip(), mark = r.Mark(), zero = r.At(0, 0);
      if (b.whiteSet) {
        EXPECT_GT(Luminance(strip), 180);
        EXPECT_LT(Luminance(mark), 80);
      } else {
        EXPECT_LT(Luminance(strip), 80);
        EXPECT_GT(Luminance(mark), 180);
      }
      // The zero line stands out: its own colour, across the whole strip.
      EXPECT_NE(zero, mark);
      EXPECT_NE(zero, strip);
      EXPECT_EQ(r.MarkLength(0), depth);

      const Integer shortMark = r.MarkLength(2), tenMark = r.MarkLength(10);
      const Integer longMark = r.MarkLength(50);
      EXPECT_GT(shortMark, 0);
      EXPECT_GT(tenMark, shortMark);
      EXPECT_GT(longMark, tenMark);
      EXPECT_LT(longMark, depth);
      // Counted distances up to the far end of each ruler.
      using Ks = std::vector<Integer>;
      const Ks shorts = r.horizontal ? Ks{4, 12, 336, 1002} : Ks{4, 12, 336, 776};
      const Ks tens = r.horizontal ? Ks{20, 330, 990} : Ks{20, 330, 770};
      const Ks longs = r.horizontal ? Ks{100, 350, 1200} : Ks{100, 350, 800};
      const Ks odds = r.horizontal ? Ks{1, 9, 11, 51, 333, 1001} : Ks{1, 9, 11, 51, 333, 777};
      for (Integer k : shorts) EXPECT_EQ(r.MarkLength(k), shortMark) << k;
      for (Integer k : tens) EXPECT_EQ(r.MarkLength(k), tenMark) << k;
      for (Integer k : longs) EXPECT_EQ(r.MarkLength(k), longMark) << k;
      // Marks are one pixel wide: nothing on the odd points between them.
      for (Integer k : odds) EXPECT_EQ(r.At(k, 0), strip) << k;
      // A number beyond each long mark.
      for (Integer k : {Integer(100), Integer(350)}) {
        bool ink = false;
        for (Integer dk = -10; dk <= 10; ++dk) {
          for (Integer d = longMark + 1; d < depth; ++d) ink = ink || r.At(k + dk, d) != strip;
        }
        EXPECT_TRUE(ink) << "no number at " << k;
      }
    }
  }
}

TEST_F(ArtTest, RulersAreTransparentAwayFromTheirStrips) {
  for (const Backdrop& b : kBackdrops) {
    SCOPED_TRACE(b.name);
    auto s = Surface(b.get, b.name);
    ASSERT_TRUE(s);
    const Ruler across = HorizontalRuler(s, b.corner), down = VerticalRuler(s, b.corner);
    const Integer depth = across.Depth();
    ASSERT_EQ(down.Depth(), depth);
    // Outward distance from each zero line: 1 for the first pixel beyond it.
    auto outY = [&](Integer y) { return TopZero(b.corner) ? kTopZero - y : y - kBottomZero + 1; };
    auto outX = [&](Integer x) { return RightZero(b.corner) ? x - kRightZero + 1 : kLeftZero - x; };
    Integer stray = 0, holes = 0;
    for (Integer y = 0; y < H; ++y) {
      for (Integer x = 0; x < W; ++x) {
        const bool inStrip = (outY(y) >= 1 && outY(y) <= depth && outX(x) <= depth) ||
                             (outX(x) >= 1 && outX(x) <= depth && outY(y) <= depth);
        const bool measured = outX(x) < 1 || outY(y) < 1;  // along a ruler, not its corner
        if (!inStrip && s->Alpha(x, y) != 0) ++stray;
        if (inStrip && measured && s->Alpha(x, y) == 0) ++holes;
      }
    }
    EXPECT_EQ(stray, 0) << "drawn pixels away from the rulers";
    EXPECT_EQ(holes, 0) << "transparent pixels in a ruler strip";
  }
}

enum class Edge { Left, Right, Top, Bottom };

struct CaliperPicture {
  const char* name;
  fw::Ref<fw::Picture> (*get)();
  int corner;
  Edge edge;
  // Where its caliper stands at creation, and its label box there (window coordinates).
  Integer left, top;
  Integer boxLeft, boxTop;
};
// The vertically sliding calipers' boxes sit 1 point below their top in corners 0 and 1 and 31
// points below it in corners 2 and 3.
const CaliperPicture kCalipers[] = {
    {"Nogis00", Nogis00, 0, Edge::Left, 500, 741, 505, 833},
    {"Nogis01", Nogis01, 1, Edge::Right, 500, 741, 505, 833},
    {"Nogis02", Nogis02, 2, Edge::Right, 500, 100, 505, 129},
    {"Nogis03", Nogis03, 3, Edge::Left, 500, 100, 505, 129},
    {"Nogis10", Nogis10, 0, Edge::Bottom, 121, 500, 201, 501},
    {"Nogis11", Nogis11, 1, Edge::Bottom, 1139, 500, 1159, 501},
    {"Nogis12", Nogis12, 2, Edge::Top, 1139, 500, 1159, 531},
    {"Nogis13", Nogis13, 3, Edge::Top, 121, 500, 201, 531}};

bool Horizontal(const CaliperPicture& c) { return c.edge == Edge::Left || c.edge == Edge::Right; }

// The pixels of an edge line, for i from 0 to the caliper's length.
std::pair<Integer, Integer> EdgePixel(const CaliperPicture& c, Integer w, Integer h, Integer i,
                                      bool opposite = false) {
  Edge e = c.edge;
  if (opposite) {
    e = e == Edge::Left ? Edge::Right : e == Edge::Right ? Edge::Left
      : e == Edge::Top  ? Edge::Bottom : Edge::Top;
  }
  switch (e) {
    case Edge::Left: return {0, i};
    case Edge::Right: return {w - 1, i};
    case Edge::Top: return {i, 0};
    case Edge::Bottom: return {i, h - 1};
  }
  return {0, 0};
}

TEST_F(ArtTest, CalipersMeasureWithTheEdgeThatFacesTheZero) {
  for (const CaliperPicture& c : kCalipers) {
    SCOPED_TRACE(c.name);
    auto s = Surface(c.get, c.name);
    ASSERT_TRUE(s);
    const Integer w = Horizontal(c) ? 50 : 140, h = Horizontal(c) ? 140 : 50;
    ASSERT_EQ(s->Width(), w);
    ASSERT_EQ(s->Height(), h);
    const Integer length = Horizontal(c) ? h : w;
    auto [x0, y0] = EdgePixel(c, w, h, 0);
    const fw::Color edge = s->Pixel(x0, y0);
    Integer sameOpposite = 0;
    for (Integer i = 0; i < length; ++i) {
      auto [x, y] = EdgePixel(c, w, h, i);
      EXPECT_EQ(s->Alpha(x, y), 255) << i;
      EXPECT_EQ(s->Pixel(x, y), edge) << i;
      auto [ox, oy] = EdgePixel(c, w, h, i, true);
      sameOpposite += s->Alpha(ox, oy) == 255 && s->Pixel(ox, oy) == edge;
    }
    EXPECT_LT(sameOpposite, length / 4) << "the opposite edge looks like a measuring edge";
  }
}

TEST_F(ArtTest, CalipersStraddleTheirRulerAndLeaveTheLabelBoxClear) {
  auto ruler = Querl0()->RGBSurface();
  const Integer depth = HorizontalRuler(ruler, 0).Depth();
  for (const CaliperPicture& c : kCalipers) {
    SCOPED_TRACE(c.name);
    auto s = Surface(c.get, c.name);
    ASSERT_TRUE(s);
    // The ruler's strip across the caliper, in the caliper's own pixels.
    Integer from, to;
    if (Horizontal(c)) {
      from = TopZero(c.corner) ? kTopZero - depth - c.top : kBottomZero - c.top;
    } else {
      from = RightZero(c.corner) ? kRightZero - c.left : kLeftZero - depth - c.left;
    }
    to = from + depth;
    ASSERT_GT(from, 0);
    ASSERT_LT(to, 140);
    Integer before = 0, after = 0;
    for (Integer a = 0; a < 140; ++a) {
      for (Integer b = 0; b < 50; ++b) {
        const Integer alpha = Horizontal(c) ? s->Alpha(b, a) : s->Alpha(a, b);
        if (alpha > 0 && a < from) ++before;
        if (alpha > 0 && a >= to) ++after;
      }
    }
    EXPECT_GT(before, 50 * 3) << "nothing of the caliper before its ruler";
    EXPECT_GT(after, 50 * 3) << "nothing of the caliper beyond its ruler";

    for (Integer y = c.boxTop - c.top; y < c.boxTop - c.top + 18; ++y) {
      for (Integer x = c.boxLeft - c.left; x < c.boxLeft - c.left + 40; ++x) {
        ASSERT_EQ(s->Alpha(x, y), 0) << "under the label box at " << x << "," << y;
      }
    }
  }
}

// A caliper placed where the reading rules give a round reading stands with its measuring edge
// on the ruler's long mark, and on no neighbour of it.
TEST_F(ArtTest, MeasuringEdgeAtAReadingStandsOnThatMark) {
  for (const CaliperPicture& c : kCalipers) {
    SCOPED_TRACE(c.name);
    auto s = Surface(c.get, c.name);
    ASSERT_TRUE(s);
    const Backdrop& b = kBackdrops[c.corner];
    auto backdrop = Surface(b.get, b.name);
    ASSERT_TRUE(backdrop);
    const Integer reading = Horizontal(c) ? 350 : 300;
    Integer left = c.left, top = c.top;
    // The reading rules solved for the position: L - 167, W - L - 217, T - 150, H - T - 201.
    if (Horizontal(c)) {
      left = RightZero(c.corner) ? kRightZero - kExtent - reading : kLeftZero + reading;
    } else {
      top = TopZero(c.corner) ? kTopZero + reading : kBottomZero - kExtent - reading;
    }
    const Integer w = Horizontal(c) ? 50 : 140, h = Horizontal(c) ? 140 : 50;
    auto [ex, ey] = EdgePixel(c, w, h, 0);
    const Ruler r = Horizontal(c) ? HorizontalRuler(backdrop, c.corner)
                                  : VerticalRuler(backdrop, c.corner);
    const Integer longMark = r.MarkLength(50);
    const Integer at = Horizontal(c) ? left + ex : top + ey;  // the edge's window column or row
    auto markLengthAt = [&](Integer pos) {
      Integer d = 0;
      while (d < longMark + 1) {
        const fw::Color px = Horizontal(c) ? backdrop->Pixel(pos, r.Across(d))
                                           : backdrop->Pixel(r.Across(d), pos);
        if (px != r.Mark()) break;
        ++d;
      }
      return d;
    };
    EXPECT_EQ(markLengthAt(at), longMark) << "edge at " << at;
    EXPECT_EQ(markLengthAt(at - 1), 0);
    EXPECT_EQ(markLengthAt(at + 1), 0);
  }
}

TEST_F(ArtTest, ArrowsPointTheirWayAndTheHighlightedOnesStandOut) {
  struct Arrow {
    const char* name;
    fw::Ref<fw::Picture> (*normal)();
    fw::Ref<fw::Picture> (*highlighted)();
    bool vertical;
    bool tipAtStart;  // points left or up
  };
  const Arrow arrows[] = {{"LArrow", LArrow, LArrowB, false, true},
                          {"RArrow", RArrow, RArrowB, false, false},
                          {"TArrow", TArrow, TArrowB, true, true}};
  for (const Arrow& a : arrows) {
    SCOPED_TRACE(a.name);
    auto normal = Surface(a.normal, a.name);
    auto lit = Surface(a.highlighted, a.name);
    ASSERT_TRUE(normal && lit);
    for (const auto& s : {normal, lit}) {
      ASSERT_EQ(s->Width(), 12);
      ASSERT_EQ(s->Height(), 12);
    }
    auto solidAcross = [&](Integer line) {
      Integer n = 0;
      for (Integer i = 0; i < 12; ++i) {
        n += (a.vertical ? normal->Alpha(i, line) : normal->Alpha(line, i)) > 127;
      }
      return n;
    };
    const Integer nearTip = solidAcross(a.tipAtStart ? 3 : 8);
    const Integer nearBase = solidAcross(a.tipAtStart ? 8 : 3);
    EXPECT_GT(nearBase, nearTip + 3);
    EXPECT_EQ(normal->Alpha(0, 0), 0);
    Integer changed = 0;
    for (Integer y = 0; y < 12; ++y) {
      for (Integer x = 0; x < 12; ++x) {
        changed += normal->Alpha(x, y) != lit->Alpha(x, y) || normal->Pixel(x, y) != lit->Pixel(x, y);
      }
    }
    EXPECT_GT(changed, 40) << "the highlighted arrow hardly differs";
  }
}

TEST_F(ArtTest, SoundsAreShortDistinct16BitAiff) {
  fw::Ref<fw::Sound> num = Num(), ent = Ent();
  ASSERT_TRUE(num);
  ASSERT_TRUE(ent);
  for (const char* file : {"Num.aiff", "Ent.aiff"}) {
    SF_INFO info{};
    SNDFILE* f = sf_open((BundleDir() + "/Resources/" + file).c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr) << file;
    sf_close(f);
    EXPECT_EQ(info.format, SF_FORMAT_AIFF | SF_FORMAT_PCM_16) << file;
  }
  for (const auto& sound : {num, ent}) {
    EXPECT_LT(sound->Frames() * 1000, sound->SampleRate() * 100) << "not under 100 ms";
    int loudest = 0;
    for (auto v : sound->Samples()) loudest = std::max(loudest, std::abs(int(v)));
    EXPECT_GT(loudest, 4000) << "too quiet to hear";
  }
  EXPECT_NE(num->Samples(), ent->Samples());
}

}  // namespace
