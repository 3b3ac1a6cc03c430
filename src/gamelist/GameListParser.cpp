#include "gamelist/GameListParser.h"

#include "core/Text.h"
#include "platform/Files.h"

namespace kelvaro {

namespace {

// Everything from position `from` (0-based) on; empty when the line is shorter.
std::string_view From(std::string_view line, std::size_t from) {
    return from < line.size() ? line.substr(from) : std::string_view();
}

// The run of digits that starts at position `from`.
std::string_view Digits(std::string_view line, std::size_t from) {
    std::size_t end = from;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
    return from < line.size() ? line.substr(from, end - from) : std::string_view();
}

void Set(std::string& cell, std::string_view text) { cell.assign(text.data(), text.size()); }

const std::string kRaster = "Raster", kVector = "Vector", kH = "H", kV = "V";

constexpr auto npos = std::string_view::npos;

// The line with the text inside double quotes blanked out, so that nothing in a quoted value is
// taken for a word of the line; the line itself when it holds no quote.
std::string_view Unquoted(std::string_view line, std::string& buffer) {
    if (line.find('"') == npos) return line;
    buffer.assign(line);
    bool inside = false;
    for (char& c : buffer) {
        if (c == '"')
            inside = !inside;
        else if (inside)
            c = '\x01';
    }
    return buffer;
}

// The value at position `from`: a quoted one whole, without its quotes; else the rest of the line.
std::string_view ValueAt(std::string_view line, std::size_t from) {
    if (from >= line.size() || line[from] != '"') return From(line, from);
    const std::size_t end = line.find('"', from + 1);
    return line.substr(from + 1, end == npos ? npos : end - from - 1);
}

void ReadVideoLine(std::string_view line, ListRow& row) {
    std::string buffer;
    const std::string_view words = Unquoted(line, buffer);
    if (words.find("raster") != npos) row.ListScreen = kRaster;
    if (words.find("vector") != npos) row.ListScreen = kVector;
    if (words.find("horizontal") != npos) row.ListOrientation = kH;
    if (words.find("vertical") != npos) row.ListOrientation = kV;
    if (auto p = words.find(" x "); p != npos) Set(row.ListWidth, Digits(ValueAt(line, p + 3), 0));
    if (auto p = words.find(" y "); p != npos) Set(row.ListHeight, Digits(ValueAt(line, p + 3), 0));
    // Only nine characters of the refresh rate are kept: rates that differ beyond them are
    // meant to share a native mode.
    if (auto p = words.find("freq"); p != npos) Set(row.ListRefresh, ValueAt(line, p + 5).substr(0, 9));
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "game (", also with blanks after it.
bool OpensGame(std::string_view line) {
    if (!line.starts_with("game (")) return false;
    for (const char c : line.substr(6))
        if (!IsBlank(c)) return false;
    return true;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void ReadInnerLine(std::string_view line, ListRow& row) {
    if (line.starts_with("name")) row.ListRomName = UpperCase(From(line, 5));
    if (line.starts_with("cloneof")) row.ListCloneOf = UpperCase(From(line, 8));
    if (line.starts_with("romof")) row.ListRomOf = UpperCase(From(line, 6));
    if (line.starts_with("description")) {
        // The text between the quotes of: description "text"
        Set(row.ListDescription, line.size() >= 14 ? line.substr(13, line.size() - 14) : std::string_view());
    }
    if (line.starts_with("video")) ReadVideoLine(line, row);
}

} // namespace

void ParseGameList(std::string_view text, Model& m) {
    Table<ListRow>& list = m.GameList;
    list.Clear();
    list.Reserve(static_cast<int>(text.size() / 160));
    // A list saved by a text editor may start with a byte order mark.
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    LineReader reader(text);
    std::string_view line;
    bool inBlock = false;
    while (reader.Next(line)) {
        // A block's own lines are indented, so an unindented "game (" always opens a new block,
        // also where a damaged list left the one before it unclosed.
        if (OpensGame(line)) {
            list.Add();
            inBlock = true;
            continue;
        }
        if (!inBlock) continue;
        // The block ends at a line ")" (after its one tab is taken off) or at the end of the text.
        if (!line.empty() && line[0] == '\t') line.remove_prefix(1);
        if (line == ")")
            inBlock = false;
        else
            ReadInnerLine(line, list[list.Count()]);
    }
}

Outcome ReadGameList(const std::string& fileName, Model& m, ProgressSink& progress, FileReads reads) {
    m.GameList.Clear();
    if (fileName.empty()) return Outcome::Failure("no game list file is named");
    // A missing file, a folder or a socket says which it is before any progress is shown; so does a
    // FIFO or device unless streams are read, as the batch tool reads a list streamed in to its end.
    if (const std::error_code notAFile = NotARegularFile(fileName);
        notAFile && !(reads == FileReads::Anything && notAFile == FileWriteError::DeviceRefused))
        return ReadFailure(fileName, notAFile);
    ProgressScope scope(progress, "Reading Game Info from M.A.M.E....", kNoCount);
    std::error_code error;
    const std::optional<std::string> text = ReadWholeFile(fileName, &error, reads);
    if (!text) return ReadFailure(fileName, error);
    ParseGameList(*text, m);
    return {};
}

void GameCounter::Feed(std::string_view text) {
    for (const char c : text) {
        // The games are counted as the parser finds them: past a byte order mark, and with blanks
        // after "game (".
        if (markSeen_ < kByteOrderMark.size()) {
            if (c == kByteOrderMark[markSeen_]) {
                ++markSeen_;
                continue;
            }
            differs_ = markSeen_ > 0;
            markSeen_ = kByteOrderMark.size();
        }
        if (c == '\r' || c == '\n') {
            if (!differs_ && matched_ == kOpening.size()) ++count_;
            matched_ = 0;
            differs_ = false;
        } else if (!differs_) {
            if (matched_ < kOpening.size() && c == kOpening[matched_])
                ++matched_;
            else
                differs_ = !(matched_ == kOpening.size() && IsBlank(c));
        }
    }
}

std::optional<int> CountGamesInFile(const std::string& fileName) {
    const std::optional<std::string> text = ReadWholeFile(fileName, nullptr, FileReads::RegularOnly);
    if (!text) return std::nullopt;
    GameCounter counter;
    counter.Feed(*text);
    return counter.Count();
}

} // namespace kelvaro
