#include "framework/Runtime.h"

#include <QApplication>
#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

#include "framework/Application.h"
#include "framework/DisplayCheck.h"
#include "framework/DisplayLoss.h"
#include "framework/Window.h"

namespace fw {

namespace {

struct RuntimeState {
  int argc = 0;
  char** argv = nullptr;
  std::string programName = "brindlex";
  std::unique_ptr<QApplication> qapp;
  ExceptionHelper helper = nullptr;
  double frameworkVersion = 0;
  std::set<std::string> classes;
  Ref<Application> app;
  std::vector<Ref<Window>> windows;
  std::vector<std::function<void()>> finalizers;
  bool running = false;
  bool startupFailed = false;
  int exitCode = 0;
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

// "xcb" of "xcb:option=value", or of a fallback list "xcb;wayland".
QByteArray PlatformName(const QByteArray& setting) {
  return setting.split(';').first().split(':').first().trimmed();
}

void RegisterClasses(std::initializer_list<const char*> names) {
  for (const char* n : names) State().classes.insert(n);
}

}  // namespace

bool RuntimeInit(int argc, char** argv, char**, char**) {
  RuntimeState& s = State();
  s.argc = argc;
  s.argv = argv;
  if (argc > 0 && argv[0]) {
    std::string name = argv[0];
    s.programName = name.substr(name.find_last_of('/') + 1);
  }
  // X11 whatever the session says (under Wayland through XWayland): the readouts read the X
  // screen and keyboard, and a platform that is not installed would abort. Only the headless
  // offscreen platform, which the tests run on, is kept.
  const QByteArray platform = PlatformName(qgetenv("QT_QPA_PLATFORM"));
  const bool offscreen = platform == "offscreen";
  if (!offscreen) {
    if (platform != "xcb") qputenv("QT_QPA_PLATFORM", "xcb");
    std::string why = CheckXDisplay();
    if (!why.empty()) {
      std::fprintf(stderr, "%s: %s\n", s.programName.c_str(), why.c_str());
      s.exitCode = 1;
      s.startupFailed = true;
      return false;
    }
  }
  s.qapp = std::make_unique<QApplication>(s.argc, s.argv);
  if (!offscreen) ExitOnLostXDisplay(s.programName);
  return true;
}

void RuntimePerformInitializers(const std::vector<std::string>& programClasses) {
  State().classes.insert(programClasses.begin(), programClasses.end());
  RegisterClasses({"Object", "Application", "Window", "Control", "RectControl", "Canvas", "Label",
                   "TextField", "CheckBox", "Slider", "RoundRectangle", "Rectangle", "GroupBox",
                   "ProgressBar", "ProgressWheel", "Timer", "MenuItem", "MenuBar", "QuitMenuItem",
                   "Delegate"});
}

void RuntimeAddFinalizer(std::function<void()> fn) { State().finalizers.push_back(std::move(fn)); }

void RuntimePerformFinalizers() {
  RuntimeState& s = State();
  while (!s.finalizers.empty()) {
    auto fn = std::move(s.finalizers.back());
    s.finalizers.pop_back();
    RuntimeDispatch("a finaliser", fn);
  }
  s.windows.clear();
  s.app = nullptr;
}

int RuntimeExit() {
  RuntimeState& s = State();
  StopWatchingQtXDisplay();
  s.qapp.reset();
  return s.exitCode;
}

std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& fn) {
  try {
    fn();
  } catch (...) {
    return std::current_exception();
  }
  return nullptr;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) { State().helper = helper; }
void RuntimeRecordFrameworkVersion(double version) { State().frameworkVersion = version; }
double RuntimeFrameworkVersion() { return State().frameworkVersion; }

void RuntimeInitExternalClasses() {
  RegisterClasses({"RuntimeException", "NilObjectException", "IllegalCastException",
                   "OutOfBoundsException", "UnsupportedOperationException",
                   "InvalidArgumentException", "Picture", "RGBSurface", "Sound", "FolderItem",
                   "Clipboard"});
}

void InitPluginEntrypoints() { RegisterClasses({"UpDownArrows", "Shell"}); }

bool RuntimeClassKnown(const std::string& name) { return State().classes.count(name) > 0; }

void RuntimeRegisterAppObject(const Ref<Application>& app) { State().app = app; }
Ref<Application> RuntimeApp() { return State().app; }

void RunFrameworkInitialization(void (*lateStartup)()) {
  if (!State().qapp) throw UnsupportedOperationException("the runtime is not initialised");
  lateStartup();
}

void RuntimeRun() {
  RuntimeState& s = State();
  if (s.startupFailed || !s.qapp) return;
  s.running = true;
  QApplication::exec();
  s.running = false;
}

void RuntimeQuit() { QCoreApplication::quit(); }
bool RuntimeRunning() { return State().running; }

namespace {

void Report(std::exception_ptr e, const std::string& where) {
  std::string line = State().programName + ": unhandled " + DescribeException(e);
  if (!where.empty()) line += " in " + where;
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
}

}  // namespace

void UnhandledException(std::exception_ptr e) {
  Report(e, {});
  // An exception that reaches the start-up road stops the program: that must not look like success.
  State().startupFailed = true;
  State().exitCode = 1;
}

void RuntimeDispatch(const std::string& where, const std::function<void()>& handler) {
  ExceptionHelper helper = State().helper ? State().helper : CallFunctionWithExceptionHandling;
  if (std::exception_ptr e = helper(handler)) Report(e, where);
}

void RuntimeAddWindow(const Ref<Window>& window) { State().windows.push_back(window); }
const std::vector<Ref<Window>>& RuntimeWindows() { return State().windows; }

Ref<Window> GetImplicitWindow(const std::string& className) {
  for (const auto& w : State().windows)
    if (w->ClassName() == className) return w;
  return nullptr;
}

}  // namespace fw
