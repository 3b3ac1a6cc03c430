#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Outcome.h"

namespace kelvaro {

// Options by name, as an INI file or the emulator's -showconfig sets them.
using OptionValues = std::map<std::string, std::string, std::less<>>;

// An option's value with the line that sets it (1 for a file's first line).
struct ValueAtLine {
    std::string Value;
    int Line = 0;
    bool operator==(const ValueAtLine&) const = default;
};
using OptionLines = std::map<std::string, ValueAtLine, std::less<>>;

// The option lines of an INI file or of -showconfig: "name value" (spaces or tabs between),
// blank lines and lines starting with '#' skipped, spaces around the value trimmed, a value in
// double quotes taken without them. A later line of a name replaces an earlier one, as the
// emulator reads it.
OptionValues ReadOptionLines(std::string_view text);
// The same with the line of each value.
OptionLines ReadNumberedOptionLines(std::string_view text);

// The emulator's version as its -help answer names it in its first lines ("MAME v0.251
// (unknown)" gives "0.251"); empty when it names none.
std::string EmulatorVersionIn(std::string_view helpAnswer);

// True when the version reads a name's INI file from every folder along inipath and merges them
// option by option, the earlier folder winning (0.288 and later); false for the versions before,
// which read only the first file of a name, and for a version not known.
bool MergesSameNamedInis(std::string_view version);

// One folder of a search path as the emulator opens it: a leading "~" is the home folder and
// $NAME and ${NAME} are environment variables (an unset one counts as empty); on Windows instead
// %NAME% is one (an unset one stays as written) and "~" and "$" are plain characters. A relative
// folder is taken from the emulator's working folder (on Windows the default inipath
// ".;ini;ini/presets" starts beside mame.exe). The result has no trailing separator.
std::string ExpandFolder(std::string_view folder, const std::string& workingFolder);

// A search path ("$HOME/.mame;/etc/mame") split on ';', each part expanded; empty parts left out.
std::vector<std::string> ExpandSearchPath(std::string_view path, const std::string& workingFolder);

// How long the emulator may take to answer a question (-showconfig, -listsource) before it is
// ended. It answers in well under a second; 20 seconds leave room for a cold disk and a loaded
// machine, and a run past them has hung (a damaged mame.ini can make it spin for ever).
inline constexpr std::chrono::milliseconds kEmulatorAnswerTime{20000};

// The emulator's effective options, as -showconfig printed them.
struct EmulatorOptions {
    OptionValues Values;                         // every option it printed
    std::vector<std::string> IniFolders;         // inipath, expanded, in the emulator's order
    std::vector<std::string> BuiltInIniFolders;  // the inipath it starts from, before any mame.ini
    std::vector<std::string> MameIniFolders;     // where it looks for its second mame.ini: the inipath
                                                 // the first one sets (the built-in one when it sets none)
    std::vector<std::string> RomFolders;         // rompath, expanded
    std::string WorkingFolder;                   // relative folders are taken from here
    std::vector<std::string> UnreadableMameInis; // a mame.ini that is there but could not be read,
                                                 // with the reason: "/x/mame.ini (Permission denied)"
    OptionValues Defaults;                       // its own values, before any mame.ini (-noreadconfig)
    std::string Version;                         // "0.251" as -help names it; empty when not known

    // The value as printed; empty when the option was not printed.
    [[nodiscard]] std::string Value(std::string_view name) const;
    // True for a switch that is on (a number other than 0).
    [[nodiscard]] bool IsOn(std::string_view name) const;
};

// Reads the answer to -showconfig (and to -noreadconfig -showconfig for the built-in INI
// folders and values; without it they count as inipath), and the first mame.ini along the
// built-in folders for the folders of the second; the version from the answer to -help. A failure
// when the first answer holds no inipath line.
Result<EmulatorOptions> ReadEmulatorOptions(std::string_view showConfig, std::string_view builtInShowConfig,
                                            const std::string& workingFolder, std::string_view helpAnswer = {});

// Runs the emulator directly in its working folder with -showconfig, with -noreadconfig
// -showconfig for the folders it looks in before reading any mame.ini, and with -help for its
// version (a failure there leaves the version unknown). A failure says why when it
// cannot be started, ends with an error, answers with no options or more than any list of them,
// or gives no answer within the time limit (it is ended then, and the mame.ini files it reads are
// named as the likely cause).
Result<EmulatorOptions> AskEmulatorOptions(const std::string& exe, const std::string& workingFolder,
                                           const std::function<void()>& pump = {},
                                           std::chrono::milliseconds timeLimit = kEmulatorAnswerTime);

// A file's size and modification time, to tell whether it changed; Exists false when it is not
// there.
struct FileStamp {
    bool Exists = false;
    std::uintmax_t Size = 0;
    long long Modified = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// The mame.ini files the emulator may read with these options, each with its stamp (one that is
// not there counts too: it may appear): one in every folder of the built-in inipath, of the
// folders of the second mame.ini and of inipath.
std::vector<std::pair<std::string, FileStamp>> MameIniStamps(const EmulatorOptions& options);

// The last answer of AskEmulatorOptions, asked again only when the executable, its working
// folder, the home folder or a mame.ini in one of the INI folders (built-in and inipath) changed,
// appeared or went. The built-in values and the version are asked again only with a new executable.
class EmulatorOptionsCache {
public:
    // The options, from the emulator when askAgain is set or anything changed.
    const Result<EmulatorOptions>& Get(const std::string& exe, const std::string& workingFolder, bool askAgain,
                                       const std::function<void()>& pump = {},
                                       std::chrono::milliseconds timeLimit = kEmulatorAnswerTime);
    // True when the last Get ran the emulator.
    [[nodiscard]] bool Asked() const { return asked_; }

private:
    struct Key {
        std::string Exe, WorkingFolder, Home;
        FileStamp ExeStamp;
        std::vector<std::pair<std::string, FileStamp>> MameInis;
        bool operator==(const Key&) const = default;
    };
    [[nodiscard]] Key MakeKey(const std::string& exe, const std::string& workingFolder) const;

    struct BuiltInKey {
        std::string Exe, WorkingFolder;
        FileStamp ExeStamp;
        bool operator==(const BuiltInKey&) const = default;
    };

    std::optional<Key> key_;
    Result<EmulatorOptions> answer_ = Outcome::Failure("not asked yet");
    std::optional<BuiltInKey> builtInKey_;
    std::string builtIn_, help_;
    bool asked_ = false;
};

} // namespace kelvaro
