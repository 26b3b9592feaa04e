// The readings agree with the pictures: in the rendered window, each shown caliper's measuring
// edge stands on the ruler's mark of the distance that its label shows.
#include "ToolsFixture.h"

#include <QColor>
#include <QImage>

#include <optional>
#include <ostream>
#include <string>

namespace {

// The art's colours: marks and zero lines are opaque, so they render exactly these.
struct RulerColours {
  QRgb mark, zero;
};
constexpr RulerColours kBlackSet{qRgb(242, 242, 238), qRgb(255, 176, 0)};
constexpr RulerColours kWhiteSet{qRgb(24, 24, 24), qRgb(214, 48, 16)};
constexpr QRgb kMeasuringEdge = qRgb(232, 32, 42);

// A line of pixels across the rendered window: a row (x varies) or a column (y varies).
struct Line {
  bool row;
  int at;
  QRgb Pixel(const QImage& image, int i) const {
    return (row ? image.pixel(i, at) : image.pixel(at, i)) | 0xff000000;
  }
  int Length(const QImage& image) const { return row ? image.width() : image.height(); }
};

std::optional<int> Find(const QImage& image, const Line& line, QRgb colour) {
  for (int i = 0; i < line.Length(image); ++i)
    if (line.Pixel(image, i) == colour) return i;
  return std::nullopt;
}

struct MeasureCase {
  int corner;
  bool white;
  int across, down;         // the corner's horizontally and vertically sliding calipers
  int acrossTo, downTo;     // where they are dragged (Left, Top)
  Line acrossRuler, downRuler;  // two pixels into each ruler's strip, beyond its zero line
};

// The strips lie outside the zero lines x = 167, x = W - 167, y = 150, y = H - 151.
constexpr Line kBottomStrip{true, 980 - 151 + 2};
constexpr Line kTopStrip{true, 150 - 3};
constexpr Line kLeftStrip{false, 167 - 3};
constexpr Line kRightStrip{false, 1400 - 167 + 2};

const MeasureCase kMeasureCases[] = {
    {0, false, 0, 3, 417, 655, kBottomStrip, kLeftStrip},
    {1, false, 0, 1, 417, 655, kBottomStrip, kRightStrip},
    {2, false, 2, 1, 417, 654, kTopStrip, kRightStrip},
    {3, false, 2, 3, 417, 654, kTopStrip, kLeftStrip},
    {0, true, 0, 3, 611, 303, kBottomStrip, kLeftStrip},
    {1, true, 0, 1, 611, 303, kBottomStrip, kRightStrip},
    {2, true, 2, 1, 611, 302, kTopStrip, kRightStrip},
    {3, true, 2, 3, 611, 302, kTopStrip, kLeftStrip},
};

void PrintTo(const MeasureCase& c, std::ostream* os) {
  *os << "corner " << c.corner << (c.white ? ", white" : ", black");
}
std::string MeasureName(const testing::TestParamInfo<MeasureCase>& info) {
  return "Corner" + std::to_string(info.param.corner) + (info.param.white ? "White" : "Black");
}

}  // namespace

class ReadingsAgreeWithThePictures : public ToolsFixture,
                                     public testing::WithParamInterface<MeasureCase> {
 protected:
  QImage Render() const {
    ProcessEvents();
    return Content()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  // The caliper's edge stands where its label says, counted in the rendered pixels from the
  // ruler's zero mark; an even distance has a mark of its own there, between two unmarked pixels.
  static void Check(const QImage& withCalipers, const QImage& bare, int caliper,
                    const std::string& reading, const Line& ruler, const RulerColours& colours) {
    SCOPED_TRACE("NogisCV(" + std::to_string(caliper) + ") reading " + reading);
    const std::optional<int> edge = Find(withCalipers, ruler, kMeasuringEdge);
    const std::optional<int> zero = Find(bare, ruler, colours.zero);
    ASSERT_TRUE(edge) << "no measuring edge on the ruler";
    ASSERT_TRUE(zero) << "no zero mark on the ruler";
    const int distance = *edge > *zero ? *edge - *zero : *zero - *edge;
    EXPECT_EQ(std::to_string(distance), reading);
    if (distance % 2 == 0) {
      EXPECT_EQ(ruler.Pixel(bare, *edge), colours.mark);
      EXPECT_NE(ruler.Pixel(bare, *edge - 1), colours.mark);
      EXPECT_NE(ruler.Pixel(bare, *edge + 1), colours.mark);
    }
  }

  // The rulers alone: the calipers and the panel that lies on the rulers' corner hidden.
  QImage RenderBare() {
    for (Integer i = 0; i < 4; ++i) window->NogisCV(i)->SetVisible(false);
    window->ButtonGB()->SetVisible(false);
    return Render();
  }
};

TEST_P(ReadingsAgreeWithThePictures, AtTheParkedPlacesAndAfterADrag) {
  const MeasureCase& c = GetParam();
  const RulerColours& colours = c.white ? kWhiteSet : kBlackSet;
  window->DelayTimer()->Fire();
  if (c.white) window->ChooseMenuItem(window->White(0));
  SwitchTo(c.corner);
  // Away from the panel, so that no arrow button shows highlighted.
  MoveToWindow(QPoint(700, 400));
  const QImage parked = Render();
  const std::string parkedAcross = Reading(c.across), parkedDown = Reading(c.down);

  DragTo(c.across, c.acrossTo);
  DragTo(c.down, c.downTo);
  MoveToWindow(QPoint(700, 400));
  const QImage dragged = Render();
  const std::string across = Reading(c.across), down = Reading(c.down);
  // Even distances, which have marks of their own.
  ASSERT_EQ(std::stoi(across) % 2, 0) << across;
  ASSERT_EQ(std::stoi(down) % 2, 0) << down;

  const QImage bare = RenderBare();
  Check(dragged, bare, c.across, across, c.acrossRuler, colours);
  Check(dragged, bare, c.down, down, c.downRuler, colours);
  // The first readings, odd at the design size, fall between two marks.
  Check(parked, bare, c.across, parkedAcross, c.acrossRuler, colours);
  Check(parked, bare, c.down, parkedDown, c.downRuler, colours);
}

INSTANTIATE_TEST_SUITE_P(, ReadingsAgreeWithThePictures, testing::ValuesIn(kMeasureCases),
                         MeasureName);
