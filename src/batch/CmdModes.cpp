#include <iostream>
#include <vector>

#include "batch/BatchCommon.h"
#include "core/Text.h"
#include "modes/AvailableModes.h"

namespace kelvaro::batch {

namespace {

std::string JoinedList(const char* name, const Table<std::string>& list) {
    std::string line = name;
    line += '\t';
    for (int k = 1; k <= list.Count(); ++k) {
        if (k > 1) line += '\t';
        line += PrintableText(list[k]);
    }
    line += '\n';
    return line;
}

} // namespace

// Reads a mode list as the window program does and prints the table and the two lists; a line
// whose rate is oddly written is named on standard error, and the run counts as one with problems.
int CmdModes(const Options& o) {
    Model m;
    const std::string file = Require(o, "--modes");
    m.Config.ModeListFile = file;
    std::vector<ModeLineWarning> warnings;
    ReadModeList(m, false, &warnings);
    for (const ModeLineWarning& warning : warnings)
        std::cerr << "kelvaro-batch: " << PrintableText(file) << ": " << ModeLineWarningText(warning) << "\n";

    std::string out;
    for (int i = 1; i <= m.AvailModes.Count(); ++i) {
        const AvailModeRow& r = m.AvailModes[i];
        out += std::to_string(i);
        for (const std::string& f :
             {r.AvailWidth, r.AvailHeight, r.AvailRefresh, r.AvailInterlaced, AvailModeDisplay(r)})
            out += '\t' + PrintableText(f);
        out += '\n';
    }
    out += JoinedList("widths", m.AvailWidthList);
    out += JoinedList("heights", m.AvailHeightList);
    std::cout << out;
    return warnings.empty() ? 0 : 1;
}

} // namespace kelvaro::batch
