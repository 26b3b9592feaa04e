// Creating the window's controls and timers from the layout table, binding their events to the
// window's handlers, and the accessors that find them again.
#include <string>

#include "framework/Delegate.h"
#include "framework/Properties.h"
#include "shell/Resources.h"
#include "window/ControlArrays.h"
#include "window/LayoutTable.h"
#include "window/MainWindow.h"

namespace {

using fw::Integer;
using fw::Ref;

// The registered object under a name, or under a name and an index for an array member.
Ref<fw::Control> Lookup(const MainWindow& w, const char* name, Integer index) {
  return index == layout::kNoIndex ? w.ControlByName(name) : w.ControlByNameIndex(name, index);
}

template <class C>
Ref<fw::Control> FindAs(const MainWindow& w, const char* name, Integer index) {
  return fw::RuntimeCheckCast<C>(Lookup(w, name, index));
}

template <class E>
Ref<fw::Control> NewMember(MainWindow& w, Integer index) {
  Ref<E> member = w.New<E>();
  member->Constructor(index);
  return member;
}

template <class C>
Ref<fw::Control> NewPlain(MainWindow& w, Integer) {
  Ref<C> object = w.New<C>();
  object->Constructor();
  return object;
}

// What is made for each name, how it is constructed, and as which framework class it is found.
struct InstanceKind {
  const char* name;
  Ref<fw::Control> (*make)(MainWindow&, Integer index);
  Ref<fw::Control> (*find)(const MainWindow&, const char* name, Integer index);
};

const InstanceKind kInstanceKinds[] = {
    {"ButtonGB", NewPlain<fw::GroupBox>, FindAs<fw::GroupBox>},
    {"TransPearentSlider", NewPlain<fw::Slider>, FindAs<fw::Slider>},
    {"BCV", NewMember<elements::BCV>, FindAs<fw::Canvas>},
    {"NogisCV", NewMember<elements::NogisCV>, FindAs<fw::Canvas>},
    {"RRectangle", NewMember<elements::RRectangle>, FindAs<fw::RoundRectangle>},
    {"St", NewMember<elements::St>, FindAs<fw::Label>},
    {"RRectangleI", NewMember<elements::RRectangleI>, FindAs<fw::Rectangle>},
    {"TF", NewMember<elements::TF>, FindAs<fw::TextField>},
    {"UpDownA", NewMember<elements::UpDownA>, FindAs<fw::UpDownArrows>},
    {"TFCB", NewMember<elements::TFCB>, FindAs<fw::CheckBox>},
    {"DelayTimer", NewPlain<fw::Timer>, FindAs<fw::Timer>},
    {"KeyTimer", NewPlain<fw::Timer>, FindAs<fw::Timer>},
};

const InstanceKind& KindOf(const char* name) {
  for (const InstanceKind& k : kInstanceKinds)
    if (std::string(k.name) == name) return k;
  throw fw::InvalidArgumentException(std::string("no kind of instance is named ") + name);
}

// The arrow buttons' first pictures, set before their declarations.
struct FirstPicture {
  Integer index;
  Ref<fw::Picture> (*picture)();
};
const FirstPicture kFirstPictures[] = {{2, TArrow}, {3, TArrow}, {0, LArrowB}, {1, RArrow}};

template <auto Method>
Ref<fw::Delegate> DelegateTo(const Ref<MainWindow>& w, const char* method, const char* signature) {
  return fw::RuntimeCreateDelegate(Method, w, method, signature);
}

struct Binding {
  const char* name;  // the control, or the array whose every member is bound
  const char* event;
  const char* method;
  Ref<fw::Delegate> (*make)(const Ref<MainWindow>&, const char* method, const char* signature);
  const char* signature;
};

#define HANDLER(m) #m, DelegateTo<&MainWindow::m>

// In the order each control's events are bound.
const Binding kBindings[] = {
    {"BCV", "MouseDown", HANDLER(BCV_MouseDown), "( Canvas, Integer, Integer ) as Boolean"},
    {"BCV", "MouseEnter", HANDLER(BCV_MouseEnter), "( Canvas )"},
    {"BCV", "MouseMove", HANDLER(BCV_MouseMove), "( Canvas, Integer, Integer )"},
    {"BCV", "MouseExit", HANDLER(BCV_MouseExit), "( Canvas )"},
    {"BCV", "Opening", HANDLER(BCV_Opening), "( Canvas )"},
    {"TransPearentSlider", "Opening", HANDLER(TransPearentSlider_Opening), "( Slider )"},
    {"TransPearentSlider", "ValueChanged", HANDLER(TransPearentSlider_ValueChanged), "( Slider )"},
    {"St", "Opening", HANDLER(St_Opening), "( Label )"},
    {"TF", "KeyDown", HANDLER(TF_KeyDown), "( TextField, String ) as Boolean"},
    {"TF", "Opening", HANDLER(TF_Opening), "( TextField )"},
    {"UpDownA", "DownPressed", HANDLER(UpDownA_DownPressed), "( UpDownArrows )"},
    {"UpDownA", "UpPressed", HANDLER(UpDownA_UpPressed), "( UpDownArrows )"},
    {"TFCB", "ValueChanged", HANDLER(TFCB_ValueChanged), "( CheckBox )"},
    {"TFCB", "MouseDown", HANDLER(TFCB_MouseDown), "( CheckBox, Integer, Integer ) as Boolean"},
    {"NogisCV", "MouseDown", HANDLER(NogisCV_MouseDown), "( Canvas, Integer, Integer ) as Boolean"},
    {"NogisCV", "MouseDrag", HANDLER(NogisCV_MouseDrag), "( Canvas, Integer, Integer )"},
    {"NogisCV", "Opening", HANDLER(NogisCV_Opening), "( Canvas )"},
    {"DelayTimer", "Run", HANDLER(DelayTimer_Run), "( Timer )"},
    {"KeyTimer", "Run", HANDLER(KeyTimer_Run), "( Timer )"},
};

#undef HANDLER

// One instance, each step complete before the next: made and constructed, registered, given its
// first picture (arrow buttons), its declaration and its bindings. Every step finds the object
// again through the window, as the handlers will.
void CreateInstance(MainWindow& w, const layout::Instance& row) {
  const InstanceKind& kind = KindOf(row.name);
  w.AddControl(row.name, kind.make(w, row.index));

  if (std::string(row.name) == "BCV")
    for (const FirstPicture& first : kFirstPictures)
      if (first.index == row.index) w.BCV(row.index)->SetBackdrop(first.picture());

  Ref<fw::Object> parent;
  if (row.parent.name) {
    parent = Lookup(w, row.parent.name, row.parent.index);
    if (!parent) throw fw::NilObjectException(std::string("no parent ") + row.parent.name);
  }
  fw::SetProperties(*kind.find(w, row.name, row.index), layout::Declaration(row, parent));

  Ref<MainWindow> self = fw::RefTo(&w);
  for (const Binding& b : kBindings)
    if (std::string(b.name) == row.name)
      fw::RuntimeAddEventHandler(kind.find(w, row.name, row.index), b.event,
                                 b.make(self, b.method, b.signature));
}

void CreateInstances(MainWindow& w, int first, int last) {
  for (const layout::Instance& row : layout::Instances())
    if (row.number >= first && row.number <= last) CreateInstance(w, row);
}

}  // namespace

