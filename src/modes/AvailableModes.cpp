#include "modes/AvailableModes.h"

#include <algorithm>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/Sorts.h"
#include "core/Text.h"
#include "core/TextNumbers.h"
#include "platform/Files.h"

namespace kelvaro {

namespace {

// Characters from 1-based position `from`, at most `count` of them; empty past the end.
std::string_view Mid(std::string_view s, size_t from, size_t count = std::string_view::npos) {
    if (from - 1 >= s.size()) return {};
    return s.substr(from - 1, count);
}

// The marker is the first word after the rate's "Hz".
std::optional<bool> InterlaceMarker(std::string_view afterHz) {
    afterHz.remove_prefix(std::min(afterHz.find_first_not_of(' '), afterHz.size()));
    return InterlaceMarkerWord(afterHz.substr(0, afterHz.find(' ')));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The part of a line after the height's columns, where the rate is looked for.
std::string_view RestOfLine(std::string_view line) { return line.size() > 8 ? TrimSpaces(Mid(line, 9)) : line; }

// True when the rate is written as the reading expects it: two digits right before the first
// "Hz", with nothing but a blank (or nothing) in front of them.
bool RateWrittenPlainly(std::string_view line) {
    const std::string_view rest = RestOfLine(line);
    const size_t hz = rest.find("Hz");
    return hz != std::string_view::npos && hz >= 2 && IsDigit(rest[hz - 2]) && IsDigit(rest[hz - 1]) &&
           (hz == 2 || rest[hz - 3] == ' ');
}

AvailModeRow ParseModeLine(std::string_view line) {
    AvailModeRow row;
    row.AvailWidth = TrimSpaces(Mid(line, 1, 4));
    row.AvailHeight = TrimSpaces(Mid(line, 5, 4));
    const std::string_view rest = RestOfLine(line);
    // Only the two characters in front of the first "Hz" are the rate, and only when there are
    // two of them; anything else means the line named no rate.
    const size_t hz = rest.find("Hz");
    if (hz != std::string_view::npos && hz + 1 >= 3)
        row.AvailRefresh = rest.substr(hz - 2, 2);
    else
        row.AvailRefresh = "00";
    const std::optional<bool> marked =
        hz == std::string_view::npos ? std::nullopt : InterlaceMarker(rest.substr(hz + 2));
    // Without a marker, a mode of more lines than a 15 kHz monitor shows in one field is taken for
    // an interlaced one, as mode lists were always read.
    const bool interlaced = marked ? *marked : LeadingNumber(row.AvailHeight) > 304;
    row.AvailInterlaced = interlaced ? "Yes" : "No";
    return row;
}

void BuildDistinctList(const Table<AvailModeRow>& modes, std::string AvailModeRow::*column, Table<std::string>& list) {
    list.Clear();
    std::unordered_set<std::string> seen;
    for (int j = 1; j <= modes.Count(); ++j) {
        const std::string& text = modes[j].*column;
        if (seen.insert(text).second) list.Add(text);
    }
    if (list.Count() > 1) SortNumericList(list.Elements(), 1, list.Count());
}

} // namespace

std::optional<bool> InterlaceMarkerWord(std::string_view word) {
    const std::string lower = AsciiLowerCase(word);
    if (lower == "interlaced" || lower == "i") return true;
    if (lower == "progressive" || lower == "p") return false;
    return std::nullopt;
}

std::string ModeLineWarningText(const ModeLineWarning& warning) {
    return "line " + std::to_string(warning.Line) + ": " + warning.Text;
}

void ParseAvailableModes(std::string_view text, Model& m, std::vector<ModeLineWarning>* warnings) {
    m.AvailModes.Clear();
    const std::vector<std::string_view> lines = SplitLines(text);
    // Line 1 is the heading, whatever it holds; an empty file has none and gives no rows.
    for (size_t k = 1; k < lines.size(); ++k) {
        const AvailModeRow row = ParseModeLine(lines[k]);
        // Stored lists rely on the two-character reading, so it stays; the user learns where it
        // made something else of a line than its text says.
        if (warnings && !RateWrittenPlainly(lines[k]) && !TrimSpaces(lines[k]).empty()) {
            std::string said(1, '"');
            said += PrintableText(lines[k]);
            said += "\": the rate is not two digits right before \"Hz\"; read as ";
            said += AvailModeDisplay(row);
            warnings->push_back({int(k) + 1, std::move(said)});
        }
        m.AvailModes.Add(row);
    }
    if (m.AvailModes.Empty()) return;
    BuildDistinctList(m.AvailModes, &AvailModeRow::AvailWidth, m.AvailWidthList);
    BuildDistinctList(m.AvailModes, &AvailModeRow::AvailHeight, m.AvailHeightList);
}

Outcome ReadAvailableModes(Model& m, std::vector<ModeLineWarning>* warnings, FileReads reads) {
    m.AvailModes.Clear();
    const std::string& file = m.Config.ModeListFile;
    if (file.empty()) return Outcome::Failure("no mode list file is chosen");
    std::error_code error;
    // The window reads regular files only: a FIFO that no one writes to would hold it for ever.
    // The batch tool reads a FIFO or pipe to its end, as it was given one on purpose.
    const std::optional<std::string> bytes = ReadWholeFile(file, &error, reads);
    if (!bytes) return ReadFailure(file, error);
    ParseAvailableModes(*bytes, m, warnings);
    return {};
}

std::string AvailModeDisplay(const AvailModeRow& mode) {
    const std::optional<std::string> refresh = TwoDecimals(mode.AvailRefresh);
    return mode.AvailWidth + " x " + mode.AvailHeight + " @ " + (refresh ? *refresh : std::string("0")) + "Hz";
}

void RemoveAvailableMode(Model& m, int modeRow) { m.AvailModes.Remove(modeRow); }

void KeepOnly60HzModes(Model& m) {
    const Table<AvailModeRow> old = m.AvailModes;
    m.AvailModes.Clear();
    for (int j = 1; j <= old.Count(); ++j)
        if (old[j].AvailRefresh == "60") m.AvailModes.Add(old[j]);
}

} // namespace kelvaro
