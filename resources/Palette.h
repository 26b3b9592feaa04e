// The colours the bundle's pictures and the program's icon share.
#pragma once

#include <QColor>

struct Palette {
  QColor strip;
  QColor mark;
  QColor zero;
};
// Dark ruler with light marks, and light ruler with dark marks. The strips let a little of the
// screen through; marks are opaque.
inline const Palette kBlackSet{QColor(22, 25, 30, 218), QColor(242, 242, 238), QColor(255, 176, 0)};
inline const Palette kWhiteSet{QColor(246, 244, 236, 218), QColor(24, 24, 24), QColor(214, 48, 16)};

inline const QColor kMeasuringEdge(232, 32, 42);
inline const QColor kCaliperBody(58, 110, 165, 200);
inline const QColor kCaliperRail(58, 110, 165, 120);
inline const QColor kCaliperOutline(18, 42, 78, 235);
inline const QColor kCaliperGrip(225, 235, 248, 200);
