// What a screen reader reads of a control: the system's own accessible object for it, with the
// name the program gives (a field's label, a list's page) and, for a picture button, the role of
// a push button, which the system's object does not give an owner-drawn button everywhere.
#pragma once
#include <windows.h>

#include <string>

namespace zv {

struct AccessibleFacts {
    std::wstring name; // empty: the system's own (the control's text)
    bool pushButton = false;
};

// The control answers accessibility clients with those facts for as long as they live.
void AnswerScreenReaders(HWND control, const AccessibleFacts *facts);

} // namespace zv
