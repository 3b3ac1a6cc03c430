#include "emulator/EmulatorOptions.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "core/Text.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/System.h"

namespace kelvaro {

namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Environment(const std::string& name) { return EnvironmentValue(name); }

bool IsNameChar(char c) { return c == '_' || std::isalnum(static_cast<unsigned char>(c)); }

// $NAME and ${NAME} replaced by the environment's values; a "${" without its "}" stays as it is.
std::string SubstituteEnvironment(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '$') {
            out += text[i++];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '{') {
            const std::size_t close = text.find('}', i + 2);
            if (close == std::string_view::npos) {
                out.append(text.substr(i));
                break;
            }
            out += Environment(std::string(text.substr(i + 2, close - i - 2)));
            i = close + 1;
        } else if (i + 1 < text.size() && IsNameChar(text[i + 1])) {
            std::size_t end = i + 1;
            while (end < text.size() && IsNameChar(text[end])) ++end;
            out += Environment(std::string(text.substr(i + 1, end - i - 1)));
            i = end;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// %NAME% replaced by the environment's value, as Windows' ExpandEnvironmentStrings does it: a name
// that is not set stays as written, with its '%' signs; a '%' without a second one stays.
std::string SubstitutePercentVariables(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t open = text.find('%', i),
                          close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, open - i));
        const std::string value = Environment(std::string(text.substr(open + 1, close - open - 1)));
        out.append(value.empty() ? text.substr(open, close - open + 1) : std::string_view(value));
        i = close + 1;
    }
    return out;
}

// How the emulator expands its folders: on Windows with the system's %NAME% rule, where "~" and
// "$" are plain characters; elsewhere as a Bourne shell does, with "~" for the home folder.
#ifdef _WIN32
constexpr bool kPercentVariables = true;
#else
constexpr bool kPercentVariables = false;
#endif

constexpr std::size_t kMaxAnswer = 4 << 20;

} // namespace

OptionLines ReadNumberedOptionLines(std::string_view text) {
    OptionLines options;
    LineReader reader(text);
    std::string_view line;
    for (int number = 1; reader.Next(line); ++number) {
        while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
        if (line.empty() || line.front() == '#') continue;
        std::size_t nameEnd = 0;
        while (nameEnd < line.size() && !IsBlank(line[nameEnd])) ++nameEnd;
        // A name alone is no option line; the emulator skips it with a warning.
        if (nameEnd == line.size()) continue;
        std::string_view data = line.substr(nameEnd);
        // A '#' outside quotes starts a comment.
        bool quoted = false;
        for (std::size_t i = 0; i < data.size(); ++i) {
            if (data[i] == '"') quoted = !quoted;
            if (data[i] == '#' && !quoted) {
                data = data.substr(0, i);
                break;
            }
        }
        data = TrimBlanks(data);
        if (!data.empty() && data.front() == '"') {
            data.remove_prefix(1);
            if (!data.empty() && data.back() == '"') data.remove_suffix(1);
        }
        options[std::string(line.substr(0, nameEnd))] = {std::string(data), number};
    }
    return options;
}

OptionValues ReadOptionLines(std::string_view text) {
    OptionValues options;
    for (auto& [name, value] : ReadNumberedOptionLines(text)) options.emplace(name, std::move(value.Value));
    return options;
}

std::string EmulatorVersionIn(std::string_view helpAnswer) {
    auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    LineReader reader(helpAnswer);
    std::string_view line;
    // The first line names it ("MAME v0.251 (unknown)"); a few more leave room for a warning
    // printed before it.
    for (int n = 0; n < 5 && reader.Next(line); ++n) {
        for (std::size_t at = 0; at + 1 < line.size(); ++at) {
            // A word "v" and a number with at least one dot: "v0.251".
            if (line[at] != 'v' || (at > 0 && !IsBlank(line[at - 1])) || !isDigit(line[at + 1])) continue;
            std::size_t end = at + 1;
            while (end < line.size() && (isDigit(line[end]) || (line[end] == '.' && isDigit(line[end - 1])))) ++end;
            std::string_view number = line.substr(at + 1, end - at - 1);
            if (number.back() == '.') number.remove_suffix(1);
            if (number.find('.') != std::string_view::npos) return std::string(number);
        }
    }
    return {};
}

