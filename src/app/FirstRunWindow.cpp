// The first-run window. Until it is part of the build, a first run goes on as if the window had
// been confirmed unchanged: the folder options are taken from the file just written.
#include "../settings/SettingsFile.h"
#include "Startup.h"
#include "globUnit.h"

namespace zv {

bool ShowFirstRunWindow() {
    SettingsFile ini;
    MoveFolder = ini.ReadBool("Option", "MoveFolder", true);
    MoveFolderPath = ini.ReadString("Option", "MoveFolderPath", "");
    BaseDir = ini.ReadString("Option", "BaseDir", "");
    return true;
}

} // namespace zv
