#include "tools/Calipers.h"

#include "framework/Text.h"
#include "window/ControlArrays.h"
#include "window/MainWindow.h"

namespace {

using fw::Integer;
using rulers::Zero;

// Where each caliper is held, and how it reads, in the corner modes in which it measures. The
// upper limit is the window's extent along the travel, less the caliper's, less a margin.
struct Travel {
  Integer member;
  Integer mode;
  Zero zero;
  Integer lower;
  Integer upperMargin;
};

// clang-format off
constexpr Travel kTravels[] = {
    // member  mode  zero           lower  upper
    {0,        0,    Zero::Left,    167,   8},    // W - w - 8
    {0,        1,    Zero::Right,   8,     167},  // W - w - 167
    {1,        1,    Zero::Bottom,  0,     151},  // H - h - 151
    {1,        2,    Zero::Top,     150,   0},    // H - h
    {2,        2,    Zero::Right,   8,     167},  // W - w - 167
    {2,        3,    Zero::Left,    167,   8},    // W - w - 8
    {3,        0,    Zero::Bottom,  0,     151},  // H - h - 151
    {3,        3,    Zero::Top,     150,   0},    // H - h
};
// clang-format on

const Travel* TravelOf(Integer member, Integer mode) {
  for (const Travel& t : kTravels)
    if (t.member == member && t.mode == mode) return &t;
  return nullptr;
}

// Members 0 and 2 slide along the horizontal ruler, 1 and 3 along the vertical one.
bool SlidesHorizontally(Integer member) { return member == 0 || member == 2; }

Integer Position(const fw::Canvas& caliper, bool horizontal) {
  return horizontal ? caliper.Left() : caliper.Top();
}
void SetPosition(fw::Canvas& caliper, bool horizontal, Integer value) {
  if (horizontal)
    caliper.SetLeft(value);
  else
    caliper.SetTop(value);
}

// The nudge's right-hand stop lies 30 points past the drag limit of corner mode 0, so the caliper
// can be pushed partly past the window's right edge.
constexpr Integer kNudgeOvershoot = 22;

}  // namespace

void rulers::ShowReading(MainWindow& window, Integer caliper, Zero zero) {
  fw::Ref<fw::Canvas> c = window.NogisCV(caliper);
  Integer reading = Reading(zero, window.Width(), window.Height(), c->Left(), c->Top());
  window.St(caliper + 2)->SetValue(fw::Str(reading));
}

bool MainWindow::NogisCV_MouseDown(Ref<fw::Canvas> sender, Integer x, Integer y) {
  elements::SenderIndex<elements::NogisCV>(sender);
  nogisX = x;
  nogisY = y;
  return true;
}

void MainWindow::NogisCV_MouseDrag(Ref<fw::Canvas> sender, Integer x, Integer y) {
  const Integer i = elements::SenderIndex<elements::NogisCV>(sender);
  const bool horizontal = SlidesHorizontally(i);
  fw::Canvas& caliper = *sender;
  if (horizontal)
    caliper.SetLeft(caliper.Left() + (x - nogisX));
  else
    caliper.SetTop(caliper.Top() + (y - nogisY));

  // Out of its corner modes a caliper follows the pointer freely and keeps its label.
  const Travel* travel = TravelOf(i, mode);
  if (!travel) return;

  if (Position(caliper, horizontal) < travel->lower) {
    SetPosition(caliper, horizontal, travel->lower);
  } else {
    const Integer upper = horizontal ? Width() - caliper.Width() - travel->upperMargin
                                     : Height() - caliper.Height() - travel->upperMargin;
    if (upper < Position(caliper, horizontal)) SetPosition(caliper, horizontal, upper);
  }
  const Integer reading =
      rulers::Reading(travel->zero, Width(), Height(), caliper.Left(), caliper.Top());
  St(2 + i)->SetValue(fw::Str(reading));
}

void MainWindow::NogisCV_Opening(Ref<fw::Canvas> sender) {
  elements::SenderIndex<elements::NogisCV>(sender);
}

void NudgeCaliper(MainWindow& window, Integer code) {
  if (code != 28 && code != 29) return;
  fw::Ref<fw::Canvas> caliper = window.NogisCV(0);
  if (code == 28) {
    caliper->SetLeft(caliper->Left() - 1);
    if (caliper->Left() < 167) caliper->SetLeft(167);
  } else {
    caliper->SetLeft(caliper->Left() + 1);
    const Integer stop = window.Width() - caliper->Width() + kNudgeOvershoot;
    if (stop < caliper->Left()) caliper->SetLeft(stop);
  }
  // The nudge always reads from the left zero, whatever the corner mode.
  window.St(2)->SetValue(fw::Str(caliper->Left() - 167));
}
