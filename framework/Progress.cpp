#include "framework/Progress.h"

#include <QProgressBar>

#include "framework/ControlPrivate.h"

namespace fw {

std::unique_ptr<WidgetHost> ProgressBar::CreateWidget() {
  return HostFor(this, new ControlWidget<QProgressBar>());
}

// A busy bar stands in for the wheel.
std::unique_ptr<WidgetHost> ProgressWheel::CreateWidget() {
  auto* bar = new ControlWidget<QProgressBar>();
  bar->setRange(0, 0);
  bar->setTextVisible(false);
  return HostFor(this, bar);
}

}  // namespace fw
