#include "framework/System.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include "framework/ServiceSlot.h"

namespace fw {

namespace {

using Slot = ServiceSlot<SystemService, DesktopSystemService>;

}  // namespace

Integer DesktopSystemService::MouseX() { return QCursor::pos().x(); }
Integer DesktopSystemService::MouseY() { return QCursor::pos().y(); }

double DesktopSystemService::PixelsPerPoint() {
  if (!qGuiApp) return 1.0;
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->devicePixelRatio() : 1.0;
}

void DesktopSystemService::BackgroundTask() { QThread::yieldCurrentThread(); }

SystemService& GetSystemService() { return Slot::Get(); }

void SetSystemService(std::unique_ptr<SystemService> service) { Slot::Set(std::move(service)); }

}  // namespace fw
