#include "framework/Bundle.h"

#include <filesystem>
#include <system_error>

#include "framework/FolderItem.h"
#include "framework/Picture.h"
#include "framework/ServiceSlot.h"

namespace fw {

namespace {

using Slot = ServiceSlot<BundleService, ProcessBundleService>;

}  // namespace

Ref<FolderItem> BundleService::FindResources() {
  const std::string folder = ExecutableFolder();
  if (folder.empty()) return nullptr;
  Ref<FolderItem> bundle = RuntimeNewObject<FolderItem>(folder)->Parent();
  if (!bundle) return nullptr;
  Ref<FolderItem> resources = bundle->Child("Resources", true);
  if (!resources || !resources->IsFolder()) return nullptr;
  return resources;
}

Ref<FolderItem> BundleService::Resources() { return FindResources(); }

Ref<Picture> BundleService::OpenPicture(const std::string& name) {
  Ref<FolderItem> resources = FindResources();
  if (!resources) return nullptr;
  Ref<FolderItem> file = resources->Child(name + ".png", true);
  if (!file) return nullptr;
  return Picture::Open(file);
}

std::string ProcessBundleService::ExecutableFolder() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || exe.empty()) return {};
  return exe.parent_path().string();
}

Ref<FolderItem> FixedBundleService::Resources() {
  ++resourcesLookups_;
  return FindResources();
}

Ref<Picture> FixedBundleService::OpenPicture(const std::string& name) {
  picturesAskedFor_.push_back(name);
  return BundleService::OpenPicture(name);
}

BundleService& GetBundleService() { return Slot::Get(); }

void SetBundleService(std::unique_ptr<BundleService> service) { Slot::Set(std::move(service)); }

Ref<FolderItem> GetApplicationBundleResources() { return GetBundleService().Resources(); }

}  // namespace fw
