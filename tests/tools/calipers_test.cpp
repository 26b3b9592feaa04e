// The calipers: a press and a drag through Qt, the limits and readings of each caliper in each of
// its corner modes, and the arrow-key nudge of the bottom caliper.
#include "ToolsFixture.h"

#include <QApplication>

#include <ostream>
#include <string>

#include "tools/Calipers.h"

namespace {

// A caliper in one of its two corner modes: its travel's ends at the design size and what it
// reads there.
struct TravelCase {
  int member;
  int mode;
  int lower;
  const char* atLower;
  int upper;
  const char* atUpper;
};

const TravelCase kTravelCases[] = {
    {0, 0, 167, "0", 1342, "1175"},  // left zero: W - w - 8
    {0, 1, 8, "1175", 1183, "0"},    // right zero: W - w - 167
    {1, 1, 0, "779", 779, "0"},      // bottom zero: H - h - 151
    {1, 2, 150, "0", 930, "780"},    // top zero: H - h
    {2, 2, 8, "1175", 1183, "0"},
    {2, 3, 167, "0", 1342, "1175"},
    {3, 0, 0, "779", 779, "0"},
    {3, 3, 150, "0", 930, "780"},
};

void PrintTo(const TravelCase& c, std::ostream* os) {
  *os << "NogisCV(" << c.member << ") in mode " << c.mode;
}
std::string TravelName(const testing::TestParamInfo<TravelCase>& info) {
  return "NogisCV" + std::to_string(info.param.member) + "Mode" + std::to_string(info.param.mode);
}

// The reading changes by one a point: growing along the travel from a left or top zero,
// shrinking from a right or bottom one.
int Step(const TravelCase& c) {
  return std::stoi(c.atUpper) > std::stoi(c.atLower) ? 1 : -1;
}

}  // namespace

class CaliperTravel : public ToolsFixture, public testing::WithParamInterface<TravelCase> {
 protected:
  void SetUp() override {
    ToolsFixture::SetUp();
    if (HasFatalFailure()) return;
    window->DelayTimer()->Fire();
    SwitchTo(GetParam().mode);
    ASSERT_TRUE(window->NogisCV(GetParam().member)->Visible());
  }
};

TEST_P(CaliperTravel, StopsAtBothEndsAndReadsThere) {
  const TravelCase& c = GetParam();
  DragTo(c.member, c.lower - 1);
  EXPECT_EQ(Position(c.member), c.lower);
  EXPECT_EQ(Reading(c.member), c.atLower);

  DragTo(c.member, c.lower + 1);
  EXPECT_EQ(Position(c.member), c.lower + 1);
  EXPECT_EQ(Reading(c.member), std::to_string(std::stoi(c.atLower) + Step(c)));

  DragTo(c.member, c.upper + 1);
  EXPECT_EQ(Position(c.member), c.upper);
  EXPECT_EQ(Reading(c.member), c.atUpper);

  DragTo(c.member, c.upper - 1);
  EXPECT_EQ(Position(c.member), c.upper - 1);
  EXPECT_EQ(Reading(c.member), std::to_string(std::stoi(c.atUpper) - Step(c)));

  // Far past either end.
  DragTo(c.member, c.lower - 400);
  EXPECT_EQ(Position(c.member), c.lower);
  DragTo(c.member, c.upper + 400);
  EXPECT_EQ(Position(c.member), c.upper);
}

TEST_P(CaliperTravel, MovesOnlyAlongItsRulerWithTheLabelRidingAlong) {
  const TravelCase& c = GetParam();
  fw::Ref<fw::Canvas> caliper = window->NogisCV(c.member);
  const bool horizontal = c.member == 0 || c.member == 2;
  const Integer across = horizontal ? caliper->Top() : caliper->Left();
  fw::Ref<fw::Label> label = window->St(c.member + 2);
  const Integer labelLeft = label->Left() - caliper->Left();
  const Integer labelTop = label->Top() - caliper->Top();

  // A slanting drag moves it along its travel only.
  Drag(caliper, horizontal ? QPoint(10, 20) : QPoint(6, 25), 37, 41);
  EXPECT_EQ(horizontal ? caliper->Top() : caliper->Left(), across);
  EXPECT_EQ(Position(c.member), 500 + (horizontal ? 37 : 41));
  EXPECT_EQ(label->Left() - caliper->Left(), labelLeft);
  EXPECT_EQ(label->Top() - caliper->Top(), labelTop);
}

INSTANTIATE_TEST_SUITE_P(, CaliperTravel, testing::ValuesIn(kTravelCases), TravelName);

using Calipers = ToolsFixture;

