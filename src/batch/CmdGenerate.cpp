#include <iostream>
#include <string_view>

#include "batch/BatchCommon.h"
#include "core/Text.h"
#include "ini/IniFiles.h"
#include "modes/AutoSelect.h"

namespace kelvaro::batch {

// Builds, selects (unless --no-select) and writes the INI files of the scope; the settings file
// is never written.
int CmdGenerate(const Options& o) {
    Model m = MakeModelWithIniFiles(o, true);
    if (o.Has("--rom-dir")) m.Config.MameROMPath = o.Get("--rom-dir");

    // Without a game, every game is in scope whatever the settings say; the filters are theirs.
    GenerateRequest request = GenerateRequestOf(m.Config, 0);
    if (o.Has("--game")) {
        request.SelectedGame = FindGameByRomName(m, o.Get("--game"));
        if (request.SelectedGame == 0) throw UsageError{"no game named " + o.Get("--game")};
    } else {
        request.Scope = GenerateScope::AllGames;
    }

    ProgressSink quiet;
    if (!o.Flag("--no-select")) AutoSelectVideoModes(m, quiet);
    const Result<GenerateResult> generated = GenerateINIFiles(m, request, quiet);
    if (!generated) {
        std::cerr << "kelvaro-batch: " << PrintableText(generated.Reason()) << "\n";
        return 1;
    }
    const GenerateResult& r = *generated;

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
