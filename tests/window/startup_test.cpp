// The start-up road from the entry to the event loop and back to the exit status.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Runtime.h"
#include "shell/App.h"
#include "shell/MainMenuBar.h"
#include "shell/startup/Startup.h"
#include "window/MainWindow.h"

extern char** environ;

namespace {

struct ProgramRun {
  int status = -1;
  std::vector<std::string> steps;
  std::string stderrText;
  size_t windows = 0;
};

// The program's own lines on stderr.
int Lines(const std::string& text) {
  int n = 0;
  for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
    n += text.compare(at, 9, "brindlex:") == 0;
    if (text.find('\n', at) == std::string::npos) break;
  }
  return n;
}

// Runs the whole program; a step named failAt raises, and the event loop, once entered, quits.
ProgramRun RunWith(const std::string& failAt) {
  ProgramRun run;
  SetStartupObserver([&](std::string_view step) {
    run.steps.emplace_back(step);
    if (step == failAt) throw fw::NilObjectException("test failure at " + failAt);
    if (step == "RuntimeRun") {
      run.windows = fw::RuntimeWindows().size();
      QTimer::singleShot(0, [] { fw::RuntimeQuit(); });
    }
  });
  static char name[] = "brindlex";
  static char* argv[] = {name, nullptr};
  testing::internal::CaptureStderr();
  run.status = RunProgram(1, argv, environ);
  run.stderrText = testing::internal::GetCapturedStderr();
  SetStartupObserver(nullptr);
  return run;
}

const std::vector<std::string> kRoad = {
    "RuntimeSetExceptionHelper", "RuntimeRecordFrameworkVersion", "EarlyStartup",
    "SetSupportsHiDPI",          "RuntimeInitExternalClasses",    "InitPluginEntrypoints",
    "InitFileTypes",             "NewAppInstance",                "ApplicationAddMenuHandlers",
    "RunFrameworkInitialization", "MakeDefaultView",              "RuntimeRun"};

}  // namespace

TEST(StartupRoad, RunsEveryStepInOrderAndExitsWithZeroAfterQuit) {
  ProgramRun run = RunWith("");
  EXPECT_EQ(run.steps, kRoad);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.windows, 1u);
  EXPECT_EQ(run.stderrText.find("unhandled"), std::string::npos) << run.stderrText;
}

// A failure at any step skips the rest of the road, the event loop included: one line on stderr
// and a non-zero exit status.
class StartupFailure : public ::testing::TestWithParam<size_t> {};

TEST_P(StartupFailure, SkipsTheRestAndExitsNonZero) {
  const std::string& failing = kRoad[GetParam()];
  ProgramRun run = RunWith(failing);
  std::vector<std::string> expected(kRoad.begin(), kRoad.begin() + GetParam() + 1);
  EXPECT_EQ(run.steps, expected);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.stderrText), 1) << run.stderrText;
  EXPECT_NE(run.stderrText.find("unhandled NilObjectException: test failure at " + failing),
            std::string::npos)
      << run.stderrText;
}

INSTANTIATE_TEST_SUITE_P(EachStep, StartupFailure, ::testing::Range<size_t>(0, 11),
                         [](const auto& info) { return kRoad[info.param]; });

TEST(StartupRoad, NoDisplayGivesOneLineAndStatusOne) {
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  unsetenv("DISPLAY");
  ProgramRun run = RunWith("");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.steps.empty());
  EXPECT_EQ(Lines(run.stderrText), 1) << run.stderrText;
  EXPECT_NE(run.stderrText.find("DISPLAY"), std::string::npos) << run.stderrText;
}

TEST(StartupRoad, ADisplayNobodyServesGivesOneLineAndStatusOne) {
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  setenv("DISPLAY", ":987", 1);
  ProgramRun run = RunWith("");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.stderrText), 1) << run.stderrText;
  EXPECT_NE(run.stderrText.find(":987"), std::string::npos) << run.stderrText;
}

// The road's results, looked at before the event loop.
class StartedUp : public ::testing::Test {
 protected:
  void SetUp() override {
    static char name[] = "brindlex";
    static char* argv[] = {name, nullptr};
    ASSERT_TRUE(fw::RuntimeInit(1, argv, environ, nullptr));
    PerformInitializers();
    StartUp();
  }
  void TearDown() override {
    fw::RuntimePerformFinalizers();
    fw::RuntimeExit();
  }
};

TEST_F(StartedUp, TheApplicationHasItsVersionData) {
  fw::Ref<fw::Application> app = fw::RuntimeApp();
  ASSERT_TRUE(app);
  EXPECT_EQ(app->ClassName(), "App");
  EXPECT_EQ(app->MajorVersion(), 1);
  EXPECT_EQ(app->MinorVersion(), 0);
  EXPECT_EQ(app->BugVersion(), 0);
  EXPECT_EQ(app->NonReleaseVersion(), 0);
  EXPECT_EQ(app->StageCode(), 0);
  EXPECT_EQ(app->ShortVersion(), "");
  EXPECT_EQ(app->LongVersion(), "");
  EXPECT_EQ(app->PackageInfo(), "");
  EXPECT_TRUE(fw::Application::SupportsHiDPI());
  EXPECT_DOUBLE_EQ(fw::RuntimeFrameworkVersion(), 2019.02);
}

TEST_F(StartedUp, TheApplicationAndTheWindowShareOneMenuBar) {
  fw::Ref<fw::Window> window = fw::GetImplicitWindow("MainWindow.MainWindow");
  ASSERT_TRUE(window);
  EXPECT_TRUE(fw::RuntimeApp()->MenuBar() == window->MenuBar());
  EXPECT_TRUE(implicit::MainMenuBar() == window->MenuBar());
}

TEST_F(StartedUp, ExactlyOneMainWindowAndTheAccessorFindsIt) {
  ASSERT_EQ(fw::RuntimeWindows().size(), 1u);
  fw::Ref<MainWindow> again = implicit::MainWindow();
  EXPECT_TRUE(again == fw::RuntimeWindows()[0]);
  EXPECT_EQ(fw::RuntimeWindows().size(), 1u);
  EXPECT_EQ(again->Title(), "Brindlex");
  EXPECT_EQ(again->Width(), 1400);
  EXPECT_EQ(again->Height(), 980);
}

TEST_F(StartedUp, TheRuntimeKnowsTheFrameworkPluginAndProgramClasses) {
  for (const char* name : {"NilObjectException", "OutOfBoundsException", "UpDownArrows", "Shell",
                           "App", "MainMenuBar", "MainWindow.MainWindow", "MainWindow.BCV",
                           "MainWindow.NogisCV", "MainWindow.TFCB"})
    EXPECT_TRUE(fw::RuntimeClassKnown(name)) << name;
}

TEST_F(StartedUp, NoApplicationLevelMenuHandlersAndTheWindowHasOnlyTheModeItems) {
  fw::Ref<fw::Window> window = fw::GetImplicitWindow("MainWindow.MainWindow");
  EXPECT_EQ(window->MenuHandlerNames(), (std::vector<std::string>{"Black", "White"}));
}