TEST_F(Calipers, APressAt10_70AndADragTo40_70MoveTheCaliper30PointsRight) {
  window->DelayTimer()->Fire();
  fw::Ref<fw::Canvas> caliper = window->NogisCV(0);
  const QPoint press = InWindow(caliper, QPoint(10, 70));
  QTest::mousePress(Content(), Qt::LeftButton, {}, press);
  EXPECT_EQ(window->nogisX, 10);
  EXPECT_EQ(window->nogisY, 70);
  QTest::mouseMove(Content(), press + QPoint(30, 0));
  EXPECT_EQ(caliper->Left(), 530);
  EXPECT_EQ(Reading(0), "363");
  // Further moves of the same press go on from where the caliper is now.
  QTest::mouseMove(Content(), press + QPoint(50, 0));
  EXPECT_EQ(caliper->Left(), 550);
  QTest::mouseRelease(Content(), Qt::LeftButton, {}, press + QPoint(50, 0));
  EXPECT_EQ(Reading(0), "383");
}

TEST_F(Calipers, APressOnAnyCaliperIsTakenAndRecorded) {
  for (Integer i = 0; i < 4; ++i) {
    EXPECT_TRUE(window->NogisCV(i)->MouseDown(7 + i, 11 + i)) << "NogisCV(" << i << ")";
    EXPECT_EQ(window->nogisX, 7 + i);
    EXPECT_EQ(window->nogisY, 11 + i);
  }
}

TEST_F(Calipers, ADragInAModeWhereTheCaliperIsNotActiveFollowsThePointerFreely) {
  window->DelayTimer()->Fire();
  SwitchTo(0);
  // NogisCV(2) and NogisCV(1) measure in corner modes 2 and 3, 1 and 2.
  window->NogisCV(2)->SetVisible(true);
  window->NogisCV(1)->SetVisible(true);
  DragTo(2, 100);
  EXPECT_EQ(Position(2), 100);
  DragTo(2, 1380);
  EXPECT_EQ(Position(2), 1380);
  DragTo(1, 20);
  EXPECT_EQ(Position(1), 20);
  DragTo(1, 960);
  EXPECT_EQ(Position(1), 960);
  EXPECT_EQ(Reading(2), "0.0");
  EXPECT_EQ(Reading(1), "0.0");
}

TEST_F(Calipers, TheRightArrowPushesTheBottomCaliperOneByOneTo1372AndNoFurther) {
  window->DelayTimer()->Fire();
  DragTo(0, 1342);
  ASSERT_EQ(Position(0), 1342);
  for (Integer left = 1343; left <= 1372; ++left) {
    NudgeCaliper(*window, 29);
    ASSERT_EQ(Position(0), left);
    ASSERT_EQ(Reading(0), std::to_string(left - 167));
  }
  EXPECT_EQ(Reading(0), "1205");
  NudgeCaliper(*window, 29);
  EXPECT_EQ(Position(0), 1372);
  EXPECT_EQ(Reading(0), "1205");
}

TEST_F(Calipers, TheLeftArrowStopsAt167Showing0) {
  window->DelayTimer()->Fire();
  DragTo(0, 169);
  NudgeCaliper(*window, 28);
  EXPECT_EQ(Position(0), 168);
  EXPECT_EQ(Reading(0), "1");
  NudgeCaliper(*window, 28);
  NudgeCaliper(*window, 28);
  EXPECT_EQ(Position(0), 167);
  EXPECT_EQ(Reading(0), "0");
}

TEST_F(Calipers, TheNudgeReadsFromTheLeftZeroInEveryCornerMode) {
  window->DelayTimer()->Fire();
  SwitchTo(1);
  DragTo(0, 8);
  ASSERT_EQ(Reading(0), "1175");
  NudgeCaliper(*window, 28);
  EXPECT_EQ(Position(0), 167);
  EXPECT_EQ(Reading(0), "0");
  NudgeCaliper(*window, 29);
  EXPECT_EQ(Reading(0), "1");

  // Hidden in corner mode 2, it still moves.
  SwitchTo(2);
  NudgeCaliper(*window, 29);
  EXPECT_EQ(Position(0), 501);
  EXPECT_EQ(Reading(0), "334");
}

TEST_F(Calipers, NoOtherKeyCodeMovesACaliper) {
  window->DelayTimer()->Fire();
  for (Integer code : {0, 27, 30, 31, 1, 4, 127, -1, 1000}) NudgeCaliper(*window, code);
  EXPECT_EQ(Position(0), 500);
  EXPECT_EQ(Reading(0), "333");
}

// The arrow keys, typed at the window with no field focused, reach the nudge.
TEST_F(Calipers, TheArrowKeysTypedAtTheWindowNudgeTheBottomCaliper) {
  window->DelayTimer()->Fire();
  QWidget* main = fw::MainWidgetOf(*window);
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  // A click on the background takes the focus from any field, as a person would.
  QTest::mouseClick(Content(), Qt::LeftButton, {}, QPoint(700, 400));
  // Where the window system sends a key: the focused widget, else the active window.
  auto type = [](Qt::Key key) {
    QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), key, QString(),
                        Qt::NoModifier);
  };
  type(Qt::Key_Right);
  EXPECT_EQ(Position(0), 501);
  EXPECT_EQ(Reading(0), "334");
  type(Qt::Key_Left);
  type(Qt::Key_Left);
  EXPECT_EQ(Position(0), 499);
  EXPECT_EQ(Reading(0), "332");
}
