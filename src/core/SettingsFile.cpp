#include "core/SettingsFile.h"

#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/Text.h"
#include "core/TextNumbers.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace kelvaro {

namespace {

enum class Kind { Text, Bool, Int16, Choice, Single, Scope };

struct LineInfo {
    const char* name;
    Kind kind;
    std::string Settings::*text = nullptr;
    bool Settings::*flag = nullptr;
    int Settings::*integer = nullptr;
    float Settings::*single = nullptr;
    int maxValue = 0; // for Choice lines: the menu's choices are 0..maxValue
    // What a user may set by name: one of the choices 0..setHigh, or any number from 0 to setHigh.
    bool setChoice = false;
    double setHigh = 0;
    GenerateScope Settings::*scope = nullptr;
    // A Choice line's setting, by its number.
    int (*getChoice)(const Settings&) = nullptr;
    void (*putChoice)(Settings&, int) = nullptr;
};

LineInfo TextLine(const char* name, std::string Settings::*p) { return {name, Kind::Text, p}; }
LineInfo BoolLine(const char* name, bool Settings::*p) { return {name, Kind::Bool, nullptr, p}; }
// A setting of one of a menu's choices, numbered as in its name table.
template <auto Member, auto& Names>
LineInfo ChoiceLine(const char* name) {
    constexpr int high = static_cast<int>(std::size(Names)) - 1;
    LineInfo line{name, Kind::Choice, nullptr, nullptr, nullptr, nullptr, high, true, static_cast<double>(high)};
    line.getChoice = [](const Settings& s) { return NumberOf(s.*Member); };
    line.putChoice = [](Settings& s, int number) {
        s.*Member = static_cast<std::remove_cvref_t<decltype(s.*Member)>>(number);
    };
    return line;
}
LineInfo IntLine(const char* name, int Settings::*p, double high) {
    return {name, Kind::Int16, nullptr, nullptr, p, nullptr, 0, false, high};
}
LineInfo SingleLine(const char* name, float Settings::*p, double high) {
    return {name, Kind::Single, nullptr, nullptr, nullptr, p, 0, false, high};
}
LineInfo ScopeLine(const char* name, GenerateScope Settings::*p, int choices) {
    return {name, Kind::Scope, nullptr, nullptr, nullptr, nullptr, 0, true, static_cast<double>(choices - 1), p};
}

// The lines of the file, in file order.
const std::vector<LineInfo>& Lines() {
    static const std::vector<LineInfo> lines = {
        TextLine("MameExePath", &Settings::MameExePath),
        TextLine("MameINIPath", &Settings::MameINIPath),
        TextLine("MameROMPath", &Settings::MameROMPath),
        BoolLine("LegacyMame", &Settings::LegacyMame),
        TextLine("ModeListFile", &Settings::ModeListFile),
        ChoiceLine<&Settings::MonitorOrientation, kMonitorOrientations>("MonitorOrientation"),
        ChoiceLine<&Settings::PreferredRotation, kPreferredRotations>("PreferredRotation"),
        BoolLine("IgnoreInterlaced", &Settings::IgnoreInterlaced),
        IntLine("MatchResWithin", &Settings::MatchResWithin, kMaxMatchResWithin),
        SingleLine("MatchRefreshWithin", &Settings::MatchRefreshWithin, kMaxMatchRefreshWithin),
        TextLine("NotFoundWidth", &Settings::NotFoundWidth),
        TextLine("NotFoundHeight", &Settings::NotFoundHeight),
        TextLine("NotFoundRefresh", &Settings::NotFoundRefresh),
        TextLine("NotFoundINIText", &Settings::NotFoundINIText),
        // -1 in the file is a cancelled dialog; a user sets one of the four scopes.
        ScopeLine("GenerateApplyTo", &Settings::GenerateApplyTo, 4),
        BoolLine("GenerateAvailableOnly", &Settings::GenerateAvailableOnly),
        BoolLine("GenerateParentsOnly", &Settings::GenerateParentsOnly),
        BoolLine("GenerateNoINIOnly", &Settings::GenerateNoINIOnly),
        // Added after the first 18: a file written before has no such line and keeps the default.
        ChoiceLine<&Settings::MonitorKind, kMonitorKinds>("MonitorKind"),
    };
    return lines;
}

// The lines of a file written before the monitor kind was kept: they read as they are, and the
// setting after them keeps its value.
constexpr std::size_t kEarlierLineCount = 18;

// Files move between locales: a decimal comma reads like a decimal point.
std::string WithDecimalPoint(std::string_view text) {
    std::string out(text);
    if (out.find('.') == std::string::npos) {
        std::size_t comma = out.find(',');
        if (comma != std::string::npos && out.find(',', comma + 1) == std::string::npos) out[comma] = '.';
    }
    return out;
}

std::optional<int> ToInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    long long r = RoundHalfEven(value);
    if (r < -32768 || r > 32767) return std::nullopt;
    return static_cast<int>(r);
}

