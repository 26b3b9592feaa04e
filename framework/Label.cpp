#include "framework/Label.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>

#include "framework/ControlPrivate.h"
#include "framework/TextFitPrivate.h"
#include "framework/TextStylePrivate.h"

namespace fw {

namespace {

// A one-line label draws its text fitted to its width, clear of both edges; the label's own text
// and font stay as declared (they are what assistive technology reads).
class FittingLabel : public QLabel {
 protected:
  void paintEvent(QPaintEvent* e) override {
    if (wordWrap()) return QLabel::paintEvent(e);
    const QRect room = contentsRect().adjusted(1, 0, -1, 0);
    const FittedText fit = FitText(font(), text(), room.width());
    QPainter painter(this);
    painter.setFont(fit.font);
    // Not clipped to the room: a text that does not fit should show where it overflows.
    const int flags =
        int(QStyle::visualAlignment(layoutDirection(), alignment())) | Qt::TextDontClip;
    style()->drawItemText(&painter, room, flags, palette(), isEnabled(), fit.shown,
                          foregroundRole());
  }
};

QLabel* LabelWidget(const RectControl& c) { return static_cast<QLabel*>(WidgetOf(c)); }

}  // namespace

std::unique_ptr<WidgetHost> Label::CreateWidget() {
  auto* label = new ControlWidget<FittingLabel>();
  label->setTextFormat(Qt::PlainText);
  auto host = HostFor(this, label);
  label->setText(QString::fromStdString(text_));
  return host;
}

void Label::SetText(std::string text) {
  text_ = std::move(text);
  if (QLabel* l = LabelWidget(*this)) l->setText(QString::fromStdString(text_));
}

void Label::SetTextColor(Color color) {
  style_.textColor = color;
  Restyle();
}

void Label::Restyle() {
  QLabel* l = LabelWidget(*this);
  if (!l) return;
  l->setFont(FontOf(style_));
  l->setAlignment(AlignmentOf(style_));
  l->setWordWrap(multiline_);
  QPalette palette = l->palette();
  palette.setColor(QPalette::WindowText, QColorOf(style_.textColor));
  l->setPalette(palette);
  l->setAutoFillBackground(false);
}

void Label::SetProperty(const Property& p) {
  if (p.name == "Text" || p.name == "Value")
    SetText(PropertyAs<std::string>(p));
  else if (style_.SetProperty(p))
    Restyle();
  else if (p.name == "Multiline") {
    multiline_ = PropertyAs<bool>(p);
    Restyle();
  } else if (p.name == "Selectable") {
    if (QLabel* l = LabelWidget(*this))
      l->setTextInteractionFlags(PropertyAs<bool>(p) ? Qt::TextSelectableByMouse
                                                     : Qt::NoTextInteraction);
  } else
    RectControl::SetProperty(p);
}

}  // namespace fw
