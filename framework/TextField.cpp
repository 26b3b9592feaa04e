#include "framework/TextField.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "framework/ControlPrivate.h"
#include "framework/TextFitPrivate.h"
#include "framework/TextStylePrivate.h"

namespace fw {

namespace {

// A field whose text (or hint, while it is empty) takes a smaller font when it is too wide, down to
// the legible floor; past that, a field not being edited shows the text's start.
class FittingLineEdit : public QLineEdit {
 public:
  FittingLineEdit() {
    connect(this, &QLineEdit::textChanged, this, &FittingLineEdit::Fit);
  }
  void SetDeclaredFont(const QFont& font) {
    declared_ = font;
    Fit();
  }
  void SetHint(const QString& hint) {
    setPlaceholderText(hint);
    Fit();
  }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QLineEdit::resizeEvent(e);
    Fit();
  }
  void focusOutEvent(QFocusEvent* e) override {
    QLineEdit::focusOutEvent(e);
    Fit();
  }

 private:
  // The line edit's own margin on each side, and one pixel for the cursor.
  static constexpr int kMargin = 2, kCursor = 1;

  void Fit() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    const qreal room = contents.width() - margins.left() - margins.right() - 2 * kMargin - kCursor;
    const QString shown = displayText().isEmpty() ? placeholderText() : displayText();
    const FittedText fit = FitText(declared_, shown, room);
    if (fit.font != font()) setFont(fit.font);
    if (fit.shown != shown && !hasFocus()) setCursorPosition(0);
  }

  QFont declared_ = font();
};

QLineEdit* Edit(const RectControl& c) { return static_cast<QLineEdit*>(WidgetOf(c)); }
FittingLineEdit* FittingEdit(const RectControl& c) {
  return static_cast<FittingLineEdit*>(WidgetOf(c));
}

}  // namespace

std::unique_ptr<WidgetHost> TextField::CreateWidget() {
  auto* edit = new ControlWidget<FittingLineEdit>();
  auto host = HostFor(this, edit);
  edit->setText(QString::fromStdString(text_));
  QObject::connect(edit, &QLineEdit::textChanged, edit, [this, edit] {
    if (edit->owner) RaiseEvent("TextChanged");
  });
  return host;
}

std::string TextField::Text() const {
  QLineEdit* e = Edit(*this);
  return e ? e->text().toStdString() : text_;
}

void TextField::SetText(const std::string& text) {
  text_ = text;
  if (QLineEdit* e = Edit(*this)) e->setText(QString::fromStdString(text));
}

void TextField::SetHint(std::string hint) {
  hint_ = std::move(hint);
  if (FittingLineEdit* e = FittingEdit(*this)) e->SetHint(QString::fromStdString(hint_));
}

void TextField::SetHasBorder(bool on) {
  hasBorder_ = on;
  Restyle();
}

void TextField::Restyle() {
  FittingLineEdit* e = FittingEdit(*this);
  if (!e) return;
  e->setFocusPolicy(Qt::StrongFocus);
  e->setAlignment(AlignmentOf(style_));
  e->setReadOnly(readOnly_);
  e->setEchoMode(password_ ? QLineEdit::Password : QLineEdit::Normal);
  e->setMaxLength(maxChars_ > 0 ? static_cast<int>(std::min<Integer>(maxChars_, 32767)) : 32767);
  QString background =
      Transparent() ? QStringLiteral("transparent") : QColorOf(background_).name();
  QString border = hasBorder_ ? QStringLiteral("1px solid #808080") : QStringLiteral("none");
  e->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: %3; padding: 0; }")
                       .arg(background, QColorOf(style_.textColor).name(), border));
  // Last: the room for the text depends on the border.
  e->SetDeclaredFont(FontOf(style_));
}

void TextField::SetProperty(const Property& p) {
  const std::string& n = p.name;
  if (n == "Text")
    SetText(PropertyAs<std::string>(p));
  else if (n == "Hint")
    SetHint(PropertyAs<std::string>(p));
  else if (n == "HasBorder")
    SetHasBorder(PropertyAs<bool>(p));
  else if (style_.SetProperty(p))
    Restyle();
  else if (n == "BackgroundColor") {
    background_ = static_cast<Color>(PropertyAs<Integer>(p));
    Restyle();
  } else if (n == "ReadOnly") {
    readOnly_ = PropertyAs<bool>(p);
    Restyle();
  } else if (n == "Password") {
    password_ = PropertyAs<bool>(p);
    Restyle();
  } else if (n == "MaximumCharactersAllowed") {
    maxChars_ = PropertyAs<Integer>(p);
    Restyle();
  } else if (n == "AllowSpellChecking")
    PropertyAs<bool>(p);  // the toolkit's fields do no spell checking
  else if (n == "ValidationMask" || n == "Format") {
    if (!PropertyAs<std::string>(p).empty())
      throw UnsupportedOperationException("TextField has no input masks or formats");
  } else
    RectControl::SetProperty(p);
}

}  // namespace fw
