#include "modes/ModeListImport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>
#include <tuple>

#include "core/Model.h"
#include "core/Text.h"
#include "core/TextNumbers.h"
#include "modes/AvailableModes.h"

namespace kelvaro {

namespace {

using Words = std::vector<std::string_view>;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

Words SplitWords(std::string_view line) {
    Words words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// Words as a modeline writes them: a quoted name is one word, spaces and all.
std::vector<std::string> QuotedWords(std::string_view line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) break;
        if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            const size_t stop = end == std::string_view::npos ? line.size() : end;
            words.emplace_back(line.substr(i + 1, stop - i - 1));
            i = stop == line.size() ? stop : stop + 1;
        } else {
            const size_t start = i;
            while (i < line.size() && !IsBlank(line[i])) ++i;
            words.emplace_back(line.substr(start, i - start));
        }
    }
    return words;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// A whole number of at most nine digits, nothing else.
std::optional<long long> Digits(std::string_view s) {
    if (s.empty() || s.size() > 9) return std::nullopt;
    long long value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A decimal number (digits, an optional fraction) without a sign.
std::optional<double> Decimal(std::string_view s) {
    if (s.empty() || s.front() == '-' || s.front() == '+' || s.front() == ' ') return std::nullopt;
    return WholeNumber(s);
}

std::string Hz(double rate) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", rate);
    return text;
}

// The size a name starts with: "640x480", and an "i" right after the height marks interlace.
struct SizeName {
    long long Width = 0, Height = 0;
    bool Interlaced = false;
    std::string_view Rest; // what follows the size and its "i"
};

std::optional<SizeName> ReadSizeName(std::string_view name) {
    const size_t x = name.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    size_t end = x + 1;
    while (end < name.size() && name[end] >= '0' && name[end] <= '9') ++end;
    const std::optional<long long> w = Digits(name.substr(0, x)), h = Digits(name.substr(x + 1, end - x - 1));
    if (!w || !h) return std::nullopt;
    SizeName size{*w, *h, false, name.substr(end)};
    if (!size.Rest.empty() && (size.Rest.front() == 'i' || size.Rest.front() == 'I')) {
        size.Interlaced = true;
        size.Rest.remove_prefix(1);
    }
    return size;
}

// Gathers the modes: each one checked against what the mode list can hold, and each kept once.
class Collector {
public:
    explicit Collector(ModeImport& out) : out_(out) {}

    void Note(int line, std::string text) { out_.Notes.push_back({line, std::move(text)}); }

    void Add(int line, const std::string& what, long long width, long long height, double rate, bool interlaced) {
        std::string mode = std::to_string(width) + "x" + std::to_string(height) + (interlaced ? "i" : "");
        if (!what.empty() && what != mode) mode += " ('" + PrintableText(what) + "')";
        if (width < 1 || height < 1 || width > 9999 || height > 9999) {
            Note(line, mode + ": a width and height of 1 to 9999 fit the mode list; left out");
            return;
        }
        const long long whole = std::isfinite(rate) ? std::llround(rate) : 0;
        if (whole < 1) {
            Note(line, mode + " has a refresh rate of " + (std::isfinite(rate) ? Hz(rate) : "0") + " Hz; left out");
            return;
        }
        if (whole >= 100) {
            Note(line, mode + " at " + Hz(rate) + " Hz: the mode list holds rates below 100 Hz only; left out");
            return;
        }
        const ImportedMode m{int(width), int(height), int(whole), interlaced};
        if (!seen_.insert({m.Width, m.Height, m.Rate, m.Interlaced}).second) {
            ++duplicates_;
            return;
        }
        out_.Modes.push_back(m);
    }

