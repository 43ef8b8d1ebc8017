// The application object: the hidden window that owns every window and shell call, the
// application title, and the message boxes every part of the program shows.
#pragma once
#include <windows.h>

#include <string>

namespace zv {

// Sets the default title. The hidden application window is created by the first AppWindow() call.
// Without a display there is no window; every owner is then null and the program still sorts.
void InitApplication();
HWND AppWindow();
const std::string &AppTitle();
void SetAppTitle(const std::string &title);
// The title a program gets by default: the executable's name up to its first dot, every character
// after the first in lower case ("ZORVIK.EXE" gives "Zorvik").
std::string DefaultTitle(const std::string &exePath);

// True when the shell underneath is Wine's, whose file operations the program must not trust.
bool ShellIsWine();

// The owner for a box or dialog shown now: the active window of the program, else the
// application window.
HWND CurrentOwner();

void ShowWarning(const std::string &text);    // "警告", warning icon, OK
bool Confirm(const std::string &text);        // "確認", question icon, はい(&Y) default / いいえ(&N)
void ShowError(const std::string &text);      // the application's error box
void ShowFatal(const std::string &text);      // "アプリケーション エラー"
// The text of the application's error box: "." appended when the last character compares greater.
std::string ErrorBoxText(const std::string &message);

} // namespace zv
