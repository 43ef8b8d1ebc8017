// The version window. The copyright line behaves like a link: underlined in the hot-track colour
// while the pointer is over it, and a click opens the web page, as a click on the banner does.
#include "AboutUnit.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "../common/Application.h"
#include "../common/SystemLibrary.h"
#include "../common/SystemPath.h"
#include "../common/Version.h"
#include "Subclass.h"

namespace zv {

const char *const kWebAddress = "https://zorvik.example/";

const FormLayout &TAboutBox::Layout() {
    static const FormLayout layout{
        "ﾊﾞｰｼﾞｮﾝ情報",
        365,
        212,
        {
            {Kind::Panel, IDC_PANEL1, 0, 0, 0, 365, 177, nullptr},
            {Kind::BoldLabel, IDC_PRODUCTNAME, IDC_PANEL1, 40, 112, 285, 12,
             "Zorvik　デスクトップ整理ツール"},
            {Kind::LinkLabel, IDC_COPYRIGHT, IDC_PANEL1, 65, 160, 235, 12, ZORVIK_COPYRIGHT},
            {Kind::DefaultButton, IDC_OKBUTTON, 0, 134, 183, kButtonWidth, kButtonHeight, "OK"},
            {Kind::AutoLabel, IDC_PRODUCTVERSION, IDC_PANEL1, 199, 128, 78, 12, nullptr},
            {Kind::AutoLabel, IDC_FILEVERSION, IDC_PANEL1, 200, 144, 58, 12, nullptr},
            {Kind::Image, IDC_IMAGE1, IDC_PANEL1, 8, 8, 350, 100, nullptr, Group::Opens, kBanner,
             "Zorvik のウェブページを開く"},
        }};
    return layout;
}

TAboutBox::TAboutBox() : Form(Layout()) {
    Subclass(Item(IDC_COPYRIGHT), CopyrightProc, 0, reinterpret_cast<DWORD_PTR>(this));
    FormCreate();
}

TAboutBox::~TAboutBox() { Unsubclass(Item(IDC_COPYRIGHT), CopyrightProc, 0); }

void TAboutBox::FormCreate() {
    SetLabel(IDC_PRODUCTVERSION, "ProductVersion : " + GetProductVersion());
    SetLabel(IDC_FILEVERSION, "FileVersion : " + GetFileVersion());
}

void TAboutBox::Command(int id, int code) {
    if (code != BN_CLICKED && code != STN_CLICKED) return;
    switch (id) {
    case IDC_OKBUTTON: OKButtonClick(); break;
    case IDC_IMAGE1: Image1Click(); break;
    case IDC_COPYRIGHT: CopyrightClick(); break;
    }
}

std::string VersionString(const std::string &exePath, const char *name) {
    // version.dll, from the system's folder (SystemLibrary.h).
    static const auto sizeOf =
        SystemCall<DWORD(WINAPI *)(LPCSTR, LPDWORD)>(L"version.dll", "GetFileVersionInfoSizeA");
    static const auto read = SystemCall<BOOL(WINAPI *)(LPCSTR, DWORD, DWORD, LPVOID)>(
        L"version.dll", "GetFileVersionInfoA");
    static const auto query = SystemCall<BOOL(WINAPI *)(LPCVOID, LPCSTR, LPVOID *, PUINT)>(
        L"version.dll", "VerQueryValueA");
    DWORD handle = 0;
    DWORD size = sizeOf(exePath.c_str(), &handle);
    if (size == 0) return std::string();
    std::vector<char> data(size);
    if (!read(exePath.c_str(), 0, size, data.data())) return std::string();
    char *value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\041103A4\\") + name;
    if (!query(data.data(), path.c_str(), reinterpret_cast<void **>(&value), &length) || !value)
        return std::string();
    // The length counts the terminating zero on some systems and not on others.
    return std::string(value, strnlen(value, length));
}

std::string TAboutBox::GetProductVersion() const {
    return VersionString(ExePath(), "ProductVersion");
}
std::string TAboutBox::GetFileVersion() const { return VersionString(ExePath(), "FileVersion"); }

// Whatever the browser does, the window stays as it is: the result is not looked at.
void TAboutBox::OpenWebPage() const {
    ShellExecuteA(AppWindow(), "Open", kWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

COLORREF TAboutBox::LabelColor(int id) const {
    if (id != IDC_COPYRIGHT) return CLR_INVALID;
    return GetSysColor(hot_ ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT);
}

void TAboutBox::Rescaled() {
    SendMessageA(Item(IDC_COPYRIGHT), WM_SETFONT, reinterpret_cast<WPARAM>(Font(hot_)), TRUE);
}

void TAboutBox::CopyrightMouseEnter() {
    hot_ = true;
    SendMessageA(Item(IDC_COPYRIGHT), WM_SETFONT, reinterpret_cast<WPARAM>(Font(true)), TRUE);
}

void TAboutBox::CopyrightMouseLeave() {
    hot_ = false;
    SendMessageA(Item(IDC_COPYRIGHT), WM_SETFONT, reinterpret_cast<WPARAM>(Font(false)), TRUE);
}

// The copyright line's own messages: the pointer entering and leaving it.
LRESULT CALLBACK TAboutBox::CopyrightProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                          DWORD_PTR data) {
    TAboutBox *box = reinterpret_cast<TAboutBox *>(data);
    if (msg == WM_MOUSEMOVE && !box->hot_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        box->CopyrightMouseEnter();
    } else if (msg == WM_MOUSELEAVE && box->hot_) {
        box->CopyrightMouseLeave();
    } else if (msg == WM_NCDESTROY) {
        Unsubclass(hwnd, CopyrightProc, 0);
    }
    return DefSubclass(hwnd, msg, wp, lp);
}

} // namespace zv
