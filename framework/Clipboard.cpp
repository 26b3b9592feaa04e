#include "framework/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "framework/PicturePrivate.h"

namespace fw {

namespace {

std::unique_ptr<ClipboardService>& Service() {
  static std::unique_ptr<ClipboardService> service = std::make_unique<SystemClipboardService>();
  return service;
}

}  // namespace

Ref<Picture> SystemClipboardService::Picture() {
  if (!qGuiApp) return nullptr;
  return PictureFromImage(QGuiApplication::clipboard()->image());
}

ClipboardService& GetClipboardService() { return *Service(); }

void SetClipboardService(std::unique_ptr<ClipboardService> service) {
  Service() = service ? std::move(service) : std::make_unique<SystemClipboardService>();
}

}  // namespace fw
