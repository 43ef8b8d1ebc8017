// Which system the program runs on: Windows, or Wine, whose shell neither asks before replacing a
// file nor reports a move that failed, and whose file system lists a Unix link to a file as a
// plain file. Asked once, where start-up chooses the move engine (app/ThisSystem.cpp).
#pragma once

namespace zv {

bool ShellIsWine();

} // namespace zv
