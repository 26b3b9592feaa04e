#include "framework/CheckBox.h"

#include <QCheckBox>

#include "framework/ControlPrivate.h"

namespace fw {

namespace {

QCheckBox* Box(const RectControl& c) { return static_cast<QCheckBox*>(WidgetOf(c)); }

}  // namespace

std::unique_ptr<WidgetHost> CheckBox::CreateWidget() {
  auto* box = new ControlWidget<QCheckBox>();
  auto host = HostFor(this, box);
  box->setChecked(value_);
  box->setText(QString::fromStdString(caption_));
  QObject::connect(box, &QCheckBox::toggled, box, [this, box](bool on) {
    value_ = on;
    if (box->owner) RaiseEvent("ValueChanged");
  });
  return host;
}

bool CheckBox::Value() const { return value_; }

void CheckBox::SetValue(bool on) {
  if (QCheckBox* b = Box(*this))
    b->setChecked(on);
  else
    value_ = on;
}

void CheckBox::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (QCheckBox* b = Box(*this)) b->setText(QString::fromStdString(caption_));
}

void CheckBox::SetProperty(const Property& p) {
  const std::string& n = p.name;
  if (n == "Value")
    SetValue(PropertyAs<bool>(p));
  else if (n == "VisualState")
    SetValue(PropertyAs<Integer>(p) == 1);  // 0 unticked, 1 ticked
  else if (n == "Caption")
    SetCaption(PropertyAs<std::string>(p));
  else
    RectControl::SetProperty(p);
}

}  // namespace fw