std::optional<bool> ReadBool(std::string_view text) {
    const std::string_view word = TrimSpaces(text);
    if (EqualsIgnoringAsciiCase(word, "true")) return true;
    if (EqualsIgnoringAsciiCase(word, "false")) return false;
    if (auto n = WholeNumber(WithDecimalPoint(text))) return *n != 0;
    return std::nullopt;
}

// Reads one line's text into its setting; false (setting unchanged) when it does not convert.
bool ReadLine(const LineInfo& line, std::string_view text, Settings& s) {
    switch (line.kind) {
    case Kind::Text: s.*line.text = std::string(text); return true;
    case Kind::Bool: {
        auto b = ReadBool(text);
        if (!b) return false;
        s.*line.flag = *b;
        return true;
    }
    case Kind::Int16:
    case Kind::Choice: {
        std::optional<int> v;
        if (auto n = WholeNumber(WithDecimalPoint(text))) v = ToInt16(*n);
        if (!v) return false;
        if (line.kind == Kind::Int16) {
            s.*line.integer = *v;
            return true;
        }
        // A choice the menus do not offer is no value of the setting's type.
        if (*v < 0 || *v > line.maxValue) return false;
        line.putChoice(s, *v);
        return true;
    }
    case Kind::Scope: {
        std::optional<int> v;
        if (auto n = WholeNumber(WithDecimalPoint(text))) v = ToInt16(*n);
        if (!v) return false;
        s.*line.scope = static_cast<GenerateScope>(*v);
        return true;
    }
    case Kind::Single: {
        auto n = WholeNumber(WithDecimalPoint(text));
        if (!n || !std::isfinite(*n) || std::fabs(*n) > std::numeric_limits<float>::max()) return false;
        s.*line.single = static_cast<float>(*n);
        return true;
    }
    }
    return false;
}

// One space before a number that is not negative ("-" takes its place otherwise), one after.
std::string NumberField(const std::string& digits) {
    if (!digits.empty() && digits[0] == '-') return digits + " ";
    return " " + digits + " ";
}

std::string WriteLine(const LineInfo& line, const Settings& s) {
    switch (line.kind) {
    case Kind::Text: return s.*line.text;
    case Kind::Bool: return s.*line.flag ? "True" : "False";
    case Kind::Int16: return NumberField(std::to_string(s.*line.integer));
    case Kind::Choice: return NumberField(std::to_string(line.getChoice(s)));
    case Kind::Scope: return NumberField(std::to_string(NumberOf(s.*line.scope)));
    case Kind::Single: return NumberField(FormatNumber(s.*line.single));
    }
    return {};
}

// Whether a value read from the file is one the menus offer: a choice of the menu (the generation
// scope also -1, a cancelled dialog), a tolerance from 0 to the largest the "Other" boxes take.
bool InFileRange(const LineInfo& line, const Settings& s) {
    switch (line.kind) {
    case Kind::Int16: return s.*line.integer >= 0 && s.*line.integer <= line.setHigh;
    case Kind::Choice: return line.getChoice(s) >= 0 && line.getChoice(s) <= line.maxValue;
    case Kind::Single: return s.*line.single >= 0 && s.*line.single <= line.setHigh;
    case Kind::Scope:
        return NumberOf(s.*line.scope) >= NumberOf(GenerateScope::Cancelled) && NumberOf(s.*line.scope) <= line.setHigh;
    case Kind::Text:
    case Kind::Bool: return true;
    }
    return true;
}

// Gives the line's setting its default.
void SetDefault(const LineInfo& line, Settings& s) {
    static const Settings defaults;
    switch (line.kind) {
    case Kind::Text: s.*line.text = defaults.*line.text; break;
    case Kind::Bool: s.*line.flag = defaults.*line.flag; break;
    case Kind::Int16: s.*line.integer = defaults.*line.integer; break;
    case Kind::Choice: line.putChoice(s, line.getChoice(defaults)); break;
    case Kind::Single: s.*line.single = defaults.*line.single; break;
    case Kind::Scope: s.*line.scope = defaults.*line.scope; break;
    }
}

// "must be 0, 1 or 2", "must be a number from 0 to 100".
std::string RangeText(const LineInfo& line) {
    if (!line.setChoice) return "must be a number from 0 to " + FormatNumber(line.setHigh);
    std::string text = "must be 0";
    const int high = static_cast<int>(line.setHigh);
    for (int v = 1; v <= high; ++v) text += (v == high ? " or " : ", ") + std::to_string(v);
    return text;
}

} // namespace

Settings DefaultSettings(const ProgramPaths& paths) {
    Settings s;
    s.ModeListFile = FindShippedFile(paths.ProgramFolder, "avga9200.txt");
    return s;
}

std::string FormatSettingsFile(const Settings& s) {
    std::string out;
    for (const LineInfo& line : Lines()) {
        out += WriteLine(line, s);
        out += "\r\n";
    }
    return out;
}

