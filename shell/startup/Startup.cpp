#include "shell/startup/Startup.h"

#include "framework/Application.h"
#include "framework/Runtime.h"
#include "shell/App.h"
#include "shell/MainMenuBar.h"
#include "window/ControlArrays.h"
#include "window/MainWindow.h"

namespace {

std::function<void(std::string_view)>& Observer() {
  static std::function<void(std::string_view)> observer;
  return observer;
}

template <class F>
void Step(std::string_view name, F&& step) {
  if (Observer()) Observer()(name);
  step();
}

}  // namespace

void SetStartupObserver(std::function<void(std::string_view)> observer) {
  Observer() = std::move(observer);
}

void PerformInitializers() {
  fw::RuntimePerformInitializers(
      {App::kClassName, MainMenuBar::kClassName, MainWindow::kClassName, elements::BCV::kClassName,
       elements::RRectangle::kClassName, elements::St::kClassName,
       elements::RRectangleI::kClassName, elements::TF::kClassName, elements::UpDownA::kClassName,
       elements::TFCB::kClassName, elements::NogisCV::kClassName});
}

int RunProgram(int argc, char** argv, char** envp) {
  if (fw::RuntimeInit(argc, argv, envp, nullptr)) {
    PerformInitializers();
    Main();
  }
  fw::RuntimePerformFinalizers();
  return fw::RuntimeExit();
}

void Main() {
  // Whatever reaches here, from a step or from the event loop, is the runtime's to handle.
  if (std::exception_ptr e = fw::CallFunctionWithExceptionHandling([] {
        StartUp();
        Step("RuntimeRun", fw::RuntimeRun);
      }))
    fw::UnhandledException(e);
}

void StartUp() {
  Step("RuntimeSetExceptionHelper",
       [] { fw::RuntimeSetExceptionHelper(fw::CallFunctionWithExceptionHandling); });
  Step("RuntimeRecordFrameworkVersion", [] { fw::RuntimeRecordFrameworkVersion(2019.02); });
  Step("EarlyStartup", EarlyStartup);
  Step("RunFrameworkInitialization", [] { fw::RunFrameworkInitialization(LateStartup); });
}

void EarlyStartup() {
  Step("SetSupportsHiDPI", [] { fw::Application::SetSupportsHiDPI(true); });
  Step("RuntimeInitExternalClasses", fw::RuntimeInitExternalClasses);
  Step("InitPluginEntrypoints", fw::InitPluginEntrypoints);
  Step("InitFileTypes", InitFileTypes);
  Step("NewAppInstance", NewAppInstance);
  Step("ApplicationAddMenuHandlers", ApplicationAddMenuHandlers);
}

// The program declares no document types.
void InitFileTypes() {}

void NewAppInstance() {
  fw::Ref<App> app = fw::RuntimeNewObject<App>();
  app->Constructor();
  app->x_SetVersionData(1, 0, 0, 0, 0, "", "", "");
  app->SetMenuBar(implicit::MainMenuBar());
  fw::RuntimeRegisterAppObject(app);
}

// The program registers no application-level menu handlers.
void ApplicationAddMenuHandlers() {}

void LateStartup() { Step("MakeDefaultView", MakeDefaultView); }

// The window list keeps the window; the reference made here goes at once.
void MakeDefaultView() { implicit::MainWindow(); }
