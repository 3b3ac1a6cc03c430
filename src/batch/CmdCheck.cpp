#include <iostream>

#include "batch/BatchCommon.h"
#include "core/Text.h"
#include "emulator/SetupCheck.h"
#include "gamelist/GameListParser.h"
#include "gamelist/NativeModes.h"
#include "modes/DisplayRead.h"
#include "modes/SelectionText.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace kelvaro::batch {

// Checks what the emulator will make of the INI files: one line per finding, then with a game the
// options that decide its mode and picture and where each comes from; exit status 1 when a
// finding is a problem, 2 when the emulator cannot be asked for its settings.
int CmdCheck(const Options& o) {
    const std::string exe = Require(o, "--exe");
    const std::string iniDir = Require(o, "--ini-dir");
    if (!IsExistingFolder(iniDir)) throw UsageError{"INI folder not found: " + iniDir};
    // The game's parent, orientation and screen come from the game list.
    if (o.Has("--game") && !o.Has("--dat")) throw UsageError{"--game needs --dat, the game list that holds it"};
    if (o.Has("--modes") && !o.Has("--dat")) throw UsageError{"--modes needs --dat, the game list of the INI files"};
    Model m = MakeModel(o);
    m.Config.MameExePath = exe;
    m.Config.MameINIPath = iniDir;
    m.Config.MameROMPath = o.Get("--rom-dir");
    if (o.Has("--dat")) {
        ProgressSink quiet;
        if (const Outcome read = ReadGameList(o.Get("--dat"), m, quiet, FileReads::Anything); !read)
            throw UsageError{read.Reason()};
    }

    // A bare name has no folder: it is found on the search path, and run in the current folder.
    SetupCheckInput in = CheckInputOf(m, o.Get("--dat"), o.Get("--game"));
    const Result<EmulatorOptions> options = AskEmulatorOptions(exe, in.WorkingFolder);
    if (!options) {
        std::cerr << "kelvaro-batch: M.A.M.E. could not be asked for its settings: " << PrintableText(options.Reason())
                  << "\n";
        return 2;
    }
    DisplayReading display;
#ifndef _WIN32
    // With a mode list, it is compared with the modes of the display kelvaro-batch runs on, and
    // the games given a mode it lacks are counted from the INI folder read back; a game's picture
    // takes the desktop's shape.
    if (o.Has("--modes") || o.Has("--game")) display = ReadThisDisplay(std::string());
    if (o.Has("--modes")) in.Display = CompareWithDisplay(MakeModelWithIniFiles(o), display);
#endif
    const SetupReport report = CheckSetup(in, options);
    std::string text = report.Text();
    if (report.GameOptions) {
        const EffectiveOptions& e = *report.GameOptions;
        text += EffectiveOptionsText(e);
        // The picture in the mode the options ask for, as the emulator fits it.
        BuildNativeModesFromGameList(m);
        const int row = FindGameByRomName(m, o.Get("--game"));
        if (const auto size = EffectiveSize(e); size && row >= 1) {
            const std::string w = std::to_string(size->first), h = std::to_string(size->second);
            RenderOptions render = RenderOptionsOf(e);
            if (display.DesktopHeight > 0)
                render.DesktopAspect = static_cast<double>(display.DesktopWidth) / display.DesktopHeight;
            if (const auto p = PictureOfGame(m.Games[row], (e.Turn() & kAcrossDiagonal) != 0, {w, h, "", "No"}, render))
                text += PictureText(*p) + PictureAssumptions(render);
        }
    }
    std::string out;
    for (std::string_view line : SplitLines(text)) out += PrintableText(line) + "\n";
    std::cout << out;
    return report.HasProblem() ? 1 : 0;
}

} // namespace kelvaro::batch