    void Finish() {
        if (duplicates_ > 0)
            Note(0, std::to_string(duplicates_) + " mode(s) found more than once (after rounding the rate) were "
                                                  "written once");
        if (out_.Modes.empty()) Note(0, "no mode could be read");
    }

private:
    ModeImport& out_;
    std::set<std::tuple<int, int, int, bool>> seen_;
    int duplicates_ = 0;
};

// ---- xrandr

struct OutputLine {
    std::string Name;
    bool Connected = false;
};

std::optional<OutputLine> ReadOutputLine(std::string_view line) {
    if (line.empty() || IsBlank(line.front())) return std::nullopt;
    const Words w = SplitWords(line);
    if (w.size() < 2) return std::nullopt;
    if (w[1] == "connected") return OutputLine{std::string(w[0]), true};
    if (w[1] == "disconnected" || (w[1] == "unknown" && w.size() > 2 && w[2] == "connection"))
        return OutputLine{std::string(w[0]), false};
    return std::nullopt;
}

// The word after `key` in a timing line ("width 640"), if any.
std::string_view After(const Words& w, std::string_view key) {
    for (size_t i = 0; i + 1 < w.size(); ++i)
        if (w[i] == key) return w[i + 1];
    return {};
}

bool IsTimingLine(std::string_view line, std::string_view tag) {
    const std::string_view t = TrimSpaces(line);
    return !line.empty() && IsBlank(line.front()) && StartsWith(t, tag);
}

// The head of a mode in the --verbose form: "  name (0x4a) 13.500MHz -HSync Interlace".
struct ModeHead {
    std::string Name;
    bool Interlaced = false;
};

std::optional<ModeHead> ReadModeHead(std::string_view line) {
    if (line.empty() || line.front() != ' ') return std::nullopt;
    const size_t open = line.rfind(" (0x");
    if (open == std::string_view::npos) return std::nullopt;
    const size_t close = line.find(')', open);
    if (close == std::string_view::npos) return std::nullopt;
    const Words rest = SplitWords(line.substr(close + 1));
    if (rest.empty() || !EndsWith(rest.front(), "MHz")) return std::nullopt;
    ModeHead head{std::string(TrimSpaces(line.substr(0, open))), false};
    for (std::string_view flag : rest) head.Interlaced |= flag == "Interlace";
    return head;
}

// A line of the plain mode table: "   1920x1080     60.00*+  50.00    59.94  ". The rates are
// the words at its end; the name is what comes before them.
struct TableLine {
    std::string Name;
    std::vector<double> Rates;
};

std::optional<TableLine> ReadTableLine(std::string_view line) {
    if (line.empty() || line.front() != ' ') return std::nullopt;
    const Words w = SplitWords(line);
    TableLine table;
    size_t first = w.size(); // the first word of the rates
    for (; first > 1; --first) {
        std::string_view word = w[first - 1];
        while (!word.empty() && (word.back() == '*' || word.back() == '+')) word.remove_suffix(1);
        if (word.empty()) continue; // a lone "+" (preferred) or "*" (current)
        const std::optional<double> rate = Decimal(word);
        if (!rate || word.find('.') == std::string_view::npos) break;
        table.Rates.insert(table.Rates.begin(), *rate);
    }
    if (table.Rates.empty()) return std::nullopt;
    table.Name = std::string(TrimSpaces(line.substr(0, size_t(w[first].data() - line.data()))));
    return table;
}

bool LooksLikeXrandr(const std::vector<std::string_view>& lines) {
    for (std::string_view line : lines)
        if (StartsWith(line, "Screen ") || ReadOutputLine(line) || IsTimingLine(line, "v: height")) return true;
    return false;
}

void ImportXrandr(const std::vector<std::string_view>& lines, const ImportOptions& options, ModeImport& out,
                  Collector& modes) {
    bool anyOutput = false, namedFound = false;
    std::vector<std::string> outputs;
    for (std::string_view line : lines)
        if (const std::optional<OutputLine> o = ReadOutputLine(line)) {
            anyOutput = true;
            outputs.push_back(o->Name);
            namedFound |= o->Name == options.OutputName;
        }
    if (!options.OutputName.empty() && !namedFound) {
        std::string names;
        for (const std::string& n : outputs) names += (names.empty() ? "" : ", ") + PrintableText(n);
        modes.Note(0, "there is no output named " + PrintableText(options.OutputName) +
                          (names.empty() ? std::string() : " (the outputs: " + names + ")"));
        return;
    }

    // A listing without output lines (only the modes were kept) counts as one connected output.
    bool wanted = !anyOutput, tableSeen = false, timings = false;
    struct Pending {
        int Line = 0;
        ModeHead Head;
        std::optional<long long> Width;
    };
    std::optional<Pending> pending;
    auto unfinished = [&] {
        if (pending && wanted)
            modes.Note(pending->Line, "the mode '" + PrintableText(pending->Head.Name) + "' has no h: and v: lines");
        pending.reset();
    };

    for (size_t k = 0; k < lines.size(); ++k) {
        const int n = int(k) + 1;
        const std::string_view line = lines[k];
        if (TrimSpaces(line).empty() || line.front() == '\t' || StartsWith(line, "Screen ")) continue;
        if (const std::optional<OutputLine> o = ReadOutputLine(line)) {
            unfinished();
            wanted = options.OutputName.empty() ? o->Connected : o->Name == options.OutputName;
            tableSeen = false;
            continue;
        }
        if (IsTimingLine(line, "h:") && pending) {
            pending->Width = Digits(After(SplitWords(line), "width"));
            continue;
        }
        if (IsTimingLine(line, "v:") && pending) {
            const Words w = SplitWords(line);
            const std::optional<long long> height = Digits(After(w, "height"));
            std::string_view clock = After(w, "clock");
            const bool hz = EndsWith(clock, "Hz");
            if (hz) clock.remove_suffix(2);
            const std::optional<double> rate = hz ? Decimal(clock) : std::nullopt;
            const Pending mode = *pending;
            pending.reset();
            if (!wanted) continue;
            if (!mode.Width || !height || !rate) {
                modes.Note(mode.Line, "the h: and v: lines of the mode '" + PrintableText(mode.Head.Name) +
                                          "' give no width, height and clock");
            } else if (tableSeen) {
                // The plain listing ends with the modes that were made but given to no output.
                modes.Note(mode.Line, "the mode '" + PrintableText(mode.Head.Name) +
                                          "' belongs to no output (xrandr --addmode gives it to one); left out");
            } else {
                timings = true;
                modes.Add(mode.Line, mode.Head.Name, *mode.Width, *height, *rate, mode.Head.Interlaced);
            }
            continue;
        }
        if (const std::optional<ModeHead> head = ReadModeHead(line)) {
            unfinished();
            pending = Pending{n, *head, std::nullopt};
            continue;
        }
        if (const std::optional<TableLine> table = ReadTableLine(line)) {
            unfinished();
            tableSeen = true;
            if (!wanted) continue;
            const std::optional<SizeName> size = ReadSizeName(table->Name);
            if (!size) {
                modes.Note(n, "the mode '" + PrintableText(table->Name) +
                                  "' names no size; xrandr --verbose shows the sizes of every mode");
                continue;
            }
            for (double rate : table->Rates)
                modes.Add(n, table->Name, size->Width, size->Height, rate, size->Interlaced);
            continue;
        }
        if (wanted) modes.Note(n, "not a line of xrandr's output: " + PrintableText(TrimSpaces(line)));
    }
    unfinished();
    out.Kind = timings ? "xrandr --verbose output" : "xrandr output";
    if (!options.OutputName.empty()) out.Kind += ", output " + PrintableText(options.OutputName);
}

// ---- lines of modes: modelines, xrandr --newmode, mode names, W H R

// A modeline after its keyword: name, clock in MHz, four horizontal and four vertical timings,
// then flags. The rate is the field rate, as xrandr shows it.
bool ReadTimings(int n, const std::vector<std::string>& w, size_t from, Collector& modes) {
    if (w.size() < from + 10) return false;
    const std::optional<double> clock = Decimal(w[from + 1]);
    std::optional<long long> t[8];
    for (int i = 0; i < 8; ++i) t[i] = Digits(w[from + 2 + size_t(i)]);
    for (const auto& v : t)
        if (!v) return false;
    if (!clock) return false;
    bool interlace = false, doubleScan = false;
    for (size_t i = from + 10; i < w.size(); ++i) {
        const std::string flag = AsciiLowerCase(w[i]);
        interlace |= flag == "interlace";
        doubleScan |= flag == "doublescan";
    }
    const double htotal = double(*t[3]), vtotal = double(*t[7]);
    double rate = htotal > 0 && vtotal > 0 ? *clock * 1e6 / (htotal * vtotal) : 0;
    if (interlace) rate *= 2;
    if (doubleScan) rate /= 2;
    modes.Add(n, w[from], *t[0], *t[4], rate, interlace);
    return true;
}

// "640x480", "720x480i", "640x480@60", "720x480@59.94i", "720x480i@60Hz". Without a rate the
// name is the kernel's; it gets the rate of the options and counts in `rateless`.
bool ReadModeName(int n, std::string_view word, const ImportOptions& options, Collector& modes, int& rateless,
                  std::set<std::string>& kinds) {
    std::optional<SizeName> size = ReadSizeName(word);
    if (!size) return false;
    std::string_view rest = size->Rest;
    if (rest.empty()) {
        ++rateless;
        kinds.insert("kernel mode names");
        modes.Add(n, "", size->Width, size->Height, options.Rate, size->Interlaced);
        return true;
    }
    if (rest.front() != '@') return false;
    rest.remove_prefix(1);
    if (EndsWith(rest, "Hz")) rest.remove_suffix(2);
    bool interlaced = size->Interlaced;
    if (!rest.empty() && (rest.back() == 'i' || rest.back() == 'I')) {
        interlaced = true;
        rest.remove_suffix(1);
    }
    const std::optional<double> rate = Decimal(rest);
    if (!rate) return false;
    kinds.insert("WxH@R lines");
    modes.Add(n, "", size->Width, size->Height, *rate, interlaced);
    return true;
}

// Reads the lines of a list one by one, and remembers what kinds of line it found.
class LineImporter {
public:
    LineImporter(const ImportOptions& options, Collector& modes) : options_(options), modes_(modes) {}

