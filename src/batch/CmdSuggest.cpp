#include <charconv>
#include <iostream>

#include "batch/BatchCommon.h"
#include "modes/Suggestions.h"

namespace kelvaro::batch {

// Prints the modes worth adding to the mode list that the settings' monitor kind shows, best first:
// "W<TAB>H<TAB>R<TAB>progressive|interlaced<TAB>GAIN".
int CmdSuggest(const Options& o) {
    int top = 10;
    if (o.Has("--top")) {
        const std::string text = o.Get("--top");
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), top);
        if (error != std::errc() || end != text.data() + text.size() || top < 1)
            throw UsageError{"--top needs a whole number above 0, got '" + text + "'"};
    }
    const Model m = MakeSelectionModel(o);
    ProgressSink quiet;
    std::string out;
    for (const ModeSuggestion& s : SuggestModes(m, top, quiet))
        out += std::to_string(s.Width) + "\t" + std::to_string(s.Height) + "\t" + std::to_string(s.Refresh) + "\t" +
               (s.Interlaced ? "interlaced" : "progressive") + "\t" + std::to_string(s.Gain) + "\n";
    std::cout << out;
    return 0;
}

} // namespace kelvaro::batch
