#pragma once
#include <functional>
#include <string>

#include "core/Model.h"

namespace kelvaro {

enum class TestRunOutcome {
    NoEmulator,     // no file at MameExePath: nothing done
    NotPrepared,    // the temporary INI file could not be written; any backup was put back
    Ran             // the emulator ran and the INI folder was restored
};

// Runs the emulator on game g with its INI details as a temporary INI file: an existing INI file
// is moved out of the way (to NAME.bak, or the first free NAME.bakN) and put back afterwards,
// byte for byte. pump keeps the windows painting while the emulator runs. Asks nothing.
TestRunOutcome TestRunGame(Model& m, int g, const std::function<void()>& pump = {});

} // namespace kelvaro
