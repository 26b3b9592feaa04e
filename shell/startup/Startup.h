#pragma once
// The road from the process's entry to the event loop and back to the exit status.
#include <functional>
#include <string_view>

// The whole program: start-up, the event loop, finalisers; returns the exit status.
int RunProgram(int argc, char** argv, char** envp);

// The runtime's initialisers, with every class of the program.
void PerformInitializers();
// The start-up road from the exception helper to the event loop.
void Main();
// Main's steps up to the event loop, for those who run the loop themselves.
void StartUp();
void EarlyStartup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void LateStartup();
void MakeDefaultView();

// Told the name of each step just before it runs; what it raises is that step's failure.
void SetStartupObserver(std::function<void(std::string_view step)> observer);
