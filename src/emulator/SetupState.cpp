#include "emulator/SetupState.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

#include "platform/Files.h"

namespace kelvaro {

namespace {

constexpr std::string_view kFirstLine = "Kelvaro setup check 1";

std::string StampText(const FileStamp& s) {
    return std::string(s.Exists ? "1" : "0") + "\t" + std::to_string(s.Size) + "\t" + std::to_string(s.Modified);
}

template <class T>
bool ReadNumber(std::string_view text, T& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

// "1\t123\t456\tREST": the stamp, and REST (after the third tab) in rest.
bool ReadStamp(std::string_view text, FileStamp& stamp, std::string_view& rest) {
    std::string_view parts[3];
    for (std::string_view& part : parts) {
        const std::size_t tab = text.find('\t');
        if (tab == std::string_view::npos) return false;
        part = text.substr(0, tab);
        text.remove_prefix(tab + 1);
    }
    if (parts[0] != "0" && parts[0] != "1") return false;
    stamp.Exists = parts[0] == "1";
    rest = text;
    return ReadNumber(parts[1], stamp.Size) && ReadNumber(parts[2], stamp.Modified);
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

} // namespace

SetupState SetupStateOf(const SetupCheckInput& in, const EmulatorOptions& options, std::string hint) {
    return {in.Exe, in.WorkingFolder, in.IniFolder, in.Home, StampOf(in.Exe), MameIniStamps(options), std::move(hint)};
}

std::string SetupStateText(const SetupState& state) {
    std::string out(kFirstLine);
    out += "\nexe\t" + StampText(state.ExeStamp) + "\t" + state.Exe;
    out += "\nfolder\t" + state.WorkingFolder;
    out += "\nini\t" + state.IniFolder;
    out += "\nhome\t" + state.Home;
    for (const auto& [file, stamp] : state.MameInis) out += "\nmameini\t" + StampText(stamp) + "\t" + file;
    out += "\nhint\t" + state.Hint + "\nend\n";
    return out;
}

std::optional<SetupState> ReadSetupState(std::string_view text) {
    SetupState state;
    bool first = true, ended = false;
    int seen = 0; // exe, folder, ini, home, hint: one each
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt; // cut short
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (ended) return std::nullopt;
        if (first) {
            if (line != kFirstLine) return std::nullopt;
            first = false;
            continue;
        }
        if (line == "end") {
            ended = true;
            continue;
        }
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return std::nullopt;
        const std::string_view name = line.substr(0, tab), value = line.substr(tab + 1);
        // The lines that hold a text as it is, each once.
        static constexpr std::pair<std::string_view, std::string SetupState::*> kTexts[] = {
            {"folder", &SetupState::WorkingFolder},
            {"ini", &SetupState::IniFolder},
            {"home", &SetupState::Home},
            {"hint", &SetupState::Hint}};
        std::string_view rest;
        const auto named =
            std::find_if(std::begin(kTexts), std::end(kTexts), [&](const auto& t) { return t.first == name; });
        if (named != std::end(kTexts)) {
            state.*(named->second) = value;
            seen |= 2 << (named - std::begin(kTexts));
        } else if (name == "exe" && ReadStamp(value, state.ExeStamp, rest)) {
            state.Exe = rest;
            seen |= 1;
        } else if (FileStamp stamp; name == "mameini" && ReadStamp(value, stamp, rest)) {
            state.MameInis.emplace_back(std::string(rest), stamp);
        } else {
            return std::nullopt;
        }
    }
    if (!ended || seen != 31) return std::nullopt;
    return state;
}

std::optional<std::string> KeptSetupHint(const std::string& file, const SetupCheckInput& in) {
    const std::optional<std::string> bytes = ReadWholeFile(file, nullptr, FileReads::RegularOnly);
    if (!bytes) return std::nullopt;
    const std::optional<SetupState> kept = ReadSetupState(*bytes);
    if (!kept || kept->Exe != in.Exe || kept->WorkingFolder != in.WorkingFolder || kept->IniFolder != in.IniFolder ||
        kept->Home != in.Home || !(kept->ExeStamp == StampOf(in.Exe)) || !kept->ExeStamp.Exists)
        return std::nullopt;
    for (const auto& [ini, stamp] : kept->MameInis)
        if (!(StampOf(ini) == stamp)) return std::nullopt;
    return kept->Hint;
}

Outcome WriteSetupState(const std::string& file, const SetupState& state) {
    bool breaks = HasLineBreak(state.Exe) || HasLineBreak(state.WorkingFolder) || HasLineBreak(state.IniFolder) ||
                  HasLineBreak(state.Home) || HasLineBreak(state.Hint);
    for (const auto& [ini, stamp] : state.MameInis) breaks |= HasLineBreak(ini);
    if (breaks) return Outcome::Failure("a name holds a line break: the setup check's outcome is not kept");
    std::error_code error;
    if (!WriteFileAtomic(file, SetupStateText(state), &error, DeviceWrites::Refused)) return WriteFailure(file, error);
    return {};
}

StartCheck CheckSetupAtStart(const SetupCheckInput& in) {
    const Result<EmulatorOptions> options = AskEmulatorOptions(in.Exe, in.WorkingFolder, {}, in.AnswerTime);
    StartCheck out{CheckSetup(in, options), std::nullopt};
    // An emulator that could not be asked may answer next time: that is not kept.
    if (options) out.State = SetupStateOf(in, *options, out.Report.Hint());
    return out;
}

} // namespace kelvaro
