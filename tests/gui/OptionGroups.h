// The two option groups that both settings windows carry, as the GUI tests read them.
#pragma once
#include "robot/Robot.h"
#include "ui/OptionsForm.h"

namespace zvtest {

using O = zv::OptionsForm;

// Which radio buttons of the two groups are checked, and which of their controls are disabled.
inline ControlStates OptionStates(HWND window) {
    return StatesOf(window,
                    {O::IDC_RADIOMOVEFOLDER, O::IDC_RADIOZORVIKFOLDER, O::IDC_EDTFOLDERMOVEPATH,
                     O::IDC_BTNBROWSE, O::IDC_RADIOMOVENOEXT, O::IDC_RADIOINQUIRY,
                     O::IDC_RADIONOMOVENOEXT, O::IDC_EDTNOEXTMOVEPATH, O::IDC_BTNBROWSE2});
}
// The two groups as both windows lay them out, with the group boxes in parent (0: the window).
inline std::vector<Layout> OptionLayout(int parent) {
    return {
        {O::IDC_GROUPBOX1, parent, 0, 0, 289, 89, "ﾌｫﾙﾀﾞがﾄﾞﾗｯｸﾞ&&ﾄﾞﾛｯﾌﾟされたとき"},
        {O::IDC_RADIOMOVEFOLDER, O::IDC_GROUPBOX1, 8, 16, 273, 17, "指定ﾌｫﾙﾀﾞに移動する"},
        {O::IDC_EDTFOLDERMOVEPATH, O::IDC_GROUPBOX1, 24, 37, 233, 20, nullptr},
        {O::IDC_BTNBROWSE, O::IDC_GROUPBOX1, 261, 37, 20, 20, nullptr},
        {O::IDC_RADIOZORVIKFOLDER, O::IDC_GROUPBOX1, 8, 64, 233, 17, "ﾌｫﾙﾀﾞ内のﾌｧｲﾙも整理する"},
        {O::IDC_GROUPBOX2, parent, 0, 90, 289, 103,
         "登録されていないﾌｧｲﾙがﾄﾞﾗｯｸﾞ&&ﾄﾞﾛｯﾌﾟされたとき"},
        {O::IDC_RADIOMOVENOEXT, O::IDC_GROUPBOX2, 8, 16, 273, 17, "指定ﾌｫﾙﾀﾞに移動する"},
        {O::IDC_EDTNOEXTMOVEPATH, O::IDC_GROUPBOX2, 24, 37, 233, 20, nullptr},
        {O::IDC_BTNBROWSE2, O::IDC_GROUPBOX2, 261, 37, 20, 20, nullptr},
        {O::IDC_RADIOINQUIRY, O::IDC_GROUPBOX2, 8, 64, 241, 17, "ﾌｧｲﾙごとに問い合わせる"},
        {O::IDC_RADIONOMOVENOEXT, O::IDC_GROUPBOX2, 8, 80, 233, 17, "移動しない"},
    };
}

// The upper group's field and browse button, and the lower group's.
inline const std::set<int> kFolderPath = {O::IDC_EDTFOLDERMOVEPATH, O::IDC_BTNBROWSE};
inline const std::set<int> kNoExtPath = {O::IDC_EDTNOEXTMOVEPATH, O::IDC_BTNBROWSE2};
inline std::set<int> operator+(std::set<int> a, const std::set<int> &b) {
    a.insert(b.begin(), b.end());
    return a;
}
inline std::vector<Layout> operator+(std::vector<Layout> a, const std::vector<Layout> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace zvtest