bool MergesSameNamedInis(std::string_view version) {
    // Compared part by part as numbers: "0.288" and later merge.
    const int since[] = {0, 288};
    for (int part : since) {
        if (version.empty()) return false;
        const std::size_t dot = version.find('.');
        long long number = 0;
        for (char c : version.substr(0, dot)) {
            if (!std::isdigit(static_cast<unsigned char>(c))) return false;
            number = std::min(number * 10 + (c - '0'), 1000000LL);
        }
        if (number != part) return number > part;
        version = dot == std::string_view::npos ? std::string_view() : version.substr(dot + 1);
    }
    return true;
}

std::string ExpandFolder(std::string_view folder, const std::string& workingFolder) {
    std::string text;
    if (kPercentVariables) {
        text = SubstitutePercentVariables(folder);
    } else {
        // Only a tilde that stands for a whole first part is the home folder ("~user" is not).
        if (!folder.empty() && folder.front() == '~' && (folder.size() == 1 || IsPathSeparator(folder[1]))) {
            text = HomeFolder();
            folder.remove_prefix(1);
        }
        text += SubstituteEnvironment(folder);
    }
    fs::path path = FsPath(text);
    if (path.is_relative() && !workingFolder.empty()) path = FsPath(workingFolder) / path;
    return NormalPath(PathText(path));
}

std::vector<std::string> ExpandSearchPath(std::string_view path, const std::string& workingFolder) {
    std::vector<std::string> folders;
    while (true) {
        const std::size_t end = path.find(';');
        const std::string_view part = path.substr(0, end);
        if (!part.empty()) folders.push_back(ExpandFolder(part, workingFolder));
        if (end == std::string_view::npos) break;
        path.remove_prefix(end + 1);
    }
    return folders;
}

std::string EmulatorOptions::Value(std::string_view name) const {
    auto it = Values.find(name);
    return it == Values.end() ? std::string() : it->second;
}

bool EmulatorOptions::IsOn(std::string_view name) const {
    const std::string value = Value(name);
    return !value.empty() && std::any_of(value.begin(), value.end(), [](char c) { return c >= '1' && c <= '9'; });
}

Result<EmulatorOptions> ReadEmulatorOptions(std::string_view showConfig, std::string_view builtInShowConfig,
                                            const std::string& workingFolder, std::string_view helpAnswer) {
    EmulatorOptions options;
    options.Values = ReadOptionLines(showConfig);
    if (!options.Values.count("inipath"))
        return Outcome::Failure(options.Values.empty() ? "it printed no options for -showconfig"
                                                       : "its answer to -showconfig names no inipath");
    options.IniFolders = ExpandSearchPath(options.Value("inipath"), workingFolder);
    options.RomFolders = ExpandSearchPath(options.Value("rompath"), workingFolder);
    options.WorkingFolder = workingFolder;
    options.Version = EmulatorVersionIn(helpAnswer);
    const OptionValues builtIn = ReadOptionLines(builtInShowConfig);
    options.Defaults = builtIn;
    auto builtInPath = builtIn.find("inipath");
    options.BuiltInIniFolders =
        builtInPath != builtIn.end() ? ExpandSearchPath(builtInPath->second, workingFolder) : options.IniFolders;
    // The emulator reads mame.ini twice: the first file found may move the INI path for the second.
    options.MameIniFolders = options.BuiltInIniFolders;
    for (const std::string& folder : options.BuiltInIniFolders) {
        const std::string file = JoinPath(folder, "mame.ini");
        std::error_code error;
        const std::optional<std::string> first = ReadWholeFile(file, &error);
        if (!first) {
            // The emulator skips a file it cannot open, and with it every setting the user put there.
            if (FileExists(file, false)) options.UnreadableMameInis.push_back(file + " (" + error.message() + ")");
            continue;
        }
        const OptionValues set = ReadOptionLines(*first);
        if (auto it = set.find("inipath"); it != set.end())
            options.MameIniFolders = ExpandSearchPath(it->second, workingFolder);
        break;
    }
    return options;
}

