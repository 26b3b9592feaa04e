#pragma once
// A file or folder named by its path, whether or not it exists.
#include <string>

#include "framework/Object.h"

namespace fw {

class Sound;

class FolderItem : public Object {
  FW_CLASS("FolderItem")
 public:
  explicit FolderItem(std::string path);

  const std::string& NativePath() const { return path_; }
  // The last part of the path.
  std::string Name() const;
  bool Exists() const;
  bool IsFolder() const;
  // An existing plain file (a link to one counts): not a folder, FIFO, socket or device, whose
  // reading could block or never end.
  bool IsRegularFile() const;
  // The folder that holds this item; nil for the root.
  Ref<FolderItem> Parent() const;

  // The item of that name in this folder, which may not exist yet. Nil when this item is not an
  // existing folder or the name is not a single plain name (empty, ".", ".." or holding a "/").
  // With followAlias, a symbolic link gives the item it points to.
  Ref<FolderItem> Child(const std::string& name, bool followAlias = true) const;

  // The file as a sound (see Sound::Open); nil when it is missing or not a sound.
  Ref<Sound> OpenAsSound() const;

 private:
  std::string path_;
};

}  // namespace fw
