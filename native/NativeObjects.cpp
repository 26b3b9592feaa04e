// The native objects and what their messages do on Qt.
#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

#include "native/NativeHandlesPrivate.h"
#include "native/RuntimePrivate.h"
#include "native/SystemFonts.h"

namespace native {
namespace {

// Colours and fonts are values: one object per value, kept for the whole run, so a handle to
// one never goes stale (the program sends only a handful of distinct ones).
template <class Key, class T>
T* Interned(const Key& key) {
  static auto* objects = new std::map<Key, std::unique_ptr<T>>;
  auto& object = (*objects)[key];
  if (!object) object = std::make_unique<T>(key);
  return object.get();
}

double Unit(double d) { return std::isnan(d) ? 0.0 : std::clamp(d, 0.0, 1.0); }

// ---- colours

class Colour : public Object {
 public:
  explicit Colour(std::pair<double, double> whiteAlpha)
      : Object("NSColor"), white_(whiteAlpha.first), alpha_(whiteAlpha.second) {}
  double White() const { return white_; }
  double Alpha() const { return alpha_; }
  std::string Describe() const override {
    return "NSColor(white " + NumberText(white_) + ", alpha " + NumberText(alpha_) + ")";
  }
  std::optional<Result> Receive(std::string_view, Args) override { return std::nullopt; }

 private:
  double white_, alpha_;
};

class ColourClass : public Object {
 public:
  ColourClass() : Object("NSColor class") {}
  std::optional<Result> Receive(std::string_view selector, Args args) override {
    if (selector == "colorWithCalibratedWhite:alpha:") {
      const double white = Unit(ArgAt(args, 0).AsDouble());
      const double alpha = Unit(ArgAt(args, 1).AsDouble());
      return Result::Object(Interned<std::pair<double, double>, Colour>({white, alpha})->Handle());
    }
    return std::nullopt;
  }
};

// ---- fonts

class Font : public Object {
 public:
  explicit Font(double pointSize) : Object("NSFont"), pointSize_(pointSize) {}
  double PointSize() const { return pointSize_; }
  std::string Describe() const override {
    return "NSFont(" + NumberText(pointSize_) + ")";
  }
  std::optional<Result> Receive(std::string_view, Args) override { return std::nullopt; }

 private:
  double pointSize_;
};

// The system's regular and small control font sizes, in points.
double systemFontSize = kSystemFontSize;
double smallSystemFontSize = kSmallSystemFontSize;

class FontClass : public Object {
 public:
  FontClass() : Object("NSFont class") {}
  std::optional<Result> Receive(std::string_view selector, Args args) override {
    if (selector == "systemFontSize") return Result::Number(systemFontSize);
    if (selector == "smallSystemFontSize") return Result::Number(smallSystemFontSize);
    if (selector == "systemFontOfSize:") {
      const double size = ArgAt(args, 0).AsDouble();
      if (!(size > 0.0) || !std::isfinite(size)) return Result();
      return Result::Object(Interned<double, Font>(size)->Handle());
    }
    return std::nullopt;
  }
};

ColourClass& TheColourClass() {
  static auto* c = new ColourClass;
  return *c;
}

FontClass& TheFontClass() {
  static auto* c = new FontClass;
  return *c;
}

template <class T>
T* FindAs(Ptr handle) {
  return dynamic_cast<T*>(Find(handle));
}

// ---- control sizes

// Small and mini controls: the style's control metrics scaled down (a slider's knob and groove,
// check and radio indicators, scroll bars). Text size is not touched: that is setFont:'s.
class ControlSizeStyle : public QProxyStyle {
 public:
  ControlSizeStyle(QStyle* base, double scale) : QProxyStyle(base), scale_(scale) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
      case PM_SliderLength:
      case PM_SliderThickness:
      case PM_SliderControlThickness:
      case PM_IndicatorWidth:
      case PM_IndicatorHeight:
      case PM_ExclusiveIndicatorWidth:
      case PM_ExclusiveIndicatorHeight:
      case PM_ScrollBarExtent:
        return std::max(1, int(std::lround(value * scale_)));
      default:
        return value;
    }
  }

