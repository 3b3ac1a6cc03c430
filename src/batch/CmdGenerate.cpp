#include <iostream>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "batch/BatchCommon.h"
#include "core/IniText.h"
#include "core/Text.h"
#include "core/TextNumbers.h"
#include "ini/IniFiles.h"
#include "modes/AutoSelect.h"
#include "platform/Files.h"

namespace kelvaro::batch {

// Builds, selects (unless --no-select) and writes the INI files of the scope; the settings file
// is never written.
int CmdGenerate(const Options& o) {
    // A ROM folder that is not there would quietly drop the "available games only" filter, or
    // leave out every game.
    if (o.Has("--rom-dir") && !IsExistingFolder(o.Get("--rom-dir")))
        throw UsageError{"ROM folder not found: " + o.Get("--rom-dir")};
    Model m = MakeModelWithIniFiles(o, true);
    if (o.Has("--rom-dir")) m.Config.MameROMPath = o.Get("--rom-dir");
    const bool select = !o.Flag("--no-select");
    // Without a mode every game would get "resolution auto".
    bool anyMode = false;
    for (int k = 1; k <= m.AvailModes.Count() && !anyMode; ++k) {
        const std::optional<double> w = WholeNumber(m.AvailModes[k].AvailWidth);
        const std::optional<double> h = WholeNumber(m.AvailModes[k].AvailHeight);
        anyMode = w && h && *w > 0 && *h > 0;
    }
    if (select && !anyMode)
        throw UsageError{"the mode list " + m.Config.ModeListFile + " holds no mode; nothing was written"};

    // Without a game, every game is in scope whatever the settings say; the filters are theirs.
    GenerateRequest request = GenerateRequestOf(m.Config, 0);
    if (o.Has("--game")) {
        request.SelectedGame = FindGameByRomName(m, o.Get("--game"));
        if (request.SelectedGame == 0) throw UsageError{"no game named " + o.Get("--game")};
    } else {
        request.Scope = GenerateScope::AllGames;
    }

    ProgressSink quiet;
    if (select) {
        // The selection gives a searched game fresh details; the user's own lines of a file read
        // back go on after them, unless they are to be replaced too.
        std::vector<std::string> earlier;
        const bool keep = !o.Flag("--replace-lines");
        for (int i = 1; keep && i <= m.Games.Count(); ++i)
            earlier.push_back(m.Games[i].GameINIFile == IniFileKnown::Read ? m.Games[i].GameINIText : std::string());
        AutoSelectVideoModes(m, quiet);
        for (int i = 1; keep && i <= m.Games.Count(); ++i)
            m.Games[i].GameINIText = KeepOwnLines(m.Games[i].GameINIText, earlier[static_cast<size_t>(i - 1)]);
    }
    const Result<GenerateResult> generated = GenerateINIFiles(m, request, quiet);
    if (!generated) {
        std::cerr << "kelvaro-batch: " << PrintableText(generated.Reason()) << "\n";
        return 1;
    }
    const GenerateResult& r = *generated;
    if (!r.RestoredFirst.empty()) std::cerr << "kelvaro-batch: " << PrintableText(r.RestoredFirst) << "\n";

    std::string out;
    for (const std::string& path : r.WrittenPaths) out += "written\t" + PrintableText(path) + "\n";
    if (!r.SelectedLeftOut.empty()) out += PrintableText(o.Get("--game")) + ": " + r.SelectedLeftOut + "\n";
    // Each game left out counted once, under the first filter (in the generation dialog's order)
    // that leaves it out.
    const std::pair<int, const char*> leftOut[] = {{r.SkippedNoRoms, "Available Games Only"},
                                                   {r.SkippedClones, "Parent Romsets Only"},
                                                   {r.SkippedHaveIni, "Games with no Existing INI File Only"},
                                                   {r.SkippedSameFile, "the INI file of an earlier game"}};
    for (const auto& [count, why] : leftOut)
        if (count > 0) out += std::string("left out\t") + why + "\t" + std::to_string(count) + "\n";
    out += "written " + std::to_string(r.Written) + ", skipped " + std::to_string(r.Skipped) + ", failed " +
           std::to_string(r.Failed) + "\n";
    std::cout << out;
    for (std::size_t i = 0; i < r.FailedNames.size(); ++i)
        std::cerr << "kelvaro-batch: the INI file of " << PrintableText(r.FailedNames[i]) << " could not be written ("
                  << PrintableText(r.FailedReasons[i]) << ")\n";
    return r.Failed == 0 ? 0 : 1;
}

} // namespace kelvaro::batch
