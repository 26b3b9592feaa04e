// The window's own behaviour: what its opening sends and leaves, the double-press rule on the tick
// clock, dragging by the background, the opacity slider and the labels' opening.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QSlider>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "framework/Ticks.h"
#include "native/MessageLog.h"
#include "support/AppFixture.h"
#include "support/TransparencyMessages.h"
#include "window/ControlArrays.h"

namespace {

using fw::Integer;
using Texts = std::vector<std::string>;

// A place on the backdrop that no control covers, in window coordinates.
const QPoint kBackground(800, 300);

// What the window's opening sends, in order.
const Texts kOpening = [] {
  Texts texts = kMakeTransparentMessages;
  texts.insert(texts.end(), {"sel_registerName setAlphaValue:", "NSWindow setAlphaValue: 0.91",
                             "sel_registerName setStyleMask:", "NSWindow setStyleMask: 4"});
  return texts;
}();

// Starts the clock at 1000, so that the first press is no double press, and records the native
// messages from the very start.
class Behaviour : public AppFixture {
 protected:
  void BeforeStartUp() override {
    auto ticks = std::make_unique<fw::ManualTickService>(1000);
    clock = ticks.get();
    fw::SetTickService(std::move(ticks));
    native::StartRecording();
  }
  void TearDown() override {
    native::StopRecording();
    AppFixture::TearDown();
    fw::SetTickService(nullptr);
  }

  QWidget* Content() const { return fw::ContentOf(*window); }
  QMainWindow* Main() const { return fw::MainWidgetOf(*window); }
  bool Minimised() const { return Main()->isMinimized(); }
  void Press(QPoint at) { QTest::mousePress(Content(), Qt::LeftButton, {}, at); }
  void Release(QPoint at) { QTest::mouseRelease(Content(), Qt::LeftButton, {}, at); }
  void Drag(QPoint to) { QTest::mouseMove(Content(), to); }
  // A press and release on the background at that tick.
  void ClickAt(Integer tick, QPoint at = kBackground) {
    clock->Set(tick);
    Press(at);
    Release(at);
  }
  QSlider* Slider() const { return static_cast<QSlider*>(WidgetOf(window->TransPearentSlider())); }
  QAction* ModeAction(const char* text) const {
    for (QAction* menu : Main()->menuBar()->actions())
      if (menu->menu())
        for (QAction* action : menu->menu()->actions())
          if (action->text() == text) return action;
    return nullptr;
  }

