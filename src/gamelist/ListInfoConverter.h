#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kelvaro {

// Turns the emulator's -listxml output into listinfo text, in a stream: bytes go in with Feed,
// finished "game ( ... )" blocks come out through the sink, at the latest when the Feed call that
// ended them returns. Only runnable machines with a display that are neither devices nor BIOS
// sets are written. Nothing of the list is held beyond the machine being read and the blocks not
// yet handed on, so memory stays flat. The sink only ever receives whole blocks. A screen type,
// size or refresh that the game list reader would take apart (blanks, parentheses, its own words)
// is written in double quotes, which the reader takes whole.
class ListInfoConverter {
public:
    using Sink = std::function<void(std::string_view blocks)>;
    explicit ListInfoConverter(Sink sink);
    ~ListInfoConverter();
    ListInfoConverter(const ListInfoConverter&) = delete;
    ListInfoConverter& operator=(const ListInfoConverter&) = delete;

    // Feeds the next bytes; isFinal marks the end of the input. Returns false once the XML is
    // malformed (elements nested more than 64 levels deep count as malformed): the blocks written
    // up to the error stay, and later calls do nothing.
    bool Feed(const char* data, std::size_t size, bool isFinal);
    [[nodiscard]] bool Failed() const;
    [[nodiscard]] int MachinesWritten() const;
    // Where and why the XML was malformed ("line 12, column 3: mismatched tag"); empty while
    // nothing failed.
    [[nodiscard]] std::string ErrorText() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace kelvaro
