#pragma once
// The runtime: its start-up protocol, the exception helper, the application object, the window
// list, finalisers, the event loop and the exit code.
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/Object.h"

namespace fw {

class Application;
class Window;

// Connects to the display and readies the toolkit. False (with one line on stderr and exit code 1)
// when there is no display to show the program on.
bool RuntimeInit(int argc, char** argv, char** envp, char** apple);
// Makes the framework's classes and the program's own known to the runtime.
void RuntimePerformInitializers(const std::vector<std::string>& programClasses);
void RuntimePerformFinalizers();
int RuntimeExit();

// Code run by RuntimePerformFinalizers, last added first: globals that release what they hold.
void RuntimeAddFinalizer(std::function<void()> fn);

// Calls fn and returns what it raised, or null when it raised nothing.
using ExceptionHelper = std::exception_ptr (*)(const std::function<void()>& fn);
std::exception_ptr CallFunctionWithExceptionHandling(const std::function<void()>& fn);
void RuntimeSetExceptionHelper(ExceptionHelper helper);
void RuntimeRecordFrameworkVersion(double version);
double RuntimeFrameworkVersion();

void RuntimeInitExternalClasses();
void InitPluginEntrypoints();
// Whether a class of that name is known to the runtime (framework, exception and plug-in classes).
bool RuntimeClassKnown(const std::string& name);

void RuntimeRegisterAppObject(const Ref<Application>& app);
Ref<Application> RuntimeApp();

// Initialises the framework; calls lateStartup once, then returns.
void RunFrameworkInitialization(void (*lateStartup)());
// The event loop; returns when the application quits. Does nothing after a start-up failure.
void RuntimeRun();
void RuntimeQuit();
bool RuntimeRunning();

// The handling of an exception that reached the start-up road: one line on stderr, the event loop
// is not entered and the exit code is non-zero.
void UnhandledException(std::exception_ptr e);

// Runs one event handler through the exception helper: whatever it raises is reported in one line
// on stderr naming the event, the event is abandoned and the program goes on.
void RuntimeDispatch(const std::string& where, const std::function<void()>& handler);

// The framework's window list.
void RuntimeAddWindow(const Ref<Window>& window);
const std::vector<Ref<Window>>& RuntimeWindows();
// The first window of the class of that runtime name, or nil.
Ref<Window> GetImplicitWindow(const std::string& className);

}  // namespace fw
