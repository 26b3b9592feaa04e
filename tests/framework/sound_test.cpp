#include "framework/Sound.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "framework/TempBundle.h"

namespace fw {
namespace {

using testing::TestData;

void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "framework_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// What the process writes to stderr while it lives.
class StderrCapture {
 public:
  StderrCapture() : file_(std::tmpfile()), saved_(dup(2)) {
    std::fflush(stderr);
    dup2(fileno(file_), 2);
  }
  ~StderrCapture() {
    Restore();
    std::fclose(file_);
  }
  std::string Text() {
    Restore();
    std::string text;
    std::rewind(file_);
    for (int c; (c = std::fgetc(file_)) != EOF;) text += char(c);
    return text;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    saved_ = -1;
  }
  std::FILE* file_;
  int saved_;
};

TEST(Sound, OpenDecodesAiffFramesExactly) {
  Ref<Sound> sound = Sound::Open(TestData("tone.aiff").string());
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->ClassName(), "Sound");
  EXPECT_EQ(sound->SampleRate(), 8000);
  EXPECT_EQ(sound->Channels(), 2);
  ASSERT_EQ(sound->Frames(), 40);
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(sound->Samples()[2 * i], 800 * i) << i;
    EXPECT_EQ(sound->Samples()[2 * i + 1], -800 * i - 1) << i;
  }
}

TEST(Sound, WhatIsNotASoundOpensAsNil) {
  const std::string empty = (std::filesystem::temp_directory_path() / "brindlex-empty.aiff");
  std::ofstream{empty};
  for (const std::string& path :
       {TestData("not-a-sound.aiff").string(), TestData("pixels.png").string(),
        TestData("missing.aiff").string(), TestData("").string(), empty}) {
    EXPECT_FALSE(Sound::Open(path)) << path;
  }
  std::filesystem::remove(empty);
}

TEST(Sound, ImpossibleFormatsRaiseInvalidArgument) {
  struct Case {
    Integer rate, channels;
    std::size_t samples;
  };
  const Case cases[] = {{0, 1, 4}, {800000, 1, 4}, {44100, 0, 4}, {44100, 9, 9}, {44100, 2, 3}};
  for (const Case& c : cases) {
    EXPECT_THROW(Sound(c.rate, c.channels, std::vector<std::int16_t>(c.samples)),
                 InvalidArgumentException)
        << c.rate << " Hz, " << c.channels << " channels, " << c.samples << " samples";
  }
  EXPECT_EQ(Sound(44100, 2, std::vector<std::int16_t>(6)).Frames(), 3);
}

// The test machines have no audio server: Play must then neither raise nor wait.
TEST(Sound, PlayWithoutAnAudioDeviceDoesNothingAndReturnsAtOnce) {
  EnsureApplication();
  // Twenty seconds of tone: a Play that waited for the sound would take that long.
  const int rate = 8000;
  std::vector<std::int16_t> samples(rate * 20);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = std::int16_t(8000 * std::sin(i * 0.3));
  }
  auto sound = RuntimeNewObject<Sound>(rate, 1, std::move(samples));
  bool timerRan = false;
  QTimer::singleShot(0, [&] { timerRan = true; });
  QElapsedTimer clock;
  clock.start();
  {
    StderrCapture quiet;
    for (int i = 0; i < 10; ++i) EXPECT_NO_THROW(sound->Play());
    // Not a line of complaint, not even on the first play.
    EXPECT_EQ(quiet.Text(), "");
  }
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_FALSE(sound->IsPlaying());
  QCoreApplication::processEvents();
  EXPECT_TRUE(timerRan);
  EXPECT_NO_THROW(sound->Stop());
}

TEST(Sound, PlayWithoutAnApplicationDoesNothing) {
  if (QCoreApplication::instance()) GTEST_SKIP() << "an application exists in this process";
  auto sound = Sound::Open(TestData("tone.aiff").string());
  ASSERT_TRUE(sound);
  EXPECT_NO_THROW(sound->Play());
  EXPECT_FALSE(sound->IsPlaying());
}

}  // namespace
}  // namespace fw
