#include "emulator/IniSearch.h"

#include <algorithm>
#include <filesystem>

#include "core/FileNames.h"
#include "core/Text.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace kelvaro {

namespace {

namespace fs = std::filesystem;

const ListRow* FindListRow(const Model& m, std::string_view romName) {
    for (int i = 1; i <= m.GameList.Count(); ++i)
        if (EqualsIgnoringAsciiCase(m.GameList[i].ListRomName, romName)) return &m.GameList[i];
    return nullptr;
}

// The set a game builds on: its parent when it is a clone, otherwise the set it takes ROMs from.
const std::string& ParentOf(const ListRow& row) { return row.ListCloneOf.empty() ? row.ListRomOf : row.ListCloneOf; }

bool IsFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(FsPath(path), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

} // namespace

std::optional<GameFacts> FactsOfGame(const Model& m, std::string_view romName) {
    const ListRow* row = FindListRow(m, romName);
    if (!row) return std::nullopt;
    GameFacts facts;
    facts.Name = EmulatorFileName(row->ListRomName, "");
    facts.Vertical = row->ListOrientation == "V";
    if (row->ListScreen == "Raster") facts.Screen = "raster";
    if (row->ListScreen == "Vector") facts.Screen = "vector";
    if (const std::string& parent = ParentOf(*row); !parent.empty()) {
        facts.Parent = EmulatorFileName(parent, "");
        const ListRow* parentRow = FindListRow(m, parent);
        // The list leaves BIOS sets out; a parent it does not hold is the game's BIOS.
        facts.ParentIsBios = !parentRow && row->ListCloneOf.empty();
        if (parentRow && !ParentOf(*parentRow).empty()) {
            facts.Grandparent = EmulatorFileName(ParentOf(*parentRow), "");
            facts.GrandparentIsBios = !FindListRow(m, ParentOf(*parentRow)) && parentRow->ListCloneOf.empty();
        }
    }
    return facts;
}

std::string SourceOfGame(std::string_view listSource, std::string_view game) {
    LineReader reader(listSource);
    std::string_view line;
    while (reader.Next(line)) {
        const std::size_t gap = line.find_first_of(" \t");
        if (gap == std::string_view::npos || !EqualsIgnoringAsciiCase(line.substr(0, gap), game)) continue;
        std::string_view file = line.substr(gap);
        while (!file.empty() && (file.front() == ' ' || file.front() == '\t')) file.remove_prefix(1);
        while (!file.empty() && (file.back() == ' ' || file.back() == '\t')) file.remove_suffix(1);
        // The emulator names the file with '/' on every system.
        if (const std::size_t slash = file.find_last_of("/\\"); slash != std::string_view::npos)
            file.remove_prefix(slash + 1);
        if (const std::size_t dot = file.rfind('.'); dot != std::string_view::npos && dot > 0)
            file = file.substr(0, dot);
        return std::string(file);
    }
    return {};
}

Result<std::string> AskSourceOfGame(const std::string& exe, const std::string& workingFolder, const std::string& game,
                                    const std::function<void()>& pump, std::chrono::milliseconds timeLimit) {
    std::string out;
    const ProcessExit exit = RunAndReadOutput(
        exe, {"-listsource", game}, workingFolder,
        [&out](const char* data, std::size_t size) {
            out.append(data, size);
            return out.size() < (1 << 20);
        },
        pump, timeLimit);
    if (exit.Error) return Outcome::Failure("cannot run " + exe, exit.Error);
    if (exit.TimedOut)
        return Outcome::Failure(exe + " -listsource " + game + " gave no answer within " +
                                std::to_string(timeLimit.count()) + " ms and was ended");
    std::string source = SourceOfGame(out, game);
    if (source.empty()) return Outcome::Failure(exe + " -listsource " + game + " named no source file");
    return source;
}

std::string FirstFolderHolding(const std::vector<std::string>& folders, std::string_view name) {
    for (const std::string& folder : folders)
        if (IsFile(JoinPath(folder, name))) return folder;
    return {};
}

std::string ModeAndRotationLines(const OptionValues& values) {
    std::string out;
    for (const char* name : {"resolution", "ror", "rol", "autoror", "autorol"}) {
        auto it = values.find(name);
        if (it == values.end()) continue;
        const bool isSwitch = std::string_view(name) != "resolution";
        if (isSwitch && (it->second.empty() || it->second == "0")) continue;
        if (!out.empty()) out += ", ";
        out += std::string(name) + " " + it->second;
    }
    return out;
}

std::vector<IniFileRead> IniFilesForGame(const EmulatorOptions& options, const GameFacts& game, bool everyFolder) {
    std::vector<IniFileRead> files;
    auto add = [&](const std::vector<std::string>& folders, const std::string& name, const std::string& why,
                   bool mayApply = false) {
        for (const std::string& folder : folders) {
            const std::string path = JoinPath(folder, name);
            if (!IsFile(path)) continue;
            // The same file read twice is listed once.
            if (std::none_of(files.begin(), files.end(), [&](const IniFileRead& f) { return f.Path == path; })) {
                const std::optional<std::string> bytes = ReadWholeFile(path);
                files.push_back(
                    {name, path, why, mayApply, bytes ? ModeAndRotationLines(ReadOptionLines(*bytes)) : std::string()});
            }
            if (!everyFolder) return;
        }
    };
    add(options.BuiltInIniFolders, "mame.ini", "the emulator's settings");
    add(options.MameIniFolders, "mame.ini", "the emulator's settings");
    add(options.IniFolders, game.Vertical ? "vertical.ini" : "horizont.ini",
        game.Vertical ? "vertical games" : "horizontal games");
    for (const char* type : {"arcade", "console", "computer", "othersys"})
        add(options.IniFolders, std::string(type) + ".ini", "machines of this type", true);
    if (game.Screen.empty()) {
        add(options.IniFolders, "lcd.ini", "LCD screens", true);
    } else {
        add(options.IniFolders, game.Screen + ".ini", game.Screen + " screens");
    }
    if (!game.Source.empty())
        add(options.IniFolders, "source" + std::string(1, PathSeparator()) + game.Source + ".ini",
            "the source file " + game.Source);
    if (!game.Grandparent.empty())
        add(options.IniFolders, game.Grandparent + ".ini",
            (game.GrandparentIsBios ? "the BIOS " : "the grandparent ") + game.Grandparent);
    if (!game.Parent.empty())
        add(options.IniFolders, game.Parent + ".ini", (game.ParentIsBios ? "the BIOS " : "the parent ") + game.Parent);
    if (!game.Name.empty()) add(options.IniFolders, game.Name + ".ini", "the game itself");
    return files;
}

} // namespace kelvaro
