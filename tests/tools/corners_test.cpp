// The corner switch of the arrow buttons, the highlighted arrows, the set-up two seconds after the
// controls exist, and the Mode menu's colour actions.
#include "ToolsFixture.h"

#include <QAction>

#include <ostream>
#include <string>

#include "native/MessageLog.h"

namespace {

using PictureOf = fw::Ref<fw::Picture> (*)();

struct CornerCase {
  int corner;
  PictureOf black, white;
  int panelLeft, panelTop;
  const char* shown;  // NogisCV(0) to NogisCV(3)
  int across, down;   // the shown calipers: horizontally, vertically sliding
  PictureOf acrossPicture, downPicture;
  const char* acrossReading;
  const char* downReading;
  int boxTop;  // of RRectangle(2) and RRectangle(4); their labels lie 2 points lower
};

// The first readings are taken after the parking, at the design size 1400 by 980.
const CornerCase kCornerCases[] = {
    {0, Querl0, QuerlB0, 60, 714, "1001", 0, 3, Nogis00, Nogis10, "333", "279", 501},
    {1, Querl1, QuerlB1, 1117, 714, "1100", 0, 1, Nogis01, Nogis11, "683", "279", 501},
    {2, Querl2, QuerlB2, 1117, 45, "0110", 2, 1, Nogis02, Nogis12, "683", "350", 531},
    {3, Querl3, QuerlB3, 60, 45, "0011", 2, 3, Nogis03, Nogis13, "333", "350", 531},
};

void PrintTo(const CornerCase& c, std::ostream* os) { *os << "corner " << c.corner; }

std::string CornerName(const testing::TestParamInfo<CornerCase>& info) {
  return "Corner" + std::to_string(info.param.corner);
}

}  // namespace

class CornerSwitch : public ToolsFixture, public testing::WithParamInterface<CornerCase> {};

TEST_P(CornerSwitch, ShowsTheCornersRulersPanelCalipersAndFirstReadings) {
  const CornerCase& c = GetParam();
  window->DelayTimer()->Fire();
  // Calipers away from their parked places, so that the switch has to bring them back.
  for (Integer i : {0, 2}) window->NogisCV(i)->SetLeft(321);
  for (Integer i : {1, 3}) window->NogisCV(i)->SetTop(432);

  SwitchTo(c.corner);

  EXPECT_EQ(window->mode, c.corner);
  EXPECT_TRUE(window->Backdrop() == c.black());
  EXPECT_EQ(window->ButtonGB()->Left(), c.panelLeft);
  EXPECT_EQ(window->ButtonGB()->Top(), c.panelTop);
  EXPECT_EQ(Shown(), c.shown);
  for (Integer i = 0; i < 4; ++i) EXPECT_EQ(Position(i), 500) << "NogisCV(" << i << ")";
  // The other coordinate never changes.
  EXPECT_EQ(window->NogisCV(0)->Top(), 741);
  EXPECT_EQ(window->NogisCV(2)->Top(), 100);
  EXPECT_EQ(window->NogisCV(1)->Left(), 1139);
  EXPECT_EQ(window->NogisCV(3)->Left(), 121);
  EXPECT_TRUE(window->NogisCV(c.across)->Backdrop() == c.acrossPicture());
  EXPECT_TRUE(window->NogisCV(c.down)->Backdrop() == c.downPicture());
  EXPECT_EQ(Reading(c.across), c.acrossReading);
  EXPECT_EQ(Reading(c.down), c.downReading);
  // Both vertical calipers' boxes and labels, the hidden one's too.
  EXPECT_EQ(window->RRectangle(2)->Top(), c.boxTop);
  EXPECT_EQ(window->St(3)->Top(), c.boxTop + 2);
  EXPECT_EQ(window->RRectangle(4)->Top(), c.boxTop);
  EXPECT_EQ(window->St(5)->Top(), c.boxTop + 2);
  // The horizontal calipers' boxes stay on their calipers.
  EXPECT_EQ(window->RRectangle(1)->Top(), 833);
  EXPECT_EQ(window->RRectangle(3)->Top(), 129);
}

TEST_P(CornerSwitch, KeepsTheWhiteSetAndAColourActionKeepsTheCorner) {
  const CornerCase& c = GetParam();
  window->DelayTimer()->Fire();
  window->ChooseMenuItem(window->White(0));
  SwitchTo(c.corner);
  EXPECT_TRUE(window->Backdrop() == c.white());
  EXPECT_TRUE(window->colorMOde);

  window->ChooseMenuItem(window->Black(0));
  EXPECT_TRUE(window->Backdrop() == c.black());
  EXPECT_EQ(window->mode, c.corner);
  window->ChooseMenuItem(window->White(0));
  EXPECT_TRUE(window->Backdrop() == c.white());
  EXPECT_EQ(window->mode, c.corner);
}

