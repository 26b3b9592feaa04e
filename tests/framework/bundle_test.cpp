#include "framework/Bundle.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "framework/FolderItem.h"
#include "framework/Picture.h"
#include "framework/Sound.h"
#include "framework/TempBundle.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using testing::TempBundle;
using testing::TestData;

Ref<FolderItem> Item(const fs::path& path) { return RuntimeNewObject<FolderItem>(path.string()); }

class BundleTest : public ::testing::Test {
 protected:
  void TearDown() override { SetBundleService(nullptr); }
};

TEST(FolderItem, NameAndParentFollowThePath) {
  struct Case {
    const char* path;
    const char* name;
    const char* parent;  // nullptr: no parent
  };
  const Case cases[] = {{"/a/b/c.aiff", "c.aiff", "/a/b"},
                        {"/a/b/", "b", "/a"},
                        {"/a", "a", "/"},
                        {"/", "", nullptr},
                        {"rel/x", "x", "rel"},
                        {"x", "x", "."}};
  for (const Case& c : cases) {
    auto item = RuntimeNewObject<FolderItem>(c.path);
    EXPECT_EQ(item->Name(), c.name) << c.path;
    Ref<FolderItem> parent = item->Parent();
    if (c.parent) {
      ASSERT_TRUE(parent) << c.path;
      EXPECT_EQ(parent->NativePath(), c.parent) << c.path;
    } else {
      EXPECT_FALSE(parent) << c.path;
    }
  }
}

TEST(FolderItem, ChildOfAFolderIsAnItemEvenWhenItDoesNotExist) {
  Ref<FolderItem> data = Item(TestData(""));
  ASSERT_TRUE(data->IsFolder());
  Ref<FolderItem> tone = data->Child("tone.aiff", true);
  ASSERT_TRUE(tone);
  EXPECT_TRUE(tone->Exists());
  EXPECT_FALSE(tone->IsFolder());
  EXPECT_EQ(fs::path(tone->NativePath()), TestData("tone.aiff"));

  Ref<FolderItem> missing = data->Child("Missing.aiff", true);
  ASSERT_TRUE(missing);
  EXPECT_FALSE(missing->Exists());
  EXPECT_FALSE(missing->OpenAsSound());
}

TEST(FolderItem, ChildIsNilForBadNamesAndForWhatIsNotAFolder) {
  Ref<FolderItem> data = Item(TestData(""));
  for (const char* name : {"", ".", "..", "a/b", "/etc"}) {
    EXPECT_FALSE(data->Child(name, true)) << '"' << name << '"';
  }
  EXPECT_FALSE(data->Child(std::string("a\0b", 3), true));
  EXPECT_FALSE(Item(TestData("tone.aiff"))->Child("x", true));
  EXPECT_FALSE(Item(TestData("no-such-folder"))->Child("x", true));
}

TEST(FolderItem, FollowAliasResolvesASymbolicLink) {
  TempBundle bundle;
  bundle.Add("tone.aiff", "Real.aiff");
  fs::create_symlink(bundle.Resources() / "Real.aiff", bundle.Resources() / "Link.aiff");
  fs::create_symlink(bundle.Resources() / "Gone.aiff", bundle.Resources() / "Dangling.aiff");
  Ref<FolderItem> resources = Item(bundle.Resources());

  EXPECT_EQ(resources->Child("Link.aiff", true)->Name(), "Real.aiff");
  EXPECT_EQ(resources->Child("Link.aiff", false)->Name(), "Link.aiff");
  EXPECT_TRUE(resources->Child("Link.aiff", false)->OpenAsSound());
  // A link to nothing is still an item, one that opens as nothing.
  Ref<FolderItem> dangling = resources->Child("Dangling.aiff", true);
  ASSERT_TRUE(dangling);
  EXPECT_FALSE(dangling->OpenAsSound());
}

TEST(FolderItem, OnlyASoundFileOpensAsSound) {
  EXPECT_TRUE(Item(TestData("tone.aiff"))->OpenAsSound());
  for (const char* name : {"not-a-sound.aiff", "pixels.png", "", "no-such.aiff"}) {
    EXPECT_FALSE(Item(TestData(name))->OpenAsSound()) << name;
  }
}

TEST_F(BundleTest, ResourcesIsTheFolderBesideTheExecutablesFolder) {
  TempBundle bundle;
  bundle.Install();
  Ref<FolderItem> resources = GetApplicationBundleResources();
  ASSERT_TRUE(resources);
  EXPECT_EQ(fs::path(resources->NativePath()), bundle.Resources());
  EXPECT_TRUE(resources->IsFolder());
}

TEST_F(BundleTest, NoResourcesFolderGivesNil) {
  TempBundle noResources(false);
  noResources.Install();
  EXPECT_FALSE(GetApplicationBundleResources());

  // A file named Resources is no folder.
  std::ofstream(noResources.Resources()) << "not a folder";
  EXPECT_FALSE(GetApplicationBundleResources());

  SetBundleService(std::make_unique<FixedBundleService>(""));
  EXPECT_FALSE(GetApplicationBundleResources());
  SetBundleService(std::make_unique<FixedBundleService>("/"));
  EXPECT_FALSE(GetApplicationBundleResources());
}

TEST_F(BundleTest, TestDoubleRecordsWhatItIsAsked) {
  TempBundle bundle;
  bundle.Add("pixels.png", "A.png");
  FixedBundleService& service = bundle.Install();
  GetApplicationBundleResources();
  EXPECT_TRUE(Picture::OpenFromApp("A"));
  EXPECT_FALSE(Picture::OpenFromApp("B"));
  // Opening a picture is not a lookup of the Resources folder by the program.
  EXPECT_EQ(service.ResourcesLookups(), 1);
  EXPECT_EQ(service.PicturesAskedFor(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(BundleTest, RealServiceFindsTheRunningExecutable) {
  SetBundleService(std::make_unique<FixedBundleService>("/nowhere/bin"));
  SetBundleService(nullptr);
  BundleService& service = GetBundleService();
  ASSERT_NE(dynamic_cast<ProcessBundleService*>(&service), nullptr);
  const fs::path folder = service.ExecutableFolder();
  EXPECT_TRUE(fs::exists(folder / "framework_tests")) << folder;
}

}  // namespace
}  // namespace fw
