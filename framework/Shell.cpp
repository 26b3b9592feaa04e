#include "framework/Shell.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <cstdio>
#include <set>

#include "framework/Bundle.h"

namespace fw {

namespace {

constexpr int kNotFound = 127;
constexpr int kNotExecutable = 126;

std::unique_ptr<ShellService>& Service() {
  static std::unique_ptr<ShellService> service = std::make_unique<ProcessShellService>();
  return service;
}

// A tool that is missing stays missing: say so once, not at every run.
void ReportOnce(const std::string& commandLine, const std::string& why) {
  static std::set<std::string> reported;
  if (!reported.insert(commandLine).second) return;
  std::string line = why.substr(0, why.find('\n'));
  std::fprintf(stderr, "brindlex: cannot run \"%s\": %s\n", commandLine.c_str(), line.c_str());
  std::fflush(stderr);
}

}  // namespace

ShellService::Outcome ProcessShellService::Execute(const std::string& commandLine) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  const std::string bin = GetBundleService().ExecutableFolder();
  if (!bin.empty()) {
    const QString path = environment.value(QStringLiteral("PATH"));
    environment.insert(QStringLiteral("PATH"), QString::fromStdString(bin) +
                                                   (path.isEmpty() ? QString() : ":" + path));
  }
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromStdString(commandLine)});

  Outcome outcome;
  if (!process.waitForStarted(-1)) {
    outcome.result = process.errorString().toStdString();
    ReportOnce(commandLine, outcome.result);
    return outcome;
  }
  process.waitForFinished(-1);
  outcome.result = process.readAll().toStdString();
  if (process.exitStatus() == QProcess::NormalExit) outcome.exitCode = process.exitCode();
  if (outcome.exitCode == kNotFound || outcome.exitCode == kNotExecutable)
    ReportOnce(commandLine, outcome.result);
  return outcome;
}

ShellService& GetShellService() { return *Service(); }

void SetShellService(std::unique_ptr<ShellService> service) {
  Service() = service ? std::move(service) : std::make_unique<ProcessShellService>();
}

void Shell::Execute(const std::string& command) {
  ShellService::Outcome outcome = GetShellService().Execute(command);
  exitCode_ = outcome.exitCode;
  result_ = std::move(outcome.result);
}

void Shell::Close() {
  result_.clear();
  result_.shrink_to_fit();
  exitCode_ = 0;
}

}  // namespace fw
