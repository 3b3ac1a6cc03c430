#include "emulator/VerboseRun.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "core/IniText.h"
#include "core/Text.h"
#include "emulator/IniSearch.h"
#include "platform/Paths.h"

namespace kelvaro {

namespace {

std::string Listed(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
    return out;
}

// Reads a whole number at the start of text (after spaces) and moves past it.
bool ReadNumber(std::string_view& text, int& value) {
    while (text.starts_with(' ')) text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

// One of the emulator's score lines, "1024x 768@ 0 -> 0.000133": the mode and its score.
bool ReadScoreLine(std::string_view line, DisplayMode& mode, double& score) {
    if (!ReadNumber(line, mode.Width) || !line.starts_with('x')) return false;
    line.remove_prefix(1);
    if (!ReadNumber(line, mode.Height) || !line.starts_with('@')) return false;
    line.remove_prefix(1);
    if (!ReadNumber(line, mode.Rate) || !line.starts_with(" -> ")) return false;
    // A display that lists no mode is scored as "0x 0@ 0": no mode to switch to.
    if (mode.Width <= 0 || mode.Height <= 0) return false;
    const std::string number(TrimSpaces(line.substr(4)));
    char* end = nullptr;
    score = std::strtod(number.c_str(), &end);
    return !number.empty() && end == number.c_str() + number.size();
}

// One round of scores, the modes in the emulator's order.
struct ScoreRound {
    DisplayMode Best;
    double BestScore = -1;
    bool AllSame = true;
    int Count = 0;

    void Add(const DisplayMode& mode, double score) {
        if (Count++ > 0 && score != BestScore) AllSame = false;
        if (score > BestScore) {
            Best = mode;
            BestScore = score;
        }
    }
};

void ReadLines(std::string_view text, VerboseRun& run, bool errors) {
    LineReader reader(text);
    std::string_view line;
    ScoreRound round;
    auto endRound = [&run, &round] {
        // The first round counts; a later one only when it tells the modes apart.
        if (round.Count > 0 && (!run.ModeSet || !round.AllSame)) run.ModeSet = round.Best;
        round = {};
    };
    while (reader.Next(line)) {
        DisplayMode mode;
        double score = 0;
        if (!errors && ReadScoreLine(line, mode, score)) {
            round.Add(mode, score);
            continue;
        }
        endRound();
        if (line.starts_with("Attempting load of ")) run.NamesIniFiles = true;
        if (line.starts_with("Parsing ")) run.Parsed.emplace_back(TrimSpaces(line.substr(8)));
        if (line.find(" NOT FOUND") != std::string_view::npos) run.RomsMissing = true;
        if (errors && !TrimSpaces(line).empty()) run.LastError = std::string(TrimSpaces(line));
    }
    endRound();
}

// Whether the emulator set the mode asked for; a rate either side leaves unnamed counts as the same.
bool SameMode(const DisplayMode& set, const DisplayMode& asked) {
    return set.Width == asked.Width && set.Height == asked.Height &&
           (set.Rate == 0 || asked.Rate == 0 || set.Rate == asked.Rate);
}

} // namespace

std::string DisplayModeText(const DisplayMode& mode) {
    std::string text = std::to_string(mode.Width) + " x " + std::to_string(mode.Height);
    if (mode.Rate > 0) text += " @ " + std::to_string(mode.Rate) + " Hz";
    return text;
}

std::optional<DisplayMode> AskedMode(std::string_view details) {
    DisplayMode mode;
    const std::string width = ResolutionWidth(details), height = ResolutionHeight(details);
    std::string_view w = width, h = height;
    if (!ReadNumber(w, mode.Width) || !w.empty() || !ReadNumber(h, mode.Height) || !h.empty()) return std::nullopt;
    if (mode.Width <= 0 || mode.Height <= 0) return std::nullopt;
    if (const std::optional<long long> rate = ResolutionRate(details); rate && *rate > 0 && *rate < 10000)
        mode.Rate = static_cast<int>(*rate);
    return mode;
}

VerboseRun ReadVerboseRun(std::string_view output, std::string_view errors) {
    VerboseRun run;
    ReadLines(output, run, false);
    ReadLines(errors, run, true);
    return run;
}

std::string TestRunMessage(const VerboseRun& run, const ProcessExit& exit, const TestRunSetting& setting) {
    if (exit.Error) return "M.A.M.E. could not be started: " + setting.Exe + ": " + exit.Error.message() + ".";
    const std::string file = setting.Game + ".ini";
    const EmulatorOptions* options = setting.Options;
    std::vector<std::string> said;
    const bool parsed = std::find(run.Parsed.begin(), run.Parsed.end(), file) != run.Parsed.end();
    // The folder it read the file from: the first INI folder that holds the name, the INI folder
    // counting as holding it (the test's file is gone again by now).
    std::string readFrom;
    bool fromIniFolder = false;
    if (options) {
        for (const std::string& folder : options->IniFolders) {
            if (SameFolder(folder, setting.IniFolder)) {
                fromIniFolder = true;
                break;
            }
            if (!FirstFolderHolding({folder}, file).empty()) {
                readFrom = folder;
                break;
            }
        }
    }
    const std::string notRead = "M.A.M.E. did not read " + file + " from " + setting.IniFolder;
    const std::string folders = options ? " It reads INI files from: " + Listed(options->IniFolders) + "." : "";
    if (run.NamesIniFiles && !parsed) {
        said.push_back(notRead + "." + folders +
                       (options && !options->IsOn("readconfig") ? " Its readconfig option is 0." : ""));
    } else if (run.NamesIniFiles && !readFrom.empty()) {
        said.push_back(notRead + ": it read the one in " + readFrom + " instead." + folders);
    }
    if (exit.ExitCode == 2 && run.RomsMissing) {
        std::string roms = "M.A.M.E. found no ROMs for " + setting.Game + ".";
        if (options) roms += " It looks in: " + Listed(options->RomFolders) + ".";
        if (parsed && fromIniFolder) roms += " It did read " + file + " from " + setting.IniFolder + ".";
        said.push_back(roms);
    } else if (exit.Signal != 0) {
        said.push_back("M.A.M.E. was ended by signal " + std::to_string(exit.Signal) + ".");
    } else if (exit.ExitCode == 5) {
        said.push_back("M.A.M.E. does not know a game named " + setting.Game + ".");
    } else if (exit.ExitCode != 0) {
        said.push_back("M.A.M.E. ended with exit status " + std::to_string(exit.ExitCode) +
                       (run.LastError.empty() ? "." : ": " + run.LastError));
    }
    const std::optional<DisplayMode> asked = AskedMode(setting.Details);
    if (run.ModeSet && asked && !SameMode(*run.ModeSet, *asked))
        said.push_back("M.A.M.E. set the display to " + DisplayModeText(*run.ModeSet) + " instead of " +
                       DisplayModeText(*asked) + ": the display has no mode " + DisplayModeText(*asked) + ".");
    std::string message;
    for (const std::string& part : said) message += (message.empty() ? "" : " ") + part;
    return message;
}

bool TestRunPassed(const VerboseRun& run, const ProcessExit& exit, const TestRunSetting& setting) {
    const std::string file = setting.Game + ".ini";
    if (std::find(run.Parsed.begin(), run.Parsed.end(), file) == run.Parsed.end()) return false;
    if (!TestRunMessage(run, exit, setting).empty()) return false;
    const std::optional<DisplayMode> asked = AskedMode(setting.Details);
    return !asked || (run.ModeSet && SameMode(*run.ModeSet, *asked));
}

} // namespace kelvaro
