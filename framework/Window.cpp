#include "framework/Window.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "framework/ControlPrivate.h"
#include "framework/KeysPrivate.h"
#include "framework/MenuKeysPrivate.h"
#include "native/NativeHandlesPrivate.h"
#include "framework/PicturePrivate.h"
#include "framework/RectControl.h"
#include "framework/Runtime.h"
#include "framework/WindowPrivate.h"

namespace fw {

// The window's content: paints the backdrop and turns input on the background into window events.
class ContentWidget : public QWidget {
 public:
  explicit ContentWidget(Window* owner) : owner_(owner) {
    setProperty("fwContent", true);
    setMouseTracking(true);
    // A click on the background takes the focus from a text field, so keys reach the window.
    setFocusPolicy(Qt::ClickFocus);
  }
  void Detach() { owner_ = nullptr; }
  QColor background;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!owner_) return;
    QPainter painter(this);
    if (background.isValid()) painter.fillRect(rect(), background);
    if (auto picture = owner_->Backdrop())
      painter.drawImage(QRect(0, 0, picture->Width(), picture->Height()), ImageOf(*picture));
  }
  void mousePressEvent(QMouseEvent* e) override {
    setFocus(Qt::MouseFocusReason);
    dragging_ = owner_ && owner_->RaiseMouseDown(X(e), Y(e));
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!owner_) return;
    if (dragging_)
      owner_->RaiseMouse("MouseDrag", X(e), Y(e));
    else if (e->buttons() == Qt::NoButton)
      owner_->RaiseMouse("MouseMove", X(e), Y(e));
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (owner_ && dragging_) owner_->RaiseMouse("MouseUp", X(e), Y(e));
    dragging_ = false;
  }
  void enterEvent(QEnterEvent*) override {
    if (owner_) owner_->Raise("MouseEnter");
  }
  void leaveEvent(QEvent*) override {
    if (owner_) owner_->Raise("MouseExit");
  }

 private:
  // Window coordinates from the pointer's place on the screen and where the window is now. The
  // position an event carries is relative to where the X server had the window when the event
  // happened, which lags behind the moves asked for while the window is dragged; measured from the
  // same position that Left and Top read, the grabbed point stays under the pointer.
  QPointF WindowPoint(QMouseEvent* e) const {
    QWidget* top = window();
    return e->globalPosition() - QPointF(top->geometry().topLeft() + mapTo(top, QPoint(0, 0)));
  }
  Integer X(QMouseEvent* e) const { return static_cast<Integer>(std::floor(WindowPoint(e).x())); }
  Integer Y(QMouseEvent* e) const { return static_cast<Integer>(std::floor(WindowPoint(e).y())); }
  Window* owner_;
  bool dragging_ = false;
};

