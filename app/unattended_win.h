// The command line's run in the process: where its lines go and the small progress window.
#pragma once

#include <string>
#include <vector>

// Runs the command the arguments give (they are not empty) and returns the exit code. The skin
// package and the languages must be set up.
int RunCommandLine(const std::vector<std::wstring>& arguments);
// Another run of the program holds the machine: says so on the console (or in a box when there is
// none and the arguments are not /quiet) and returns kExitAlreadyRunning.
int RefuseSecondRun(const std::vector<std::wstring>& arguments);
