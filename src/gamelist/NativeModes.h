#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"
#include "core/Outcome.h"
#include "core/Progress.h"
#include "gamelist/GameInfoRetrieval.h"

namespace kelvaro {

// The counts the status bar shows after a build.
struct NativeModeCounts {
    int HModes = 0, VModes = 0, NativeCount = 0;
    int HGames = 0, VGames = 0, VectorGames = 0;
    // "Modes: 1 H + 1 V = 2"
    [[nodiscard]] std::string Panel1() const;
    // "Total Games: 1 Horizontal + 2 Vertical = 3 (inc. 0 Vector)"
    [[nodiscard]] std::string Panel2() const;
};

// Builds the game table and the sorted native mode table from the game list file, running the
// emulator first when retrieve is set or the file is missing (never when atStartUp); a run that
// fails leaves the file as it was, and the build reads that. Returns the counts, or, when no game
// was read, a failure that says why (the emulator's run, the file); then every table keeps what
// it held. retrieval, when given, receives the run's outcome (success when the emulator was not
// run). Reading the existing INI files and filling the lists is left to the caller. quietLimit is
// the emulator's, as RetrieveGameInfo takes it.
Result<NativeModeCounts> BuildNativeModeList(Model& m, bool retrieve, bool atStartUp, ProgressSink& progress,
                                             Outcome* retrieval = nullptr,
                                             std::chrono::milliseconds quietLimit = kEmulatorQuietTime);

// The same build from a given listinfo file, never running the emulator (the batch tool and the
// tests use it): reads the file, then groups as above.
Result<NativeModeCounts> BuildNativeModeListFromFile(Model& m, const std::string& listFile, ProgressSink& progress);

// The grouping alone, from the parser output already in the model (GameList): vector games get
// "-" for their size and refresh there, the game table and the sorted native mode table are
// built anew. Nothing changes and nothing is returned when GameList holds no game.
std::optional<NativeModeCounts> BuildNativeModesFromGameList(Model& m);

// The "Mode" cell of the native mode list: "256 x 224 @ 60Hz H" (refresh to two decimals, the
// text as it is when not a number), or "Vector H" for a vector mode.
std::string NativeModeDisplay(const NativeModeRow& mode);

// The games of the native mode of that row (all four native texts equal), in table order.
std::vector<int> GamesOfNativeMode(const Model& m, int nativeMode);

// The "Mode" column of the games list: "640 x 480 @ 60Hz", or "(Let MAME Decide)" when no mode
// is chosen.
std::string GameModeDisplay(const GameRow& game);

} // namespace kelvaro
