#pragma once
#include <chrono>
#include <functional>
#include <string>

#include "core/Model.h"
#include "core/Outcome.h"
#include "ini/IniFiles.h"
#include "platform/Process.h"

namespace kelvaro {

enum class TestRunOutcome {
    NoEmulator,  // no file at MameExePath: nothing done
    NotPrepared, // the temporary INI file could not be written; any backup was put back
    FolderInUse, // another run of the program holds the INI folder: nothing done
    Ran          // the emulator was started and the INI folder restored
};

// What a test run came to. Why is the failure behind NoEmulator, NotPrepared and FolderInUse;
// after Ran, a failure when the emulator could not be started or the INI folder not be restored.
struct TestRunResult {
    TestRunOutcome Status = TestRunOutcome::Ran;
    Outcome Why;
    // After Ran: how the emulator ended, and the start of its standard output and error (a
    // megabyte of each at most), which -verbose fills with the INI files it read.
    ProcessExit Exit;
    std::string Output, Errors;
    // What a test run that did not end had left in the INI folder, put right before this one
    // (a sentence for the user); empty when nothing was left.
    std::string RestoredFirst;
};

// Runs the emulator on the game of row gameRow (with -verbose, so that it names the INI files it
// reads) with its INI details as a temporary INI file: an existing INI file is moved out of the
// way (to NAME.bak, or the first free NAME.bakN) and put back afterwards, byte for byte. pump
// keeps the windows painting while the emulator runs. The emulator's exit status does not make
// the run fail; it is handed back with the output for the caller to judge. The INI folder is
// locked for the whole run; while another run holds it (after waiting up to lockWait) nothing is
// done and the outcome is FolderInUse. A record in the INI folder says what is moved where until the
// folder is restored, so that a run ended meanwhile is undone by the next; a termination signal
// puts the file back at once. Asks nothing.
TestRunResult TestRunGame(Model& m, int gameRow, const std::function<void()>& pump = {},
                          std::chrono::milliseconds lockWait = kIniFolderWait);

} // namespace kelvaro
