#include "framework/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <set>

#include "framework/Bundle.h"
#include "framework/ServiceSlot.h"

namespace fw {

namespace {

constexpr int kNotFound = 127;
constexpr int kNotExecutable = 126;

using Slot = ServiceSlot<ShellService, ProcessShellService>;

// A tool that is missing stays missing: say so once, not at every run.
void ReportOnce(const std::string& commandLine, const std::string& why) {
  static std::set<std::string> reported;
  if (!reported.insert(commandLine).second) return;
  std::string line = why.substr(0, why.find('\n'));
  std::fprintf(stderr, "brindlex: cannot run \"%s\": %s\n", commandLine.c_str(), line.c_str());
  std::fflush(stderr);
}

// Whether the line needs /bin/sh: anything beyond words separated by blanks.
bool NeedsShell(const QString& line) {
  static const QString special = QStringLiteral("|&;<>()$`\\\"'*?[]#~={}!\n");
  for (QChar c : line)
    if (special.contains(c)) return true;
  return false;
}

// The program of that name: the bundle's own by its absolute path, else the first on the search
// path; empty when there is none.
QString Locate(const QString& name, const QString& bin, const QString& path) {
  if (name.contains('/')) return QFileInfo(name).isExecutable() ? name : QString();
  if (!bin.isEmpty()) {
    const QFileInfo own(QDir(bin).filePath(name));
    if (own.isFile() && own.isExecutable()) return own.absoluteFilePath();
  }
  return QStandardPaths::findExecutable(name, path.split(':', Qt::SkipEmptyParts));
}

}  // namespace

ShellService::Outcome ProcessShellService::Execute(const std::string& commandLine) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  const QString bin = QString::fromStdString(GetBundleService().ExecutableFolder());
  const QString path = environment.value(QStringLiteral("PATH"));
  // For lines that go through /bin/sh. PATH separates folders with ':', so a folder whose name
  // holds one cannot be put there: it would name other folders.
  if (!bin.isEmpty() && !bin.contains(':'))
    environment.insert(QStringLiteral("PATH"), path.isEmpty() ? bin : bin + ':' + path);
  const QString line = QString::fromStdString(commandLine);
  QString program;
  QStringList arguments;
  Outcome outcome;
  if (NeedsShell(line)) {
    program = QStringLiteral("/bin/sh");
    arguments = {QStringLiteral("-c"), line};
  } else {
    // A plain program and its words: started directly, which spares a shell per run.
    arguments = QProcess::splitCommand(line);
    if (arguments.isEmpty()) return {0, {}};
    const QString name = arguments.takeFirst();
    program = Locate(name, bin, path);
    if (program.isEmpty()) {
      outcome.exitCode = kNotFound;
      outcome.result = name.toStdString() + ": not found\n";
      ReportOnce(commandLine, outcome.result);
      return outcome;
    }
  }

  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(program, arguments);
  if (!process.waitForStarted(-1)) {
    outcome.result = process.errorString().toStdString();
    ReportOnce(commandLine, outcome.result);
    return outcome;
  }
  if (!process.waitForFinished(longestRunMs_)) {
    process.kill();
    process.waitForFinished(-1);
    outcome.result = "did not end in time and was stopped";
    ReportOnce(commandLine, outcome.result);
    return outcome;
  }
  outcome.result = process.readAll().toStdString();
  if (process.exitStatus() == QProcess::NormalExit) outcome.exitCode = process.exitCode();
  if (outcome.exitCode == kNotFound || outcome.exitCode == kNotExecutable)
    ReportOnce(commandLine, outcome.result);
  return outcome;
}

ShellService& GetShellService() { return Slot::Get(); }

void SetShellService(std::unique_ptr<ShellService> service) { Slot::Set(std::move(service)); }

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