 private:
  double scale_;
};

// 0 regular, 1 small, 2 mini.
QStyle* StyleForControlSize(long long size) {
  static QPointer<QStyle> styles[3];
  if (size <= 0) return nullptr;  // the application's own
  const int index = size == 1 ? 1 : 2;
  if (!styles[index]) {
    const double scale = index == 1 ? 0.8 : 0.6;
    auto* style = new ControlSizeStyle(QStyleFactory::create(QApplication::style()->name()), scale);
    style->setParent(qApp);  // a widget's style is a guarded pointer: it falls back when this goes
    styles[index] = style;
  }
  return styles[index];
}

// The control keeps its geometry; the "controlSize" property tells what was asked for.
void ApplyControlSize(QWidget* widget, long long size) {
  if (!widget) return;
  size = std::clamp(size, 0LL, 2LL);
  widget->setProperty("controlSize", int(size));
  widget->setStyle(StyleForControlSize(size));
  widget->update();
}

void ApplyFont(QWidget* widget, Ptr fontHandle) {
  Font* font = FindAs<Font>(fontHandle);
  if (!widget || !font) return;
  QFont qfont(QString::fromLatin1(kSystemFontFamily));
  qfont.setPointSizeF(font->PointSize());
  widget->setFont(qfont);
}

// ---- windows

class Window : public Object {
 public:
  explicit Window(QWidget* widget) : Object("NSWindow"), widget_(widget) {}
  std::optional<Result> Receive(std::string_view selector, Args args) override {
    QWidget* window = widget_ ? widget_->window() : nullptr;
    if (selector == "setBackgroundColor:") {
      if (Colour* colour = FindAs<Colour>(ArgAt(args, 0).AsPtr())) SetBackground(window, *colour);
    } else if (selector == "setOpaque:") {
      opaque_ = ArgAt(args, 0).AsBool();
      UpdateTranslucency(window);
    } else if (selector == "invalidateShadow") {
      // X11 windows have no shadow of their own to recompute.
    } else if (selector == "setAlphaValue:") {
      const double alpha = ArgAt(args, 0).AsDouble();
      if (window && !std::isnan(alpha)) window->setWindowOpacity(std::clamp(alpha, 0.0, 1.0));
    } else if (selector == "setStyleMask:") {
      SetStyleMask(window, ArgAt(args, 0).AsInteger());
    } else {
      return std::nullopt;
    }
    return Result();
  }

 private:
  // AppKit's window style mask bits.
  enum : long long { kTitled = 1, kClosable = 2, kMiniaturizable = 4, kResizable = 8 };

  void SetBackground(QWidget* window, const Colour& colour) {
    backgroundAlpha_ = colour.Alpha();
    if (!window) return;
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, QColor::fromRgbF(float(colour.White()), float(colour.White()),
                                                        float(colour.White()), float(colour.Alpha())));
    window->setPalette(palette);
    window->setAutoFillBackground(colour.Alpha() > 0.0);
    UpdateTranslucency(window);
  }

  // What lies beneath shows through a non-opaque window or a see-through background. On X11 this
  // picks an ARGB visual only if set before the native window is made (before it is first shown).
  void UpdateTranslucency(QWidget* window) {
    if (!window) return;
    const bool translucent = !opaque_ || backgroundAlpha_ < 1.0;
    window->setAttribute(Qt::WA_TranslucentBackground, translucent);
    if (!translucent) window->setAttribute(Qt::WA_NoSystemBackground, false);
  }

  // Title bar, buttons and frame follow the mask; the window's other flags stay. Without a title
  // the window is frameless: no decorations and no resize edge.
  static void SetStyleMask(QWidget* window, long long mask) {
    if (!window) return;
    Qt::WindowFlags flags = window->windowFlags();
    flags &= ~(Qt::FramelessWindowHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    // Qt drops FramelessWindowHint beside CustomizeWindowHint and a button hint.
    if (mask & kTitled)
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    else
      flags |= Qt::FramelessWindowHint;
    if (mask & kClosable) flags |= Qt::WindowCloseButtonHint;
    if (mask & kMiniaturizable) flags |= Qt::WindowMinimizeButtonHint;
    if (mask & kResizable) flags |= Qt::WindowMaximizeButtonHint;
    if (flags == window->windowFlags()) return;
    // Changing a window's flags hides it; the content stays where it was, whatever the frame.
    const bool wasVisible = window->isVisible();
    const QRect content = window->geometry();
    window->setWindowFlags(flags);
    if (wasVisible) {
      window->setGeometry(content);
      window->show();
    }
  }

  QPointer<QWidget> widget_;
  bool opaque_ = true;
  double backgroundAlpha_ = 1.0;
};

