#pragma once
// The element classes of the window's eight control arrays, and the sender rule of the handlers
// that the members of an array share.
//
// A member is an instance of its array's element class: a direct subclass of the framework class
// that adds nothing but Constructor(index), which gives the member its Index before the control
// itself is made. The classes keep the runtime names "MainWindow.BCV" ... "MainWindow.NogisCV";
// they live in namespace elements because MainWindow's accessors carry the same names.
#include <algorithm>
#include <cstddef>
#include <string>

#include "framework/Canvas.h"
#include "framework/CheckBox.h"
#include "framework/Label.h"
#include "framework/Object.h"
#include "framework/Shapes.h"
#include "framework/TextField.h"
#include "framework/UpDownArrows.h"

namespace elements {

// A runtime class name as a template argument.
template <std::size_t N>
struct RuntimeName {
  constexpr RuntimeName(const char (&name)[N]) { std::copy_n(name, N, text); }
  char text[N];
};

// An element class: Constructor(index) gives Index first, then runs the plain constructor. The
// plain one is kept out of reach, so a member is never made without its index. Each name makes a
// class of its own: a BCV is never taken for a NogisCV, though both are canvases.
template <class Base, RuntimeName Name>
class Element : public Base {
 public:
  static constexpr const char* kClassName = Name.text;
  std::string ClassName() const override { return kClassName; }
  virtual void Constructor(fw::Integer index) {
    this->SetIndex(index);
    fw::RectControl::Constructor();
  }

 private:
  using Base::Constructor;
};

using BCV = Element<fw::Canvas, "MainWindow.BCV">;
using RRectangle = Element<fw::RoundRectangle, "MainWindow.RRectangle">;
using St = Element<fw::Label, "MainWindow.St">;
using RRectangleI = Element<fw::Rectangle, "MainWindow.RRectangleI">;
using TF = Element<fw::TextField, "MainWindow.TF">;
using UpDownA = Element<fw::UpDownArrows, "MainWindow.UpDownA">;
using TFCB = Element<fw::CheckBox, "MainWindow.TFCB">;
using NogisCV = Element<fw::Canvas, "MainWindow.NogisCV">;

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
