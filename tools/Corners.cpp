// The corner the rulers meet in, and the picture set they are drawn in.
#include <cstddef>
#include <string>

#include "framework/Picture.h"
#include "shell/Module1.h"
#include "shell/Resources.h"
#include "tools/Calipers.h"
#include "window/ControlArrays.h"
#include "window/MainWindow.h"

namespace {

using fw::Integer;
using rulers::Zero;
using PictureOf = fw::Ref<fw::Picture> (*)();

struct CaliperPicture {
  Integer caliper;
  PictureOf picture;
};
struct FirstReading {
  Integer caliper;
  Zero zero;
};
struct TopsOf {
  Integer box;
  Integer label;
};

// What a switch to each corner puts in place, in the order of the switch's steps.
struct Corner {
  PictureOf black, white;       // the window's backdrop in each colour mode
  Integer panelLeft, panelTop;  // ButtonGB
  CaliperPicture lower;         // the pair's lower-indexed caliper
  TopsOf box2;                  // RRectangle(2), St(3): on NogisCV(1)
  CaliperPicture higher;        // the pair's higher-indexed caliper
  TopsOf box4;                  // RRectangle(4), St(5): on NogisCV(3)
  FirstReading across, down;    // the horizontally, then the vertically sliding caliper
};

// clang-format off
const Corner kCorners[] = {
    //  backdrop          panel        lower caliper  box 2       higher caliper  box 4       first readings
    {Querl0, QuerlB0,  60,   714,  {0, Nogis00},  {501, 503}, {3, Nogis10},   {501, 503}, {0, Zero::Left},  {3, Zero::Bottom}},  // 0 bottom-left
    {Querl1, QuerlB1,  1117, 714,  {0, Nogis01},  {501, 503}, {1, Nogis11},   {501, 503}, {0, Zero::Right}, {1, Zero::Bottom}},  // 1 bottom-right
    {Querl2, QuerlB2,  1117, 45,   {1, Nogis12},  {531, 533}, {2, Nogis02},   {531, 533}, {2, Zero::Right}, {1, Zero::Top}},     // 2 top-right
    {Querl3, QuerlB3,  60,   45,   {2, Nogis03},  {531, 533}, {3, Nogis13},   {531, 533}, {2, Zero::Left},  {3, Zero::Top}},     // 3 top-left
};
// clang-format on

// Each arrow button's picture normally and while the pointer is over it, by its index.
struct ArrowPictures {
  PictureOf normal, over;
};
constexpr ArrowPictures kArrows[] = {
    {LArrow, LArrowB},  // BCV(0)
    {RArrow, RArrowB},  // BCV(1)
    {TArrow, TArrowB},  // BCV(2)
    {TArrow, TArrowB},  // BCV(3)
};

// Where the calipers are parked along their rulers at every switch.
constexpr Integer kParked = 500;
// TransPearentSlider's size class: mini.
constexpr Integer kMiniControlSize = 2;

// The arrays' members run 0 to 3, so a sender's index always names a corner; anything else is a
// fault, reported rather than read past the table.
template <class Row, std::size_t N>
const Row& At(const Row (&table)[N], Integer mode) {
  if (mode < 0 || mode >= static_cast<Integer>(N))
    throw fw::OutOfBoundsException("no corner mode " + std::to_string(mode));
  return table[mode];
}
const Corner& CornerOf(Integer mode) { return At(kCorners, mode); }

PictureOf RulersOf(Integer mode, bool white) {
  return white ? CornerOf(mode).white : CornerOf(mode).black;
}

}  // namespace

bool MainWindow::BCV_MouseDown(Ref<fw::Canvas> sender, Integer, Integer) {
  const Integer i = elements::SenderIndex<elements::BCV>(sender);
  const Corner& corner = CornerOf(i);

  NogisCV(0)->SetLeft(kParked);
  NogisCV(2)->SetLeft(kParked);
  NogisCV(1)->SetTop(kParked);
  NogisCV(3)->SetTop(kParked);
  AllDisappear();

  SetBackdrop(RulersOf(i, colorMOde)());
  Ref<fw::GroupBox> panel = ButtonGB();
  panel->SetLeft(corner.panelLeft);
  panel->SetTop(corner.panelTop);

  NogisCV(corner.lower.caliper)->SetBackdrop(corner.lower.picture());
  RRectangle(2)->SetTop(corner.box2.box);
  St(3)->SetTop(corner.box2.label);
  NogisCV(corner.higher.caliper)->SetBackdrop(corner.higher.picture());
  RRectangle(4)->SetTop(corner.box4.box);
  St(5)->SetTop(corner.box4.label);

  NogisCV(corner.lower.caliper)->SetVisible(true);
  NogisCV(corner.higher.caliper)->SetVisible(true);

  rulers::ShowReading(*this, corner.across.caliper, corner.across.zero);
  rulers::ShowReading(*this, corner.down.caliper, corner.down.zero);
  // Only now, so that a switch that failed on the way leaves the previous corner in force.
  mode = i;

  Module1::SetControlSize(TransPearentSlider(), kMiniControlSize);
  return true;
}

void MainWindow::BCV_MouseEnter(Ref<fw::Canvas> sender) {
  const Integer i = elements::SenderIndex<elements::BCV>(sender);
  BCV(i)->SetBackdrop(At(kArrows, i).over());
}

void MainWindow::BCV_MouseMove(Ref<fw::Canvas> sender, Integer, Integer) {
  elements::SenderIndex<elements::BCV>(sender);
}

void MainWindow::BCV_MouseExit(Ref<fw::Canvas> sender) {
  const Integer i = elements::SenderIndex<elements::BCV>(sender);
  BCV(i)->SetBackdrop(At(kArrows, i).normal());
}

void MainWindow::BCV_Opening(Ref<fw::Canvas> sender) {
  elements::SenderIndex<elements::BCV>(sender);
  SetBackdrop(Querl0());
}

// The corner-0 set-up, two seconds after the controls exist: whatever the modes, it shows the
// corner-0 rulers and calipers' pictures and readings, and moves and shows nothing.
void MainWindow::DelayTimer_Run(Ref<fw::Timer>) {
  SetBackdrop(Querl0());
  NogisCV(0)->SetBackdrop(Nogis00());
  NogisCV(3)->SetBackdrop(Nogis10());
  RRectangle(0)->SetVisible(true);
  RRectangle(1)->SetVisible(true);
  RRectangle(4)->SetVisible(true);
  rulers::ShowReading(*this, 0, Zero::Left);
  rulers::ShowReading(*this, 3, Zero::Bottom);
}

bool MainWindow::Black_Action(Integer) {
  colorMOde = false;
  White(0)->SetHasCheckMark(false);
  Black(0)->SetHasCheckMark(true);
  SetBackdrop(RulersOf(mode, colorMOde)());
  return true;
}

bool MainWindow::White_Action(Integer) {
  colorMOde = true;
  White(0)->SetHasCheckMark(true);
  Black(0)->SetHasCheckMark(false);
  SetBackdrop(RulersOf(mode, colorMOde)());
  return true;
}

void MainWindow::AllDisappear() {
  for (Integer i = 0; i < 4; ++i) NogisCV(i)->SetVisible(false);
}
