// Start-up: the run mode, the first run, the argument loop.
#pragma once
#include <string>
#include <vector>

namespace zv {

// Runs the program on its arguments (the program's own path not included); returns the exit code.
// unheld are the arguments that the system code page cannot spell exactly ("?" where it lacks a
// character): they count as arguments but are only reported. Errors escape to the caller, which
// shows them as fatal.
int RunProgram(const std::vector<std::string> &args, const std::vector<std::string> &unheld = {});

// The first-run steps up to the default settings: asks for the initial folder and writes the
// default settings file.
void FirstRunSteps();

// The first-run window: shown modally, saves on every close; true when it was confirmed.
bool ShowFirstRunWindow();

// Settings mode: creates the main window, the version window and the two editors, in this order,
// and runs until the main window closes.
void ShowSettingsWindows();

} // namespace zv
