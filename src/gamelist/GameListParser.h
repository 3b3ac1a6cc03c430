#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/Model.h"
#include "core/Outcome.h"
#include "core/Progress.h"
#include "platform/Files.h"

namespace kelvaro {

// Reads a listinfo file into the model's parser output (GameList), one row per "game (" block in
// file order; a "game (" line inside a block that was never closed starts the next block. A
// missing or unreadable file, or an empty name, gives an empty output and a failure that says why
// (nothing is shown). Shows "Reading Game Info from M.A.M.E...." without a count. A FIFO or
// device is refused unless reads is FileReads::Anything, which reads it to its end.
Outcome ReadGameList(const std::string& fileName, Model& m, ProgressSink& progress,
                     FileReads reads = FileReads::RegularOnly);

// The same scan over text already in memory (used by the file reader, the tests and the fuzzer).
// A byte order mark in front of the text is skipped; "game (" may have blanks after it; a value
// of the video line in double quotes is read whole, nothing in it taken for another field.
void ParseGameList(std::string_view text, Model& m);

// Counts the games of listinfo text as it streams in, by the rule the reader uses: a line that is
// "game (" (blanks after it allowed) opens a game, whatever its line end (CR, LF or CR LF), past a
// byte order mark at the start, and wherever the chunks were cut.
class GameCounter {
public:
    void Feed(std::string_view text);
    // The games so far; a last line "game (" without a line end counts.
    [[nodiscard]] int Count() const { return count_ + (!differs_ && matched_ == kOpening.size() ? 1 : 0); }

private:
    static constexpr std::string_view kOpening = "game (";
    int count_ = 0;
    std::size_t matched_ = 0;  // characters of kOpening the current line began with
    bool differs_ = false;     // the current line is not kOpening
    std::size_t markSeen_ = 0; // bytes of a byte order mark at the start; 3 once past the start
};

// The number of games in a listinfo file, read once; nothing when it cannot be read.
std::optional<int> CountGamesInFile(const std::string& fileName);

} // namespace kelvaro