    // True when the line is a mode in one of the forms (kept or left out with a note).
    bool Read(int n, std::string_view line) {
        const std::vector<std::string> w = QuotedWords(line);
        if (w.empty()) return false;
        const std::string first = AsciiLowerCase(w[0]);
        if (first == "modeline") return Timings(n, w, 1, "Modeline lines");
        if (first == "xrandr") {
            size_t at = 1;
            while (at < w.size() && w[at] != "--newmode") ++at;
            return Timings(n, w, at + 1, "xrandr --newmode lines");
        }
        if (w.size() >= 10) return Timings(n, w, 0, "xrandr --newmode lines");
        if (w.size() == 1) return ReadModeName(n, w[0], options_, modes_, rateless_, kinds_);
        if (w.size() != 3 && w.size() != 4) return false;
        const std::optional<long long> width = Digits(w[0]), height = Digits(w[1]);
        std::string_view r = w[2];
        if (EndsWith(r, "Hz")) r.remove_suffix(2);
        const std::optional<double> rate = Decimal(r);
        const std::optional<bool> marker = w.size() == 4 ? InterlaceMarkerWord(w[3]) : std::optional<bool>(false);
        if (!width || !height || !rate || !marker) return false;
        kinds_.insert("W H R lines");
        modes_.Add(n, "", *width, *height, *rate, *marker);
        return true;
    }

