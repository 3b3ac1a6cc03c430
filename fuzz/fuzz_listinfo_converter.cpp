// The listxml converter on any bytes, fed in two pieces: the text it gives is always whole
// blocks, and reading it back finds one game per machine written.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "gamelist/GameListParser.h"
#include "gamelist/ListInfoConverter.h"

using namespace kelvaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
    std::string text;
    ListInfoConverter converter([&](std::string_view s) {
        FUZZ_CHECK(s.starts_with("game (\r\n\tname "));
        FUZZ_CHECK(s.ends_with(")\r\n)\r\n\r\n"));
        text += s;
    });
    bool first = converter.Feed(bytes, split, false);
    bool second = converter.Feed(bytes + split, size - split, true);
    FUZZ_CHECK(!first ? !second : true);
    FUZZ_CHECK(converter.Failed() == !second);
    FUZZ_CHECK(converter.Failed() == !converter.ErrorText().empty());

    Model m;
    ParseGameList(text, m);
    FUZZ_CHECK(m.GameList.Count() == converter.MachinesWritten());
    return 0;
}
