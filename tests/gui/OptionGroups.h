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
// The upper group's field and browse button, and the lower group's.
inline const std::set<int> kFolderPath = {O::IDC_EDTFOLDERMOVEPATH, O::IDC_BTNBROWSE};
inline const std::set<int> kNoExtPath = {O::IDC_EDTNOEXTMOVEPATH, O::IDC_BTNBROWSE2};
inline std::set<int> operator+(std::set<int> a, const std::set<int> &b) {
    a.insert(b.begin(), b.end());
    return a;
}

} // namespace zvtest
