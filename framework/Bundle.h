#pragma once
// The application bundle: the executable in bin/, its pictures and sounds in Resources/ beside
// it. A service with a real implementation and test doubles.
#include <memory>
#include <string>
#include <vector>

#include "framework/Object.h"

namespace fw {

class FolderItem;
class Picture;

class BundleService {
 public:
  virtual ~BundleService() = default;

  // The folder that holds the running executable; empty when it cannot be told.
  virtual std::string ExecutableFolder() = 0;

  // The bundle's Resources folder: the item "Resources" in the parent of ExecutableFolder().
  // Nil when the executable's folder is unknown or there is no such folder.
  virtual Ref<FolderItem> Resources();

  // Resources/<name>.png as a picture; nil when there is no such picture or the name is not a
  // plain file name.
  virtual Ref<Picture> OpenPicture(const std::string& name);

 protected:
  // What Resources() finds, for overrides that count or change the virtual one.
  Ref<FolderItem> FindResources();
};

// The real service: the executable is the one /proc/self/exe names.
class ProcessBundleService : public BundleService {
 public:
  std::string ExecutableFolder() override;
};

// A test double: the executable's folder is given, and the service records what it is asked.
class FixedBundleService : public BundleService {
 public:
  explicit FixedBundleService(std::string executableFolder)
      : executableFolder_(std::move(executableFolder)) {}

  std::string ExecutableFolder() override { return executableFolder_; }
  Ref<FolderItem> Resources() override;
  Ref<Picture> OpenPicture(const std::string& name) override;

  int ResourcesLookups() const { return resourcesLookups_; }
  // Every name OpenPicture was asked for, in order, once per call.
  const std::vector<std::string>& PicturesAskedFor() const { return picturesAskedFor_; }

 private:
  std::string executableFolder_;
  int resourcesLookups_ = 0;
  std::vector<std::string> picturesAskedFor_;
};

// The service in force: ProcessBundleService unless a test set another.
BundleService& GetBundleService();
// Puts a service in force; nullptr puts the real one back.
void SetBundleService(std::unique_ptr<BundleService> service);

// The bundle's Resources folder, or nil (GetBundleService().Resources()).
Ref<FolderItem> GetApplicationBundleResources();

}  // namespace fw
