// The form base of every window of the program: a fixed-size dialog frame built from a table of
// controls in pixels, the program's font and colours, modal showing, pages, and keyboard handling.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace zv {

enum class Kind {
    Label,         // static text
    AutoLabel,     // static text sized to its text, growing to the right
    BoldLabel,     // the same in the bold window font
    LinkLabel,     // an AutoLabel that reports clicks
    Edit,
    Button,
    DefaultButton,
    Radio,
    Group,
    Picture,       // the open-folder picture button: reports clicks, never takes the focus
    Image,         // a bitmap resource (ControlSpec::resource) that reports clicks
    Panel,         // a frame with a lowered outer and a raised inner bevel
    Bevel,         // a sunken horizontal separator line
    Tabs,          // a page control; its pages are the Page rows whose parent it is
    Page,          // one page of a page control: no window of its own beyond a placeholder
    List,          // a borderless report list: whole-row select, one row at most
};

// One control: kind, id, the control it sits in (0 for the window: a group box, a panel or a
// page), its rectangle relative to that parent, and its caption. The table's order is the tab
// order. A page's left and top are ignored: it fills its page control's display area.
struct ControlSpec {
    Kind kind;
    int id;
    int parent;
    int left, top, width, height;
    const char *caption;
    int resource; // Image only: the bitmap's resource id
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
    // A common control's notification (WM_NOTIFY).
    virtual LRESULT Notify(const NMHDR &) { return 0; }
    // Sees every message of the modal loop before the dialog keys do; true when it took it.
    virtual bool PreviewKey(const MSG &) { return false; }
    // The text colour of a static control, or CLR_INVALID for the system's.
    virtual COLORREF LabelColor(int) const { return CLR_INVALID; }
    // Ends the modal showing with a result, unless FormClose keeps the window open.
    void Close(ModalResult result);

    // Shows the controls of one page of a page control and hides those of its other pages.
    void ShowPage(int tabs, int page);
    int CurrentPage(int tabs) const;
    // The fonts every control uses: regular, or underlined for a link under the pointer.
    HFONT Font(bool underlined = false) const { return underlined ? underline_ : font_; }
    // Gives an AutoLabel its text and the width of that text.
    void SetLabel(int id, const std::string &text);

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void DrawPicture(const DRAWITEMSTRUCT &item) const;
    int DefaultButton() const;
    HWND CreateControl(const ControlSpec &c, DWORD groupStyle);

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr, bold_ = nullptr, underline_ = nullptr;
    HBITMAP folder_ = nullptr;
    std::vector<HBITMAP> images_;
    int defaultId_ = 0;
    ModalResult result_ = ModalResult::None;
    bool closed_ = false;
    HWND savedFocus_ = nullptr;
    std::map<int, int> pageOf_;             // control id -> the page it sits on
    std::map<int, std::vector<int>> pages_; // page control id -> its pages, in order
};

} // namespace zv
