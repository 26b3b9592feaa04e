// The main window's class: its fields, its own events and its one instance.
#include <gtest/gtest.h>

#include <QAction>
#include <QCursor>
#include <QMenuBar>

#include "support/AppFixture.h"

using MainWindowClass = AppFixture;

TEST(MainWindowFields, ANewInstanceStartsEmpty) {
  // Init runs without a window being built.
  static char name[] = "brindlex";
  static char* argv[] = {name, nullptr};
  ASSERT_TRUE(fw::RuntimeInit(1, argv, environ, nullptr));
  fw::Ref<MainWindow> w = fw::RuntimeNewObject<MainWindow>();
  EXPECT_EQ(w->values, (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(w->MouseX, 0);
  EXPECT_EQ(w->MouseY, 0);
  EXPECT_EQ(w->windowclick, 0);
  EXPECT_EQ(w->operator_, "");
  EXPECT_EQ(w->total, 0.0);
  EXPECT_FALSE(w->inKeyFinish);
  EXPECT_EQ(w->nogisX, 0);
  EXPECT_EQ(w->nogisY, 0);
  EXPECT_EQ(w->mode, 0);
  EXPECT_FALSE(w->colorMOde);
  EXPECT_EQ(w->SystemColor, 0u);
  EXPECT_EQ(w->ClassName(), "MainWindow.MainWindow");
  w = nullptr;
  fw::RuntimeExit();
}

TEST_F(MainWindowClass, TheFieldsHideTheFrameworksPointerPosition) {
  QCursor::setPos(fw::ContentOf(*window)->mapToGlobal(QPoint(321, 123)));
  window->MouseX = 5;
  window->MouseY = 6;
  EXPECT_EQ(window->fw::Window::MouseX(), 321);
  EXPECT_EQ(window->fw::Window::MouseY(), 123);
  EXPECT_EQ(window->MouseX, 5);
  EXPECT_EQ(window->MouseY, 6);
}

TEST_F(MainWindowClass, ElevenWindowEventsAreBoundInTheClass) {
  const auto& entries = window->EventTable().Entries();
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.event);
  EXPECT_EQ(names, (std::vector<std::string>{"AddMenuHandlers", "CreateControls", "KeyDown",
                                             "Layout", "MouseDown", "MouseDrag", "MouseEnter",
                                             "MouseExit", "MouseMove", "MouseUp", "Opening"}));
}

TEST_F(MainWindowClass, OtherWindowEventsReachNothing) {
  // None of these has a handler: raising them changes no field and reports no failure.
  testing::internal::CaptureStderr();
  for (const char* event : {"Paint", "Resized", "Moved", "Close", "CancelClose", "Closing",
                            "Activate", "KeyUp", "MouseWheel"})
    window->Raise(event);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(window->values, (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(fw::RuntimeWindows().size(), 1u);
}

TEST_F(MainWindowClass, TheImplicitInstanceIsCreatedOnce) {
  fw::Ref<MainWindow> a = implicit::MainWindow();
  fw::Ref<MainWindow> b = implicit::MainWindow();
  EXPECT_TRUE(a == window);
  EXPECT_TRUE(b == window);
  EXPECT_EQ(fw::RuntimeWindows().size(), 1u);
}

TEST_F(MainWindowClass, ShowsTheMenuBarAboveTheContent) {
  QMainWindow* main = fw::MainWidgetOf(*window);
  ASSERT_TRUE(main->menuBar());
  QStringList titles;
  for (QAction* a : main->menuBar()->actions()) titles << a->text();
  // "Mode" has no mnemonic of its own; it is shown with its first letter's.
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Mode"}));
  QWidget* content = fw::ContentOf(*window);
  EXPECT_EQ(content->size(), QSize(1400, 980));
  EXPECT_GE(content->mapTo(main, QPoint(0, 0)).y(), main->menuBar()->height());
}
