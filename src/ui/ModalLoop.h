// What makes a plain window behave as a modal dialog: its own message loop, the default button,
// and the focus kept where it was. Works on window handles.
#pragma once
#include <windows.h>

#include <functional>

namespace zv {

// What the loop asks of the window it runs for.
struct ModalHooks {
    std::function<void()> shown;              // once shown, before it takes input
    std::function<bool(const MSG &)> preview; // sees the window's messages first; true: taken
    std::function<bool()> done;               // asked after each message
    bool endsProgram = false; // closing it ends the program: it is not hidden, it goes with it
    // Once shown and painted, and what other programs sent it answered: before the loop takes
    // the user's first input. May be empty.
    std::function<void()> ready;
};

// Answers the messages other threads and programs have sent this one, and takes nothing posted:
// a window stays responsive while the thread does longer work before its loop.
void AnswerSentMessages();

// Shows the window centred and modal to every other window of this thread, runs its messages
// until done() holds, and hides it again (unless the program ends with it). A quit message is kept
// for the loop that owns it.
void RunModal(HWND window, const ModalHooks &hooks);

// The dialog manager's part of a plain window: Enter presses the push button that has the focus,
// else the default button; the focus comes back to the control that had it when the window is
// active again; WM_NEXTDLGCTL moves it.
class DialogKeys {
  public:
    void SetDefault(int id) { defaultId_ = id; }
    // Forgets the control that had the focus: the window is shown afresh.
    void Forget() { savedFocus_ = nullptr; }
    // True, with the result, when msg is one of these.
    bool Handle(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT &result);

  private:
    int DefaultButton(HWND window) const;
    int defaultId_ = 0;
    HWND savedFocus_ = nullptr;
};

} // namespace zv
