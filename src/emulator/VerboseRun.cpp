#include "emulator/VerboseRun.h"

#include <algorithm>

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

void ReadLines(std::string_view text, VerboseRun& run, bool errors) {
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        if (line.starts_with("Attempting load of ")) run.NamesIniFiles = true;
        if (line.starts_with("Parsing ")) run.Parsed.emplace_back(TrimSpaces(line.substr(8)));
        if (line.find(" NOT FOUND") != std::string_view::npos) run.RomsMissing = true;
        if (errors && !TrimSpaces(line).empty()) run.LastError = std::string(TrimSpaces(line));
    }
}

} // namespace

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
    std::string message;
    for (const std::string& part : said) message += (message.empty() ? "" : " ") + part;
    return message;
}

} // namespace kelvaro
