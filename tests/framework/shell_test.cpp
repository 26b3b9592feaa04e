#include "framework/Shell.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/TempBundle.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

void WriteScript(const fs::path& path, const std::string& body) {
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(path, fs::perms::owner_all);
}

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "shell_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QCoreApplication>(argc, argv);
    // A folder on PATH of the test's own, in front of the rest.
    path_ = bundle_.Root() / "path";
    fs::create_directories(path_);
    const char* old = std::getenv("PATH");
    setenv("PATH", (path_.string() + ":" + (old ? old : "/usr/bin:/bin")).c_str(), 1);
    bundle_.Install();
  }
  void TearDown() override { SetBundleService(nullptr); }

  std::string Run(const std::string& command, Integer* exitCode = nullptr) {
    auto shell = RuntimeNewObject<Shell>();
    shell->Execute(command);
    if (exitCode) *exitCode = shell->ExitCode();
    return shell->Result();
  }

  testing::TempBundle bundle_{false};
  fs::path path_;
  std::unique_ptr<QCoreApplication> app_;
};

TEST_F(ShellTest, RunsTheCommandLineAndWaitsForItsEnd) {
  Integer code = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Run("sleep 0.3; echo out; echo err >&2; exit 3", &code), "out\nerr\n");
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_EQ(code, 3);
  EXPECT_EQ(Run("printf '%s|' \"a b\" c", &code), "a b|c|");
  EXPECT_EQ(code, 0);
}

TEST_F(ShellTest, FindsTheBundlesOwnProgramBeforePath) {
  WriteScript(path_ / "brindlex-probe", "echo from-path");
  EXPECT_EQ(Run("brindlex-probe"), "from-path\n");
  WriteScript(bundle_.Bin() / "brindlex-probe", "echo from-bundle \"$@\"");
  EXPECT_EQ(Run("brindlex-probe -c -x"), "from-bundle -c -x\n");
}

TEST_F(ShellTest, RunsTheBundlesOwnProgramWhenTheBundlesFolderNameHoldsAColon) {
  // Split on ':', ".../odd:place/bin" names ".../odd" and "place/bin": a program there, or
  // anywhere on PATH, must not be taken for the bundle's.
  const fs::path odd = bundle_.Root() / "odd";
  const fs::path bin = bundle_.Root() / "odd:place" / "bin";
  fs::create_directories(odd);
  fs::create_directories(bin);
  WriteScript(odd / "brindlex-probe", "echo from-odd");
  WriteScript(path_ / "brindlex-probe", "echo from-path");
  WriteScript(bin / "brindlex-probe", "echo from-bundle \"$@\"");
  SetBundleService(std::make_unique<FixedBundleService>(bin.string()));
  EXPECT_EQ(Run("brindlex-probe -c -x"), "from-bundle -c -x\n");
  // Lines for /bin/sh find programs on PATH as it was.
  EXPECT_EQ(Run("brindlex-probe | cat"), "from-path\n");
}

TEST_F(ShellTest, AMissingCommandEndsAtOnceAndIsReportedOnce) {
  ::testing::internal::CaptureStderr();
  Integer code = 0;
  const auto start = std::chrono::steady_clock::now();
  Run("brindlex-no-such-tool -c", &code);
  EXPECT_EQ(code, 127);
  Run("brindlex-no-such-tool -c", &code);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err.find("brindlex: cannot run \"brindlex-no-such-tool -c\""), 0u) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST_F(ShellTest, ACommandThatHangsIsStoppedAndReported) {
  ProcessShellService service(200);
  ::testing::internal::CaptureStderr();
  ShellService::Outcome outcome = service.Execute("sleep 30");
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(outcome.exitCode, -1);
  EXPECT_EQ(err, "brindlex: cannot run \"sleep 30\": did not end in time and was stopped\n");
}

TEST_F(ShellTest, CloseLetsGoOfTheOutputAndTheShellRunsAgain) {
  auto shell = RuntimeNewObject<Shell>();
  EXPECT_EQ(shell->ClassName(), "Shell");
  shell->Execute("echo one; exit 4");
  EXPECT_EQ(shell->Result(), "one\n");
  shell->Close();
  EXPECT_EQ(shell->Result(), "");
  EXPECT_EQ(shell->ExitCode(), 0);
  shell->Execute("echo two");
  EXPECT_EQ(shell->Result(), "two\n");
}

TEST_F(ShellTest, TheCommandDoesNotReadTheProgramsInput) {
  // A command that reads its input gets end-of-file at once, rather than waiting on ours.
  Integer code = 0;
  EXPECT_EQ(Run("cat; echo done", &code), "done\n");
  EXPECT_EQ(code, 0);
}

TEST(RecordingShell, RecordsCommandsAndRunsTheHookInPlaceOfThem) {
  auto service = std::make_unique<RecordingShellService>();
  RecordingShellService& shell = *service;
  SetShellService(std::move(service));
  std::string seen;
  shell.OnExecute([&](const std::string& command) { seen = command; });
  shell.SetOutcome({7, "out"});
  auto s = RuntimeNewObject<Shell>();
  s->Execute("screencapture -c -x");
  EXPECT_EQ(seen, "screencapture -c -x");
  EXPECT_EQ(shell.Commands(), std::vector<std::string>{"screencapture -c -x"});
  EXPECT_EQ(s->ExitCode(), 7);
  EXPECT_EQ(s->Result(), "out");
  SetShellService(nullptr);
}

}  // namespace
}  // namespace fw
