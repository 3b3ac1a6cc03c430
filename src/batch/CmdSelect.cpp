#include "batch/BatchCommon.h"
#include "modes/AutoSelect.h"

namespace kelvaro::batch {

Model MakeSelectionModel(const Options& o) {
    const std::string dat = Require(o, "--dat");
    const std::string modes = Require(o, "--modes");

    Model m = MakeModel(o);
    m.Config.ModeListFile = modes;
    BuildNativeModes(m, dat);
    ReadModeList(m, true);
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
