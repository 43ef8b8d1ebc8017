// The first-run window as start-up uses it: created without owner, shown modally, destroyed.
#include "../ui/FirstRunUnit.h"
#include "Startup.h"

namespace zv {

bool ShowFirstRunWindow() {
    TFormSetting FormSetting;
    FormSetting.ShowModal();
    return FormSetting.Accepted;
}

} // namespace zv
