// The accessors' caching and failure rules, on throw-away bundles made from small fixtures.
// Each test runs in a process of its own, so every accessor starts with empty statics.
#include "shell/Resources.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <tuple>
#include <vector>

#include "framework/Bundle.h"
#include "framework/FolderItem.h"
#include "framework/TempBundle.h"

namespace {

using fw::testing::TempBundle;
using Names = std::vector<std::string>;

struct PictureAccessor {
  const char* name;
  fw::Ref<fw::Picture> (*get)();
};
const PictureAccessor kPictures[] = {
    {"Querl0", Querl0},   {"Querl1", Querl1},   {"Querl2", Querl2},   {"Querl3", Querl3},
    {"QuerlB0", QuerlB0}, {"QuerlB1", QuerlB1}, {"QuerlB2", QuerlB2}, {"QuerlB3", QuerlB3},
    {"Nogis00", Nogis00}, {"Nogis01", Nogis01}, {"Nogis02", Nogis02}, {"Nogis03", Nogis03},
    {"Nogis10", Nogis10}, {"Nogis11", Nogis11}, {"Nogis12", Nogis12}, {"Nogis13", Nogis13},
    {"LArrow", LArrow},   {"RArrow", RArrow},   {"TArrow", TArrow},   {"LArrowB", LArrowB},
    {"RArrowB", RArrowB}, {"TArrowB", TArrowB}};

class ResourcesTest : public ::testing::Test {
 protected:
  void TearDown() override { fw::SetBundleService(nullptr); }
};

TEST_F(ResourcesTest, EachPictureAccessorOpensItsOwnNameOnceAndKeepsIt) {
  TempBundle bundle;
  for (const auto& p : kPictures) bundle.Add("pixels.png", std::string(p.name) + ".png");
  fw::FixedBundleService& service = bundle.Install();

  std::vector<fw::Ref<fw::Picture>> first;
  for (const auto& p : kPictures) {
    first.push_back(p.get());
    ASSERT_TRUE(first.back()) << p.name;
    // Only the picture asked for was opened.
    EXPECT_EQ(service.PicturesAskedFor().back(), p.name);
    EXPECT_EQ(service.PicturesAskedFor().size(), first.size()) << p.name;
  }
  for (std::size_t i = 0; i < first.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(first[i], first[j]) << kPictures[i].name;
  }
  for (int round = 0; round < 3; ++round) {
    for (std::size_t i = 0; i < first.size(); ++i) {
      EXPECT_EQ(kPictures[i].get(), first[i]) << kPictures[i].name;
    }
  }
  EXPECT_EQ(service.PicturesAskedFor().size(), first.size());
}

TEST_F(ResourcesTest, PictureThatCannotOpenIsTriedAgainUntilItOpens) {
  TempBundle bundle;
  fw::FixedBundleService& service = bundle.Install();
  EXPECT_FALSE(QuerlB2());
  EXPECT_FALSE(QuerlB2());
  bundle.Add("tone.aiff", "QuerlB2.png");  // there, but no picture
  EXPECT_FALSE(QuerlB2());
  EXPECT_EQ(service.PicturesAskedFor(), (Names{"QuerlB2", "QuerlB2", "QuerlB2"}));

  bundle.Add("pixels.png", "QuerlB2.png");
  fw::Ref<fw::Picture> opened = QuerlB2();
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->Width(), 3);
  // Cached now: even with the file gone, the same picture comes back and nothing is opened.
  std::filesystem::remove(bundle.Resources() / "QuerlB2.png");
  EXPECT_EQ(QuerlB2(), opened);
  EXPECT_EQ(service.PicturesAskedFor().size(), 4u);
}

TEST_F(ResourcesTest, AskingForOnePictureOpensNoOther) {
  TempBundle bundle;
  for (const auto& p : kPictures) bundle.Add("pixels.png", std::string(p.name) + ".png");
  fw::FixedBundleService& service = bundle.Install();
  Querl0();
  Querl0();
  TArrowB();
  EXPECT_EQ(service.PicturesAskedFor(), (Names{"Querl0", "TArrowB"}));
  EXPECT_EQ(service.ResourcesLookups(), 0);
}

TEST_F(ResourcesTest, SoundIsLookedForOnceAndKept) {
  TempBundle bundle;
  bundle.Add("tone.aiff", "Num.aiff");
  fw::FixedBundleService& service = bundle.Install();
  fw::Ref<fw::Sound> num = Num();
  ASSERT_TRUE(num);
  EXPECT_EQ(num->Frames(), 40);
  std::filesystem::remove(bundle.Resources() / "Num.aiff");
  EXPECT_EQ(Num(), num);
  EXPECT_EQ(Num(), num);
  EXPECT_EQ(service.ResourcesLookups(), 1);
}

TEST_F(ResourcesTest, SoundThatIsNoSoundStaysNilWithNoSecondLookup) {
  TempBundle bundle;
  bundle.Add("not-a-sound.aiff", "Num.aiff");
  fw::FixedBundleService& service = bundle.Install();
  EXPECT_FALSE(Num());
  bundle.Add("tone.aiff", "Num.aiff");  // too late: the run has looked already
  EXPECT_FALSE(Num());
  EXPECT_FALSE(Num());
  EXPECT_EQ(service.ResourcesLookups(), 1);
}

