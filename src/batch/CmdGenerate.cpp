#include <iostream>
#include <string_view>

#include "batch/BatchCommon.h"
#include "core/Text.h"
#include "ini/IniFiles.h"
#include "modes/AutoSelect.h"

namespace kelvaro::batch {

namespace {

// The first game of that rom name; the table holds names in upper case and users type them in
// the emulator's lower case, so case does not count. 0 when there is none.
int FindGameByRomName(const Model& m, std::string_view romName) {
    for (int i = 1; i <= m.Games.Count(); ++i)
        if (EqualsIgnoringAsciiCase(m.Games[i].GameRomName, romName)) return i;
    return 0;
}

} // namespace

// Builds, selects (unless --no-select) and writes the INI files of the scope; the settings file
// is never written.
int CmdGenerate(const Options& o) {
    Model m = MakeModelWithIniFiles(o, true);
    if (o.Has("--rom-dir")) m.S.MameROMPath = o.Get("--rom-dir");

    int selected = 0;
    if (o.Has("--game")) {
        selected = FindGameByRomName(m, o.Get("--game"));
        if (selected == 0) throw UsageError{"no game named " + o.Get("--game")};
    } else {
        m.S.GenerateApplyTo = GenerateScope::AllGames;
    }

    ProgressSink quiet;
    if (!o.Flag("--no-select")) AutoSelectVideoModes(m, quiet);
    GenerateResult r = GenerateINIFiles(m, selected, quiet);
    if (!r.Refused.empty()) {
        std::cerr << "kelvaro-batch: " << PrintableText(r.Refused) << "\n";
        return 1;
    }

    std::string out;
    for (const std::string& path : r.WrittenPaths) out += "written\t" + PrintableText(path) + "\n";
    out += "written " + std::to_string(r.Written) + ", skipped " + std::to_string(r.Skipped) + ", failed " +
           std::to_string(r.Failed) + "\n";
    std::cout << out;
    for (std::size_t i = 0; i < r.FailedNames.size(); ++i)
        std::cerr << "kelvaro-batch: the INI file of " << PrintableText(r.FailedNames[i]) << " could not be written ("
                  << PrintableText(r.FailedReasons[i]) << ")\n";
    return r.Failed == 0 ? 0 : 1;
}

} // namespace kelvaro::batch