namespace {

class MainWidget : public QMainWindow {
 public:
  explicit MainWidget(Window* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

 protected:
  // Keys that no text field took are the window's.
  void keyPressEvent(QKeyEvent* e) override {
    std::string text = KeyText(*e);
    if (owner_ && !text.empty() && !qobject_cast<QLineEdit*>(QApplication::focusWidget()) &&
        owner_->RaiseKeyDown(text))
      return e->accept();
    QMainWindow::keyPressEvent(e);
  }
  // Tab is a key like any other here, not a focus move.
  bool focusNextPrevChild(bool) override { return false; }
  void resizeEvent(QResizeEvent* e) override {
    QMainWindow::resizeEvent(e);
    if (owner_) owner_->Raise("Resized");
  }
  void moveEvent(QMoveEvent* e) override {
    QMainWindow::moveEvent(e);
    if (owner_) owner_->Raise("Moved");
  }
  void closeEvent(QCloseEvent* e) override {
    if (owner_) owner_->Raise("Closing");
    QMainWindow::closeEvent(e);
  }
  // The window keeps its size: a window manager that makes it full screen (or maximised) all the
  // same, though it cannot be resized, is asked to take that back.
  void changeEvent(QEvent* e) override {
    QMainWindow::changeEvent(e);
    constexpr Qt::WindowStates kResized = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (e->type() == QEvent::WindowStateChange && (windowState() & kResized))
      setWindowState(windowState() & ~kResized);
  }

 private:
  Window* owner_;
};

std::string CtrlForCmd(std::string shortcut) {
  if (shortcut.rfind("Cmd+", 0) == 0) shortcut.replace(0, 3, "Ctrl");
  return shortcut;
}

}  // namespace

QWidget* ContentOf(const Window& window) { return window.Host()->content; }
QMainWindow* MainWidgetOf(const Window& window) { return window.Host()->main; }
bool IsWindowContent(const QWidget* widget) {
  return widget && widget->property("fwContent").toBool();
}

const WindowEventTable::Entry* WindowEventTable::Find(const std::string& event) const {
  for (const Entry& e : entries_)
    if (e.event == event) return &e;
  return nullptr;
}

const std::vector<std::string>& WindowEventTable::WindowEvents() {
  static const std::vector<std::string> events = {
      "Activate",  "AddMenuHandlers", "CancelClose", "Close",     "Closing",   "CreateControls",
      "Deactivate", "KeyDown",        "KeyUp",       "Layout",    "Maximize",  "Minimize",
      "MouseDown", "MouseDrag",       "MouseEnter",  "MouseExit", "MouseMove", "MouseUp",
      "MouseWheel", "Moved",          "Opening",     "Paint",     "Resized",   "Restore"};
  return events;
}

void WindowEventTable::CheckEvent(const std::string& event) {
  const auto& events = WindowEvents();
  if (std::find(events.begin(), events.end(), event) == events.end())
    throw InvalidArgumentException("a window has no event " + event);
}

Window::Window() : host_(std::make_unique<WindowHost>()) {
  auto* main = new MainWidget(this);
  auto* content = new ContentWidget(this);
  main->setCentralWidget(content);
  // The desktop's close command (Alt+F4, WM_DELETE_WINDOW) ends the program as Quit does.
  main->setAttribute(Qt::WA_QuitOnClose);
  // The window keeps the size of its menu bar and content: the window manager is told that its
  // smallest and largest sizes are that one, so it offers no resizing, maximising or full screen.
  main->layout()->setSizeConstraint(QLayout::SetFixedSize);
  // The menu bar stays readable when the window's own background is made clear.
  main->menuBar()->setAutoFillBackground(true);
  main->menuBar()->setStyle(MenuBarStyle());
  host_->main = main;
  host_->content = content;
  SetWidth(width_);
  SetHeight(height_);
}

Window::~Window() {
  // Late toolkit events find no window: destroying a control's widget sends the content a leave
  // event while this object can no longer hand out references to itself. Then the controls go,
  // before the widgets that hold theirs.
  if (host_->main) static_cast<MainWidget*>(host_->main.data())->Detach();
  if (host_->content) host_->content->Detach();
  controls_.clear();
}

const WindowEventTable& Window::Events() const {
  static const WindowEventTable none;
  return none;
}

template <class R, class... A>
R Window::RaiseOwn(const std::string& event, R fallback, A... args) {
  R result = fallback;
  // A window being destroyed raises nothing.
  Ref<Object> self(weak_from_this().lock());
  if (!self) return result;
  RuntimeDispatch(ClassName() + "." + event, [&] {
    const WindowEventTable::Entry* entry = Events().Find(event);
    if (!entry) return;
    if (auto* f = dynamic_cast<Delegate::Fn<R, A...>*>(entry->fn.get()))
      result = f->call(self, args...);
    else if (auto* v = dynamic_cast<Delegate::Fn<void, A...>*>(entry->fn.get()))
      v->call(self, args...);
    else
      throw IllegalCastException("the handler of " + event + " takes other arguments");
  });
  return result;
}

bool Window::RaiseKeyDown(const std::string& key) { return RaiseOwn<bool>("KeyDown", false, key); }
bool Window::RaiseMouseDown(Integer x, Integer y) {
  return RaiseOwn<bool>("MouseDown", false, x, y);
}
void Window::RaiseMouse(const std::string& event, Integer x, Integer y) {
  RaiseOwn<bool>(event, false, x, y);
}
void Window::Raise(const std::string& event) { RaiseOwn<bool>(event, false); }

void Window::Constructor() {
  Ref<Window> self = RefTo<Window>(this);
  RuntimeAddWindow(self);
  RaiseOwn<bool>("Layout", false);
  RaiseOwn<bool>("CreateControls", false);
  RaiseOwn<bool>("AddMenuHandlers", false, self);
  // Every control exists before the first control's Opening.
  std::vector<Ref<Control>> controls = controls_;
  for (const auto& c : controls)
    if (RuntimeObjectIsa<RectControl>(c)) RuntimeCheckCast<RectControl>(c)->Opening();
  RaiseOwn<bool>("Opening", false);
  if (visible_) {
    host_->main->show();
    host_->main->activateWindow();
  }
}

void Window::AddControl(const std::string& name, const Ref<Control>& control) {
  if (!control) throw NilObjectException("AddControl was given no control");
  control->SetName(name);
  controls_.push_back(control);
}

Ref<Control> Window::ControlByName(const std::string& name) const {
  for (const auto& c : controls_)
    if (c->Name() == name) return c;
  return nullptr;
}

Ref<Control> Window::ControlByNameIndex(const std::string& name, Integer index) const {
  for (const auto& c : controls_)
    if (c->Name() == name && c->Index() == index) return c;
  return nullptr;
}

std::vector<std::string> Window::MenuHandlerNames() const {
  std::vector<std::string> names;
  for (const auto& h : menuHandlers_) names.push_back(h.item);
  return names;
}

void Window::ChooseMenuItem(const Ref<MenuItem>& item) {
  if (!item) return;
  if (RuntimeObjectIsa<QuitMenuItem>(item)) return RuntimeQuit();
  for (const auto& h : menuHandlers_)
    if (h.item == item->Name()) {
      h.fn(0);
      return;
    }
  // The standard handling of the Edit items, on the focused text field.
  auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  if (!field) return;
  const std::string& n = item->Name();
  if (n == "EditUndo")
    field->undo();
  else if (n == "EditCut")
    field->cut();
  else if (n == "EditCopy")
    field->copy();
  else if (n == "EditPaste")
    field->paste();
  else if (n == "EditClear")
    field->del();
  else if (n == "EditSelectAll")
    field->selectAll();
}

void Window::SetMenuBar(const Ref<fw::MenuBar>& bar) {
  menuBar_ = bar;
  QMenuBar* qbar = host_->main->menuBar();
  qbar->clear();
  if (!bar) return;
  std::weak_ptr<Object> weakSelf = shared_from_this();
  QStringList captions;
  for (Integer m = 0; m < bar->Count(); ++m)
    captions << QString::fromStdString(bar->Item(m)->Value());
  const QStringList titles = MenuTitles(captions);
  for (Integer m = 0; m < bar->Count(); ++m) {
    Ref<MenuItem> menuItem = bar->Item(m);
    QMenu* menu = qbar->addMenu(titles[m]);
    menu->menuAction()->setVisible(menuItem->Visible());
    for (Integer i = 0; i < menuItem->Count(); ++i) {
      Ref<MenuItem> item = menuItem->Item(i);
      if (item->Value() == "-") {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromStdString(item->Value()));
      QPointer<QAction> guarded(action);
      std::weak_ptr<MenuItem> weakItem = item.shared();
      auto update = [guarded, weakItem] {
        auto it = weakItem.lock();
        if (!guarded || !it) return;
        guarded->setText(QString::fromStdString(it->Value()));
        guarded->setVisible(it->Visible());
        guarded->setShortcut(QKeySequence(QString::fromStdString(CtrlForCmd(it->Shortcut()))));
        guarded->setCheckable(it->HasCheckMark() || guarded->isChecked());
        guarded->setChecked(it->HasCheckMark());
      };
      update();
      item->OnChange(update);
      QObject::connect(action, &QAction::triggered, action, [weakSelf, weakItem] {
        auto self = std::static_pointer_cast<Window>(weakSelf.lock());
        auto it = weakItem.lock();
        if (!self || !it) return;
        RuntimeDispatch(self->ClassName() + " menu " + it->Name(),
                        [&] { self->ChooseMenuItem(Ref<MenuItem>(it)); });
      });
    }
  }
}

void Window::SetBackdrop(const Ref<Picture>& picture) {
  backdrop_ = picture;
  host_->content->update();
}

Integer Window::Left() const { return host_->main->pos().x(); }
Integer Window::Top() const { return host_->main->pos().y(); }
void Window::SetLeft(Integer left) { host_->main->move(static_cast<int>(left), host_->main->pos().y()); }
void Window::SetTop(Integer top) { host_->main->move(host_->main->pos().x(), static_cast<int>(top)); }

void Window::SetWidth(Integer width) {
  width_ = std::clamp<Integer>(width, 1, 32000);
  host_->content->setFixedSize(static_cast<int>(width_), static_cast<int>(height_));
}
void Window::SetHeight(Integer height) {
  height_ = std::clamp<Integer>(height, 1, 32000);
  host_->content->setFixedSize(static_cast<int>(width_), static_cast<int>(height_));
}

void Window::SetTitle(std::string title) {
  title_ = std::move(title);
  host_->main->setWindowTitle(QString::fromStdString(title_));
}

void Window::SetVisible(bool on) {
  visible_ = on;
  // Shown by Constructor once built; afterwards at once.
  if (!on)
    host_->main->hide();
  else if (host_->main->isHidden() && RuntimeRunning())
    host_->main->show();
}

void Window::Minimize() { host_->main->showMinimized(); }

Integer Window::MouseX() const { return host_->content->mapFromGlobal(QCursor::pos()).x(); }
Integer Window::MouseY() const { return host_->content->mapFromGlobal(QCursor::pos()).y(); }

Ptr Window::Handle() const { return native::NativeWindowFor(host_->main); }

void Window::SetProperty(const Property& p) {
  const std::string& n = p.name;
  if (n == "Width")
    SetWidth(PropertyAs<Integer>(p));
  else if (n == "Height")
    SetHeight(PropertyAs<Integer>(p));
  else if (n == "Title")
    SetTitle(PropertyAs<std::string>(p));
  else if (n == "Visible")
    SetVisible(PropertyAs<bool>(p));
  else if (n == "MenuBarVisible")
    host_->main->menuBar()->setVisible(PropertyAs<bool>(p));
  else if (n == "HasBackgroundColor")
    hasBackgroundColor_ = PropertyAs<bool>(p);
  else if (n == "BackgroundColor")
    backgroundColor_ = static_cast<Color>(PropertyAs<Integer>(p));
  else if (n == "MinimumWidth" || n == "MinimumHeight" || n == "MaximumWidth" ||
           n == "MaximumHeight" || n == "Type" || n == "DefaultLocation")
    PropertyAs<Integer>(p);  // the content's size is fixed, and the window manager places it
  else if (n == "Resizeable" || n == "HasCloseButton" || n == "HasMinimizeButton" ||
           n == "HasMaximizeButton" || n == "HasFullScreenButton" || n == "FullScreen")
    PropertyAs<bool>(p);  // the frame's buttons go when the window opens title-less
  else
    throw InvalidArgumentException("Window has no property " + n);
  host_->content->background =
      hasBackgroundColor_ ? QColor(QRgb(backgroundColor_)) : QColor();
}

}  // namespace fw
