#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"
#include "gamelist/NativeModes.h"
#include "modes/AvailableModes.h"

namespace kelvaro::batch {

// A usage error, or an input that cannot be read (a missing file, a folder where a file belongs):
// main prints "kelvaro-batch: " + message on one line of stderr and exits with 2. The message names
// the option or the file at fault.
struct UsageError {
    std::string message;
};

// The options of one subcommand: "--name value" pairs, repeatable "--set Name=Value", flags, and
// the operands ("FILE", "-") of a subcommand that takes them.
struct Options {
    std::map<std::string, std::string> values;
    std::vector<std::string> sets;
    std::vector<std::string> flags;
    std::vector<std::string> operands;

    [[nodiscard]] bool Has(const std::string& name) const { return values.count(name) > 0; }
    [[nodiscard]] std::string Get(const std::string& name) const;
    [[nodiscard]] bool Flag(const std::string& name) const;
};

// Parses args against the names that take a value and the names that are flags ("--set" is
// always allowed where allowSet); up to maxOperands words that are not options ("-" included)
// are operands. Throws UsageError for anything else or a missing value.
Options ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& valueNames,
                     const std::vector<std::string>& flagNames, bool allowSet, size_t maxOperands = 0);

// Throws UsageError unless the option is present.
std::string Require(const Options& o, const std::string& name);

// Reads the mode list ModeListFile into the model. Throws UsageError, naming the file, when it
// cannot be read, or with needsMode when it holds no mode; otherwise such a file gives an empty
// table. A line whose rate is oddly written goes to warnings when given.
void ReadModeList(Model& m, bool needsMode, std::vector<ModeLineWarning>* warnings = nullptr);

// Reads the game list file and builds the native mode list from it. Throws UsageError, naming
// the file, when it cannot be read or holds no game.
NativeModeCounts BuildNativeModes(Model& m, const std::string& gameList);

// A model for the batch tool: program and data folders as the window program has them, the
// defaults, then the settings from --cfg (a missing file keeps the defaults; without --cfg the
// window program's settings file), then each --set. Throws UsageError for a bad --set, or a --cfg
// that is there but cannot be read (a folder, no permission).
Model MakeModel(const Options& o);

// The model of "read" and "generate": MakeModel, MameINIPath = --ini-dir, the mode list of --modes,
// the native mode list built from --dat, then the INI files read back. Throws UsageError when
// --dat or --modes cannot be read, --dat holds no game or --ini-dir names no folder. When the mode
// list holds no mode the INI files cannot be read back: with mustReadBack (a generation, which would replace files it
// does not know) a UsageError; otherwise a warning, and notReadBack (when given) is set.
Model MakeModelWithIniFiles(const Options& o, bool mustReadBack = false, bool* notReadBack = nullptr);

// The model of "select" and the commands that explain it: MakeModel, the mode list of --modes and
// the native mode list built from --dat, nothing selected yet. Throws UsageError when --dat or
// --modes cannot be read, or holds no game or no mode.
Model MakeSelectionModel(const Options& o);

// The first game of that rom name; the table holds names in upper case and users type them in
// the emulator's lower case, so case does not count. 0 when there is none.
int FindGameByRomName(const Model& m, std::string_view romName);

// One line per game, "i<TAB>GameRomName<TAB>...<TAB>GameINIText", then the "NotFound" line.
void PrintGameTable(const Model& m);

// The subcommands; each returns the exit status: 0 when it did its work, 1 when it did it with
// failures (a file it could not write) or found problems; 2 (a UsageError) when it could not start.
int CmdListinfo(const Options& o);
int CmdNatives(const Options& o);
int CmdModes(const Options& o);
int CmdSelect(const Options& o);
int CmdRead(const Options& o);
int CmdGenerate(const Options& o);
int CmdImportModes(const Options& o);
int CmdCheck(const Options& o);
int CmdExplain(const Options& o);
int CmdSummary(const Options& o);
int CmdSuggest(const Options& o);
int CmdTest(const Options& o);

} // namespace kelvaro::batch
