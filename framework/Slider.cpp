#include "framework/Slider.h"

#include <QSlider>

#include <algorithm>

#include "framework/ControlPrivate.h"

namespace fw {

namespace {

QSlider* SliderWidget(const RectControl& c) { return static_cast<QSlider*>(WidgetOf(c)); }
int Clip(Integer v) { return static_cast<int>(std::clamp<Integer>(v, -0x7fffffff, 0x7fffffff)); }

}  // namespace

std::unique_ptr<WidgetHost> Slider::CreateWidget() {
  auto* slider = new ControlWidget<QSlider>(Qt::Horizontal);
  auto host = HostFor(this, slider);
  slider->setRange(Clip(minimum_), Clip(maximum_));
  slider->setValue(Clip(value_));
  slider->setSingleStep(Clip(lineStep_));
  slider->setPageStep(Clip(pageStep_));
  slider->setTracking(live_);
  QObject::connect(slider, &QSlider::valueChanged, slider, [this, slider](int v) {
    value_ = v;
    if (slider->owner) RaiseEvent("ValueChanged");
  });
  return host;
}

Integer Slider::Value() const { return value_; }

void Slider::SetValue(Integer value) {
  value = std::clamp(value, minimum_, std::max(minimum_, maximum_));
  if (QSlider* s = SliderWidget(*this))
    s->setValue(Clip(value));
  else
    value_ = value;
}

void Slider::SetRange(Integer minimum, Integer maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  if (QSlider* s = SliderWidget(*this)) s->setRange(Clip(minimum_), Clip(maximum_));
  value_ = std::clamp(value_, minimum_, maximum_);
}

void Slider::SetProperty(const Property& p) {
  const std::string& n = p.name;
  QSlider* s = SliderWidget(*this);
  if (n == "Value")
    SetValue(PropertyAs<Integer>(p));
  else if (n == "MinimumValue")
    SetRange(PropertyAs<Integer>(p), maximum_);
  else if (n == "MaximumValue")
    SetRange(minimum_, PropertyAs<Integer>(p));
  else if (n == "LineStep") {
    lineStep_ = PropertyAs<Integer>(p);
    if (s) s->setSingleStep(Clip(lineStep_));
  } else if (n == "PageStep") {
    pageStep_ = PropertyAs<Integer>(p);
    if (s) s->setPageStep(Clip(pageStep_));
  } else if (n == "AllowLiveScrolling") {
    live_ = PropertyAs<bool>(p);
    if (s) s->setTracking(live_);
  } else if (n == "TickMarkStyle") {
    // 0: no tick marks.
    if (s) s->setTickPosition(PropertyAs<Integer>(p) == 0 ? QSlider::NoTicks : QSlider::TicksBelow);
  } else
    RectControl::SetProperty(p);
}

}  // namespace fw
