#include "batch/BatchCommon.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "core/SettingsFile.h"
#include "core/Text.h"
#include "gamelist/GameListParser.h"
#include "modes/AvailableModes.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace kelvaro::batch {

std::string Options::Get(const std::string& name) const {
    auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
}

bool Options::Flag(const std::string& name) const { return std::find(flags.begin(), flags.end(), name) != flags.end(); }

Options ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& valueNames,
                     const std::vector<std::string>& flagNames, bool allowSet, size_t maxOperands) {
    auto contains = [](const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (contains(flagNames, a)) {
            o.flags.push_back(a);
            continue;
        }
        if ((a == "-" || a.rfind("--", 0) != 0) && o.operands.size() < maxOperands) {
            o.operands.push_back(a);
            continue;
        }
        bool isSet = allowSet && a == "--set";
        if (!isSet && !contains(valueNames, a)) throw UsageError{"unknown option '" + a + "'"};
        if (i + 1 >= args.size()) throw UsageError{"option " + a + " needs a value"};
        const std::string& v = args[++i];
        if (isSet)
            o.sets.push_back(v);
        else
            o.values[a] = v;
    }
    return o;
}

std::string Require(const Options& o, const std::string& name) {
    if (!o.Has(name)) throw UsageError{"missing option " + name};
    return o.Get(name);
}

void ReadModeList(Model& m, bool needsMode, std::vector<ModeLineWarning>* warnings) {
    if (const Outcome read = ReadAvailableModes(m, warnings, FileReads::Anything); !read)
        throw UsageError{read.Reason()};
    if (needsMode && m.AvailModes.Empty())
        throw UsageError{"the mode list " + m.Config.ModeListFile + " holds no mode"};
}

NativeModeCounts BuildNativeModes(Model& m, const std::string& gameList) {
    ProgressSink quiet;
    // A list streamed in through a FIFO is read to its end.
    if (const Outcome read = ReadGameList(gameList, m, quiet, FileReads::Anything); !read)
        throw UsageError{read.Reason()};
    std::optional<NativeModeCounts> counts = BuildNativeModesFromGameList(m);
    // An empty file, the emulator's XML instead of its listinfo text, or anything else that is
    // no game list: there is nothing to work on, and saying so beats an empty answer.
    if (!counts) throw UsageError{"the game list " + gameList + " holds no game"};
    return *counts;
}

Model MakeModel(const Options& o) {
    Model m;
    m.Paths.ProgramFolder = ProgramFolder();
    m.Paths.DataFolder = ChooseDataFolder(m.Paths.ProgramFolder);
    m.Config = DefaultSettings(m.Paths);
    std::string cfg = o.Has("--cfg") ? o.Get("--cfg") : m.SettingsFile();
    if (auto bytes = ReadWholeFile(cfg)) {
        // A damaged file is used with the defaults in place of what could not be read; the file
        // itself is left as it is (no command writes it).
        for (const std::string& problem : ParseSettingsFile(*bytes, m.Config).Lines)
            std::cerr << "kelvaro-batch: " << PrintableText(cfg) << ": " << problem << "\n";
    } else if (o.Has("--cfg")) {
        // Only a file that is not there means a first start; one that is there but cannot be
        // read would otherwise run with settings the user did not ask for.
        std::error_code ec;
        const auto status = std::filesystem::status(FsPath(cfg), ec);
        if (status.type() != std::filesystem::file_type::not_found)
            throw UsageError{"--cfg " + cfg +
                             (std::filesystem::is_directory(status) ? ": is a folder" : ": cannot be read")};
    }
    for (const std::string& set : o.sets) {
        auto eq = set.find('=');
        if (eq == std::string::npos) throw UsageError{"--set needs Name=Value, got '" + set + "'"};
        if (const Outcome done = SetSettingByName(m.Config, set.substr(0, eq), set.substr(eq + 1)); !done)
            throw UsageError{"--set " + PrintableText(set) + ": " + done.Reason()};
    }
    return m;
}

void PrintGameTable(const Model& m) {
    std::string out;
    for (int i = 1; i <= m.Games.Count(); ++i) {
        const GameRow& g = m.Games[i];
        out += std::to_string(i);
        for (const std::string* f :
             {&g.GameRomName, &g.GameCloneOf, &g.GameNativeWidth, &g.GameNativeHeight, &g.GameNativeRefresh,
              &g.GameOrientation, &g.GameModeWidth, &g.GameModeHeight, &g.GameModeRefresh, &g.GameINIText}) {
            out += '\t';
            out += PrintableText(*f);
        }
        out += '\n';
    }
    out += "NotFound";
    for (const std::string* f :
         {&m.Config.NotFoundWidth, &m.Config.NotFoundHeight, &m.Config.NotFoundRefresh, &m.Config.NotFoundINIText}) {
        out += '\t';
        out += PrintableText(*f);
    }
    out += '\n';
    std::cout << out;
}

} // namespace kelvaro::batch

namespace kelvaro::batch {

int FindGameByRomName(const Model& m, std::string_view romName) {
    for (int i = 1; i <= m.Games.Count(); ++i)
        if (EqualsIgnoringAsciiCase(m.Games[i].GameRomName, romName)) return i;
    return 0;
}

} // namespace kelvaro::batch
