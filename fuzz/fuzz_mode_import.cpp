// The mode list importer on any bytes: every mode it keeps fits the mode list and comes once, every
// note names a line of the input, and the list it writes reads back as exactly its modes.
#include <cstdint>
#include <set>
#include <string>
#include <tuple>

#include "FuzzCheck.h"
#include "core/Text.h"
#include "modes/AvailableModes.h"
#include "modes/ModeListImport.h"

using namespace kelvaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The first byte picks the options: an output by name or all of them, and the rate of names.
    const unsigned pick = size > 0 ? data[0] : 0;
    const ImportOptions options{(pick & 1) != 0 ? "VGA-1" : "", double(1 + pick % 99)};
    const ModeImport in = ImportModeList(text, options);

    const int lines = static_cast<int>(SplitLines(text).size());
    for (const ImportNote& note : in.Notes) FUZZ_CHECK(note.Line >= 0 && note.Line <= lines && !note.Text.empty());
    FUZZ_CHECK(in.Modes.empty() == (!in.Notes.empty() && in.Notes.back().Text == "no mode could be read"));
    std::set<std::tuple<int, int, int, bool>> seen;
    for (const ImportedMode& m : in.Modes) {
        FUZZ_CHECK(m.Width >= 1 && m.Width <= 9999 && m.Height >= 1 && m.Height <= 9999);
        FUZZ_CHECK(m.Rate >= 1 && m.Rate <= 99);
        FUZZ_CHECK(seen.insert({m.Width, m.Height, m.Rate, m.Interlaced}).second);
    }

    Model read;
    ParseAvailableModes(FormatModeList(in, text.substr(0, 40)), read);
    FUZZ_CHECK(read.AvailModes.Count() == static_cast<int>(in.Modes.size()));
    for (int j = 1; j <= read.AvailModes.Count(); ++j) {
        const AvailModeRow& r = read.AvailModes[j];
        const ImportedMode& m = in.Modes[std::size_t(j - 1)];
        FUZZ_CHECK(r.AvailWidth == std::to_string(m.Width) && r.AvailHeight == std::to_string(m.Height));
        FUZZ_CHECK(std::stoi(r.AvailRefresh) == m.Rate && r.AvailRefresh.size() == 2);
        FUZZ_CHECK(r.AvailInterlaced == (m.Interlaced ? "Yes" : "No"));
    }
    return 0;
}
