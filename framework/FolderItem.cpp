#include "framework/FolderItem.h"

#include <filesystem>
#include <system_error>

#include "framework/Sound.h"

namespace fw {

namespace fs = std::filesystem;

FolderItem::FolderItem(std::string path) : path_(std::move(path)) {}

std::string FolderItem::Name() const {
  fs::path p(path_);
  if (!p.has_filename()) p = p.parent_path();  // "a/b/" names "b"
  return p.filename().string();
}

bool FolderItem::Exists() const {
  std::error_code error;
  return fs::exists(path_, error);
}

bool FolderItem::IsFolder() const {
  std::error_code error;
  return fs::is_directory(path_, error);
}

bool FolderItem::IsRegularFile() const {
  std::error_code error;
  return fs::is_regular_file(path_, error);
}

Ref<FolderItem> FolderItem::Parent() const {
  fs::path p = fs::path(path_).lexically_normal();
  if (!p.has_filename()) p = p.parent_path();
  if (p.empty() || p == p.root_path()) return nullptr;
  fs::path parent = p.parent_path();
  if (parent.empty()) parent = ".";
  return RuntimeNewObject<FolderItem>(parent.string());
}

Ref<FolderItem> FolderItem::Child(const std::string& name, bool followAlias) const {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
      name.find('\0') != std::string::npos) {
    return nullptr;
  }
  if (!IsFolder()) return nullptr;
  fs::path child = fs::path(path_) / name;
  std::error_code error;
  if (followAlias && fs::is_symlink(child, error)) {
    fs::path target = fs::canonical(child, error);
    // A dangling link still names an item: the link itself.
    if (!error) child = target;
  }
  return RuntimeNewObject<FolderItem>(child.string());
}

Ref<Sound> FolderItem::OpenAsSound() const {
  return Sound::Open(path_);
}

}  // namespace fw
