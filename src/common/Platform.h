// Which system the program runs on: Windows, or Wine, whose shell neither asks before replacing a
// file nor reports a move that failed, and whose file system lists a Unix link to a file as a
// plain file.
#pragma once

namespace zv {

bool ShellIsWine();
// From now on the program takes the paths it takes on Windows, under Wine too: for the build that
// tests and measures those paths. Called by start-up, before anything asks.
void ActAsOnWindows();

} // namespace zv
