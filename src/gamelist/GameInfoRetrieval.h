#pragma once
#include <chrono>

#include "core/Model.h"
#include "core/Outcome.h"
#include "core/Progress.h"

namespace kelvaro {

// How long the emulator may write nothing before the user is offered to end it. The real list
// streams from the emulator's first second (the XML head comes at once, then a machine every few
// microseconds, even on a slow disk); half a minute of silence is no slow machine but a hang,
// and is short enough that the user is not left waiting at a frozen bar.
inline constexpr std::chrono::milliseconds kEmulatorQuietTime{30000};

// Runs the emulator (MameExePath, in MameFolder) for its game list and leaves it as listinfo
// text in the model's game list file: -listxml streamed through the converter, or -listinfo as
// it comes when LegacyMame is set. The new text is written under a temporary name and takes the
// old file's place only when the emulator ended with status 0 and its list was whole (an XML list
// to its end, or any text at all) and held at least one game; otherwise the old file stays as it was, or stays missing.
// Shows "Retrieving Game Info from M.A.M.E...." with the games written so far counted against
// the games of the previous list (a running count when there is none), pumping the windows while
// the emulator runs (nothing is shown when the executable is missing). A failure says what went
// wrong: no emulator, no folder to run it in, the file, the emulator could not start or ended
// with a status, a list that was malformed, empty or without a game, or that the user ended it.
//
// An emulator that writes nothing for quietLimit (zero: never) is offered to the user to end
// (ProgressSink::OfferEnd, taken back when it writes again); ended, it is killed and the old list
// stays.
Outcome RetrieveGameInfo(Model& m, ProgressSink& progress, std::chrono::milliseconds quietLimit = kEmulatorQuietTime);

} // namespace kelvaro
