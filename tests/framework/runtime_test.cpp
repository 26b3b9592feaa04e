// The object runtime: references, casts, delegates, event bindings and the unhandled-exception path.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "framework/Canvas.h"
#include "framework/Delegate.h"
#include "framework/Label.h"
#include "framework/Runtime.h"
#include "framework/Timer.h"
#include "framework/Window.h"

extern char** environ;

namespace {

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static char name[] = "brindlex";
    static char* argv[] = {name, nullptr};
    ASSERT_TRUE(fw::RuntimeInit(1, argv, environ, nullptr));
  }
  void TearDown() override {
    fw::RuntimePerformFinalizers();
    fw::RuntimeExit();
  }
};

struct Target : fw::Object {
  FW_CLASS("Test.Target")
 public:
  std::vector<std::string> calls;
  bool Down(fw::Ref<fw::Canvas> sender, fw::Integer x, fw::Integer y) {
    calls.push_back(sender->ClassName() + " " + std::to_string(x) + "," + std::to_string(y));
    return true;
  }
  void Opening(fw::Ref<fw::Label> sender) { calls.push_back("opening " + sender->ClassName()); }
  void Fails(fw::Ref<fw::Canvas>) { throw fw::NilObjectException("on purpose"); }
  void Ran(fw::Ref<fw::Timer>) { calls.push_back("run"); }
};

}  // namespace

TEST_F(RuntimeTest, UsingANilReferenceRaisesNilObjectException) {
  fw::Ref<fw::Label> nothing;
  EXPECT_THROW(nothing->SetText("x"), fw::NilObjectException);
  EXPECT_THROW(*nothing, fw::NilObjectException);
  EXPECT_TRUE(nothing.IsNil());
}

TEST_F(RuntimeTest, CheckCastPassesNilAndRefusesOtherClasses) {
  fw::Ref<fw::Object> canvas = fw::RuntimeNewObject<fw::Canvas>();
  EXPECT_TRUE(fw::RuntimeCheckCast<fw::Canvas>(canvas));
  EXPECT_TRUE(fw::RuntimeCheckCast<fw::RectControl>(canvas));
  EXPECT_FALSE(fw::RuntimeCheckCast<fw::Label>(fw::Ref<fw::Object>()));
  try {
    fw::RuntimeCheckCast<fw::Label>(canvas);
    FAIL() << "no exception";
  } catch (const fw::IllegalCastException& e) {
    EXPECT_EQ(e.ClassName(), "IllegalCastException");
    EXPECT_EQ(e.Message(), "Canvas is not a Label");
  }
  EXPECT_TRUE(fw::RuntimeObjectIsa<fw::RectControl>(canvas));
  EXPECT_FALSE(fw::RuntimeObjectIsa<fw::Label>(canvas));
}

TEST_F(RuntimeTest, InitRunsAtCreationAndExitWhenTheLastReferenceGoes) {
  static int inits = 0, exits = 0;
  struct Counted : fw::Object {
    void Init() override { ++inits; }
    void Exit() override { ++exits; }
  };
  {
    fw::Ref<Counted> a = fw::RuntimeNewObject<Counted>();
    fw::Ref<Counted> b = a;
    EXPECT_EQ(inits, 1);
    EXPECT_EQ(exits, 0);
  }
  EXPECT_EQ(exits, 1);
}

TEST_F(RuntimeTest, ABoundDelegateCallsItsMethodWithTheSender) {
  fw::Ref<Target> target = fw::RuntimeNewObject<Target>();
  fw::Ref<fw::Canvas> canvas = fw::RuntimeNewObject<fw::Canvas>();
  canvas->Constructor();
  fw::Ref<fw::Delegate> d =
      fw::RuntimeCreateDelegate(&Target::Down, target, "Down", "( Canvas, Integer, Integer ) as Boolean");
  fw::RuntimeAddEventHandler(canvas, "MouseDown", d);
  EXPECT_TRUE(canvas->MouseDown(3, 4));
  EXPECT_EQ(target->calls, (std::vector<std::string>{"Canvas 3,4"}));
  ASSERT_EQ(canvas->EventHandlers().size(), 1u);
  EXPECT_EQ(canvas->EventHandlers()[0].first, "MouseDown");
  EXPECT_EQ(canvas->EventHandlers()[0].second->Signature(), "( Canvas, Integer, Integer ) as Boolean");
  EXPECT_EQ(canvas->EventHandlers()[0].second->MethodName(), "Down");
}

