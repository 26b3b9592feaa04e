// The window's controls and timers as created: order, arrays and lookups, bindings, declared state,
// geometry in window coordinates, parents and stacking, and a failure while creating them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QRawFont>

#include <string>
#include <tuple>
#include <vector>

#include "shell/Resources.h"
#include "support/AppFixture.h"
#include "window/ControlArrays.h"
#include "window/LayoutTable.h"

namespace {

using fw::Integer;
using fw::Ref;
constexpr Integer kNoIndex = fw::Control::kNoIndex;

std::string Id(const Ref<fw::Control>& c) {
  return c->Index() == kNoIndex ? c->Name() : c->Name() + "(" + std::to_string(c->Index()) + ")";
}

// A point in window coordinates: the control's centre.
QPoint Centre(const Ref<fw::RectControl>& c) {
  return QPoint(static_cast<int>(c->Left() + c->Width() / 2),
                static_cast<int>(c->Top() + c->Height() / 2));
}

}  // namespace

using Controls = AppFixture;

TEST_F(Controls, TheFortyEightInstancesAreCreatedAndRegisteredInOrder) {
  std::vector<std::string> ids;
  for (const auto& c : window->Controls()) ids.push_back(Id(c));
  EXPECT_EQ(ids, (std::vector<std::string>{
                     "ButtonGB",       "BCV(2)",         "BCV(3)",         "BCV(0)",
                     "TransPearentSlider", "RRectangle(0)", "St(1)",       "St(0)",
                     "RRectangle(5)",  "St(6)",          "St(7)",          "RRectangle(6)",
                     "St(8)",          "RRectangle(7)",  "St(10)",         "St(9)",
                     "St(11)",         "BCV(1)",         "RRectangle(9)",  "St(13)",
                     "St(14)",         "RRectangleI(0)", "TF(0)",          "RRectangleI(1)",
                     "TF(1)",          "RRectangleI(2)", "TF(2)",          "RRectangleI(3)",
                     "TF(3)",          "UpDownA(0)",     "UpDownA(1)",     "TFCB(0)",
                     "St(12)",         "TFCB(1)",        "NogisCV(0)",     "RRectangle(1)",
                     "St(2)",          "NogisCV(2)",     "RRectangle(3)",  "St(4)",
                     "NogisCV(3)",     "RRectangle(4)",  "St(5)",          "NogisCV(1)",
                     "RRectangle(2)",  "St(3)",          "DelayTimer",     "KeyTimer"}));
}

