#include "emulator/OptionFix.h"

#include <filesystem>
#include <system_error>

#include "core/Text.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace kelvaro {

namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Where the value of an option line for the option stands in the line: [begin, end); nothing
// when the line sets another option or none.
std::optional<std::pair<std::size_t, std::size_t>> ValueSpan(std::string_view line, std::string_view option) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (line.substr(i, option.size()) != option) return std::nullopt;
    i += option.size();
    if (i >= line.size() || !IsBlank(line[i])) return std::nullopt;
    while (i < line.size() && IsBlank(line[i])) ++i;
    std::size_t end = i;
    bool quoted = false;
    while (end < line.size() && (quoted || line[end] != '#')) {
        if (line[end] == '"') quoted = !quoted;
        ++end;
    }
    while (end > i && IsBlank(line[end - 1])) --end;
    return std::make_pair(i, end);
}

std::string MameIniIn(const std::string& folder) { return JoinPath(folder, "mame.ini"); }

// On Windows the emulator keeps its settings beside its executable: its default inipath starts
// with its working folder, where a user's mame.ini is. Elsewhere they are in the home folder.
#ifdef _WIN32
constexpr bool kSettingsBesideEmulator = true;
#else
constexpr bool kSettingsBesideEmulator = false;
#endif

// True for the mame.ini directly in the emulator's folder, where the emulator keeps its settings.
bool IsBesideEmulator(const std::string& file, const std::string& emulatorFolder) {
    const std::size_t sep = LastSeparator(file);
    const std::string name = sep == std::string::npos ? file : file.substr(sep + 1);
    return kSettingsBesideEmulator && !emulatorFolder.empty() && EqualsIgnoringAsciiCase(name, "mame.ini") &&
           SameFolder(FolderOfFile(file), emulatorFolder);
}

// The index of the first folder of the list holding a mame.ini; -1 when none does.
int FirstMameIni(const std::vector<std::string>& folders) {
    for (std::size_t i = 0; i < folders.size(); ++i)
        if (FileExists(MameIniIn(folders[i]), false)) return static_cast<int>(i);
    return -1;
}

int IndexOfFolder(const std::vector<std::string>& folders, const std::string& folder) {
    for (std::size_t i = 0; i < folders.size(); ++i)
        if (SameFolder(folders[i], folder)) return static_cast<int>(i);
    return -1;
}

bool EntryExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(FsPath(path), ec));
}

// NAME.bak, or the first of NAME.bak2, NAME.bak3, ... that is free.
std::string FreeBackupPath(const std::string& path) {
    std::string base = path + ".bak";
    if (!EntryExists(base)) return base;
    for (int n = 2;; ++n)
        if (std::string candidate = base + std::to_string(n); !EntryExists(candidate)) return candidate;
}

} // namespace

std::string OptionLine(const std::string& option, const std::string& value) {
    return option + " " + (value.find(' ') != std::string::npos ? "\"" + value + "\"" : value);
}

std::string SetOptionLine(std::string_view text, const std::string& option, const std::string& value) {
    std::string newValue = OptionLine(option, value).substr(option.size() + 1);
    // The last line naming the option is the one the emulator goes by.
    std::optional<std::pair<std::size_t, std::size_t>> last;
    std::string_view lineEnd = "\n";
    bool endSeen = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        if (auto span = ValueSpan(text.substr(start, end - start), option))
            last = std::make_pair(start + span->first, start + span->second);
        if (end < text.size() && !endSeen) {
            lineEnd = text.substr(end, 1) == "\r" && text.substr(end + 1, 1) == "\n" ? "\r\n" : text.substr(end, 1);
            endSeen = true;
        }
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    std::string out(text);
    if (last) return out.replace(last->first, last->second - last->first, newValue);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += lineEnd;
    return out + OptionLine(option, value) + std::string(lineEnd);
}