TEST_P(CornerSwitch, GivesTheSliderTheMiniSizeAgain) {
  native::StartRecording();
  SwitchTo(GetParam().corner);
  const std::vector<native::Message> sent = native::TakeMessages();
  native::StopRecording();
  bool mini = false;
  for (const native::Message& m : sent)
    mini |= m.receiver == "NSCell" && m.selector == "setControlSize:" &&
            m.arguments == std::vector<std::string>{"2"};
  EXPECT_TRUE(mini);
}

INSTANTIATE_TEST_SUITE_P(, CornerSwitch, testing::ValuesIn(kCornerCases), CornerName);

using Corners = ToolsFixture;

TEST_F(Corners, RepeatingTheCurrentCornerParksTheCalipersAndReadsAgain) {
  window->DelayTimer()->Fire();
  SwitchTo(0);
  DragTo(0, 700);
  DragTo(3, 300);
  ASSERT_EQ(Reading(0), "533");
  ASSERT_EQ(Reading(3), "479");
  SwitchTo(0);
  EXPECT_EQ(Position(0), 500);
  EXPECT_EQ(Position(3), 500);
  EXPECT_EQ(Reading(0), "333");
  EXPECT_EQ(Reading(3), "279");
  EXPECT_EQ(window->mode, 0);
}

TEST_F(Corners, ACaliperDraggedInOneCornerIsParkedByASwitchToAnother) {
  window->DelayTimer()->Fire();
  SwitchTo(1);
  DragTo(1, 650);
  ASSERT_EQ(Position(1), 650);
  SwitchTo(2);
  EXPECT_EQ(Position(1), 500);
  EXPECT_EQ(Reading(1), "350");
}

TEST_F(Corners, AtCreationTheCorner0CalipersShowWithoutPicturesAndReadNothing) {
  EXPECT_EQ(window->mode, 0);
  EXPECT_FALSE(window->colorMOde);
  EXPECT_TRUE(window->Backdrop() == Querl0());
  EXPECT_EQ(Shown(), "1001");
  EXPECT_TRUE(window->NogisCV(0)->Backdrop().IsNil());
  EXPECT_TRUE(window->NogisCV(3)->Backdrop().IsNil());
  for (Integer i = 2; i <= 5; ++i) EXPECT_EQ(window->St(i)->Value(), "0.0");
  EXPECT_TRUE(window->Black(0)->HasCheckMark());
  EXPECT_FALSE(window->White(0)->HasCheckMark());
}

TEST_F(Corners, TheSetUpGivesTheCorner0PicturesAndReadingsAndMovesNothing) {
  window->DelayTimer()->Fire();
  EXPECT_TRUE(window->Backdrop() == Querl0());
  EXPECT_TRUE(window->NogisCV(0)->Backdrop() == Nogis00());
  EXPECT_TRUE(window->NogisCV(3)->Backdrop() == Nogis10());
  EXPECT_EQ(Reading(0), "333");
  EXPECT_EQ(Reading(3), "279");
  EXPECT_EQ(Reading(1), "0.0");
  EXPECT_EQ(Reading(2), "0.0");
  EXPECT_EQ(Shown(), "1001");
  EXPECT_EQ(Position(0), 500);
  EXPECT_EQ(Position(3), 500);
  EXPECT_EQ(window->ButtonGB()->Left(), 60);
  EXPECT_EQ(window->ButtonGB()->Top(), 714);
  for (Integer i : {0, 1, 4}) EXPECT_TRUE(window->RRectangle(i)->Visible());
}

TEST_F(Corners, TheSetUpAfterASwitchToCorner2ResetsOnlyTheBackdropAndTheCorner0Calipers) {
  window->ChooseMenuItem(window->White(0));
  SwitchTo(2);
  window->NogisCV(0)->SetLeft(600);
  window->DelayTimer()->Fire();

  EXPECT_TRUE(window->Backdrop() == Querl0());
  EXPECT_EQ(window->ButtonGB()->Left(), 1117);
  EXPECT_EQ(window->ButtonGB()->Top(), 45);
  EXPECT_EQ(Shown(), "0110");
  EXPECT_TRUE(window->NogisCV(0)->Backdrop() == Nogis00());
  EXPECT_TRUE(window->NogisCV(3)->Backdrop() == Nogis10());
  EXPECT_TRUE(window->NogisCV(2)->Backdrop() == Nogis02());
  EXPECT_EQ(Reading(0), "433");  // from the caliper's current place
  EXPECT_EQ(Reading(3), "279");
  EXPECT_EQ(Reading(2), "683");
  EXPECT_EQ(Reading(1), "350");
  EXPECT_EQ(window->mode, 2);
  EXPECT_TRUE(window->colorMOde);
  EXPECT_TRUE(window->White(0)->HasCheckMark());
  EXPECT_FALSE(window->Black(0)->HasCheckMark());

  // The next colour action brings the backdrop back in line with both modes.
  window->ChooseMenuItem(window->White(0));
  EXPECT_TRUE(window->Backdrop() == QuerlB2());
}

TEST_F(Corners, AColourActionInCorner3ShowsTheSetsCorner3Picture) {
  window->DelayTimer()->Fire();
  SwitchTo(3);
  window->ChooseMenuItem(window->White(0));
  EXPECT_TRUE(window->Backdrop() == QuerlB3());
  window->ChooseMenuItem(window->Black(0));
  EXPECT_TRUE(window->Backdrop() == Querl3());
}