TEST_F(Controls, EachArrayMemberAndSingleObjectCarriesItsBindings) {
  using Row = std::tuple<std::string, std::string, std::string>;  // event, method, signature
  struct Case {
    const char* name;
    std::vector<Integer> indices;
    std::vector<Row> bindings;
  };
  const Case cases[] = {
      {"ButtonGB", {kNoIndex}, {}},
      {"BCV",
       {0, 1, 2, 3},
       {{"MouseDown", "BCV_MouseDown", "( Canvas, Integer, Integer ) as Boolean"},
        {"MouseEnter", "BCV_MouseEnter", "( Canvas )"},
        {"MouseMove", "BCV_MouseMove", "( Canvas, Integer, Integer )"},
        {"MouseExit", "BCV_MouseExit", "( Canvas )"},
        {"Opening", "BCV_Opening", "( Canvas )"}}},
      {"TransPearentSlider",
       {kNoIndex},
       {{"Opening", "TransPearentSlider_Opening", "( Slider )"},
        {"ValueChanged", "TransPearentSlider_ValueChanged", "( Slider )"}}},
      {"RRectangle", {0, 1, 2, 3, 4, 5, 6, 7, 9}, {}},
      {"St",
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
       {{"Opening", "St_Opening", "( Label )"}}},
      {"RRectangleI", {0, 1, 2, 3}, {}},
      {"TF",
       {0, 1, 2, 3},
       {{"KeyDown", "TF_KeyDown", "( TextField, String ) as Boolean"},
        {"Opening", "TF_Opening", "( TextField )"}}},
      {"UpDownA",
       {0, 1},
       {{"DownPressed", "UpDownA_DownPressed", "( UpDownArrows )"},
        {"UpPressed", "UpDownA_UpPressed", "( UpDownArrows )"}}},
      {"TFCB",
       {0, 1},
       {{"ValueChanged", "TFCB_ValueChanged", "( CheckBox )"},
        {"MouseDown", "TFCB_MouseDown", "( CheckBox, Integer, Integer ) as Boolean"}}},
      {"NogisCV",
       {0, 1, 2, 3},
       {{"MouseDown", "NogisCV_MouseDown", "( Canvas, Integer, Integer ) as Boolean"},
        {"MouseDrag", "NogisCV_MouseDrag", "( Canvas, Integer, Integer )"},
        {"Opening", "NogisCV_Opening", "( Canvas )"}}},
      {"DelayTimer", {kNoIndex}, {{"Run", "DelayTimer_Run", "( Timer )"}}},
      {"KeyTimer", {kNoIndex}, {{"Run", "KeyTimer_Run", "( Timer )"}}},
  };
  size_t expectedTotal = 0;
  for (const Case& c : cases) {
    for (Integer i : c.indices) {
      Ref<fw::Control> control =
          i == kNoIndex ? window->ControlByName(c.name) : window->ControlByNameIndex(c.name, i);
      ASSERT_TRUE(control) << c.name << "(" << i << ")";
      std::vector<Row> bound;
      for (const auto& [event, delegate] : control->EventHandlers())
        bound.emplace_back(event, delegate->MethodName(), delegate->Signature());
      EXPECT_EQ(bound, c.bindings) << Id(control);
      expectedTotal += c.bindings.size();
    }
  }
  size_t total = 0;
  for (const auto& control : window->Controls()) total += control->EventHandlers().size();
  EXPECT_EQ(expectedTotal, 67u);
  EXPECT_EQ(total, 67u);
}

TEST_F(Controls, TheAccessorsFindMembersByIndexWhateverTheCreationOrder) {
  const auto& all = window->Controls();
  ASSERT_EQ(all.size(), 48u);
  // BCV is created 2, 3, 0, 1 and NogisCV 0, 2, 3, 1.
  EXPECT_TRUE(window->BCV(0) == all[3]);
  EXPECT_TRUE(window->BCV(1) == all[17]);
  EXPECT_TRUE(window->NogisCV(1) == all[43]);
  EXPECT_TRUE(window->NogisCV(2) == all[37]);
  // The name decides: both are canvases, and different ones.
  ASSERT_TRUE(window->BCV(2));
  ASSERT_TRUE(window->NogisCV(2));
  EXPECT_FALSE(window->BCV(2) == window->NogisCV(2));
  // Looked up anew each time, the same control.
  EXPECT_TRUE(window->St(5) == window->St(5));
  EXPECT_TRUE(window->ButtonGB() == all[0]);
  EXPECT_TRUE(window->TransPearentSlider() == all[4]);
  EXPECT_TRUE(window->DelayTimer() == all[46]);
  EXPECT_TRUE(window->KeyTimer() == all[47]);
  for (Integer i = 0; i < 4; ++i) {
    ASSERT_TRUE(window->RRectangleI(i)) << i;
    EXPECT_EQ(window->RRectangleI(i)->Index(), i);
  }
  // No member 8, and nothing past the ends.
  EXPECT_FALSE(window->RRectangle(8));
  EXPECT_FALSE(window->St(15));
  EXPECT_FALSE(window->TF(-1));
  EXPECT_FALSE(window->BCV(kNoIndex));
  std::vector<Integer> boxes;
  for (const auto& c : all)
    if (c->Name() == "RRectangle") boxes.push_back(c->Index());
  EXPECT_EQ(boxes, (std::vector<Integer>{0, 5, 6, 7, 9, 1, 3, 4, 2}));
}