namespace {

// The mame.ini files along the built-in INI folders that the emulator would read: the first one
// there is, and the first along the inipath that one sets.
std::vector<std::string> MameInisAlong(const std::vector<std::string>& builtIn, const std::string& workingFolder) {
    std::vector<std::string> files;
    std::vector<std::string> second = builtIn;
    for (const std::string& folder : builtIn) {
        const std::string file = JoinPath(folder, "mame.ini");
        if (!FileExists(file, false)) continue;
        files.push_back(file);
        if (const std::optional<std::string> text = ReadWholeFile(file)) {
            const OptionValues set = ReadOptionLines(*text);
            if (auto it = set.find("inipath"); it != set.end()) second = ExpandSearchPath(it->second, workingFolder);
        }
        break;
    }
    for (const std::string& folder : second) {
        const std::string file = JoinPath(folder, "mame.ini");
        if (!FileExists(file, false)) continue;
        if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
        break;
    }
    return files;
}

std::string Seconds(std::chrono::milliseconds time) {
    const long long ms = time.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " seconds" : std::to_string(ms) + " ms";
}

// The emulator's standard output for the arguments; a failure when it could not run, ended with
// an error, answered more than any real answer holds, or was still running after timeLimit.
Result<std::string> AskEmulator(const std::string& exe, const std::string& workingFolder,
                                const std::vector<std::string>& args, const std::function<void()>& pump,
                                std::chrono::milliseconds timeLimit) {
    std::string out;
    const ProcessExit exit = RunAndReadOutput(
        exe, args, workingFolder,
        [&out](const char* data, std::size_t size) {
            out.append(data, std::min(size, kMaxAnswer - out.size()));
            return out.size() < kMaxAnswer;
        },
        pump, timeLimit);
    std::string asked = exe;
    for (const std::string& arg : args) asked += " " + arg;
    if (exit.Error) return Outcome::Failure("cannot run " + exe, exit.Error);
    if (exit.TimedOut) {
        std::string reason = asked + " gave no answer within " + Seconds(timeLimit) + " and was ended";
        if (std::find(args.begin(), args.end(), "-noreadconfig") != args.end()) return Outcome::Failure(reason);
        // Every run reads mame.ini first; the folders it looks in come from a run that reads none.
        const Result<std::string> builtIn =
            AskEmulator(exe, workingFolder, {"-noreadconfig", "-showconfig"}, pump, timeLimit);
        if (!builtIn)
            return Outcome::Failure(reason + "; " + builtIn.Reason() + " too, so the executable itself hangs");
        const OptionValues values = ReadOptionLines(*builtIn);
        auto path = values.find("inipath");
        const std::vector<std::string> inis =
            path == values.end() ? std::vector<std::string>()
                                 : MameInisAlong(ExpandSearchPath(path->second, workingFolder), workingFolder);
        std::string files;
        for (const std::string& file : inis) files += (files.empty() ? "" : ", ") + file;
        return Outcome::Failure(reason + (inis.empty()
                                              ? "; it reads no mame.ini, so the executable itself hangs"
                                              : "; the likely cause is a damaged mame.ini that it reads: " + files));
    }
    if (out.size() >= kMaxAnswer)
        return Outcome::Failure(asked + " answered with more than " + std::to_string(kMaxAnswer >> 20) +
                                " MB, more than any list of options, and was read no further");
    if (exit.Signal != 0) return Outcome::Failure(asked + " was ended by signal " + std::to_string(exit.Signal));
    if (exit.ExitCode != 0) return Outcome::Failure(asked + " ended with exit status " + std::to_string(exit.ExitCode));
    return out;
}

} // namespace

