#pragma once
// A window: its construction events, its own event table, its controls by name and index, its
// menu bar and menu handlers, its backdrop, position and size.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Control.h"
#include "framework/Delegate.h"
#include "framework/MenuItem.h"
#include "framework/Object.h"
#include "framework/Properties.h"

namespace fw {

class Picture;
struct WindowHost;

// The window events a window class handles, bound in the class: On("KeyDown", &W::Event_KeyDown).
class WindowEventTable {
 public:
  struct Entry {
    std::string event;
    std::shared_ptr<Delegate::FnBase> fn;
  };

  template <class W, class R, class... A>
  WindowEventTable& On(std::string event, R (W::*method)(A...)) {
    CheckEvent(event);
    auto fn = std::make_shared<Delegate::Fn<R, A...>>();
    fn->call = [method](const Ref<Object>& self, A... args) -> R {
      return (static_cast<W&>(*self).*method)(std::move(args)...);
    };
    entries_.push_back({std::move(event), std::move(fn)});
    return *this;
  }

  const Entry* Find(const std::string& event) const;
  const std::vector<Entry>& Entries() const { return entries_; }
  // Every event a window raises.
  static const std::vector<std::string>& WindowEvents();

 private:
  static void CheckEvent(const std::string& event);
  std::vector<Entry> entries_;
};

class Window : public Object, public HasProperties {
  FW_CLASS("Window")
 public:
  Window();
  ~Window() override;

  // Builds the window by raising Layout, CreateControls and AddMenuHandlers, then the controls'
  // Opening and the window's Opening, and shows it when Visible. The window joins the window list.
  virtual void Constructor();

  // A new object of class T for this window, not yet constructed.
  template <class T>
  Ref<T> New() {
    Ref<T> object = RuntimeNewObject<T>();
    object->SetWindow(RefTo<Window>(this));
    return object;
  }
  // Registers the control under the name; members of an array share it and differ by Index.
  void AddControl(const std::string& name, const Ref<Control>& control);
  Ref<Control> ControlByName(const std::string& name) const;
  Ref<Control> ControlByNameIndex(const std::string& name, Integer index) const;
  const std::vector<Ref<Control>>& Controls() const { return controls_; }

  // Menu handlers by item name: bool method(Integer).
  template <class W>
  void AddMenuHandler(const std::string& item, bool (W::*method)(Integer)) {
    std::weak_ptr<Object> weak = shared_from_this();
    menuHandlers_.push_back({item, [weak, method](Integer i) {
                               auto self = weak.lock();
                               if (!self) throw NilObjectException("the window is gone");
                               return (static_cast<W&>(*self).*method)(i);
                             }});
  }
  std::vector<std::string> MenuHandlerNames() const;
  // What choosing an item does: a quit item quits, a registered handler runs, an Edit item acts
  // on the focused text field.
  void ChooseMenuItem(const Ref<MenuItem>& item);

  Ref<fw::MenuBar> MenuBar() const { return menuBar_; }
  void SetMenuBar(const Ref<fw::MenuBar>& bar);
  Ref<Picture> Backdrop() const { return backdrop_; }
  void SetBackdrop(const Ref<Picture>& picture);

  // Position on the screen and size of the content, in points.
  Integer Left() const;
  void SetLeft(Integer left);
  Integer Top() const;
  void SetTop(Integer top);
  Integer Width() const { return width_; }
  void SetWidth(Integer width);
  Integer Height() const { return height_; }
  void SetHeight(Integer height);
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  void Minimize();
  // The pointer's position in window coordinates.
  Integer MouseX() const;
  Integer MouseY() const;
  // The native window.
  Ptr Handle() const;

  void SetProperty(const Property& p) override;

  // Raised by the toolkit; each calls the class's handler of that event, if it has one.
  bool RaiseKeyDown(const std::string& key);
  bool RaiseMouseDown(Integer x, Integer y);
  // MouseDrag, MouseMove, MouseUp.
  void RaiseMouse(const std::string& event, Integer x, Integer y);
  // Events without arguments: MouseEnter, MouseExit, Opening, Paint, Resized, Close...
  void Raise(const std::string& event);

  WindowHost* Host() const { return host_.get(); }
  // The events the class binds, for those who ask.
  const WindowEventTable& EventTable() const { return Events(); }

 protected:
  // The class's own event table; a plain Window handles nothing.
  virtual const WindowEventTable& Events() const;

 private:
  template <class R, class... A>
  R RaiseOwn(const std::string& event, R fallback, A... args);

  std::unique_ptr<WindowHost> host_;
  std::vector<Ref<Control>> controls_;
  struct MenuHandler {
    std::string item;
    std::function<bool(Integer)> fn;
  };
  std::vector<MenuHandler> menuHandlers_;
  Ref<fw::MenuBar> menuBar_;
  Ref<Picture> backdrop_;
  std::string title_;
  Integer width_ = 640, height_ = 480;
  bool visible_ = true;
  bool hasBackgroundColor_ = false;
  Color backgroundColor_ = 0xFFFFFF;
};

}  // namespace fw
