#include "batch/BatchCommon.h"
#include "gamelist/NativeModes.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"

namespace kelvaro::batch {

Model MakeSelectionModel(const Options& o) {
    const std::string dat = Require(o, "--dat");
    const std::string modes = Require(o, "--modes");
    RequireFile(dat, "game list");
    RequireFile(modes, "mode list");

    Model m = MakeModel(o);
    m.Config.ModeListFile = modes;
    ProgressSink quiet;
    BuildNativeModeListFromFile(m, dat, quiet);
    ReadAvailableModes(m);
    return m;
}

// Builds the native mode list from a listinfo file, reads the mode list and selects a mode for
// every game, all in memory, then prints the game table. No file is written.
int CmdSelect(const Options& o) {
    Model m = MakeSelectionModel(o);
    ProgressSink quiet;
    AutoSelectVideoModes(m, quiet);
    PrintGameTable(m);
    return 0;
}

} // namespace kelvaro::batch
