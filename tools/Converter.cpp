// The code converter: decimal and hexadecimal in TF(0) and TF(1), a text and its UTF-8 bytes in
// TF(2) and TF(3). Its only state is the four fields' texts. Also the readouts' switch, which
// shares the check-box handler.
#include <string_view>

#include "framework/Text.h"
#include "window/ControlArrays.h"
#include "window/MainWindow.h"

namespace {

using fw::Integer;

constexpr std::string_view kDecimalSet = "0123456789";
constexpr std::string_view kHexSet = "0123456789abcdefABCDEF";

// What typing into each field accepts. A field with a set refuses a key outside it, and any key
// once its text is exactly `length` long: texts the program wrote past that stay typable. The
// field without a set takes any key until its text is longer than `length`.
struct FieldFilter {
  std::string_view set;  // empty: any key
  Integer length;
};
constexpr FieldFilter kFilters[] = {{kDecimalSet, 3}, {kHexSet, 2}, {{}, 2}, {kHexSet, 2}};

constexpr Integer kBackspace = 8;

}  // namespace

bool MainWindow::TF_KeyDown(Ref<fw::TextField> sender, std::string key) {
  const Integer i = elements::SenderIndex<elements::TF>(sender);
  if (i < 0 || i >= Integer(std::size(kFilters))) return false;
  const FieldFilter& filter = kFilters[i];
  const bool inSet = filter.set.empty() || fw::IndexOf(filter.set, key) != -1;
  if (fw::Asc(key) == kBackspace) return false;
  // The text before the key is applied.
  const Integer n = fw::Len(TF(i)->Text());
  if (filter.set.empty()) return n > filter.length;
  return n == filter.length || !inSet;
}

void MainWindow::TF_Opening(Ref<fw::TextField> sender) {
  elements::SenderIndex<elements::TF>(sender);
  // All four, whichever opens first.
  for (Integer i = 0; i < 4; ++i) TF(i)->SetHasBorder(false);
}

void MainWindow::UpDownA_DownPressed(Ref<fw::UpDownArrows> sender) {
  const Integer i = elements::SenderIndex<elements::UpDownA>(sender);
  if (i == 0)
    TF(1)->SetText(fw::Hex(fw::Val(TF(0)->Text())));
  else if (i == 1)
    TF(3)->SetText(fw::EncodeHex(TF(2)->Text(), false));
}

void MainWindow::UpDownA_UpPressed(Ref<fw::UpDownArrows> sender) {
  const Integer i = elements::SenderIndex<elements::UpDownA>(sender);
  if (i == 0)
    TF(0)->SetText(fw::Str(fw::Val("&h" + TF(1)->Text())));
  else if (i == 1)
    TF(2)->SetText(fw::DecodeHex(TF(3)->Text()));
}

void MainWindow::TFCB_ValueChanged(Ref<fw::CheckBox> sender) {
  const Integer i = elements::SenderIndex<elements::TFCB>(sender);
  if (i == 0) {
    const bool on = TFCB(0)->Value();
    for (Integer f = 0; f < 4; ++f) TF(f)->SetEnabled(on);
    UpDownA(0)->SetEnabled(on);
    UpDownA(1)->SetEnabled(on);
  } else if (i == 1) {
    KeyTimer()->SetRunMode(TFCB(1)->Value() ? 2 : 0);
  }
}

bool MainWindow::TFCB_MouseDown(Ref<fw::CheckBox> sender, Integer, Integer) {
  elements::SenderIndex<elements::TFCB>(sender);
  // The check box takes the click itself, toggles and raises ValueChanged.
  return false;
}
