// The scripted run: the program started, each window it shows answered as the script says.
#include "robot/WindowReading.h"

#include <algorithm>

#include "common/Handles.h"

namespace zvtest {

namespace {

constexpr UINT kSetSelectionA = WM_USER + 102; // BFFM_SETSELECTIONA

std::wstring WideText(HWND hwnd) {
    wchar_t buf[8192] = {};
    LRESULT n = hwnd ? SendMessageW(hwnd, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(buf)) : 0;
    return std::wstring(buf, static_cast<size_t>(std::max<LRESULT>(0, std::min<LRESULT>(n, 8191))));
}

struct Controls {
    std::map<int, std::string> texts;
    std::map<int, HWND> handles;
};

BOOL CALLBACK CollectControl(HWND hwnd, LPARAM param) {
    Controls *c = reinterpret_cast<Controls *>(param);
    int id = GetDlgCtrlID(hwnd);
    if (c->handles.emplace(id, hwnd).second) c->texts[id] = TextOf(hwnd);
    return TRUE;
}

// Every control of a window, at any depth (the program's forms put controls in group boxes).
Controls ControlsOf(HWND hwnd) {
    Controls c;
    EnumChildWindows(hwnd, CollectControl, reinterpret_cast<LPARAM>(&c));
    return c;
}

bool IsChooser(HWND hwnd) { return GetDlgItem(hwnd, kChooserPrompt) != nullptr; }

// Selects a folder in the chooser of another process (the path must live in that process), and
// reads the selection back until it is that folder: the dialog's tree may still be changing on its
// own (a shell notification rebuilds a part of it).
bool SelectInChooser(HANDLE process, HWND dialog, const std::string &path) {
    const RemoteMemory memory(process, path.size() + 1);
    char *const remote = memory.get();
    if (!remote) return false;
    bool ok = WriteProcessMemory(process, remote, path.c_str(), path.size() + 1, nullptr) != FALSE;
    for (int i = 0; ok && i < 600; ++i) {
        SendMessageA(dialog, kSetSelectionA, TRUE, reinterpret_cast<LPARAM>(remote));
        Settle(dialog);
        if (lstrcmpiA(ChooserSelection(dialog).c_str(), path.c_str()) == 0) break;
        ok = i + 1 < 600;
        Sleep(50);
    }
    return ok;
}

// The button that dismisses an unexpected window.
HWND DismissButton(const Controls &controls) {
    for (int id : {kCancel, kNo, kFirstRunCancel, kRuleCancel, kOk}) {
        auto it = controls.handles.find(id);
        HWND b = it == controls.handles.end() ? nullptr : it->second;
        if (b && IsWindowVisible(b) && IsWindowEnabled(b)) return b;
    }
    return nullptr;
}

std::string Describe(const Seen &s) { return "\"" + s.title + "\": \"" + s.text + "\""; }

// A window as it appears: caption, controls, and the box text or the chooser's prompt and
// selection.
Seen Look(HWND hwnd, const Controls &controls) {
    Seen seen;
    char title[1024] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    seen.title = title;
    seen.controls = controls.texts;
    const bool chooser = IsChooser(hwnd);
    auto it = controls.texts.find(chooser ? kChooserPrompt : kBoxText);
    seen.text = it == controls.texts.end() ? std::string() : it->second;
    seen.wideText = WideText(GetDlgItem(hwnd, chooser ? kChooserPrompt : kBoxText));
    if (chooser) seen.selection = ChooserSelection(hwnd);
    return seen;
}

// Selects the answer's folder in a chooser, and puts the answer's texts into their controls.
void Fill(HANDLE process, HWND hwnd, const Answer &answer, const Controls &controls,
          const Seen &seen) {
    if (IsChooser(hwnd) && !answer.select.empty() && !SelectInChooser(process, hwnd, answer.select))
        ADD_FAILURE() << "cannot select " << answer.select << " in the chooser";
    for (const auto &f : answer.fields) {
        auto it = controls.handles.find(f.first);
        if (it == controls.handles.end())
            ADD_FAILURE() << "no control " << f.first << " in " << Describe(seen);
        else
            SendMessageA(it->second, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(f.second.c_str()));
    }
}

// Answers a new window as the script's next entry says (next then moves on) or dismisses it, and
// records it. False when it is gone, or its button is not enabled yet: it is tried again.
bool Answered(HANDLE process, HWND hwnd, const std::vector<Answer> &script, size_t &next,
              RunResult &result) {
    Settle(hwnd);
    if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return false;
    const Controls controls = ControlsOf(hwnd);
    Seen seen = Look(hwnd, controls);
    const Answer *answer = nullptr;
    if (next < script.size() && script[next].title == seen.title &&
        seen.text.find(script[next].text) != std::string::npos)
        answer = &script[next];
    HWND button = nullptr;
    if (answer) {
        auto it = controls.handles.find(answer->button);
        button = it == controls.handles.end() ? nullptr : it->second;
        if (!button) {
            ADD_FAILURE() << "no button " << answer->button << " in " << Describe(seen);
            answer = nullptr;
        }
    }
    if (!answer) button = DismissButton(controls);
    // A button that is not enabled yet is tried again on the next round; clicking it
    // would still deliver the click and hide a fault.
    if (button && !IsWindowEnabled(button)) return false;
    seen.expected = answer != nullptr;
    if (answer) {
        ++next;
        Fill(process, hwnd, *answer, controls, seen);
    } else {
        ADD_FAILURE() << "unexpected window " << Describe(seen)
                      << (next < script.size() ? " while waiting for \"" + script[next].title +
                                                     "\" [" + script[next].text + "]"
                                               : std::string(" after the script ended"));
    }
    result.windows.push_back(seen);
    if (button)
        PostMessageA(button, BM_CLICK, 0, 0);
    else
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return true;
}

} // namespace

Answer Box(const std::string &title, int button, const std::string &text) {
    return {title, text, button};
}

Answer Chooser(int button, const std::string &select, const std::string &text) {
    return {kChooserTitle, text, button, select};
}

Answer Form(const std::string &title, int button, const std::map<int, std::string> &fields) {
    return {title, "", button, "", fields};
}

RunResult RunProgram(const std::vector<std::string> &args, const std::vector<Answer> &script,
                     const RunOptions &options) {
    RunResult result;
    PROCESS_INFORMATION pi{};
    if (!StartProgram(options.exe, args, options, pi)) return result;
    const zv::KernelHandle process(pi.hProcess), thread(pi.hThread);
    size_t next = 0;
    std::set<HWND> handled;
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) break;
        if (GetTickCount64() - start > options.timeoutMs) {
            result.timedOut = true;
            std::string open;
            for (HWND h : handled)
                if (IsWindow(h)) open += " [" + TextOf(h) + "]";
            ADD_FAILURE() << "Zorvik did not end within " << options.timeoutMs
                          << " ms; killed. Windows still open:" << open;
            TerminateProcess(pi.hProcess, 999);
            WaitForSingleObject(pi.hProcess, 5000);
            break;
        }
        for (auto it = handled.begin(); it != handled.end();)
            it = IsWindow(*it) ? std::next(it) : handled.erase(it);
        for (HWND hwnd : VisibleWindows(pi.dwProcessId))
            if (!handled.count(hwnd) && Answered(pi.hProcess, hwnd, script, next, result))
                handled.insert(hwnd);
    }
    for (; next < script.size(); ++next)
        ADD_FAILURE() << "expected window never appeared: \"" << script[next].title << "\" ["
                      << script[next].text << "]";
    if (!result.timedOut) GetExitCodeProcess(pi.hProcess, &result.exitCode);
    return result;
}

} // namespace zvtest
