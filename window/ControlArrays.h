#pragma once
// The element classes of the window's eight control arrays, and the sender rule of the handlers
// that the members of an array share.
//
// A member is an instance of its array's element class: a direct subclass of the framework class
// that adds nothing but Constructor(index), which gives the member its Index before the control
// itself is made. The classes keep the runtime names "MainWindow.BCV" ... "MainWindow.NogisCV";
// they live in namespace elements because MainWindow's accessors carry the same names.
#include <string>

#include "framework/Canvas.h"
#include "framework/CheckBox.h"
#include "framework/Label.h"
#include "framework/Object.h"
#include "framework/Shapes.h"
#include "framework/TextField.h"
#include "framework/UpDownArrows.h"

namespace elements {

// Each class's Constructor(index): Index first, then the plain constructor. The plain one is kept
// out of reach under the class's own name, so a member is never made without its index.
class BCV : public fw::Canvas {
  FW_CLASS("MainWindow.BCV")
 public:
  virtual void Constructor(fw::Integer index) {
    SetIndex(index);
    fw::RectControl::Constructor();
  }

 private:
  using fw::Canvas::Constructor;
};

class RRectangle : public fw::RoundRectangle {
  FW_CLASS("MainWindow.RRectangle")
 public:
  virtual void Constructor(fw::Integer index) {
    SetIndex(index);
    fw::RectControl::Constructor();
  }

 private:
  using fw::RoundRectangle::Constructor;
};

class St : public fw::Label {
  FW_CLASS("MainWindow.St")
 public:
  virtual void Constructor(fw::Integer index) {
    SetIndex(index);
    fw::RectControl::Constructor();
  }

 private:
  using fw::Label::Constructor;
};

class RRectangleI : public fw::Rectangle {
  FW_CLASS("MainWindow.RRectangleI")
 public:
  virtual void Constructor(fw::Integer index) {
    SetIndex(index);
    fw::RectControl::Constructor();
  }

 private:
  using fw::Rectangle::Constructor;
};

class TF : public fw::TextField {
  FW_CLASS("MainWindow.TF")
 public:
  virtual void Constructor(fw::Integer index) {
    SetIndex(index);
    fw::RectControl::Constructor();
  }

 private:
  using fw::TextField::Constructor;
};

class UpDownA : public fw::UpDownArrows {
  FW_CLASS("MainWindow.UpDownA")
 public:
  virtual void Constructor(fw::Integer index) {
    SetIndex(index);
    fw::RectControl::Constructor();
  }

 private:
  using fw::UpDownArrows::Constructor;
};

class TFCB : public fw::CheckBox {
  FW_CLASS("MainWindow.TFCB")
 public:
  virtual void Constructor(fw::Integer index) {
    SetIndex(index);
    fw::RectControl::Constructor();
  }

 private:
  using fw::CheckBox::Constructor;
};

class NogisCV : public fw::Canvas {
  FW_CLASS("MainWindow.NogisCV")
 public:
  virtual void Constructor(fw::Integer index) {
    SetIndex(index);
    fw::RectControl::Constructor();
  }

 private:
  using fw::Canvas::Constructor;
};

// The sender rule of a handler shared by the members of an array: the sender as the array's
// element class E (IllegalCastException for a control of another class, NilObjectException for
// none), and its Index, read once. A handler calls it before anything else:
//   fw::Integer index = elements::SenderIndex<elements::BCV>(sender);
template <class E>
fw::Integer SenderIndex(const fw::Ref<fw::Object>& sender) {
  fw::Ref<E> member = fw::RuntimeCheckCast<E>(sender);
  if (!member) throw fw::NilObjectException(std::string("no sender for a ") + E::kClassName);
  return member->Index();
}

}  // namespace elements
