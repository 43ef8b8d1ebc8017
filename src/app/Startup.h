// Start-up: the run mode, the first run, the argument loop.
#pragma once
#include <string>
#include <vector>

#include "../common/DualText.h"

namespace zv {

class MoveEngine;

// Runs the program on its arguments (the program's own path not included); returns the exit code.
// Errors escape to the caller, which shows them as fatal.
int RunProgram(const std::vector<DualText> &args);

// The first-run steps up to the default settings: asks for the initial folder and writes the
// default settings file.
void FirstRunSteps();

// The first-run window: shown modally, saves on every close; true when it was confirmed.
bool ShowFirstRunWindow();

// The move engine for the system the program runs on, chosen once, when first asked
// (ThisSystem.cpp; the test build that takes the shell's path under Wine links its own answer).
MoveEngine &MovesForThisSystem();

// Settings mode: creates the main window, the version window and the two editors, in this order,
// and runs until the main window closes.
void ShowSettingsWindows();

} // namespace zv
