// The INI file reader and the INI detail text functions on any bytes: details come out in normal
// form, the resolution line put in is the one read back, and a game's details written to its file
// and read again stay as they are (or settle, where the file's size was malformed).
#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/IniText.h"
#include "ini/IniFiles.h"

using namespace kelvaro;

namespace {

// INI details in normal form: one line, "|" between lines, none at either end, never two in a row.
bool NormalForm(const std::string& details) {
    return details.find_first_of("\r\n") == std::string::npos && details.find("||") == std::string::npos &&
           !details.starts_with('|') && !details.ends_with('|');
}

AvailModeRow Mode(const char* w, const char* h, const char* r) {
    AvailModeRow mode;
    mode.AvailWidth = w;
    mode.AvailHeight = h;
    mode.AvailRefresh = r;
    return mode;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The text functions, with a resolution line sized by the first two bytes.
    const std::string w = std::to_string(size > 0 ? data[0] : 640), h = std::to_string(size > 1 ? data[1] : 480);
    const std::string line = "resolution " + w + "x" + h;
    const std::string details = SetResolutionLine(line, bytes);
    FUZZ_CHECK(NormalForm(details));
    FUZZ_CHECK(details.find(line) != std::string::npos);
    FUZZ_CHECK(SetResolutionLine(line, details) == details);
    FUZZ_CHECK(ResolutionWidth(details) == w && ResolutionHeight(details) == h);
    const std::string fileText = INITextToFileText(bytes);
    FUZZ_CHECK(fileText.find('|') == std::string::npos);
    FUZZ_CHECK(fileText.size() == bytes.size() + static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '|')));

    // One game's file read back, written as generation writes it, and read again.
    Model m;
    for (const AvailModeRow& mode : {Mode("640", "480", "60"), Mode("320", "240", "60"), Mode("640", "480", "57")})
        m.AvailModes.Add(mode);
    GameRow game;
    TakeIniFile(m, game, bytes);
    FUZZ_CHECK(NormalForm(game.GameINIText));
    FUZZ_CHECK(game.GameModeRefresh == "??" || game.GameModeWidth == "640" || game.GameModeWidth == "320");
    // A row read back from its own file stays as it is; a line that named no size at all becomes
    // "resolution auto" on the way, so the details settle within a round or two.
    auto digits = [](const std::string& s) { return !s.empty() && s.find_first_not_of("0123456789") == s.npos; };
    for (int round = 0;; ++round) {
        GameRow again = game;
        TakeIniFile(m, again, IniFileBytes(game.GameINIText));
        if (again.GameINIText == game.GameINIText && again.GameModeWidth == game.GameModeWidth &&
            again.GameModeHeight == game.GameModeHeight && again.GameModeRefresh == game.GameModeRefresh)
            break;
        FUZZ_CHECK(!(digits(game.GameModeWidth) && digits(game.GameModeHeight)));
        FUZZ_CHECK(round < 2);
        game = again;
    }
    return 0;
}
