#pragma once
// A control that shows something: geometry in window coordinates (children too), visibility,
// enabled state, and the mouse and key events it raises.
#include <memory>
#include <string>

#include "framework/Control.h"

namespace fw {

struct WidgetHost;

class RectControl : public Control {
  FW_CLASS("RectControl")
 public:
  RectControl();
  ~RectControl() override;

  // Makes the object a working control of its class.
  virtual void Constructor();

  Integer Left() const;
  void SetLeft(Integer left);
  Integer Top() const;
  void SetTop(Integer top);
  Integer Width() const;
  void SetWidth(Integer width);
  Integer Height() const;
  void SetHeight(Integer height);
  // The control's own flag: a visible child of a hidden parent does not show, yet is Visible.
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  // The container the control lies in; nil for the window itself.
  Ref<RectControl> Parent() const { return Ref<RectControl>(parent_.lock()); }
  void SetParent(const Ref<RectControl>& parent);
  Integer TabIndex() const { return tabIndex_; }
  // A transparent control paints no background of its own.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  bool AllowFocus() const { return allowFocus_; }
  void SetAllowFocus(bool on);
  struct Locks {
    bool left = true, top = true, right = false, bottom = false;
  };
  const Locks& EdgeLocks() const { return locks_; }
  // The native view behind the control.
  Ptr Handle() const;

  void SetProperty(const Property& p) override;

  // What the toolkit calls; each raises the event of that name.
  virtual bool MouseDown(Integer x, Integer y) { return Raise<bool>("MouseDown", false, x, y); }
  virtual void MouseDrag(Integer x, Integer y) { RaiseEvent("MouseDrag", x, y); }
  virtual void MouseMove(Integer x, Integer y) { RaiseEvent("MouseMove", x, y); }
  virtual void MouseUp(Integer x, Integer y) { RaiseEvent("MouseUp", x, y); }
  virtual void MouseEnter() { RaiseEvent("MouseEnter"); }
  virtual void MouseExit() { RaiseEvent("MouseExit"); }
  virtual bool KeyDown(const std::string& key) { return Raise<bool>("KeyDown", false, key); }
  virtual void Opening() { RaiseEvent("Opening"); }

  WidgetHost* Host() const { return host_.get(); }

 protected:
  // Makes the toolkit widget of the class.
  virtual std::unique_ptr<WidgetHost> CreateWidget() = 0;
  // Repaints after a change of what the control shows.
  void Repaint() const;
  // Tells the class that Transparent changed.
  virtual void TransparencyChanged() { Repaint(); }

 private:
  void Place(Integer left, Integer top, Integer width, Integer height);

  std::unique_ptr<WidgetHost> host_;
  std::weak_ptr<RectControl> parent_;
  bool visible_ = true;
  bool enabled_ = true;
  Integer tabIndex_ = 0;
  Locks locks_;
  bool transparent_ = false;
  bool allowFocus_ = false;
  // Geometry given before the widget exists.
  Integer left_ = 0, top_ = 0, width_ = 100, height_ = 100;
};

}  // namespace fw
