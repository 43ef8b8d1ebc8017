// The application object: the hidden window that owns every window and shell call, the
// application title, and the message boxes every part of the program shows.
#pragma once
#include <windows.h>

#include <string>

#include "DualText.h"

namespace zv {

// The application for as long as it lives: the default title, and the hidden application window,
// made by the first AppWindow() call and destroyed as this goes (before OLE, which outlives it).
// Without a display there is no window; every owner is then null and the program still sorts.
class Application {
  public:
    Application();
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;
};
HWND AppWindow();
void SetAppTitle(const std::string &title);
// The title a program gets by default: the executable's name up to its first dot, every character
// after the first in lower case ("ZORVIK.EXE" gives "Zorvik").
std::string DefaultTitle(const std::string &exePath);

// The owner for a box or dialog shown now: the active window of the program, else the
// application window.
HWND CurrentOwner();

// The boxes take texts in both forms: one that names an item the code page cannot hold is shown
// through the UTF-16 box, every other through the code-page box.
void ShowWarning(const DualText &text); // "警告", warning icon, OK
// "確認", question icon, はい(&Y) / いいえ(&N), the first the default unless defaultNo.
bool Confirm(const DualText &text, bool defaultNo = false);
// The application's error box: the application title, stop icon, OK, the text as given.
void ShowErrorBox(const DualText &text);
// An error caught where a window handles an action, in the error box as ErrorBoxText gives it.
void ShowError(const std::string &message);
void ShowFatal(const std::string &text); // "アプリケーション エラー"
// The error box's text for an error: "." appended when the last character compares greater.
std::string ErrorBoxText(const std::string &message);
// The message of an error that is no std::exception.
inline constexpr char kUnknownError[] = "原因不明のエラーが発生しました";

} // namespace zv