TEST_F(RuntimeTest, AnUnboundEventRunsNothingAndGivesItsDefault) {
  fw::Ref<fw::Canvas> canvas = fw::RuntimeNewObject<fw::Canvas>();
  canvas->Constructor();
  EXPECT_FALSE(canvas->MouseDown(1, 1));
}

TEST_F(RuntimeTest, BindingRejectsUnknownEventsSecondBindingsAndNil) {
  fw::Ref<Target> target = fw::RuntimeNewObject<Target>();
  fw::Ref<fw::Canvas> canvas = fw::RuntimeNewObject<fw::Canvas>();
  auto d = fw::RuntimeCreateDelegate(&Target::Down, target, "Down", "sig");
  EXPECT_THROW(canvas->AddEventHandler("ValueChanged", d), fw::InvalidArgumentException);
  canvas->AddEventHandler("MouseDown", d);
  EXPECT_THROW(canvas->AddEventHandler("MouseDown", d), fw::InvalidArgumentException);
  EXPECT_THROW(canvas->AddEventHandler("MouseUp", nullptr), fw::NilObjectException);
  EXPECT_EQ(canvas->EventHandlers().size(), 1u);
}

TEST_F(RuntimeTest, ASenderOfAnotherClassFailsTheCastAndIsReported) {
  fw::Ref<Target> target = fw::RuntimeNewObject<Target>();
  fw::Ref<fw::Canvas> canvas = fw::RuntimeNewObject<fw::Canvas>();
  canvas->Constructor();
  // A label handler bound to a canvas: the call fails its cast, and the program goes on.
  canvas->AddEventHandler("Opening", fw::RuntimeCreateDelegate(&Target::Opening, target, "Opening", "( Label )"));
  testing::internal::CaptureStderr();
  canvas->Opening();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("unhandled IllegalCastException: Canvas is not a Label in Canvas.Opening"),
            std::string::npos)
      << err;
  EXPECT_TRUE(target->calls.empty());
}

TEST_F(RuntimeTest, AnExceptionFromAHandlerIsOneLineAndTheProgramGoesOn) {
  fw::Ref<Target> target = fw::RuntimeNewObject<Target>();
  fw::Ref<fw::Canvas> canvas = fw::RuntimeNewObject<fw::Canvas>();
  canvas->Constructor();
  canvas->SetName("NogisCV");
  canvas->SetIndex(2);
  canvas->AddEventHandler("MouseEnter", fw::RuntimeCreateDelegate(&Target::Fails, target, "Fails", "( Canvas )"));
  testing::internal::CaptureStderr();
  canvas->MouseEnter();
  canvas->MouseEnter();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err,
            "brindlex: unhandled NilObjectException: on purpose in NogisCV(2).MouseEnter\n"
            "brindlex: unhandled NilObjectException: on purpose in NogisCV(2).MouseEnter\n");
}

TEST_F(RuntimeTest, ADelegateDoesNotKeepItsTargetAlive) {
  fw::Ref<Target> target = fw::RuntimeNewObject<Target>();
  fw::Ref<fw::Canvas> canvas = fw::RuntimeNewObject<fw::Canvas>();
  canvas->Constructor();
  canvas->AddEventHandler("MouseDown", fw::RuntimeCreateDelegate(&Target::Down, target, "Down", "sig"));
  std::weak_ptr<Target> weak = target.shared();
  target = nullptr;
  EXPECT_TRUE(weak.expired());
  testing::internal::CaptureStderr();
  EXPECT_FALSE(canvas->MouseDown(1, 1));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("NilObjectException"), std::string::npos);
}

