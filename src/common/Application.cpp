// The application object: hidden owner window, title and message boxes.
#include "Application.h"

#include <vector>

#include "CodePage.h"
#include "Path.h"
#include "ShiftJis.h"
#include "SystemPath.h"

namespace zv {
namespace {

HWND g_window = nullptr;
std::string g_title;

LRESULT CALLBACK AppWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int Box(const DualText &text, const std::string &title, UINT flags) {
    if (text.exact)
        return MessageBoxA(CurrentOwner(), text.ansi.c_str(), title.c_str(),
                           flags | MB_SETFOREGROUND);
    return MessageBoxW(CurrentOwner(), text.wide.c_str(), ToWide(title).c_str(),
                       flags | MB_SETFOREGROUND);
}

} // namespace

std::string DefaultTitle(const std::string &exePath) {
    std::string name = ExtractFileName(exePath);
    size_t dot = name.find('.'); // '.' is never a trail byte
    if (dot != std::string::npos) name.resize(dot);
    if (!name.empty()) {
        size_t first = CharLen(name, 0);
        std::vector<char> rest(name.begin() + static_cast<long>(first), name.end());
        if (!rest.empty()) CharLowerBuffA(rest.data(), static_cast<DWORD>(rest.size()));
        name = name.substr(0, first) + std::string(rest.begin(), rest.end());
    }
    return name;
}

Application::Application() { g_title = DefaultTitle(ExePath()); }

Application::~Application() {
    if (g_window) DestroyWindow(g_window);
    g_window = nullptr;
}

// The window is made when something first needs an owner: a sorting run that shows nothing makes
// none.
HWND AppWindow() {
    static bool made = false;
    if (made) return g_window;
    made = true; // once: without a display every attempt fails alike
    WNDCLASSA wc{};
    wc.lpfnWndProc = AppWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = "ZorvikApplication";
    RegisterClassA(&wc);
    g_window = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, g_title.c_str(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, nullptr, nullptr,
                               wc.hInstance, nullptr);
    return g_window;
}

void SetAppTitle(const std::string &title) {
    g_title = title;
    if (g_window) SetWindowTextA(g_window, title.c_str());
}

HWND CurrentOwner() {
    HWND active = GetActiveWindow();
    return active ? active : AppWindow();
}

void ShowWarning(const DualText &text) { Box(text, "警告", MB_OK | MB_ICONWARNING); }

bool Confirm(const DualText &text, bool defaultNo) {
    return Box(text, "確認",
               MB_YESNO | MB_ICONQUESTION | (defaultNo ? MB_DEFBUTTON2 : MB_DEFBUTTON1)) == IDYES;
}

std::string ErrorBoxText(const std::string &message) {
    if (message.empty()) return message;
    return static_cast<unsigned char>(message[LastCharStart(message)]) > '.' ? message + "."
                                                                             : message;
}

void ShowErrorBox(const DualText &text) { Box(text, g_title, MB_OK | MB_ICONSTOP); }

void ShowError(const std::string &message) { ShowErrorBox(ErrorBoxText(message)); }

void ShowFatal(const std::string &text) {
    MessageBoxA(nullptr, text.c_str(), "アプリケーション エラー",
                MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

} // namespace zv
