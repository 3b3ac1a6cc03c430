#include "emulator/EffectiveOptions.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/Text.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace kelvaro {

namespace {

OptionLines LinesOf(const std::string& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    return bytes ? ReadNumberedOptionLines(*bytes) : OptionLines();
}

bool IsAuto(std::string_view value) { return value.empty() || EqualsIgnoringAsciiCase(value, "auto"); }

// "WxH" or "WxH@R" as numbers (R read as a whole number, as the emulator reads it); nothing for
// any other text.
struct Resolution {
    long long Width = 0, Height = 0, Rate = -1;
    bool operator==(const Resolution&) const = default;
};

std::optional<long long> LeadingNumber(std::string_view& text) {
    std::size_t end = 0;
    while (end < text.size() && end < 9 && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end == 0) return std::nullopt;
    long long number = 0;
    for (char c : text.substr(0, end)) number = number * 10 + (c - '0');
    text.remove_prefix(end);
    return number;
}

std::optional<Resolution> ReadResolution(std::string_view text) {
    Resolution r;
    const std::optional<long long> width = LeadingNumber(text);
    if (!width || text.empty() || (text.front() != 'x' && text.front() != 'X')) return std::nullopt;
    text.remove_prefix(1);
    const std::optional<long long> height = LeadingNumber(text);
    if (!height) return std::nullopt;
    r.Width = *width;
    r.Height = *height;
    if (text.empty()) return r;
    if (text.front() != '@') return std::nullopt;
    text.remove_prefix(1);
    const std::optional<long long> rate = LeadingNumber(text);
    if (!rate) return std::nullopt;
    r.Rate = *rate;
    // The fraction of a rate does not count.
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    while (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    if (!text.empty()) return std::nullopt;
    return r;
}

std::string Padded(std::string text, std::size_t width) {
    text += text.size() < width ? std::string(width - text.size(), ' ') : std::string(" ");
    return text;
}

} // namespace

int AddTurns(int a, int b) {
    // Across the diagonal, what was left to right becomes top to bottom.
    if (b & kAcrossDiagonal) a = (a & kAcrossDiagonal) | ((a & kMirrorX) << 1) | ((a & kMirrorY) >> 1);
    return a ^ b;
}

int TurnOf(bool right, bool left, bool flipX, bool flipY) {
    int turn = kNotTurned;
    if (right) turn = AddTurns(kQuarterRight, turn);
    if (left) turn = AddTurns(kQuarterLeft, turn);
    if (flipX) turn ^= kMirrorX;
    if (flipY) turn ^= kMirrorY;
    return turn;
}

std::string TurnWords(int turn) {
    switch (turn & 7) {
    case kMirrorX: return "mirrored left to right";
    case kMirrorY: return "mirrored top to bottom";
    case kHalfTurn: return "a half turn";
    case kAcrossDiagonal: return "mirrored across the diagonal from the top left";
    case kQuarterRight: return "a quarter turn clockwise";
    case kQuarterLeft: return "a quarter turn anti-clockwise";
    case kAcrossDiagonal | kMirrorX | kMirrorY: return "mirrored across the diagonal from the top right";
    default: break;
    }
    return "not turned";
}

bool VideoSwitchesModes(std::string_view video) {
    // As the emulator's documentation of switchres says; "none" draws nothing at all.
    for (const char* module : {"none", "gdi", "bgfx"})
        if (EqualsIgnoringAsciiCase(video, module)) return false;
    return true;
}

const char* SwitchingVideoModule() {
#ifdef _WIN32
    return "d3d";
#else
    return "opengl";
#endif
}

std::string EffectiveValue::Where() const {
    if (File.empty()) return "default";
    return Line > 0 ? File + " line " + std::to_string(Line) : File;
}

bool EffectiveValue::IsOn() const {
    return std::any_of(Value.begin(), Value.end(), [](char c) { return c >= '1' && c <= '9'; });
}

const EffectiveValue& EffectiveOptions::Get(std::string_view name) const {
    static const EffectiveValue none;
    auto it = Values.find(name);
    return it == Values.end() ? none : it->second;
}

std::string EffectiveOptions::ResolutionOption() const {
    return IsAuto(Get("resolution0").Value) ? "resolution" : "resolution0";
}

bool EffectiveOptions::TurnsRight() const { return Get("ror").IsOn() || (Vertical && Get("autoror").IsOn()); }

bool EffectiveOptions::TurnsLeft() const { return Get("rol").IsOn() || (Vertical && Get("autorol").IsOn()); }

int EffectiveOptions::Turn() const {
    return TurnOf(TurnsRight(), TurnsLeft(), Get("flipx").IsOn(), Get("flipy").IsOn());
}

bool EffectiveOptions::ReadsFrom(const std::string& folder, std::string_view name) const {
    return std::any_of(Files.begin(), Files.end(), [&](const IniFileRead& f) {
        return f.Name == name && SameFolder(FolderOfFile(f.Path), folder);
    });
}

EffectiveOptions EffectiveOptionsOf(const EmulatorOptions& options, const GameFacts& game,
                                    const std::vector<std::string>& commandLine) {
    EffectiveOptions e;
    e.Merges = MergesSameNamedInis(options.Version);
    e.Version = options.Version;
    e.Game = game.Name;
    e.Vertical = game.Vertical;
    const std::vector<IniFileRead> files = IniFilesForGame(options, game, e.Merges);

    // The emulator's own answer holds what its mame.ini files make of its defaults; each value is
    // traced to the line that sets it, in the file read last first.
    std::vector<std::pair<std::string, OptionLines>> mameInis;
    for (auto file = files.rbegin(); file != files.rend(); ++file)
        if (file->Name == "mame.ini") mameInis.emplace_back(file->Path, LinesOf(file->Path));
    for (const auto& [name, value] : options.Values) {
        EffectiveValue& v = e.Values[name];
        v.Value = value;
        for (const auto& [path, lines] : mameInis)
            if (auto line = lines.find(name); line != lines.end() && line->second.Value == value) {
                v.File = path;
                v.Line = line->second.Line;
                break;
            }
        if (v.File.empty()) {
            auto builtIn = options.Defaults.find(name);
            if (builtIn != options.Defaults.end() && builtIn->second != value) v.File = "mame.ini";
        }
    }

    // Then the game's files, a name at a time.
    for (std::size_t first = 0; first < files.size();) {
        std::size_t end = first + 1;
        while (end < files.size() && files[end].Name == files[first].Name) ++end;
        const IniFileRead& file = files[first];
        const bool counts = !file.MayApply;
        if (counts && file.Name != "mame.ini") {
            // A file that turns readconfig off keeps the emulator from reading the later ones.
            if (const EffectiveValue& read = e.Get("readconfig"); !read.Value.empty() && !read.IsOn()) break;
            std::map<std::string, EffectiveValue, std::less<>> merged;
            for (std::size_t k = end; k-- > first;)
                for (auto& [name, value] : LinesOf(files[k].Path))
                    merged[name] = {std::move(value.Value), files[k].Path, value.Line};
            for (auto& [name, value] : merged) e.Values[name] = std::move(value);
        }
        if (counts)
            e.Files.insert(e.Files.end(), files.begin() + static_cast<std::ptrdiff_t>(first),
                           files.begin() + static_cast<std::ptrdiff_t>(end));
        first = end;
    }
    for (const std::string& name : commandLine) e.Values.erase(name);
    return e;
}

std::string EffectiveOptionsText(const EffectiveOptions& e) {
    std::string out =
        "Options of " + e.Game + " once M.A.M.E. " + (e.Version.empty() ? "" : e.Version + " ") +
        "has read its INI files (" +
        (e.Merges ? "the files of one name along inipath merged, the earlier folder winning"
                  : std::string(e.Version.empty() ? "taken to read, as the versions before 0.288, " : "it reads ") +
                        "only the first file of a name along inipath") +
        "):\n";
    auto line = [&](const std::string& name, const std::string& value, const std::string& where) {
        const std::string shown = value.empty() ? "(unknown)" : value;
        out += "  " + Padded(name, 15) + (where.empty() ? shown : Padded(shown, 15) + where) + "\n";
    };
    auto option = [&](const std::string& name) {
        const EffectiveValue& v = e.Get(name);
        line(name, v.Value, v.Value.empty() ? "" : v.Where());
    };
    option(e.ResolutionOption());
    for (const char* name : {"ror", "rol", "autoror", "autorol", "flipx", "flipy"}) option(name);
    const int turn = e.Turn();
    line("turn",
         TurnWords(turn) + ": " + e.Game + "'s " + (e.Vertical ? "tall" : "wide") + " picture comes out " +
             (((turn & kAcrossDiagonal) != 0) == e.Vertical ? "wide" : "tall"),
         "");
    for (const char* name :
         {"switchres", "window", "video", "keepaspect", "unevenstretch", "intscalex", "intscaley", "autostretchxy"})
        option(name);
    option(IsAuto(e.Get("aspect0").Value) ? "aspect" : "aspect0");
    return out;
}

RenderOptions RenderOptionsOf(const EffectiveOptions& e) {
    std::string lines;
    for (const char* name : {"keepaspect", "unevenstretch", "unevenstretchx", "unevenstretchy", "autostretchxy",
                             "intoverscan", "intscalex", "intscaley", "aspect", "aspect0"})
        if (const EffectiveValue& v = e.Get(name); !v.Value.empty()) lines += std::string(name) + " " + v.Value + "|";
    return RenderOptionsFromIni(lines);
}

std::optional<std::pair<long long, long long>> EffectiveSize(const EffectiveOptions& e) {
    const std::optional<Resolution> r = ReadResolution(e.Get(e.ResolutionOption()).Value);
    if (!r || r->Width <= 0 || r->Height <= 0) return std::nullopt;
    return std::pair{r->Width, r->Height};
}

bool SameResolution(std::string_view a, std::string_view b) {
    const std::optional<Resolution> first = ReadResolution(a), second = ReadResolution(b);
    if (first && second) return *first == *second;
    return EqualsIgnoringAsciiCase(a, b);
}

} // namespace kelvaro