TEST_F(Controls, MembersAreOfTheirElementClassesAndSingleObjectsCarryNoIndex) {
  struct Case {
    const char* name;
    const char* className;
  };
  for (const Case& c : {Case{"BCV", "MainWindow.BCV"}, Case{"RRectangle", "MainWindow.RRectangle"},
                        Case{"St", "MainWindow.St"}, Case{"RRectangleI", "MainWindow.RRectangleI"},
                        Case{"TF", "MainWindow.TF"}, Case{"UpDownA", "MainWindow.UpDownA"},
                        Case{"TFCB", "MainWindow.TFCB"}, Case{"NogisCV", "MainWindow.NogisCV"}}) {
    for (const auto& control : window->Controls())
      if (control->Name() == c.name) {
        EXPECT_EQ(control->ClassName(), c.className) << Id(control);
      }
  }
  EXPECT_EQ(window->ButtonGB()->ClassName(), "GroupBox");
  EXPECT_EQ(window->TransPearentSlider()->ClassName(), "Slider");
  EXPECT_EQ(window->ButtonGB()->Index(), -2147483648LL);
  EXPECT_EQ(window->TransPearentSlider()->Index(), -2147483648LL);
  EXPECT_EQ(window->DelayTimer()->ClassName(), "Timer");
  // A canvas of the one array is never taken for a member of the other.
  EXPECT_FALSE(fw::RuntimeObjectIsa<elements::NogisCV>(window->BCV(2)));
  EXPECT_FALSE(fw::RuntimeObjectIsa<elements::BCV>(window->NogisCV(2)));
}

TEST_F(Controls, TheSenderRuleGivesTheMembersIndexAndRefusesOthers) {
  EXPECT_EQ(elements::SenderIndex<elements::BCV>(window->BCV(3)), 3);
  EXPECT_EQ(elements::SenderIndex<elements::St>(window->St(14)), 14);
  EXPECT_EQ(elements::SenderIndex<elements::NogisCV>(window->NogisCV(0)), 0);
  EXPECT_THROW(elements::SenderIndex<elements::BCV>(window->NogisCV(3)), fw::IllegalCastException);
  EXPECT_THROW(elements::SenderIndex<elements::TF>(window->TransPearentSlider()),
               fw::IllegalCastException);
  EXPECT_THROW(elements::SenderIndex<elements::BCV>(Ref<fw::Canvas>()), fw::NilObjectException);
}

namespace {

// Records the Index that the plain constructor sees when it makes the widget.
class ProbeSt : public elements::St {
 public:
  Integer indexWhenMade = 0;

 protected:
  std::unique_ptr<fw::WidgetHost> CreateWidget() override {
    indexWhenMade = Index();
    return elements::St::CreateWidget();
  }
};

}  // namespace

TEST_F(Controls, AMembersIndexIsSetBeforeThePlainConstructorRuns) {
  Ref<ProbeSt> probe = window->New<ProbeSt>();
  EXPECT_EQ(probe->Index(), kNoIndex);
  EXPECT_EQ(WidgetOf(probe), nullptr);
  probe->Constructor(7);
  EXPECT_EQ(probe->indexWhenMade, 7);
  EXPECT_EQ(probe->Index(), 7);
  EXPECT_NE(qobject_cast<QLabel*>(WidgetOf(probe)), nullptr);
}

TEST_F(Controls, OnlyTheTwoCalipersAreHiddenAndTheirChildrenDoNotShow) {
  std::vector<std::string> hidden, notShowing;
  for (const auto& c : window->Controls()) {
    if (!fw::RuntimeObjectIsa<fw::RectControl>(c)) continue;
    auto rc = fw::RuntimeCheckCast<fw::RectControl>(c);
    if (!rc->Visible()) hidden.push_back(Id(c));
    if (!WidgetOf(rc)->isVisible()) notShowing.push_back(Id(c));
  }
  EXPECT_EQ(hidden, (std::vector<std::string>{"NogisCV(2)", "NogisCV(1)"}));
  EXPECT_EQ(notShowing, (std::vector<std::string>{"NogisCV(2)", "RRectangle(3)", "St(4)",
                                                  "NogisCV(1)", "RRectangle(2)", "St(3)"}));
}