// Timers on the event loop.
class TimerModes : public RuntimeTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(TimerModes, RunAsTheirModeSays) {
  auto [mode, expectedRuns] = GetParam();
  fw::Ref<Target> target = fw::RuntimeNewObject<Target>();
  fw::Ref<fw::Timer> timer = fw::RuntimeNewObject<fw::Timer>();
  timer->AddEventHandler("Run", fw::RuntimeCreateDelegate(&Target::Ran, target, "Ran", "( Timer )"));
  timer->SetPeriod(20);
  timer->SetRunMode(mode);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 250) QTest::qWait(10);
  int runs = static_cast<int>(target->calls.size());
  if (expectedRuns > 1)
    EXPECT_GE(runs, expectedRuns);
  else
    EXPECT_EQ(runs, expectedRuns);
  EXPECT_EQ(timer->RunMode(), mode == 1 ? 0 : mode);
}

INSTANTIATE_TEST_SUITE_P(Modes, TimerModes,
                         ::testing::Values(std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 3}));

TEST_F(RuntimeTest, ATimerSwitchedOffStopsRunning) {
  fw::Ref<Target> target = fw::RuntimeNewObject<Target>();
  fw::Ref<fw::Timer> timer = fw::RuntimeNewObject<fw::Timer>();
  timer->AddEventHandler("Run", fw::RuntimeCreateDelegate(&Target::Ran, target, "Ran", "( Timer )"));
  timer->SetPeriod(10);
  timer->SetRunMode(2);
  QTest::qWait(60);
  timer->SetRunMode(0);
  size_t runs = target->calls.size();
  QTest::qWait(60);
  EXPECT_EQ(target->calls.size(), runs);
}

// A window's own events go to its class's table; other events reach nothing.
namespace {

struct TestWindow : fw::Window {
  FW_CLASS("Test.Window")
 public:
  std::vector<std::string> ran;
  void Layout() { ran.push_back("Layout"); }
  void CreateControls() {
    ran.push_back("CreateControls");
    throw fw::OutOfBoundsException("during creation");
  }
  void AddMenuHandlers(fw::Ref<fw::Window>) { ran.push_back("AddMenuHandlers"); }
  void Opening() { ran.push_back("Opening"); }
  bool Key(std::string key) {
    ran.push_back("Key " + key);
    return true;
  }

 protected:
  const fw::WindowEventTable& Events() const override {
    static const fw::WindowEventTable table = fw::WindowEventTable()
                                                  .On("Layout", &TestWindow::Layout)
                                                  .On("CreateControls", &TestWindow::CreateControls)
                                                  .On("AddMenuHandlers", &TestWindow::AddMenuHandlers)
                                                  .On("Opening", &TestWindow::Opening)
                                                  .On("KeyDown", &TestWindow::Key);
    return table;
  }
};

}  // namespace

TEST_F(RuntimeTest, AWindowIsBuiltByItsEventsAndGoesOnAfterAFailingOne) {
  fw::Ref<TestWindow> w = fw::RuntimeNewObject<TestWindow>();
  testing::internal::CaptureStderr();
  w->Constructor();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(w->ran, (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers", "Opening"}));
  EXPECT_EQ(err.substr(0, err.find('\n') + 1),
            "brindlex: unhandled OutOfBoundsException: during creation in Test.Window.CreateControls\n");
  EXPECT_EQ(err.find("unhandled", 20), std::string::npos) << err;
  EXPECT_TRUE(fw::GetImplicitWindow("Test.Window") == w);
  EXPECT_FALSE(fw::GetImplicitWindow("Other.Window"));
  EXPECT_TRUE(w->RaiseKeyDown("a"));
  EXPECT_FALSE(w->RaiseMouseDown(1, 1));  // not in its table
  EXPECT_EQ(w->ran.back(), "Key a");
}

TEST(WindowEventTable, RefusesAnEventAWindowDoesNotHave) {
  EXPECT_THROW(fw::WindowEventTable().On("Clicked", &TestWindow::Opening), fw::InvalidArgumentException);
}
