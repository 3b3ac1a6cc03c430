#include <iostream>

#include "batch/BatchCommon.h"
#include "core/Text.h"
#include "gamelist/NativeModes.h"

namespace kelvaro::batch {

// natives --dat FILE: the native mode list of a listinfo file, one "i<TAB>MODE" line per mode,
// then the two status bar texts. A file without a game is an input error.
int CmdNatives(const Options& o) {
    Model m;
    const NativeModeCounts counts = BuildNativeModes(m, Require(o, "--dat"));
    std::string out;
    for (int i = 1; i <= m.NativeModes.Count(); ++i)
        out += std::to_string(i) + "\t" + PrintableText(NativeModeDisplay(m.NativeModes[i])) + "\n";
    out += counts.Panel1() + "\n" + counts.Panel2() + "\n";
    std::cout << out;
    return 0;
}

} // namespace kelvaro::batch