SettingsFileProblems ParseSettingsFile(const std::string& bytes, Settings& s) {
    SettingsFileProblems problems;
    const auto& lines = Lines();
    const std::vector<std::string_view> texts = SplitLines(bytes);
    if (texts.size() != lines.size() && texts.size() != kEarlierLineCount) {
        problems.WrongLineCount = true;
        problems.Lines.push_back("the file holds " + std::to_string(texts.size()) + " lines instead of " +
                                 std::to_string(lines.size()) + ", so its settings may be out of place");
    }
    for (std::size_t i = 0; i < lines.size() && i < texts.size(); ++i) {
        const LineInfo& line = lines[i];
        if (ReadLine(line, texts[i], s) && InFileRange(line, s)) continue;
        SetDefault(line, s);
        std::string range;
        if (line.kind == Kind::Bool)
            range = "must be True or False";
        else if (line.kind == Kind::Scope)
            range = "must be -1, 0, 1, 2 or 3";
        else
            range = RangeText(line);
        problems.Lines.push_back("line " + std::to_string(i + 1) + ", " + line.name + ": \"" + PrintableText(texts[i]) +
                                 "\" " + range + "; the default " + std::string(TrimSpaces(WriteLine(line, s))) +
                                 " is used");
    }
    return problems;
}

Outcome LoadSettings(Model& m, SettingsFileProblems* problems) {
    m.SettingsUnreadable = false;
    m.SettingsDamaged = false;
    m.SettingsDamagedBytes.clear();
    const std::string file = m.SettingsFile();
    Outcome read;
    std::error_code error;
    // Regular files only: a FIFO in its place would hold the window at start for ever.
    if (const std::optional<std::string> bytes = ReadWholeFile(file, &error, FileReads::RegularOnly)) {
        SettingsFileProblems found = ParseSettingsFile(*bytes, m.Config);
        if (found.WrongLineCount) {
            m.SettingsDamaged = true;
            m.SettingsDamagedBytes = *bytes;
        }
        if (problems) *problems = std::move(found);
    } else if (error != std::errc::no_such_file_or_directory) {
        // There, but not readable (a folder, no permission): what it holds is unknown, so it must
        // not be replaced by this run's settings.
        m.SettingsUnreadable = true;
        read = ReadFailure(file, error);
    }
    return read;
}

Outcome SaveSettings(const Model& m) {
    const std::string file = m.SettingsFile();
    if (m.SettingsUnreadable)
        return Outcome::Failure("the settings file " + file + " could not be read at start, so it is left as it is");
    std::error_code error;
    if (m.SettingsDamaged) {
        const std::string kept = file + ".bad";
        if (!WriteFileAtomic(kept, m.SettingsDamagedBytes, &error, DeviceWrites::Refused))
            return WriteFailure(kept, error);
    }
    if (!WriteFileAtomic(file, FormatSettingsFile(m.Config), &error)) return WriteFailure(file, error);
    return {};
}

Outcome SetSettingByName(Settings& s, const std::string& name, const std::string& value) {
    for (const LineInfo& line : Lines()) {
        if (name != line.name) continue;
        // The file holds a setting a line; NotFoundINIText joins its INI lines with "|".
        if (value.find_first_of("\r\n") != std::string::npos)
            return Outcome::Failure(line.text == &Settings::NotFoundINIText ? "must be one line (join INI lines with |)"
                                                                            : "must be one line");
        if (line.kind == Kind::Text) {
            ReadLine(line, value, s);
            return {};
        }
        if (line.kind == Kind::Bool) {
            // A line of the file takes any number; a user types one of these.
            const std::string_view word = TrimSpaces(value);
            const std::optional<double> n = WholeNumber(WithDecimalPoint(word));
            if (!EqualsIgnoringAsciiCase(word, "true") && !EqualsIgnoringAsciiCase(word, "false") &&
                !(n && (*n == 0 || *n == 1)))
                return Outcome::Failure("must be True, False, 1 or 0");
            ReadLine(line, word, s);
            return {};
        }
        // Unlike a line of the file, the value is refused rather than bent into range: a typing
        // slip must not quietly become another setting.
        const std::optional<double> n = WholeNumber(WithDecimalPoint(value));
        const bool inRange = n && *n >= 0 && *n <= line.setHigh && (!line.setChoice || *n == std::floor(*n));
        if (!inRange) return Outcome::Failure(RangeText(line));
        if (line.kind == Kind::Single)
            s.*line.single = static_cast<float>(*n);
        else if (line.kind == Kind::Scope)
            s.*line.scope = *GenerateScopeFromNumber(static_cast<int>(*n));
        else if (line.kind == Kind::Choice)
            line.putChoice(s, static_cast<int>(RoundHalfEven(*n)));
        else
            s.*line.integer = static_cast<int>(RoundHalfEven(*n));
        return {};
    }
    return Outcome::Failure("no such setting");
}

} // namespace kelvaro
