// In-process robot for the program's windows: a second thread drives a form that the test thread
// shows modally, the way a user would, and records what it saw. Assertions stay on the test
// thread (the robot only records), so a failing check never leaves a window open.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "ui/Form.h"

namespace zvgui {

// Waits for a visible top-level window of this process with the caption; null after ~10 s.
HWND WaitWindow(const std::string &title);
// Waits until the window is gone or hidden.
bool WaitGone(HWND hwnd);
std::string TextOf(HWND hwnd); // WM_GETTEXT
// The box's message text (static 65535).
std::string BoxText(HWND box);
// Presses a button of a window by id, the way a click does (posted: it may open a modal box).
void Press(HWND window, int id);
// A key pressed on the control that has the focus in the GUI thread.
void Key(DWORD guiThread, UINT vk);
HWND FocusOf(DWORD guiThread);
// Answers the next box with that title by pressing the button; returns its text ("" if none came).
std::string Answer(const std::string &title, int button);
// A control's rectangle relative to the window's client area.
RECT ClientRectOf(HWND window, HWND control);

// Shows the form modally on this thread while robot(form window, GUI thread id) runs on another;
// the robot's last step must close the form. A robot that hangs is cut off by WM_CLOSE.
zv::ModalResult Drive(zv::Form &form, const std::function<void(HWND, DWORD)> &robot);

} // namespace zvgui
