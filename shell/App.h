#pragma once
#include "framework/Application.h"

// The application class: it adds nothing to the framework's application but its constructor.
class App : public fw::Application {
  FW_CLASS("App")
 public:
  virtual void Constructor() {}
};
