#pragma once
// The one menu bar: File, Edit and Mode, built on first use and shared by the application and the
// window.
#include "framework/MenuItem.h"

class MainMenuBar : public fw::MenuBar {
  FW_CLASS("MainMenuBar")
 public:
  // Builds the three menus, each by its own method.
  void Constructor() override;
  virtual void Untitled0();
  virtual void Untitled1();
  virtual void Untitled2();

  // The shared bar; empty until the first call of implicit::MainMenuBar().
  static fw::Ref<MainMenuBar> implicitInstance;
};

// The implicit-instance accessors, named as their classes.
namespace implicit {
fw::Ref<::MainMenuBar> MainMenuBar();
}
