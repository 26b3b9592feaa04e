#pragma once
// Builds the program through its real start-up road, without entering the event loop, on the
// offscreen platform, with the pictures and sounds of the built bundle.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <cstdlib>
#include <string>

#include "framework/Bundle.h"
#include "framework/Runtime.h"
#include "shell/startup/Startup.h"
#include "window/MainWindow.h"

extern char** environ;

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bundle = std::getenv("BRINDLEX_BUNDLE");
    ASSERT_NE(bundle, nullptr) << "BRINDLEX_BUNDLE names the built bundle";
    fw::SetBundleService(std::make_unique<fw::FixedBundleService>(std::string(bundle) + "/bin"));
    static char name[] = "brindlex";
    static char* argv[] = {name, nullptr};
    ASSERT_TRUE(fw::RuntimeInit(1, argv, environ, nullptr));
    PerformInitializers();
    BeforeStartUp();
    StartUp();
    window = fw::RuntimeCheckCast<MainWindow>(fw::GetImplicitWindow("MainWindow.MainWindow"));
    ASSERT_TRUE(window);
  }
  void TearDown() override {
    window = nullptr;
    fw::RuntimePerformFinalizers();
    fw::RuntimeExit();
  }
  // Services a test puts in force before the window is built.
  virtual void BeforeStartUp() {}

  // The widget behind a control, for QTest input.
  static QWidget* WidgetOf(const fw::Ref<fw::RectControl>& control);
  // Lets queued toolkit events run.
  static void ProcessEvents() { QApplication::processEvents(); }

  fw::Ref<MainWindow> window;
};

#include "framework/ControlPrivate.h"
#include "framework/WindowPrivate.h"

inline QWidget* AppFixture::WidgetOf(const fw::Ref<fw::RectControl>& control) {
  return fw::WidgetOf(*control);
}
