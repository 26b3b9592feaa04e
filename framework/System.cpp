#include "framework/System.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

namespace fw {

namespace {

std::unique_ptr<SystemService>& Service() {
  static std::unique_ptr<SystemService> service = std::make_unique<DesktopSystemService>();
  return service;
}

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

SystemService& GetSystemService() { return *Service(); }

void SetSystemService(std::unique_ptr<SystemService> service) {
  Service() = service ? std::move(service) : std::make_unique<DesktopSystemService>();
}

}  // namespace fw
