#pragma once
// Runs command lines. Execute waits until the command has ended. A line of plain words is started
// directly, by its absolute path when the folder of the running executable (the bundle's bin/)
// has it, else from PATH; any other line (pipes, quotes, variables ...) is run by /bin/sh, with
// that folder in front of PATH. A service with a real
// implementation and a test double.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Object.h"

namespace fw {

class ShellService {
 public:
  struct Outcome {
    // The command's exit status; 127 when the program was not found, -1 when the command could
    // not be started or did not end normally.
    Integer exitCode = -1;
    // What the command wrote, standard output and standard error together.
    std::string result;
  };
  virtual ~ShellService() = default;
  // Runs the command line and returns once it has ended.
  virtual Outcome Execute(const std::string& commandLine) = 0;
};

// The real shell, through the toolkit's process class, the bundle's own programs first.
// A command line that cannot run is reported on stderr once, in one line. A command that has not
// ended after longestRunMs is stopped, so that a hanging one cannot freeze the window.
class ProcessShellService : public ShellService {
 public:
  explicit ProcessShellService(int longestRunMs = 10'000) : longestRunMs_(longestRunMs) {}
  Outcome Execute(const std::string& commandLine) override;

 private:
  int longestRunMs_;
};

// A test double: records every command line and runs a hook of the test's in place of it.
class RecordingShellService : public ShellService {
 public:
  Outcome Execute(const std::string& commandLine) override {
    commands_.push_back(commandLine);
    if (onExecute_) onExecute_(commandLine);
    return outcome_;
  }
  void OnExecute(std::function<void(const std::string&)> hook) { onExecute_ = std::move(hook); }
  void SetOutcome(Outcome outcome) { outcome_ = std::move(outcome); }
  const std::vector<std::string>& Commands() const { return commands_; }

 private:
  std::function<void(const std::string&)> onExecute_;
  Outcome outcome_{0, {}};
  std::vector<std::string> commands_;
};

// The service in force: ProcessShellService unless a test set another.
ShellService& GetShellService();
// Puts a service in force; nullptr puts the real one back.
void SetShellService(std::unique_ptr<ShellService> service);

class Shell : public Object {
  FW_CLASS("Shell")
 public:
  // Runs the command line and returns when it has ended.
  void Execute(const std::string& command);
  // Lets go of the last command's output.
  void Close();

  const std::string& Result() const { return result_; }
  Integer ExitCode() const { return exitCode_; }

 private:
  std::string result_;
  Integer exitCode_ = 0;
};

}  // namespace fw
