// Every screen a Windows user has: every window at the display's DPI set to 96, 120, 144 and 192,
// laid out at DPI / 96 from the program's own tables and named for screen readers (ExpectLayout),
// and a window moved to a monitor of another scale.
#include "robot/Robot.h"

#include "ui/AboutUnit.h"
#include "ui/AddIgnoreUnit.h"
#include "ui/AddUnit.h"
#include "ui/FirstRunUnit.h"
#include "ui/MainUnit.h"

using namespace zvtest;
using M = zv::TMainForm;

namespace {

// The display's DPI for the programs started while this lives (the prefix's LogPixels, which Wine
// reads at a process's start; the prefix has none of its own).
struct DisplayDpi {
    explicit DisplayDpi(DWORD dpi) {
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    ~DisplayDpi() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "LogPixels"); }
    static constexpr char kKey[] = "Control Panel\\Desktop";
};

class Screens : public ZorvikTest, public ::testing::WithParamInterface<int> {};

TEST_P(Screens, EveryWindowAtEveryScale) {
    const int dpi = GetParam();
    DisplayDpi display(dpi);
    IniMayChange(); // no settings file: the first run first
    auto s = Start();
    HWND chooser = s->Window(kChooserTitle), w = nullptr, e = nullptr;
    ASSERT_TRUE(chooser);
    s->Click(chooser, kCancel);
    ASSERT_TRUE(w = s->Window(kFirstRunTitle));
    ExpectLayout(w, zv::TFormSetting::Layout(), dpi);
    s->Click(w, IDOK);
    EXPECT_TRUE(s->Gone(w));
    ASSERT_TRUE(w = s->Window(kMainTitle));
    for (int page = 0; page < 3; ++page) {
        ExpectLayout(w, M::Layout(), dpi);
        s->Keys({VK_CONTROL, VK_TAB});
    }
    const struct {
        const zv::FormLayout &layout;
        const char *caption; // in add mode
        int cancel;
    } editors[] = {{zv::TAddForm::Layout(), kRuleTitle, zv::TAddForm::IDC_BUTTON1},
                   {zv::TAddIgnoreForm::Layout(), "無視ルールの追加", IDCANCEL}};
    for (const auto &editor : editors) {
        s->Click(w, M::IDC_BTNADD);
        ASSERT_TRUE(e = s->Window(editor.caption));
        ExpectLayout(e, editor.layout, dpi);
        s->Click(e, editor.cancel);
        EXPECT_TRUE(s->Gone(e));
        s->Keys({VK_CONTROL, VK_TAB});
    }
    s->Click(w, M::IDC_BTNABOUT);
    ASSERT_TRUE(e = s->Window(zv::TAboutBox::Layout().caption));
    ExpectLayout(e, zv::TAboutBox::Layout(), dpi);
    s->Click(e, IDOK);
    EXPECT_TRUE(s->Gone(e));

    // Moved to a monitor of another scale, as the system tells a window: it takes the rectangle
    // proposed (there at its top left, the frame as it is around the client area of that scale)
    // and lays itself out.
    const int next = dpi == 192 ? 96 : 192;
    RECT frame, client;
    GetWindowRect(w, &frame);
    GetClientRect(w, &client);
    const RECT proposed{0, 0, frame.right - frame.left - client.right + MulDiv(311, next, 96),
                        frame.bottom - frame.top - client.bottom + MulDiv(309, next, 96)};
    s->SendWithData(w, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(next, next), &proposed,
                    sizeof proposed);
    GetWindowRect(w, &frame);
    EXPECT_TRUE(EqualRect(&frame, &proposed));
    ExpectLayout(w, M::Layout(), next);
    s->Click(w, IDCANCEL);
    EXPECT_EQ(0u, s->Wait());
}

INSTANTIATE_TEST_SUITE_P(Dpi, Screens, ::testing::Values(96, 120, 144, 192));

} // namespace
