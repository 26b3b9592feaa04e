// The live readouts: the pointer's position, the first held key, and the colour under the
// pointer, refreshed at each tick of KeyTimer while TFCB(1) is ticked (the switch is in
// Converter.cpp, with the check boxes' shared handler).
#include <cmath>
#include <string>

#include "framework/Clipboard.h"
#include "framework/Keyboard.h"
#include "framework/Picture.h"
#include "framework/Shell.h"
#include "framework/System.h"
#include "framework/Text.h"
#include "window/MainWindow.h"

namespace {

constexpr fw::Integer kLowestCode = 0;
constexpr fw::Integer kHighestCode = 127;
constexpr fw::Color kRed = 0xFF0000;
constexpr const char* kCaptureCommand = "screencapture -c -x";

// The modifier and input-mode keys that get a name, in the order they are compared.
struct NamedKey {
  fw::Integer code;
  const char* name;
  bool paintsRed;
};
constexpr NamedKey kNamedKeys[] = {
    {55, "command", true}, {56, "shift", true},   {57, "capslock", true}, {58, "option", true},
    {59, "Control", true}, {102, "英数", true},    {104, "かな", false},
};

const NamedKey* FindNamedKey(fw::Integer code) {
  for (const NamedKey& key : kNamedKeys)
    if (key.code == code) return &key;
  return nullptr;
}

std::string TwoHexDigits(fw::Integer component) { return fw::Right("00" + fw::Hex(component), 2); }

// RRGGBB; the top byte is not shown.
std::string ColourText(fw::Color colour) {
  return TwoHexDigits((colour >> 16) & 0xFF) + TwoHexDigits((colour >> 8) & 0xFF) +
         TwoHexDigits(colour & 0xFF);
}

// A picture of the screen is in device pixels, the pointer in points.
fw::Integer ToPixels(fw::Integer points, double pixelsPerPoint) {
  return fw::Integer(std::floor(double(points) * pixelsPerPoint));
}

}  // namespace

void MainWindow::KeyTimer_Run(Ref<fw::Timer>) {
  St(7)->SetText(fw::Int64ToString(fw::System::MouseX()));
  St(9)->SetText(fw::Int64ToString(fw::System::MouseY()));

  for (Integer code = kLowestCode; code <= kHighestCode; ++code) {
    if (fw::Keyboard().AsyncKeyDown(code)) {
      if (const NamedKey* key = FindNamedKey(code)) {
        if (key->paintsRed) St(10)->SetTextColor(kRed);
        St(10)->SetText(key->name);
        St(11)->SetText("");
      }
      St(12)->SetText(fw::Str(code));
      return;  // the lowest held code wins, and no capture runs while a key is held
    }
    fw::RuntimeBackgroundTask();
  }

  // The tick waits for the capture, so that the clipboard holds the new picture when it is read.
  auto shell = fw::RuntimeNewObject<fw::Shell>();
  shell->Execute(kCaptureCommand);
  shell->Close();

  auto clipboard = fw::RuntimeNewObject<fw::Clipboard>();
  Ref<fw::Picture> picture = clipboard->Picture();
  // No picture (no capture tool, a refused capture), or a pointer beyond it (another display):
  // the colour stays as it was.
  if (!picture) return;
  Ref<fw::RGBSurface> surface = picture->RGBSurface();
  const double ratio = fw::System::PixelsPerPoint();
  const Integer x = ToPixels(fw::System::MouseX(), ratio);
  const Integer y = ToPixels(fw::System::MouseY(), ratio);
  if (x < 0 || y < 0 || x >= surface->Width() || y >= surface->Height()) return;
  SystemColor = surface->Pixel(x, y);
  St(14)->SetText(ColourText(SystemColor));
}