TEST_F(ResourcesTest, NumAndEntKeepSeparateState) {
  TempBundle bundle;
  bundle.Add("tone.aiff", "Num.aiff");
  bundle.Add("not-a-sound.aiff", "Ent.aiff");
  fw::FixedBundleService& service = bundle.Install();
  EXPECT_FALSE(Ent());
  EXPECT_EQ(service.ResourcesLookups(), 1);
  fw::Ref<fw::Sound> num = Num();
  EXPECT_TRUE(num);
  EXPECT_EQ(service.ResourcesLookups(), 2);
  EXPECT_FALSE(Ent());
  EXPECT_EQ(Num(), num);
  EXPECT_EQ(service.ResourcesLookups(), 2);
}

TEST_F(ResourcesTest, MissingSoundFileOrResourcesFolderGivesNilForTheRun) {
  TempBundle bundle;
  fw::FixedBundleService& service = bundle.Install();
  EXPECT_FALSE(Num());  // Resources/ is there, Num.aiff is not
  EXPECT_EQ(service.ResourcesLookups(), 1);
  // Installing the next bundle replaces (and ends) the service above.
  TempBundle noResources(false);
  fw::FixedBundleService& bare = noResources.Install();
  EXPECT_FALSE(Ent());
  EXPECT_FALSE(Ent());
  EXPECT_FALSE(Num());
  EXPECT_EQ(bare.ResourcesLookups(), 1);  // Ent's one lookup: Num did not look again
}

// A bundle service whose way to the Resources folder fails, or leads to an item that is no
// folder, so that the sound file's item cannot be had.
class BrokenBundleService : public fw::FixedBundleService {
 public:
  enum class Fault { Raises, NotAFolder };
  BrokenBundleService(Fault fault, std::string file)
      : FixedBundleService(""), fault_(fault), file_(std::move(file)) {}
  fw::Ref<fw::FolderItem> Resources() override {
    ++lookups;
    if (fault_ == Fault::Raises) throw fw::NilObjectException("no bundle");
    return fw::RuntimeNewObject<fw::FolderItem>(file_);
  }
  int lookups = 0;

 private:
  Fault fault_;
  std::string file_;
};

TEST_F(ResourcesTest, LookupThatRaisesPassesItOnOnceThenGivesNil) {
  auto owned = std::make_unique<BrokenBundleService>(BrokenBundleService::Fault::Raises, "");
  BrokenBundleService& service = *owned;
  fw::SetBundleService(std::move(owned));
  EXPECT_THROW(Num(), fw::NilObjectException);
  EXPECT_FALSE(Num());
  EXPECT_FALSE(Num());
  EXPECT_EQ(service.lookups, 1);
  // Ent has looked for nothing yet: its first call meets the failure too.
  EXPECT_THROW(Ent(), fw::NilObjectException);
  EXPECT_FALSE(Ent());
  EXPECT_EQ(service.lookups, 2);
}

TEST_F(ResourcesTest, NoItemForTheSoundFileRaisesOnTheFirstCallOnly) {
  // Resources that is a file: the folder has no child items at all.
  auto owned = std::make_unique<BrokenBundleService>(
      BrokenBundleService::Fault::NotAFolder, fw::testing::TestData("tone.aiff").string());
  BrokenBundleService& service = *owned;
  fw::SetBundleService(std::move(owned));
  EXPECT_THROW(Ent(), fw::NilObjectException);
  EXPECT_FALSE(Ent());
  EXPECT_EQ(service.lookups, 1);
}

// Something other than a regular file under a picture's or a sound's name. A FIFO blocks whoever
// opens it for reading until a writer comes, so it must not be opened at all: the accessor gives
// none at once, as for any file that cannot be opened.
struct OddItem {
  const char* kind;
  bool (*make)(const std::filesystem::path& at);
};
const OddItem kOddItems[] = {
    {"FIFO", [](const std::filesystem::path& at) { return mkfifo(at.c_str(), 0600) == 0; }},
    {"folder", [](const std::filesystem::path& at) { return std::filesystem::create_directory(at); }},
};

struct Resource {
  const char* file;
  bool (*opens)();  // calls the accessor: whether it gave something
};
const Resource kResources[] = {
    {"Querl0.png", [] { return bool(Querl0()); }},
    {"Num.aiff", [] { return bool(Num()); }},
};

void PrintTo(const OddItem& item, std::ostream* os) { *os << item.kind; }
void PrintTo(const Resource& resource, std::ostream* os) { *os << resource.file; }

class OddItemInPlace : public ResourcesTest,
                       public ::testing::WithParamInterface<std::tuple<OddItem, Resource>> {};

TEST_P(OddItemInPlace, TheAccessorGivesNoneAtOnce) {
  const auto& [item, resource] = GetParam();
  TempBundle bundle;
  const std::filesystem::path at = bundle.Resources() / resource.file;
  ASSERT_TRUE(item.make(at)) << at;
  bundle.Install();
  for (int call = 0; call < 2; ++call) {
    auto opened = std::async(std::launch::async, resource.opens);
    if (opened.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
      ADD_FAILURE() << "the accessor waits on the " << item.kind;
      // Let the blocked open go: a writer that leaves at once gives the reader end-of-file.
      const int writer = open(at.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) close(writer);
    }
    EXPECT_FALSE(opened.get()) << "call " << call;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Resources, OddItemInPlace,
    ::testing::Combine(::testing::ValuesIn(kOddItems), ::testing::ValuesIn(kResources)),
    [](const auto& info) {
      std::string name = std::string(std::get<0>(info.param).kind) + "_as_" +
                         std::get<1>(info.param).file;
      for (char& c : name)
        if (c == '.') c = '_';
      return name;
    });

}  // namespace