TEST_F(Controls, OnlyTheConverterFieldsAndArrowsStartDisabled) {
  std::vector<std::string> disabled;
  for (const auto& c : window->Controls()) {
    if (!fw::RuntimeObjectIsa<fw::RectControl>(c)) continue;
    auto rc = fw::RuntimeCheckCast<fw::RectControl>(c);
    if (!rc->Enabled()) disabled.push_back(Id(c));
    EXPECT_EQ(WidgetOf(rc)->isEnabled(), rc->Enabled()) << Id(c);
  }
  EXPECT_EQ(disabled, (std::vector<std::string>{"TF(0)", "TF(1)", "TF(2)", "TF(3)", "UpDownA(0)",
                                                "UpDownA(1)"}));
  EXPECT_FALSE(window->TFCB(0)->Value());
  EXPECT_FALSE(window->TFCB(1)->Value());
  EXPECT_EQ(window->TransPearentSlider()->Value(), 0);
  EXPECT_EQ(window->TransPearentSlider()->MaximumValue(), 80);
  EXPECT_EQ(window->KeyTimer()->RunMode(), fw::Timer::kOff);
  EXPECT_EQ(window->KeyTimer()->Period(), 100);
  EXPECT_EQ(window->DelayTimer()->RunMode(), fw::Timer::kSingle);
  EXPECT_EQ(window->DelayTimer()->Period(), 2000);
}

TEST_F(Controls, TheLabelsAndFieldsStartWithTheirDeclaredTexts) {
  const char* labels[] = {"0.0", "", "0.0", "0.0", "0.0", "0.0", "X:", "0.0",
                          "Y:",  "0.0", "", "",  "",    "Color", "FFFFFF"};
  for (Integer i = 0; i < 15; ++i) {
    EXPECT_EQ(window->St(i)->Text(), labels[i]) << "St(" << i << ")";
    auto* label = qobject_cast<QLabel*>(WidgetOf(window->St(i)));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), labels[i]) << "St(" << i << ")";
  }
  const char* hints[] = {"00", "FF", "愛", "E6849B"};
  for (Integer i = 0; i < 4; ++i) {
    EXPECT_EQ(window->TF(i)->Text(), "") << "TF(" << i << ")";
    EXPECT_EQ(window->TF(i)->Hint(), hints[i]) << "TF(" << i << ")";
    auto* edit = qobject_cast<QLineEdit*>(WidgetOf(window->TF(i)));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->placeholderText().toStdString(), hints[i]);
  }
}

TEST_F(Controls, TheFieldsAndLabelsFontsFindGlyphsForJapaneseText) {
  // The font that the toolkit falls back on for the script, for a field's and a label's font.
  for (QWidget* w : {WidgetOf(window->TF(2)), WidgetOf(window->St(10))}) {
    QRawFont raw = QRawFont::fromFont(w->font(), QFontDatabase::Japanese);
    ASSERT_TRUE(raw.isValid()) << "no font for Japanese text";
    for (char32_t c : std::u32string(U"愛英数かな"))
      EXPECT_TRUE(raw.supportsCharacter(c)) << raw.familyName().toStdString() << " lacks U+"
                                            << std::hex << static_cast<unsigned>(c);
  }
}

TEST_F(Controls, TheArrowButtonsGetTheirFirstPictures) {
  ASSERT_TRUE(LArrowB());
  ASSERT_TRUE(TArrow());
  EXPECT_TRUE(window->BCV(0)->Backdrop() == LArrowB());
  EXPECT_TRUE(window->BCV(1)->Backdrop() == RArrow());
  EXPECT_TRUE(window->BCV(2)->Backdrop() == TArrow());
  EXPECT_TRUE(window->BCV(3)->Backdrop() == TArrow());
  EXPECT_FALSE(window->NogisCV(0)->Backdrop());
}

