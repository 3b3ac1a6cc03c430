#pragma once
#include "core/Model.h"
#include "core/Outcome.h"
#include "core/Progress.h"

namespace kelvaro {

// Runs the emulator (MameExePath, in MameFolder) for its game list and leaves it as listinfo
// text in the model's game list file: -listxml streamed through the converter, or -listinfo as
// it comes when LegacyMame is set. Silent when the executable is missing (nothing touched);
// otherwise the old file is replaced by an empty one first, and the new text is written under a
// temporary name and renamed into place when complete. Shows "Retrieving Game Info from
// M.A.M.E...." without a count, pumping the windows while the emulator runs. A failure says what
// went wrong: no emulator, no folder to run it in, the file, the emulator's exit status, a list
// that broke off; the games converted before a break are still kept.
Outcome RetrieveGameInfo(Model& m, ProgressSink& progress);

} // namespace kelvaro
