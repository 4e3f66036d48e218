// The command line's run in the process: where its lines go and the small progress window.
#pragma once

#include <string>
#include <vector>

// Runs the command the arguments give (they are not empty) and returns the exit code. The skin
// package and the languages must be set up.
int RunCommandLine(const std::vector<std::wstring>& arguments);