void MainWindow::CreateControls() {
  // An exception from the first half skips the second and goes on to the framework.
  CreateControls0();
  CreateControls1();
}

// ButtonGB to UpDownA(0).
void MainWindow::CreateControls0() { CreateInstances(*this, 1, 30); }

// UpDownA(1) to KeyTimer.
void MainWindow::CreateControls1() { CreateInstances(*this, 31, 48); }

// The accessors look the object up anew on every call: nothing is cached.
fw::Ref<fw::GroupBox> MainWindow::ButtonGB() {
  return fw::RuntimeCheckCast<fw::GroupBox>(ControlByName("ButtonGB"));
}
fw::Ref<fw::Canvas> MainWindow::BCV(Integer index) {
  return fw::RuntimeCheckCast<fw::Canvas>(ControlByNameIndex("BCV", index));
}
fw::Ref<fw::Slider> MainWindow::TransPearentSlider() {
  return fw::RuntimeCheckCast<fw::Slider>(ControlByName("TransPearentSlider"));
}
fw::Ref<fw::RoundRectangle> MainWindow::RRectangle(Integer index) {
  return fw::RuntimeCheckCast<fw::RoundRectangle>(ControlByNameIndex("RRectangle", index));
}
fw::Ref<fw::Label> MainWindow::St(Integer index) {
  return fw::RuntimeCheckCast<fw::Label>(ControlByNameIndex("St", index));
}
fw::Ref<fw::Rectangle> MainWindow::RRectangleI(Integer index) {
  return fw::RuntimeCheckCast<fw::Rectangle>(ControlByNameIndex("RRectangleI", index));
}
fw::Ref<fw::TextField> MainWindow::TF(Integer index) {
  return fw::RuntimeCheckCast<fw::TextField>(ControlByNameIndex("TF", index));
}
fw::Ref<fw::UpDownArrows> MainWindow::UpDownA(Integer index) {
  return fw::RuntimeCheckCast<fw::UpDownArrows>(ControlByNameIndex("UpDownA", index));
}
fw::Ref<fw::CheckBox> MainWindow::TFCB(Integer index) {
  return fw::RuntimeCheckCast<fw::CheckBox>(ControlByNameIndex("TFCB", index));
}
fw::Ref<fw::Canvas> MainWindow::NogisCV(Integer index) {
  return fw::RuntimeCheckCast<fw::Canvas>(ControlByNameIndex("NogisCV", index));
}
fw::Ref<fw::Timer> MainWindow::DelayTimer() {
  return fw::RuntimeCheckCast<fw::Timer>(ControlByName("DelayTimer"));
}
fw::Ref<fw::Timer> MainWindow::KeyTimer() {
  return fw::RuntimeCheckCast<fw::Timer>(ControlByName("KeyTimer"));
}