    // The notes on the whole list, and its kinds for the heading.
    void Finish(ModeImport& out) {
        if (rateless_ > 0)
            modes_.Note(0, std::to_string(rateless_) + " mode name(s) without a rate were given " +
                               FormatNumber(options_.Rate) + " Hz");
        for (const std::string& kind : kinds_) out.Kind += (out.Kind.empty() ? "" : ", ") + kind;
    }

private:
    bool Timings(int n, const std::vector<std::string>& w, size_t from, const char* kind) {
        if (!ReadTimings(n, w, from, modes_)) return false;
        kinds_.insert(kind);
        return true;
    }

    const ImportOptions& options_;
    Collector& modes_;
    std::set<std::string> kinds_;
    int rateless_ = 0;
};

bool IsComment(std::string_view line) {
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    return line.empty() || line.front() == '#';
}

void ImportLines(const std::vector<std::string_view>& lines, const ImportOptions& options, ModeImport& out,
                 Collector& modes) {
    LineImporter importer(options, modes);
    for (size_t k = 0; k < lines.size(); ++k) {
        const int n = int(k) + 1;
        if (!IsComment(lines[k]) && !importer.Read(n, lines[k]))
            modes.Note(n, "not a mode: " + PrintableText(TrimSpaces(lines[k])));
    }
    importer.Finish(out);
}

// ---- Kelvaro's own list

// A line in the columns of a mode list: width in 1-4, height in 5-8, a two-digit rate before "Hz".
bool IsModeListLine(std::string_view line) {
    if (line.size() < 12) return false;
    if (!Digits(TrimSpaces(line.substr(0, 4))) || !Digits(TrimSpaces(line.substr(4, 4)))) return false;
    const std::string_view rest = TrimSpaces(line.substr(8));
    const size_t hz = rest.find("Hz");
    return hz != std::string_view::npos && hz >= 2 && Digits(rest.substr(hz - 2, 2));
}

// A list of Kelvaro's own: line 1 is a heading (no mode in any form), the first line after it is
// in columns.
bool LooksLikeModeList(const std::vector<std::string_view>& lines) {
    if (lines.size() < 2 || IsModeListLine(lines[0])) return false;
    ModeImport scratch;
    Collector ignored(scratch);
    if (LineImporter(ImportOptions{}, ignored).Read(1, lines[0])) return false;
    for (size_t k = 1; k < lines.size(); ++k)
        if (!TrimSpaces(lines[k]).empty()) return IsModeListLine(lines[k]);
    return false;
}

// Read as the program reads it, so that every mode keeps what the program made of it.
void ImportModeListFile(std::string_view text, const std::vector<std::string_view>& lines, ModeImport& out,
                        Collector& modes) {
    out.Kind = "Kelvaro mode list";
    Model m;
    std::vector<ModeLineWarning> warnings;
    ParseAvailableModes(text, m, &warnings);
    auto warning = warnings.begin();
    for (int j = 1; j <= m.AvailModes.Count(); ++j) {
        const int n = j + 1;
        const AvailModeRow& row = m.AvailModes[j];
        if (TrimSpaces(lines[size_t(n - 1)]).empty()) continue;
        const bool oddRate = warning != warnings.end() && warning->Line == n;
        const std::optional<long long> width = Digits(row.AvailWidth), height = Digits(row.AvailHeight),
                                       rate = Digits(row.AvailRefresh);
        const bool kept = width && height && rate && IsModeListLine(lines[size_t(n - 1)]);
        if (kept) modes.Add(n, "", *width, *height, double(*rate), row.AvailInterlaced == "Yes");
        // A rate the program reads otherwise than the line says is named, kept or not.
        if (oddRate)
            modes.Note(n, (warning++)->Text + (kept ? "" : "; left out"));
        else if (!kept)
            modes.Note(n, "not a mode (width in columns 1-4, height in 5-8, two digits before \"Hz\"): " +
                              PrintableText(TrimSpaces(lines[size_t(n - 1)])));
    }
}

} // namespace

