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

// The owner for a box or dialog shown now: the active window of the program, else the
// application window.
HWND CurrentOwner();

void ShowWarning(const std::string &text); // "警告", warning icon, OK
bool Confirm(const std::string &text); // "確認", question icon, はい(&Y) default / いいえ(&N)
// The application's error box: the application title, stop icon, OK, the text as given.
void ShowErrorBox(const std::string &text);
// An error caught where a window handles an action, in the error box as ErrorBoxText gives it.
void ShowError(const std::string &message);
void ShowFatal(const std::string &text); // "アプリケーション エラー"
// The error box's text for an error: "." appended when the last character compares greater.
std::string ErrorBoxText(const std::string &message);
// The message of an error that is no std::exception.
inline constexpr char kUnknownError[] = "原因不明のエラーが発生しました";

} // namespace zv