OptionPlace PlaceOptionLine(const EmulatorOptions& options, const std::string& option, const std::string& value,
                            const std::string& home) {
    std::string line = "\"";
    line.append(OptionLine(option, value)).append("\"");
    const std::vector<std::string>& folders = options.MameIniFolders;
    // The emulator reads the first mame.ini along its INI path after the one on its built-in path:
    // that file has the last word.
    const int last = FirstMameIni(folders);
    if (last >= 0) {
        const std::string file = MameIniIn(folders[static_cast<std::size_t>(last)]);
        const std::optional<std::string> bytes = ReadWholeFile(file);
        const OptionValues set = bytes ? ReadOptionLines(*bytes) : OptionValues();
        const auto current = set.find(option);
        std::string advice = current != set.end() ? "Change the line \"" + OptionLine(option, current->second) +
                                                        "\" in " + file + " to " + line + "."
                                                  : "Add the line " + line + " to " + file + ".";
        if (!home.empty() && IsInsideFolder(file, home)) return {OptionFix{file, option, value, false, {}}, advice};
        if (IsBesideEmulator(file, options.WorkingFolder))
            return {OptionFix{file, option, value, false, options.WorkingFolder}, advice};
        // A system file: a new file in the home folder helps where the emulator reads it before
        // this one and this one is also the file it reads first, so that none of its settings go.
        const std::string ownFolder = home.empty() ? std::string() : JoinPath(home, ".mame");
        const int own = ownFolder.empty() ? -1 : IndexOfFolder(folders, ownFolder);
        const int first = FirstMameIni(options.BuiltInIniFolders);
        const int ownBuiltIn = ownFolder.empty() ? -1 : IndexOfFolder(options.BuiltInIniFolders, ownFolder);
        const bool readFirst = first >= 0 && SameFolder(options.BuiltInIniFolders[static_cast<std::size_t>(first)],
                                                        folders[static_cast<std::size_t>(last)]);
        if (own >= 0 && own < last && readFirst && (ownBuiltIn < 0 || ownBuiltIn > first)) {
            const std::string created = MameIniIn(ownFolder);
            return {OptionFix{created, option, value, true, {}}, "Add the line " + line + " to " + created + "."};
        }
        return {std::nullopt, advice};
    }
    if (kSettingsBesideEmulator && IndexOfFolder(folders, options.WorkingFolder) >= 0) {
        const std::string created = MameIniIn(options.WorkingFolder);
        return {OptionFix{created, option, value, true, options.WorkingFolder},
                "Add the line " + line + " to " + created + "."};
    }
    const std::string ownFolder = home.empty() ? std::string() : JoinPath(home, ".mame");
    if (!ownFolder.empty() && IndexOfFolder(folders, ownFolder) >= 0) {
        const std::string created = MameIniIn(ownFolder);
        return {OptionFix{created, option, value, true, {}}, "Add the line " + line + " to " + created + "."};
    }
    if (folders.empty()) return {std::nullopt, "Add the line " + line + " to M.A.M.E.'s mame.ini."};
    return {std::nullopt, "Add the line " + line + " to a mame.ini in " + folders.front() + "."};
}

Outcome ApplyOptionFix(const OptionFix& fix, const std::string& home) {
    const std::string& file = fix.File;
    if ((home.empty() || !IsInsideFolder(file, home)) && !IsBesideEmulator(file, fix.EmulatorFolder))
        return Outcome::Failure(file + " is not in the home folder" + (home.empty() ? "" : " " + home) +
                                ": it is left as it is");
    std::error_code error;
    if (fix.Create) {
        if (EntryExists(file)) return Outcome::Failure(file + " is there already: it is left as it is");
        fs::create_directories(FsPath(FolderOfFile(file)), error);
        if (error) return Outcome::Failure("cannot create the folder " + FolderOfFile(file), error);
#ifdef _WIN32
        const char* lineEnd = "\r\n";
#else
        const char* lineEnd = "\n";
#endif
        if (!WriteFileAtomic(file, OptionLine(fix.Option, fix.Value) + lineEnd, &error))
            return WriteFailure(file, error);
        return {};
    }
    const std::optional<std::string> bytes = ReadWholeFile(file, &error);
    if (!bytes) return ReadFailure(file, error);
    const std::string backup = FreeBackupPath(file);
    if (!WriteFileAtomic(backup, *bytes, &error)) return WriteFailure(backup, error);
    if (!WriteFileAtomic(file, SetOptionLine(*bytes, fix.Option, fix.Value), &error)) return WriteFailure(file, error);
    return {};
}

} // namespace kelvaro
