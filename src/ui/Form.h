// The form base of every window of the program: a fixed-size dialog frame built from a table of
// controls in pixels, the program's font and colours, modal showing, and keyboard handling.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

namespace zv {

enum class Kind { Label, Edit, Button, DefaultButton, Radio, Group, Picture };

// One control: kind, id, the group box it sits in (0 for the window), its rectangle relative to
// that parent, and its caption. The table's order is the tab order.
struct ControlSpec {
    Kind kind;
    int id;
    int parent;
    int left, top, width, height;
    const char *caption;
};

enum class ModalResult { None, OK, Cancel };

class Form {
  public:
    Form(const char *caption, int clientWidth, int clientHeight,
         std::initializer_list<ControlSpec> controls);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // Shows the window centred and modal to every other window of the program until it closes.
    ModalResult ShowModal();
    HWND Handle() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    std::string Text(int id) const;
    void SetText(int id, const std::string &text);
    void SetCaption(const std::string &caption);
    bool Checked(int id) const;
    void Enable(int id, bool enabled);
    // Selects one radio button of a set (or none, with id 0); only the selected one is a tab stop.
    void SelectRadio(std::initializer_list<int> set, int id);
    void Focus(int id);
    // A browse button: lets the user pick a folder for the edit field, starting where the
    // field's text says; a cancelled choice leaves the field as it is.
    void BrowseInto(int edit);

  protected:
    // Runs each time the window is shown, before it takes input.
    virtual void FormShow() {}
    // Runs whenever the window is to close; false keeps it open.
    virtual bool FormClose() { return true; }
    // A control's notification (BN_CLICKED and the like).
    virtual void Command(int id, int code) = 0;
    // Ends the modal showing with a result, unless FormClose keeps the window open.
    void Close(ModalResult result);

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void DrawPicture(const DRAWITEMSTRUCT &item) const;
    int DefaultButton() const;

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HBITMAP folder_ = nullptr;
    int defaultId_ = 0;
    ModalResult result_ = ModalResult::None;
    bool closed_ = false;
};

} // namespace zv
