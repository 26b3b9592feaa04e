#pragma once
// The one window: all of the program's state in twelve fields, all of its behaviour in methods.
// The methods are defined beside the behaviour they belong to: window/ for the layout, controls,
// accessors, window behaviour and menu items, tools/ for the rulers, calipers, calculator, key
// display, readouts and converter.
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/CheckBox.h"
#include "framework/GroupBox.h"
#include "framework/Label.h"
#include "framework/MenuItem.h"
#include "framework/Shapes.h"
#include "framework/Slider.h"
#include "framework/TextField.h"
#include "framework/Timer.h"
#include "framework/UpDownArrows.h"
#include "framework/Window.h"

class MainWindow : public fw::Window {
  FW_CLASS("MainWindow.MainWindow")
 public:
  using Integer = fw::Integer;
  template <class T>
  using Ref = fw::Ref<T>;

  // The fields, in declaration order. They hide the framework's pointer position of the same names.
  Integer MouseX = 0;
  Integer MouseY = 0;
  Integer windowclick = 0;
  std::vector<std::string> values;
  std::string operator_;  // "operator" is a C++ keyword
  double total = 0.0;
  bool inKeyFinish = false;
  Integer nogisX = 0;
  Integer nogisY = 0;
  Integer mode = 0;
  bool colorMOde = false;
  fw::Color SystemColor = 0;

  void Init() override;
  void Exit() override;

  // Construction events.
  void Layout();
  void CreateControls();
  void CreateControls0();
  void CreateControls1();

  // Accessors: each looks its control up anew.
  Ref<fw::GroupBox> ButtonGB();
  Ref<fw::Canvas> BCV(Integer index);
  Ref<fw::Slider> TransPearentSlider();
  Ref<fw::RoundRectangle> RRectangle(Integer index);
  Ref<fw::Label> St(Integer index);
  Ref<fw::Rectangle> RRectangleI(Integer index);
  Ref<fw::TextField> TF(Integer index);
  Ref<fw::UpDownArrows> UpDownA(Integer index);
  Ref<fw::CheckBox> TFCB(Integer index);
  Ref<fw::Canvas> NogisCV(Integer index);
  Ref<fw::Timer> DelayTimer();
  Ref<fw::Timer> KeyTimer();

  // Control and timer handlers.
  bool BCV_MouseDown(Ref<fw::Canvas> sender, Integer x, Integer y);
  void BCV_MouseEnter(Ref<fw::Canvas> sender);
  void BCV_MouseMove(Ref<fw::Canvas> sender, Integer x, Integer y);
  void BCV_MouseExit(Ref<fw::Canvas> sender);
  void BCV_Opening(Ref<fw::Canvas> sender);
  void TransPearentSlider_Opening(Ref<fw::Slider> sender);
  void TransPearentSlider_ValueChanged(Ref<fw::Slider> sender);
  void St_Opening(Ref<fw::Label> sender);
  bool TF_KeyDown(Ref<fw::TextField> sender, std::string key);
  void TF_Opening(Ref<fw::TextField> sender);
  void UpDownA_DownPressed(Ref<fw::UpDownArrows> sender);
  void UpDownA_UpPressed(Ref<fw::UpDownArrows> sender);
  void TFCB_ValueChanged(Ref<fw::CheckBox> sender);
  bool TFCB_MouseDown(Ref<fw::CheckBox> sender, Integer x, Integer y);
  bool NogisCV_MouseDown(Ref<fw::Canvas> sender, Integer x, Integer y);
  void NogisCV_MouseDrag(Ref<fw::Canvas> sender, Integer x, Integer y);
  void NogisCV_Opening(Ref<fw::Canvas> sender);
  void DelayTimer_Run(Ref<fw::Timer> sender);
  void KeyTimer_Run(Ref<fw::Timer> sender);

  // Menu-item accessors and the Mode items' registration.
  Ref<fw::MenuItem> ModeMenu();
  Ref<fw::MenuItem> Black(Integer index);
  Ref<fw::MenuItem> White(Integer index);
  Ref<fw::MenuItem> EditMenu();
  Ref<fw::MenuItem> EditSelectAll();
  Ref<fw::MenuItem> EditSeparator2();
  Ref<fw::MenuItem> EditClear();
  Ref<fw::MenuItem> EditPaste();
  Ref<fw::MenuItem> EditCopy();
  Ref<fw::MenuItem> EditCut();
  Ref<fw::MenuItem> EditSeparator1();
  Ref<fw::MenuItem> EditUndo();
  Ref<fw::MenuItem> FileMenu();
  Ref<fw::QuitMenuItem> FileQuit();
  void AddMenuHandlers(Ref<fw::Window> window);

  // The window's own events.
  void Event_Opening();
  bool Event_MouseDown(Integer x, Integer y);
  void Event_MouseDrag(Integer x, Integer y);
  void Event_MouseEnter();
  void Event_MouseMove(Integer x, Integer y);
  void Event_MouseUp(Integer x, Integer y);
  void Event_MouseExit();
  bool Event_KeyDown(std::string key);

  // The Mode items' actions.
  bool Black_Action(Integer index);
  bool White_Action(Integer index);

  // The calculator and the calipers.
  void InTenKey(std::string text);
  void Display(std::string text);
  void InOperatorkey(std::string sign);
  void Clear();
  void Delete();
  void AllDisappear();

 protected:
  const fw::WindowEventTable& Events() const override;
};

// The implicit instance of the class: created on the first call, found again after.
namespace implicit {
fw::Ref<::MainWindow> MainWindow();
}
