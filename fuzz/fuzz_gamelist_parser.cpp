// The listinfo reader on any bytes: every "game (" line starts a game, also inside a block left
// open; every cell keeps the form the native mode list relies on, and shows without control
// characters.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/Text.h"
#include "gamelist/GameListParser.h"

using namespace kelvaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    Model m;
    ParseGameList(text, m);
    // A block opens on "game (" with nothing but blanks after it; a byte order mark before the
    // first line is not part of it.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int blocks = 0;
    for (std::string_view line : SplitLines(text))
        blocks += line.starts_with("game (") && line.find_first_not_of(" \t", 6) == std::string_view::npos;
    FUZZ_CHECK(m.GameList.Count() == blocks);
    FUZZ_CHECK(m.GameList.Elements()[0].ListRomName.empty());
    for (int i = 1; i <= m.GameList.Count(); ++i) {
        const ListRow& g = m.GameList[i];
        FUZZ_CHECK(g.ListScreen.empty() || g.ListScreen == "Raster" || g.ListScreen == "Vector");
        FUZZ_CHECK(g.ListOrientation.empty() || g.ListOrientation == "H" || g.ListOrientation == "V");
        for (const std::string* dimension : {&g.ListWidth, &g.ListHeight})
            for (char c : *dimension) FUZZ_CHECK(c >= '0' && c <= '9');
        FUZZ_CHECK(g.ListRefresh.size() <= 9);
        for (const std::string* cell : {&g.ListRomName, &g.ListCloneOf, &g.ListDescription, &g.ListRefresh})
            FUZZ_CHECK(cell->find_first_of("\r\n") == std::string::npos);
        for (char c : g.ListRomName) FUZZ_CHECK(!(c >= 'a' && c <= 'z'));
        for (const std::string* cell : {&g.ListRomName, &g.ListDescription}) {
            const std::string shown = PrintableText(*cell);
            for (char c : shown) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
            FUZZ_CHECK(PrintableText(shown) == shown); // already valid UTF-8 without controls
        }
    }
    return 0;
}