// ---- views and their cells

// What a view and its cell both take: the control's size and font.
class Control : public Object {
 public:
  Control(QWidget* widget, const char* kind) : Object(kind), widget_(widget) {}
  std::optional<Result> Receive(std::string_view selector, Args args) override {
    if (selector == "setControlSize:") {
      ApplyControlSize(widget_, ArgAt(args, 0).AsInteger());
    } else if (selector == "setFont:") {
      ApplyFont(widget_, ArgAt(args, 0).AsPtr());
    } else {
      return std::nullopt;
    }
    return Result();
  }

 protected:
  QPointer<QWidget> widget_;
};

class Cell : public Control {
 public:
  explicit Cell(QWidget* widget) : Control(widget, "NSCell") {}
};

class View : public Control {
 public:
  explicit View(QWidget* widget) : Control(widget, "NSView") {}
  std::optional<Result> Receive(std::string_view selector, Args args) override {
    if (selector == "cell") {
      if (!cell_) cell_ = std::make_unique<Cell>(widget_);
      return Result::Object(cell_->Handle());
    }
    return Control::Receive(selector, args);
  }

 private:
  std::unique_ptr<Cell> cell_;
};

// ---- handles on widgets

// A child of the widget, so the native object goes when the widget does.
class HandleHolder : public QObject {
 public:
  HandleHolder(QWidget* widget, const char* name, std::unique_ptr<Object> object)
      : QObject(widget), object_(std::move(object)) {
    setObjectName(QString::fromLatin1(name));
  }
  Ptr Handle() const { return object_->Handle(); }

 private:
  std::unique_ptr<Object> object_;
};

template <class T>
Ptr HandleFor(QWidget* widget, const char* name) {
  if (!widget) return nullptr;
  if (auto* holder = widget->findChild<HandleHolder*>(QString::fromLatin1(name),
                                                      Qt::FindDirectChildrenOnly))
    return holder->Handle();
  return (new HandleHolder(widget, name, std::make_unique<T>(widget)))->Handle();
}

}  // namespace

void SetSystemFontSizes(double regular, double small) {
  systemFontSize = regular;
  smallSystemFontSize = small;
}
void ResetSystemFontSizes() { SetSystemFontSizes(kSystemFontSize, kSmallSystemFontSize); }

Ptr NativeWindowFor(QWidget* window) { return HandleFor<Window>(window, "native.NSWindow"); }
Ptr NativeViewFor(QWidget* control) { return HandleFor<View>(control, "native.NSView"); }

}  // namespace native

native::Ptr NSClassFromString(const char* name) {
  native::RecordLookUp("NSClassFromString", name);
  if (!name) return nullptr;
  const std::string_view n(name);
  if (n == "NSColor") return native::TheColourClass().Handle();
  if (n == "NSFont") return native::TheFontClass().Handle();
  return nullptr;
}