TEST_F(Controls, EveryControlStandsAtItsDeclaredPlaceInWindowCoordinates) {
  QWidget* content = fw::ContentOf(*window);
  for (const layout::Instance& row : layout::Instances()) {
    if (row.kind == layout::Kind::Timer) continue;
    auto c = fw::RuntimeCheckCast<fw::RectControl>(
        row.index == kNoIndex ? window->ControlByName(row.name)
                              : window->ControlByNameIndex(row.name, row.index));
    ASSERT_TRUE(c) << row.number;
    EXPECT_EQ(std::vector<Integer>({c->Left(), c->Top(), c->Width(), c->Height()}),
              std::vector<Integer>({row.left, row.top, row.width, row.height}))
        << Id(c);
    // The toolkit agrees, whatever the depth of nesting.
    QWidget* w = WidgetOf(c);
    EXPECT_EQ(QRect(w->mapTo(content, QPoint(0, 0)), w->size()),
              QRect(static_cast<int>(row.left), static_cast<int>(row.top),
                    static_cast<int>(row.width), static_cast<int>(row.height)))
        << Id(c);
  }
  // A few rows checked against the declared figures themselves, one per depth of nesting.
  auto at = [](const Ref<fw::RectControl>& c) {
    return std::vector<Integer>({c->Left(), c->Top(), c->Width(), c->Height()});
  };
  EXPECT_EQ(at(window->ButtonGB()), (std::vector<Integer>{60, 714, 220, 220}));
  EXPECT_EQ(at(window->St(9)), (std::vector<Integer>{131, 779, 25, 14}));
  EXPECT_EQ(at(window->TF(3)), (std::vector<Integer>{186, 885, 48, 14}));
  EXPECT_EQ(at(window->St(4)), (std::vector<Integer>{505, 131, 40, 14}));
  EXPECT_EQ(at(window->St(3)), (std::vector<Integer>{1159, 503, 40, 14}));
}

TEST_F(Controls, LabelsOnBoxesBelongToTheirDeclaredParents) {
  struct Case {
    Ref<fw::RectControl> child, parent;
    const char* what;
  };
  const Case cases[] = {
      {window->St(9), window->ButtonGB(), "St(9)"},
      {window->St(11), window->ButtonGB(), "St(11)"},
      {window->St(12), window->ButtonGB(), "St(12)"},
      {window->St(14), window->ButtonGB(), "St(14)"},
      {window->St(2), window->NogisCV(0), "St(2)"},
      {window->St(3), window->NogisCV(1), "St(3)"},
      {window->St(4), window->RRectangle(3), "St(4)"},
      {window->St(5), window->RRectangle(4), "St(5)"},
      {window->St(0), window->RRectangle(0), "St(0)"},
      {window->TF(2), window->RRectangleI(2), "TF(2)"},
      {window->RRectangle(3), window->NogisCV(2), "RRectangle(3)"},
      {window->NogisCV(0), nullptr, "NogisCV(0)"},
      {window->ButtonGB(), nullptr, "ButtonGB"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.child) << c.what;
    EXPECT_TRUE(c.child->Parent() == c.parent) << c.what;
    QWidget* expected = c.parent ? WidgetOf(c.parent) : fw::ContentOf(*window);
    EXPECT_EQ(WidgetOf(c.child)->parentWidget(), expected) << c.what;
  }
}

TEST_F(Controls, LabelsShowAboveTheirBoxesFieldsAboveTheirFramesAndBoxesAboveTheirCalipers) {
  QWidget* content = fw::ContentOf(*window);
  // The topmost widget at the centre of each showing label and field is that label or field.
  for (Integer i = 0; i < 15; ++i) {
    if (i == 3 || i == 4) continue;  // on the hidden calipers
    EXPECT_EQ(content->childAt(Centre(window->St(i))), WidgetOf(window->St(i)))
        << "St(" << i << ")";
  }
  for (Integer i = 0; i < 4; ++i)
    EXPECT_EQ(content->childAt(Centre(window->TF(i))), WidgetOf(window->TF(i)))
        << "TF(" << i << ")";
  // A caliper's box, where its label leaves it free, is above the caliper.
  EXPECT_EQ(content->childAt(QPoint(506, 834)), WidgetOf(window->RRectangle(1)));
  EXPECT_EQ(content->childAt(QPoint(202, 502)), WidgetOf(window->RRectangle(4)));
  window->NogisCV(1)->SetVisible(true);
  EXPECT_EQ(content->childAt(Centre(window->St(3))), WidgetOf(window->St(3)));
  EXPECT_EQ(content->childAt(QPoint(1160, 502)), WidgetOf(window->RRectangle(2)));
}