  fw::ManualTickService* clock = nullptr;
};

TEST_F(Behaviour, OpeningMakesTheWindowClearThen91PercentThenTitleless) {
  std::vector<native::Message> log = native::TakeMessages();
  auto first = std::find_if(log.begin(), log.end(),
                            [](const native::Message& m) { return m.Text() == kOpening.front(); });
  ASSERT_NE(first, log.end());
  Texts opening;
  for (auto m = first; m != log.end(); ++m) {
    opening.push_back(m->Text());
    if (m->receiver == "NSWindow") {
      EXPECT_EQ(m->target, window->Handle()) << m->Text();
    }
  }
  // Nothing after it: the check mark is no native message.
  EXPECT_EQ(opening, kOpening);

  // The slider's opening came first and gave it the mini size with the small font.
  ASSERT_NE(first, log.begin());
  const native::Message& beforeOpening = *(first - 1);
  EXPECT_EQ(beforeOpening.Text(), "NSView setFont: NSFont(11)");
  EXPECT_EQ(beforeOpening.target, window->TransPearentSlider()->Handle());
  EXPECT_EQ(Slider()->property("controlSize").toInt(), 2);

  EXPECT_TRUE(Main()->testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_NEAR(Main()->windowOpacity(), 0.91, 1.0 / 255);
  EXPECT_TRUE(Main()->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(Main()->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(Main()->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window->TransPearentSlider()->Value(), 0);
}

TEST_F(Behaviour, BlackIsCheckedAndWhiteIsNotAfterOpening) {
  EXPECT_TRUE(window->Black(0)->HasCheckMark());
  EXPECT_FALSE(window->White(0)->HasCheckMark());
  ASSERT_NE(ModeAction("Black"), nullptr);
  ASSERT_NE(ModeAction("White"), nullptr);
  EXPECT_TRUE(ModeAction("Black")->isChecked());
  EXPECT_FALSE(ModeAction("White")->isChecked());
}

TEST_F(Behaviour, OpeningWithoutABlackItemRaisesAfterTheEffects) {
  window->SetMenuBar(fw::RuntimeNewObject<fw::MenuBar>());
  native::StartRecording();
  EXPECT_THROW(window->Event_Opening(), fw::NilObjectException);
  EXPECT_EQ(native::TakeMessageTexts(), kOpening);

  window->SetMenuBar(nullptr);
  EXPECT_THROW(window->Event_Opening(), fw::NilObjectException);
  EXPECT_EQ(native::TakeMessageTexts(), kOpening);
}

TEST_F(Behaviour, TwoPressesLessThan30TicksApartMinimise) {
  struct Case {
    Integer gap;
    bool minimises;
  };
  const Case cases[] = {{29, true}, {30, false}, {0, true}, {1, true}, {31, false}, {600, false}};
  Integer start = 10000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gap);
    Main()->showNormal();
    ClickAt(start);
    ASSERT_FALSE(Minimised());
    const QPoint second = kBackground + QPoint(7, 3);
    ClickAt(start + c.gap, second);
    EXPECT_EQ(Minimised(), c.minimises);
    // The second press keeps its point and its tick count either way.
    EXPECT_EQ(window->MouseX, second.x());
    EXPECT_EQ(window->MouseY, second.y());
    EXPECT_EQ(window->windowclick, start + c.gap);
    start += 1000;
  }
}

TEST_F(Behaviour, PressesComparedWithTheLastPressNotTheLastMinimise) {
  // Three presses 20 ticks apart: each of the last two is a double press with the one before.
  ClickAt(5000);
  ClickAt(5020);
  EXPECT_TRUE(Minimised());
  Main()->showNormal();
  ClickAt(5040);
  EXPECT_TRUE(Minimised());
}

// A clock that moves on at every reading.
class SteppingTicks : public fw::TickService {
 public:
  explicit SteppingTicks(Integer start) : now_(start) {}
  Integer Ticks() override { return now_++; }

 private:
  Integer now_;
};

TEST_F(Behaviour, TheStoredTickCountIsReadAfterTheComparison) {
  fw::SetTickService(std::make_unique<SteppingTicks>(2000));
  Press(kBackground);
  EXPECT_EQ(window->windowclick, 2001);
}

// The first press after start is compared with 0.
class FirstPress : public Behaviour, public ::testing::WithParamInterface<std::pair<Integer, bool>> {
 protected:
  void BeforeStartUp() override {
    Behaviour::BeforeStartUp();
    clock->Set(GetParam().first);
  }
};

TEST_P(FirstPress, MinimisesOnlyWhileTheClockIsBelow30) {
  Press(kBackground);
  EXPECT_EQ(Minimised(), GetParam().second);
  EXPECT_EQ(window->windowclick, GetParam().first);
}

INSTANTIATE_TEST_SUITE_P(Ticks, FirstPress,
                         ::testing::Values(std::make_pair(Integer{0}, true),
                                           std::make_pair(Integer{29}, true),
                                           std::make_pair(Integer{30}, false)));

TEST_F(Behaviour, DraggingTheBackgroundMovesTheWindowByThePointersDelta) {
  window->SetLeft(300);
  window->SetTop(200);
  Press(QPoint(10, 10));
  EXPECT_TRUE(window->MouseX == 10 && window->MouseY == 10);
  Drag(QPoint(60, 30));
  EXPECT_EQ(window->Left(), 350);
  EXPECT_EQ(window->Top(), 220);
  // The grabbed point is under the pointer again; further on, it keeps moving.
  Drag(QPoint(40, 15));
  EXPECT_EQ(window->Left(), 380);
  EXPECT_EQ(window->Top(), 225);
  // No limit at the screen's edges.
  Drag(QPoint(-1000, -800));
  EXPECT_EQ(window->Left(), -630);
  EXPECT_EQ(window->Top(), -585);
  Drag(QPoint(5000, 4000));
  EXPECT_EQ(window->Left(), 4360);
  EXPECT_EQ(window->Top(), 3405);
  Release(QPoint(10, 10));
  // The drag ends with the button.
  Drag(QPoint(100, 100));
  EXPECT_EQ(window->Left(), 4360);
  EXPECT_EQ(window->Top(), 3405);
  // A drag uses the press that began it: the grab point changes only with a new press.
  EXPECT_TRUE(window->MouseX == 10 && window->MouseY == 10);
}

TEST_F(Behaviour, PointerMovesEnteringLeavingAndReleasingChangeNothing) {
  window->SetLeft(100);
  window->SetTop(100);
  ClickAt(3000, QPoint(20, 20));
  native::TakeMessages();
  clock->Set(3010);
  QTest::mouseMove(Content(), QPoint(300, 300));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(Content(), &leave);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(105, 105));
  QApplication::sendEvent(Content(), &enter);
  window->Event_MouseMove(1, 2);
  window->Event_MouseUp(3, 4);
  window->Event_MouseEnter();
  window->Event_MouseExit();
  EXPECT_EQ(window->Left(), 100);
  EXPECT_EQ(window->Top(), 100);
  EXPECT_FALSE(Minimised());
  EXPECT_TRUE(window->MouseX == 20 && window->MouseY == 20);
  EXPECT_EQ(window->windowclick, 3000);
  EXPECT_TRUE(native::TakeMessageTexts().empty());
}

TEST_F(Behaviour, TheSliderSetsTheOpacityTo100MinusItsValue) {
  const struct {
    int value;
    const char* alpha;
    double opacity;
  } cases[] = {{9, "0.91", 0.91}, {40, "0.6", 0.60}, {80, "0.2", 0.20}, {0, "1", 1.00}, {1, "0.99", 0.99}};
  native::TakeMessages();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    Slider()->setValue(c.value);
    EXPECT_EQ(window->TransPearentSlider()->Value(), c.value);
    EXPECT_EQ(native::TakeMessageTexts(),
              (Texts{"sel_registerName setAlphaValue:", std::string("NSWindow setAlphaValue: ") + c.alpha}));
    EXPECT_NEAR(Main()->windowOpacity(), c.opacity, 1.0 / 255);  // kept in 8 bits
  }
}

