#include <iostream>

#include "batch/BatchCommon.h"
#include "core/Text.h"
#include "ini/IniFiles.h"
#include "ini/TestRunRecord.h"
#include "platform/Files.h"

namespace kelvaro::batch {

Model MakeModelWithIniFiles(const Options& o, bool mustReadBack, bool* notReadBack) {
    const std::string dat = Require(o, "--dat");
    const std::string modes = Require(o, "--modes");
    const std::string iniDir = Require(o, "--ini-dir");
    if (!IsExistingFolder(iniDir)) throw UsageError{"INI folder not found: " + iniDir};

    // A test run of the window ended by a kill left the user's file aside: it is put back first.
    if (const std::string told = RestoreLeftTestRunNow(iniDir); !told.empty())
        std::cerr << "kelvaro-batch: " << PrintableText(told) << "\n";
    Model m = MakeModel(o);
    m.Config.MameINIPath = iniDir;
    m.Config.ModeListFile = modes;
    ReadModeList(m, false);
    ProgressSink quiet;
    // As in the window: the INI files are read back at the end of every build that found games.
    BuildNativeModes(m, dat);
    if (ReadExistingINIFiles(m, quiet) == ReadIniOutcome::ListsEmpty) {
        if (mustReadBack)
            throw UsageError{"the INI files in " + iniDir + " cannot be read back: the mode list " + modes +
                             " holds no mode; nothing was written"};
        std::cerr << "kelvaro-batch: INI files cannot be read unless both Native Mode and Available Mode "
                     "Lists are populated.\n";
        if (notReadBack) *notReadBack = true;
    }
    return m;
}

// Prints the game table as a build leaves it after reading the INI folder back; writes nothing.
// The table is printed even when the files could not be read back, which ends with status 1.
int CmdRead(const Options& o) {
    bool notReadBack = false;
    Model m = MakeModelWithIniFiles(o, false, &notReadBack);
    PrintGameTable(m);
    return notReadBack ? 1 : 0;
}

} // namespace kelvaro::batch