TEST_F(Controls, ChildrenMoveAndHideWithTheirParent) {
  window->ButtonGB()->SetLeft(500);
  window->ButtonGB()->SetTop(100);
  EXPECT_EQ(window->ButtonGB()->Left(), 500);
  EXPECT_EQ(window->St(9)->Left(), 131 + 440);
  EXPECT_EQ(window->St(9)->Top(), 779 - 614);
  EXPECT_EQ(window->TF(0)->Left(), 186 + 440);  // inside its frame inside the panel
  EXPECT_EQ(window->TF(0)->Top(), 833 - 614);
  EXPECT_EQ(window->St(1)->Left(), 70 + 440);

  window->NogisCV(3)->SetTop(600);
  EXPECT_EQ(window->RRectangle(4)->Top(), 601);
  EXPECT_EQ(window->St(5)->Top(), 603);
  EXPECT_EQ(window->St(5)->Left(), 201);

  window->ButtonGB()->SetVisible(false);
  EXPECT_TRUE(window->St(9)->Visible());
  EXPECT_FALSE(WidgetOf(window->St(9))->isVisible());
  EXPECT_FALSE(WidgetOf(window->TF(0))->isVisible());
  window->ButtonGB()->SetVisible(true);
  EXPECT_TRUE(WidgetOf(window->St(9))->isVisible());
}

namespace {

// Opening the right arrow's picture fails: the creation stops at BCV(1), the 18th instance.
class FailingPictures : public fw::FixedBundleService {
 public:
  using FixedBundleService::FixedBundleService;
  Ref<fw::Picture> OpenPicture(const std::string& name) override {
    if (name == "RArrow") throw fw::RuntimeException("cannot open RArrow");
    return FixedBundleService::OpenPicture(name);
  }
};

class FailedCreation : public AppFixture {
 protected:
  void BeforeStartUp() override {
    fw::SetBundleService(
        std::make_unique<FailingPictures>(std::string(std::getenv("BRINDLEX_BUNDLE")) + "/bin"));
    testing::internal::CaptureStderr();
  }
};

}  // namespace

TEST_F(FailedCreation, AFailureInTheFirstHalfSkipsTheRestAndTheWindowStillOpens) {
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("CreateControls"), std::string::npos) << err;
  EXPECT_NE(err.find("cannot open RArrow"), std::string::npos) << err;

  const auto& all = window->Controls();
  ASSERT_EQ(all.size(), 18u);
  EXPECT_EQ(Id(all.back()), "BCV(1)");
  // What was made before stays, with its declaration and bindings; BCV(1) got neither.
  EXPECT_EQ(window->St(11)->Left(), 107);
  EXPECT_EQ(window->BCV(0)->EventHandlers().size(), 5u);
  EXPECT_TRUE(window->BCV(1)->EventHandlers().empty());
  // Nothing of the rest of the first half, and nothing of the second.
  EXPECT_FALSE(window->RRectangle(9));
  EXPECT_FALSE(window->TF(0));
  EXPECT_FALSE(window->UpDownA(0));
  EXPECT_FALSE(window->UpDownA(1));
  EXPECT_FALSE(window->TFCB(0));
  EXPECT_FALSE(window->TFCB(1));
  for (Integer i = 0; i < 4; ++i) EXPECT_FALSE(window->NogisCV(i)) << i;
  EXPECT_FALSE(window->DelayTimer());
  EXPECT_FALSE(window->KeyTimer());

  EXPECT_EQ(fw::RuntimeWindows().size(), 1u);
  EXPECT_TRUE(fw::MainWidgetOf(*window)->isVisible());
}
