#include "shell/Resources.h"

#include "framework/Bundle.h"
#include "framework/FolderItem.h"

namespace {

// pic stays nil until the picture opens, so a failed open is tried again next time.
fw::Ref<fw::Picture> CachedPicture(fw::Ref<fw::Picture>& pic, const char* name) {
  if (!pic) pic = fw::Picture::OpenFromApp(name);
  return pic;
}

// loaded is set before the lookup, so a lookup that fails, or raises, is never repeated.
fw::Ref<fw::Sound> CachedSound(bool& loaded, fw::Ref<fw::Sound>& permaSound, const char* file) {
  if (!loaded) {
    loaded = true;
    if (fw::Ref<fw::FolderItem> resources = fw::GetApplicationBundleResources()) {
      permaSound = resources->Child(file, true)->OpenAsSound();
    }
  }
  return permaSound;
}

}  // namespace

// Each accessor owns its statics.
#define PICTURE_ACCESSOR(name)        \
  fw::Ref<fw::Picture> name() {       \
    static fw::Ref<fw::Picture> pic;  \
    return CachedPicture(pic, #name); \
  }

#define SOUND_ACCESSOR(name)                               \
  fw::Ref<fw::Sound> name() {                              \
    static bool loaded = false;                            \
    static fw::Ref<fw::Sound> permaSound;                  \
    return CachedSound(loaded, permaSound, #name ".aiff"); \
  }

PICTURE_ACCESSOR(Querl0)
PICTURE_ACCESSOR(Querl1)
PICTURE_ACCESSOR(Querl2)
PICTURE_ACCESSOR(Querl3)
PICTURE_ACCESSOR(QuerlB0)
PICTURE_ACCESSOR(QuerlB1)
PICTURE_ACCESSOR(QuerlB2)
PICTURE_ACCESSOR(QuerlB3)
PICTURE_ACCESSOR(Nogis00)
PICTURE_ACCESSOR(Nogis01)
PICTURE_ACCESSOR(Nogis02)
PICTURE_ACCESSOR(Nogis03)
PICTURE_ACCESSOR(Nogis10)
PICTURE_ACCESSOR(Nogis11)
PICTURE_ACCESSOR(Nogis12)
PICTURE_ACCESSOR(Nogis13)
PICTURE_ACCESSOR(LArrow)
PICTURE_ACCESSOR(RArrow)
PICTURE_ACCESSOR(TArrow)
PICTURE_ACCESSOR(LArrowB)
PICTURE_ACCESSOR(RArrowB)
PICTURE_ACCESSOR(TArrowB)

SOUND_ACCESSOR(Num)
SOUND_ACCESSOR(Ent)

#undef PICTURE_ACCESSOR
#undef SOUND_ACCESSOR
