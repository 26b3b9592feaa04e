#pragma once
// The named pictures and sounds. Each accessor opens its resource on first use and keeps it for
// the rest of the run; a picture that cannot be opened is tried again at the next call, a sound
// is looked for once per run whatever the outcome.
#include "framework/Picture.h"
#include "framework/Sound.h"

// Rulers, black set: the zero in corner 0 (bottom-left), 1 (bottom-right), 2 (top-right),
// 3 (top-left).
fw::Ref<fw::Picture> Querl0();
fw::Ref<fw::Picture> Querl1();
fw::Ref<fw::Picture> Querl2();
fw::Ref<fw::Picture> Querl3();
// Rulers, white set.
fw::Ref<fw::Picture> QuerlB0();
fw::Ref<fw::Picture> QuerlB1();
fw::Ref<fw::Picture> QuerlB2();
fw::Ref<fw::Picture> QuerlB3();
// Calipers: Nogis0m slide horizontally (50 by 140), Nogis1m vertically (140 by 50); m is the
// corner mode.
fw::Ref<fw::Picture> Nogis00();
fw::Ref<fw::Picture> Nogis01();
fw::Ref<fw::Picture> Nogis02();
fw::Ref<fw::Picture> Nogis03();
fw::Ref<fw::Picture> Nogis10();
fw::Ref<fw::Picture> Nogis11();
fw::Ref<fw::Picture> Nogis12();
fw::Ref<fw::Picture> Nogis13();
// Corner buttons (12 by 12), and the same highlighted.
fw::Ref<fw::Picture> LArrow();
fw::Ref<fw::Picture> RArrow();
fw::Ref<fw::Picture> TArrow();
fw::Ref<fw::Picture> LArrowB();
fw::Ref<fw::Picture> RArrowB();
fw::Ref<fw::Picture> TArrowB();

// The calculator's sounds: "Num.aiff" and "Ent.aiff" in the bundle's Resources folder. When the
// way to the file fails (no item for it), the first call raises NilObjectException and every
// later call returns nil.
fw::Ref<fw::Sound> Num();
fw::Ref<fw::Sound> Ent();
