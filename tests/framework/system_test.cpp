#include "framework/System.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>

#include <cstdlib>

namespace fw {
namespace {

std::unique_ptr<QApplication> MakeApp() {
  static int argc = 1;
  static char name[] = "system_test";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QApplication>(argc, argv);
}

TEST(DesktopSystem, ThePointerIsReadAnewAtEachCall) {
  auto app = MakeApp();
  QCursor::setPos(40, 50);
  EXPECT_EQ(System::MouseX(), 40);
  EXPECT_EQ(System::MouseY(), 50);
  QCursor::setPos(700, 3);
  EXPECT_EQ(System::MouseX(), 700);
  EXPECT_EQ(System::MouseY(), 3);
  EXPECT_EQ(System::PixelsPerPoint(), 1.0);
  RuntimeBackgroundTask();  // returns, and runs no events
}

TEST(DesktopSystem, ADoubledScreenHasTwoPixelsAPoint) {
  setenv("QT_SCALE_FACTOR", "2", 1);
  auto app = MakeApp();
  QCursor::setPos(40, 50);
  EXPECT_EQ(System::PixelsPerPoint(), 2.0);
  EXPECT_EQ(System::MouseX(), 40);  // still in points
}

TEST(ManualSystem, GivesWhatWasSetAndCountsReadsAndYields) {
  auto service = std::make_unique<ManualSystemService>();
  ManualSystemService& manual = *service;
  SetSystemService(std::move(service));
  manual.SetMouse(-5, 12);
  manual.SetPixelsPerPoint(1.5);
  EXPECT_EQ(System::MouseX(), -5);
  EXPECT_EQ(System::MouseY(), 12);
  EXPECT_EQ(System::PixelsPerPoint(), 1.5);
  RuntimeBackgroundTask();
  RuntimeBackgroundTask();
  EXPECT_EQ(manual.MouseReads(), 2);
  EXPECT_EQ(manual.Yields(), 2);
  SetSystemService(nullptr);
}

}  // namespace
}  // namespace fw
