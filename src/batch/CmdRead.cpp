#include <iostream>

#include "batch/BatchCommon.h"
#include "gamelist/NativeModes.h"
#include "ini/IniFiles.h"
#include "modes/AvailableModes.h"
#include "platform/Files.h"

namespace kelvaro::batch {

Model MakeModelWithIniFiles(const Options& o, bool mustReadBack) {
    const std::string dat = Require(o, "--dat");
    const std::string modes = Require(o, "--modes");
    const std::string iniDir = Require(o, "--ini-dir");
    RequireFile(dat, "game list file");
    RequireFile(modes, "mode list file");
    if (!IsExistingFolder(iniDir)) throw UsageError{"INI folder not found: " + iniDir};

    Model m = MakeModel(o);
    m.Config.MameINIPath = iniDir;
    m.Config.ModeListFile = modes;
    ReadAvailableModes(m);
    ProgressSink quiet;
    // As in the window: the INI files are read back at the end of every build that found games.
    if (BuildNativeModeListFromFile(m, dat, quiet)) {
        if (ReadExistingINIFiles(m, quiet) == ReadIniOutcome::ListsEmpty) {
            if (mustReadBack)
                throw UsageError{"the INI files in " + iniDir + " cannot be read back: the mode list " + modes +
                                 " holds no mode; nothing was written"};
            std::cerr << "kelvaro-batch: INI files cannot be read unless both Native Mode and Available Mode "
                         "Lists are populated.\n";
        }
    }
    return m;
}

// Prints the game table as a build leaves it after reading the INI folder back; writes nothing.
int CmdRead(const Options& o) {
    Model m = MakeModelWithIniFiles(o);
    PrintGameTable(m);
    return 0;
}

} // namespace kelvaro::batch
