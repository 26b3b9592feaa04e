#include "shell/startup/Startup.h"

int main(int argc, char** argv, char** envp) { return RunProgram(argc, argv, envp); }