TEST_F(Corners, BlackAfterWhiteInCorner2ChangesTheBackdropAndTheCheckMarksOnly) {
  window->DelayTimer()->Fire();
  window->ChooseMenuItem(window->White(0));
  SwitchTo(2);
  DragTo(2, 400);
  ASSERT_TRUE(window->Backdrop() == QuerlB2());
  EXPECT_TRUE(window->White(0)->HasCheckMark());
  EXPECT_FALSE(window->Black(0)->HasCheckMark());
  const std::string readings = Reading(1) + "/" + Reading(2);

  // The Integer the framework passes has no effect.
  EXPECT_TRUE(window->Black_Action(12345));
  EXPECT_TRUE(window->Backdrop() == Querl2());
  EXPECT_FALSE(window->colorMOde);
  EXPECT_TRUE(window->Black(0)->HasCheckMark());
  EXPECT_FALSE(window->White(0)->HasCheckMark());
  EXPECT_EQ(window->mode, 2);
  EXPECT_EQ(Reading(1) + "/" + Reading(2), readings);
  EXPECT_EQ(Position(2), 400);
  EXPECT_EQ(Shown(), "0110");
  EXPECT_TRUE(window->NogisCV(1)->Backdrop() == Nogis12());
  EXPECT_TRUE(window->NogisCV(2)->Backdrop() == Nogis02());
  EXPECT_EQ(window->ButtonGB()->Left(), 1117);
  EXPECT_EQ(window->ButtonGB()->Top(), 45);
}

TEST_F(Corners, TheModeMenusItemsRunTheColourActionsFromTheMenuBar) {
  window->DelayTimer()->Fire();
  SwitchTo(1);
  // What a person's choice does: the menu bar's own action for the item.
  QAction* white = nullptr;
  for (QAction* a : fw::MainWidgetOf(*window)->findChildren<QAction*>())
    if (a->text() == "White") white = a;
  ASSERT_NE(white, nullptr);
  white->trigger();
  ProcessEvents();
  EXPECT_TRUE(window->Backdrop() == QuerlB1());
  EXPECT_TRUE(window->White(0)->HasCheckMark());
}

TEST_F(Corners, HoveringBCV2HighlightsItAloneAndLeavingPutsItBack) {
  MoveToWindow(QPoint(700, 400));
  MoveTo(window->BCV(2), QPoint(6, 6));
  EXPECT_TRUE(window->BCV(2)->Backdrop() == TArrowB());
  EXPECT_TRUE(window->BCV(3)->Backdrop() == TArrow());
  EXPECT_TRUE(window->BCV(1)->Backdrop() == RArrow());
  MoveToWindow(QPoint(700, 400));
  EXPECT_TRUE(window->BCV(2)->Backdrop() == TArrow());
}

TEST_F(Corners, HoveringBCV3HighlightsItAloneAndLeavingPutsItBack) {
  MoveToWindow(QPoint(700, 400));
  MoveTo(window->BCV(3), QPoint(6, 6));
  EXPECT_TRUE(window->BCV(3)->Backdrop() == TArrowB());
  EXPECT_TRUE(window->BCV(2)->Backdrop() == TArrow());
  // Straight to its neighbour: one leaves, the other enters.
  MoveTo(window->BCV(2), QPoint(6, 6));
  EXPECT_TRUE(window->BCV(3)->Backdrop() == TArrow());
  EXPECT_TRUE(window->BCV(2)->Backdrop() == TArrowB());
}

TEST_F(Corners, BCV0StaysHighlightedUntilThePointerFirstLeavesIt) {
  EXPECT_TRUE(window->BCV(0)->Backdrop() == LArrowB());
  // Corner switches meanwhile leave it highlighted: no button marks the current corner.
  SwitchTo(1);
  SwitchTo(2);
  SwitchTo(3);
  EXPECT_TRUE(window->BCV(0)->Backdrop() == LArrowB());
  MoveTo(window->BCV(0), QPoint(6, 6));
  EXPECT_TRUE(window->BCV(0)->Backdrop() == LArrowB());
  MoveToWindow(QPoint(700, 400));
  EXPECT_TRUE(window->BCV(0)->Backdrop() == LArrow());
  MoveTo(window->BCV(0), QPoint(6, 6));
  EXPECT_TRUE(window->BCV(0)->Backdrop() == LArrowB());
}

TEST_F(Corners, AnArrowButtonsOpeningShowsTheCorner0RulersWhateverTheModes) {
  window->colorMOde = true;
  window->mode = 2;
  window->SetBackdrop(QuerlB2());
  window->BCV(1)->Opening();
  EXPECT_TRUE(window->Backdrop() == Querl0());
}

TEST_F(Corners, AllDisappearHidesTheFourCalipers) {
  SwitchTo(2);
  window->NogisCV(0)->SetVisible(true);
  window->AllDisappear();
  EXPECT_EQ(Shown(), "0000");
}