namespace {

Result<EmulatorOptions> OptionsOf(const std::string& exe, const std::string& workingFolder,
                                  const Result<std::string>& answer, const std::string& builtIn,
                                  const std::string& help) {
    if (!answer) return Outcome::Failure(answer.Reason());
    Result<EmulatorOptions> options = ReadEmulatorOptions(*answer, builtIn, workingFolder, help);
    if (!options) return Outcome::Failure(exe + ": " + options.Reason());
    return options;
}

// The answer to the arguments: empty when the emulator does not give one.
std::string AnswerOrNothing(const std::string& exe, const std::string& workingFolder,
                            const std::vector<std::string>& args, const std::function<void()>& pump,
                            std::chrono::milliseconds timeLimit) {
    const Result<std::string> answer = AskEmulator(exe, workingFolder, args, pump, timeLimit);
    return answer ? *answer : std::string();
}

const std::vector<std::string> kBuiltInArgs = {"-noreadconfig", "-showconfig"};
const std::vector<std::string> kHelpArgs = {"-help"};

} // namespace

Result<EmulatorOptions> AskEmulatorOptions(const std::string& exe, const std::string& workingFolder,
                                           const std::function<void()>& pump, std::chrono::milliseconds timeLimit) {
    const Result<std::string> answer = AskEmulator(exe, workingFolder, {"-showconfig"}, pump, timeLimit);
    if (!answer) return Outcome::Failure(answer.Reason());
    return OptionsOf(exe, workingFolder, answer, AnswerOrNothing(exe, workingFolder, kBuiltInArgs, pump, timeLimit),
                     AnswerOrNothing(exe, workingFolder, kHelpArgs, pump, timeLimit));
}

FileStamp StampOf(const std::string& path) {
    std::error_code ec;
    const fs::path name = FsPath(path);
    const fs::file_status status = fs::status(name, ec);
    if (ec || !fs::exists(status)) return {};
    FileStamp stamp;
    stamp.Exists = true;
    if (fs::is_regular_file(status)) stamp.Size = fs::file_size(name, ec);
    const auto time = fs::last_write_time(name, ec);
    if (!ec) stamp.Modified = static_cast<long long>(time.time_since_epoch().count());
    return stamp;
}

EmulatorOptionsCache::Key EmulatorOptionsCache::MakeKey(const std::string& exe,
                                                        const std::string& workingFolder) const {
    Key key{exe, workingFolder, HomeFolder(), StampOf(exe), {}};
    if (answer_) key.MameInis = MameIniStamps(*answer_);
    return key;
}

std::vector<std::pair<std::string, FileStamp>> MameIniStamps(const EmulatorOptions& options) {
    std::vector<std::pair<std::string, FileStamp>> out;
    for (const std::vector<std::string>* folders :
         {&options.BuiltInIniFolders, &options.MameIniFolders, &options.IniFolders})
        for (const std::string& folder : *folders) {
            const std::string ini = JoinPath(folder, "mame.ini");
            out.emplace_back(ini, StampOf(ini));
        }
    return out;
}

const Result<EmulatorOptions>& EmulatorOptionsCache::Get(const std::string& exe, const std::string& workingFolder,
                                                         bool askAgain, const std::function<void()>& pump,
                                                         std::chrono::milliseconds timeLimit) {
    asked_ = askAgain || !key_ || !(MakeKey(exe, workingFolder) == *key_);
    if (!asked_) return answer_;
    const Result<std::string> answer = AskEmulator(exe, workingFolder, {"-showconfig"}, pump, timeLimit);
    // The built-in answer reads no file: it changes with the executable only.
    BuiltInKey builtInKey{exe, workingFolder, StampOf(exe)};
    if (answer && !(builtInKey_ && *builtInKey_ == builtInKey)) {
        builtIn_ = AnswerOrNothing(exe, workingFolder, kBuiltInArgs, pump, timeLimit);
        help_ = AnswerOrNothing(exe, workingFolder, kHelpArgs, pump, timeLimit);
        builtInKey_ = std::move(builtInKey);
    }
    answer_ = OptionsOf(exe, workingFolder, answer, builtIn_, help_);
    key_ = MakeKey(exe, workingFolder);
    return answer_;
}

} // namespace kelvaro
