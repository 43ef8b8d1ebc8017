// The form base of every window of the program: a fixed-size dialog frame built from a table of
// controls (Controls.h), shown modally (ModalLoop.h), with the window procedure that dispatches to
// the handlers and where every error of a handler ends.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../common/Error.h"
#include "Accessible.h"
#include "Controls.h"
#include "ModalLoop.h"
#include "ReportList.h"
#include "TabPages.h"

namespace zv {

// What the user entered cannot be taken: ends the action in a warning box, the window open.
class Refused : public Error {
  public:
    using Error::Error;
};

enum class ModalResult { None, OK, Cancel };

class Form {
  public:
    explicit Form(const FormLayout &layout);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // Shows the window centred and modal to every other window of the program until it closes.
    // The application's main window ends the program when it closes (EndsProgram): it is not
    // hidden first, it goes with the program's windows.
    enum class Closing { HidesWindow, EndsProgram };
    // ready: what is done once it is shown and painted, before it takes the user's first input.
    ModalResult ShowModal(Closing closing = Closing::HidesWindow,
                          std::function<void()> ready = nullptr);
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    // A control's text; Refused when the code page cannot hold it exactly.
    std::string Text(int id) const;
    void SetText(int id, const std::string &text) { SetWindowTextA(Item(id), text.c_str()); }
    void SetCaption(const std::string &caption) { SetWindowTextA(hwnd_, caption.c_str()); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Enable(int id, bool enabled);
    // Selects one radio button of a set (or none, with id 0); only the selected one is a tab stop.
    void SelectRadio(std::initializer_list<int> set, int id);
    void Focus(int id) { SetFocus(Item(id)); }

  protected:
    // Runs each time the window is shown, before it takes input.
    virtual void FormShow() {}
    // Runs whenever the window is to close; false keeps it open.
    virtual bool FormClose() { return true; }
    // A control's notification (BN_CLICKED and the like).
    virtual void Command(int id, int code) = 0;
    // A common control's notification (WM_NOTIFY).
    virtual LRESULT Notify(const NMHDR &) { return 0; }
    // Sees every message of the modal loop before the dialog keys do; true when it took it.
    virtual bool PreviewKey(const MSG &) { return false; }
    // The text colour of a static control, or CLR_INVALID for the system's.
    virtual COLORREF LabelColor(int) const { return CLR_INVALID; }
    // Runs when the window has been laid out again at another DPI.
    virtual void Rescaled() {}
    // Ends the modal showing with a result, unless FormClose keeps the window open.
    void Close(ModalResult result);
    // Runs an action of a handler. An error ends it: what the user entered and cannot be taken
    // (Refused) in a warning box, any other in the application's error box.
    enum class Outcome { Done, Refused, Failed };
    static Outcome Guarded(const std::function<void()> &action);

    void ShowPage(int tabs, int page) { pages_.Show(hwnd_, tabs, page); }
    int CurrentPage(int tabs) const { return pages_.Current(hwnd_, tabs); }
    // The fonts every control uses: regular, or underlined for a link under the pointer.
    HFONT Font(bool underlined = false) const {
        return (underlined ? fonts_.underlined : fonts_.regular).get();
    }
    // Gives an AutoLabel its text and the width of that text.
    void SetLabel(int id, const std::string &text) { zv::SetLabel(Item(id), text); }
    // The DPI the window is laid out at: its table's figures are scaled by it ÷ 96.
    int Dpi() const { return dpi_; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    // The frame around the table's client area at the window's DPI.
    void SizeFrame();
    // Lays the window out again at dpi, in the rectangle the system proposes for it.
    void Rescale(int dpi, const RECT &proposed);

    const FormLayout &layout_;
    int dpi_ = 96;
    std::vector<std::unique_ptr<AccessibleFacts>> facts_; // what screen readers read of controls
    Fonts fonts_;
    Pictures pictures_;
    std::vector<std::unique_ptr<ListModel>> lists_; // the rows of its report lists
    TabPages pages_;
    DialogKeys keys_;
    ModalResult result_ = ModalResult::None;
    bool closed_ = false;
    HWND hwnd_ = nullptr; // destroyed first, before what its controls draw with
};

} // namespace zv