std::string NoteText(const ImportNote& note) {
    return note.Line > 0 ? "line " + std::to_string(note.Line) + ": " + note.Text : note.Text;
}

ModeImport ImportModeList(std::string_view text, const ImportOptions& options) {
    ModeImport out;
    Collector modes(out);
    const std::vector<std::string_view> lines = SplitLines(text);
    if (LooksLikeXrandr(lines))
        ImportXrandr(lines, options, out, modes);
    else if (LooksLikeModeList(lines))
        ImportModeListFile(text, lines, out, modes);
    else
        ImportLines(lines, options, out, modes);
    modes.Finish();
    return out;
}

std::string FormatModeList(const ModeImport& import, std::string_view origin) {
    // The heading is one printable line whatever the origin's name holds.
    std::string out = "Kelvaro mode list: " + std::to_string(import.Modes.size()) + " mode(s) imported from " +
                      PrintableText(origin) + (import.Kind.empty() ? "" : " (" + import.Kind + ")") + "\r\n";
    for (const ImportedMode& m : import.Modes) {
        char line[64];
        std::snprintf(line, sizeof line, "%4d%4d %02dHz %s\r\n", m.Width, m.Height, m.Rate,
                      m.Interlaced ? "interlaced" : "progressive");
        out += line;
    }
    return out;
}

} // namespace kelvaro
