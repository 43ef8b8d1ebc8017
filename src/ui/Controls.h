// The controls of the program's windows, made from tables: one row per control, in pixels, in
// tab order. Works on window handles; the form base and the windows own what it makes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Gdi.h"

namespace zv {

enum class Kind {
    Label,     // static text
    AutoLabel, // static text sized to its text, growing to the right
    BoldLabel, // the same in the bold window font
    LinkLabel, // an AutoLabel that reports clicks
    Edit,
    Button,
    DefaultButton,
    Radio,
    Group,
    Picture, // the open-folder picture button: reports clicks, never takes the focus; its
             // caption is the name a screen reader reads, never shown
    Image,   // a bitmap resource (ControlSpec::resource) that reports clicks
    Panel,   // a frame with a lowered outer and a raised inner bevel
    Bevel,   // a sunken horizontal separator line
    Tabs,    // a page control; its pages are the Page rows whose parent it is
    Page,    // one page of a page control: no window of its own beyond a placeholder
    List,    // a borderless report list: whole-row select, one row at most
};

// Whether a control opens a group of its own or joins the group of the row above it. The radio
// buttons of one set form one group: they exclude each other and the arrow keys move among them.
// The first of a set opens it; the others, and the fields that sit between them, join it.
enum class Group { Opens, Joins };

// One control: kind, id, the control it sits in (0 for the window: a group box, a panel or a
// page), its rectangle relative to that parent in pixels at 96 DPI, its caption, its group, for
// an Image the bitmap's resource id, and the name a screen reader reads where its caption is not
// (a field's label, a list's page). The table's order is the tab order. A page's left and top are
// ignored: it fills its page control's display area.
struct ControlSpec {
    Kind kind;
    int id;
    int parent;
    int left, top, width, height;
    const char *caption;
    Group group = Group::Opens;
    int resource = 0;
    const char *name = nullptr;
};
using ControlTable = std::vector<ControlSpec>;
inline ControlTable operator+(ControlTable rows, const ControlTable &more) {
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}
// A window as its table gives it: its caption, its client area and its controls, in pixels at
// 96 DPI.
struct FormLayout {
    const char *caption;
    int width, height;
    ControlTable controls;
};

// Every push button's size, and the picture button's, which is square.
constexpr int kButtonWidth = 97, kButtonHeight = 25;
constexpr int kPictureSize = 20;

// The fonts every control is drawn in at a DPI: the window font, bold, and underlined for a link.
struct Fonts {
    Font regular, bold, underlined;
};
Fonts MakeFonts(int dpi);

// The pictures a window's controls show at its DPI, kept for as long as they are shown.
struct Pictures {
    Bitmap folder;              // the picture buttons'
    std::vector<Bitmap> images; // the Image rows', in table order
};

// Creates one control of window from its row, its parent already made and placed; then
// PlaceControl places it.
HWND CreateControl(HWND window, const ControlSpec &c);
// Gives a control its font, picture, place and size at dpi, from its row, its parent placed.
void PlaceControl(HWND window, const ControlSpec &c, const Fonts &fonts, Pictures &pictures,
                  int dpi);
// A list's column headers drawn so that their text shows in the system's colours now.
void FitToColours(HWND list);
// Gives a label its text and the width of that text.
void SetLabel(HWND label, const std::string &text);
// A control's text exactly as it stands: edit fields keep what the user typed or pasted in UTF-16.
// False when the code page cannot hold it; text then shows "?" for each character it lacks.
bool ExactTextOf(HWND control, std::string &text);

} // namespace zv
