#pragma once
// The toolkit side of a window: a main window with the menu bar above a content widget whose
// coordinates are the window's coordinates.
#include <QMainWindow>
#include <QPointer>
#include <QWidget>

#include "framework/Window.h"

namespace fw {

class ContentWidget;

struct WindowHost {
  QPointer<QMainWindow> main;
  QPointer<ContentWidget> content;
  ~WindowHost() { delete main.data(); }
};

QWidget* ContentOf(const Window& window);
QMainWindow* MainWidgetOf(const Window& window);
bool IsWindowContent(const QWidget* widget);

}  // namespace fw
