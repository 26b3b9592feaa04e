#include "framework/Application.h"

namespace fw {

namespace {
bool hiDPI = false;
}

// Qt 6 always draws at the screen's device pixel ratio; the flag is kept for those who ask.
void Application::SetSupportsHiDPI(bool on) { hiDPI = on; }
bool Application::SupportsHiDPI() { return hiDPI; }

void Application::x_SetVersionData(Integer major, Integer minor, Integer bug, Integer nonRelease,
                                   Integer stageCode, std::string shortVersion,
                                   std::string longVersion, std::string packageInfo) {
  major_ = major;
  minor_ = minor;
  bug_ = bug;
  nonRelease_ = nonRelease;
  stageCode_ = stageCode;
  shortVersion_ = std::move(shortVersion);
  longVersion_ = std::move(longVersion);
  packageInfo_ = std::move(packageInfo);
}

}  // namespace fw