TEST_F(Behaviour, TheSliderFollowsItsKeysAndNeverMakesTheWindowClear) {
  const struct {
    Qt::Key key;
    int value;
    const char* alpha;
  } steps[] = {{Qt::Key_End, 80, "0.2"}, {Qt::Key_Left, 79, "0.21"}, {Qt::Key_Home, 0, "1"}};
  native::TakeMessages();
  for (const auto& s : steps) {
    SCOPED_TRACE(s.value);
    QTest::keyClick(Slider(), s.key);
    EXPECT_EQ(window->TransPearentSlider()->Value(), s.value);
    EXPECT_EQ(native::TakeMessageTexts(),
              (Texts{"sel_registerName setAlphaValue:", std::string("NSWindow setAlphaValue: ") + s.alpha}));
  }
  // At its right end the slider goes no further, and the window stays at 20 %.
  QTest::keyClick(Slider(), Qt::Key_End);
  native::TakeMessages();
  QTest::keyClick(Slider(), Qt::Key_Right);
  EXPECT_TRUE(native::TakeMessageTexts().empty());
  EXPECT_NEAR(Main()->windowOpacity(), 0.20, 1.0 / 255);
}

TEST_F(Behaviour, ASliderHandlerWithoutASenderRaisesBeforeAnyEffect) {
  native::TakeMessages();
  EXPECT_THROW(window->TransPearentSlider_ValueChanged(nullptr), fw::NilObjectException);
  EXPECT_THROW(window->TransPearentSlider_Opening(nullptr), fw::NilObjectException);
  EXPECT_TRUE(native::TakeMessageTexts().empty());
  EXPECT_NEAR(Main()->windowOpacity(), 0.91, 1.0 / 255);
}

TEST_F(Behaviour, TheLabelsOpeningFollowsTheSenderRule) {
  native::TakeMessages();
  EXPECT_NO_THROW(window->St_Opening(window->St(2)));
  EXPECT_THROW(window->St_Opening(nullptr), fw::NilObjectException);
  // A label that is no member of the label array.
  auto stranger = window->New<fw::Label>();
  EXPECT_THROW(window->St_Opening(stranger), fw::IllegalCastException);
  EXPECT_TRUE(native::TakeMessageTexts().empty());
}

}  // namespace
