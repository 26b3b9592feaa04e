#pragma once
// The calipers' measuring: the four ruler zeros and their reading rules, and the arrow-key nudge
// of the bottom caliper.
#include "framework/Object.h"

class MainWindow;

namespace rulers {

// Where a ruler has its zero line: x = 167, x = W - 167, y = H - 151 or y = 150.
enum class Zero { Left, Right, Bottom, Top };

// Whether a caliper measuring from this zero slides horizontally (its Left moves).
constexpr bool Horizontal(Zero zero) { return zero == Zero::Left || zero == Zero::Right; }

// The distance from the zero line to the caliper's facing edge, for a caliper at left, top in a
// window of width by height. 217 and 201 hold the caliper's 50-point extent along its travel.
constexpr fw::Integer Reading(Zero zero, fw::Integer width, fw::Integer height, fw::Integer left,
                              fw::Integer top) {
  switch (zero) {
    case Zero::Left: return left - 167;
    case Zero::Right: return width - left - 217;
    case Zero::Bottom: return height - top - 201;
    case Zero::Top: return top - 150;
  }
  return 0;
}

// Writes caliper i's reading from that zero into its label St(i + 2).
void ShowReading(MainWindow& window, fw::Integer caliper, Zero zero);

}  // namespace rulers

// The arrow-key nudge of NogisCV(0), in every corner mode: key code 28 (left arrow) moves it one
// point left, down to Left 167; 29 (right arrow) one point right, up to W - w + 22. St(2) then
// shows Left - 167. Any other code does nothing.
void NudgeCaliper(MainWindow& window, fw::Integer code);
