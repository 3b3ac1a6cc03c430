#include <iostream>

#include "batch/BatchCommon.h"
#include "core/FileNames.h"
#include "core/Text.h"
#include "emulator/EmulatorOptions.h"
#include "emulator/VerboseRun.h"
#include "ini/TestRun.h"

namespace kelvaro::batch {

// Runs the emulator on one game with its INI details as read back from the INI folder, as the
// window's Test button does: prints what went wrong and the display mode the emulator set; exit
// status 0 when it read the game's INI file, found the ROMs and set the mode the file asks for.
int CmdTest(const Options& o) {
    if (o.operands.empty()) throw UsageError{"no game given: kelvaro-batch test GAME --exe PATH ..."};
    const std::string exe = Require(o, "--exe");
    Model m = MakeModelWithIniFiles(o);
    m.Config.MameExePath = exe;
    m.Config.MameROMPath = o.Get("--rom-dir");
    const std::string& name = o.operands.front();
    const int g = FindGameByRomName(m, name);
    if (g == 0) throw UsageError{"no game " + name + " in " + o.Get("--dat")};

    const TestRunResult result = TestRunGame(m, g);
    if (!result.RestoredFirst.empty()) std::cerr << "kelvaro-batch: " << PrintableText(result.RestoredFirst) << "\n";
    if (result.Status == TestRunOutcome::NoEmulator) throw UsageError{result.Why.Reason()};
    if (result.Status != TestRunOutcome::Ran) {
        std::cerr << "kelvaro-batch: the test could not be run: " << PrintableText(result.Why.Reason()) << "\n";
        return 1;
    }
    const GameRow& game = m.Games[g];
    const VerboseRun run = ReadVerboseRun(result.Output, result.Errors);
    TestRunSetting setting{exe, EmulatorFileName(game.GameRomName, ""), m.Config.MameINIPath, nullptr,
                           game.GameINIText};
    // As in the window: the emulator's settings are asked for only when they can explain something.
    std::string message = TestRunMessage(run, result.Exit, setting);
    Result<EmulatorOptions> options = Outcome::Failure("not asked");
    if (run.NamesIniFiles || !message.empty()) {
        options = AskEmulatorOptions(exe, m.MameFolder());
        if (options) {
            setting.Options = &*options;
            message = TestRunMessage(run, result.Exit, setting);
        }
    }
    std::string out;
    if (!message.empty()) out += PrintableText(message) + "\n";
    if (run.ModeSet)
        out += "M.A.M.E. set the display to " + DisplayModeText(*run.ModeSet) + ".\n";
    else
        out += "M.A.M.E. named no display mode it set: it switches modes only full screen with switchres 1.\n";
    std::cout << out;
    return TestRunPassed(run, result.Exit, setting) ? 0 : 1;
}

} // namespace kelvaro::batch
