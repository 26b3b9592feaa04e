#pragma once
// The application object: version data and the application's menu bar.
#include <string>

#include "framework/MenuItem.h"
#include "framework/Object.h"

namespace fw {

class Application : public Object {
  FW_CLASS("Application")
 public:
  static void SetSupportsHiDPI(bool on);
  static bool SupportsHiDPI();

  virtual void x_SetVersionData(Integer major, Integer minor, Integer bug, Integer nonRelease,
                                Integer stageCode, std::string shortVersion,
                                std::string longVersion, std::string packageInfo);
  Integer MajorVersion() const { return major_; }
  Integer MinorVersion() const { return minor_; }
  Integer BugVersion() const { return bug_; }
  Integer NonReleaseVersion() const { return nonRelease_; }
  Integer StageCode() const { return stageCode_; }
  const std::string& ShortVersion() const { return shortVersion_; }
  const std::string& LongVersion() const { return longVersion_; }
  const std::string& PackageInfo() const { return packageInfo_; }

  Ref<fw::MenuBar> MenuBar() const { return menuBar_; }
  void SetMenuBar(const Ref<fw::MenuBar>& bar) { menuBar_ = bar; }

 private:
  Integer major_ = 0, minor_ = 0, bug_ = 0, nonRelease_ = 0, stageCode_ = 0;
  std::string shortVersion_, longVersion_, packageInfo_;
  Ref<fw::MenuBar> menuBar_;
};

}  // namespace fw
