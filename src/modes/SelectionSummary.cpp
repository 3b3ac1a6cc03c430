#include "modes/SelectionSummary.h"

#include <optional>

#include "core/Picture.h"
#include "core/Rotation.h"
#include "modes/AutoSelect.h"

namespace kelvaro {

SelectionSummary SummarizeSelection(const Model& m) {
    SelectionSummary s;
    const std::vector<int> rows = SelectedModeRows(m);
    for (int i = 1; i <= m.Games.Count(); ++i) {
        const GameRow& g = m.Games[i];
        OutcomeCounts& by = g.GameOrientation == "H"   ? s.Horizontal
                            : g.GameOrientation == "V" ? s.Vertical
                                                       : s.OtherOrientation;
        const int row = rows[static_cast<size_t>(i)];
        if (row == 0) {
            ++s.All.LeftToEmulator;
            ++by.LeftToEmulator;
            continue;
        }
        const std::optional<PictureFigures> p = PictureOfGame(g, !RotationLine(m.Config, g).empty(), m.AvailModes[row],
                                                              RenderOptionsFromIni(g.GameINIText));
        const bool exact = p && p->ExactSize();
        ++(exact ? s.All.ExactSize : s.All.WithinTolerance);
        ++(exact ? by.ExactSize : by.WithinTolerance);
        if (p && p->WholeScale()) ++s.WholeScale;
    }
    return s;
}

std::vector<std::pair<std::string, int>> SummaryCounts(const SelectionSummary& s) {
    std::vector<std::pair<std::string, int>> out = {{"games", s.All.Games()}};
    auto add = [&](const std::string& prefix, const OutcomeCounts& c) {
        out.emplace_back(prefix + "exact_size", c.ExactSize);
        out.emplace_back(prefix + "within_tolerance", c.WithinTolerance);
        out.emplace_back(prefix + "left_to_emulator", c.LeftToEmulator);
    };
    add("", s.All);
    add("horizontal_", s.Horizontal);
    add("vertical_", s.Vertical);
    add("other_orientation_", s.OtherOrientation);
    out.emplace_back("whole_scale", s.WholeScale);
    return out;
}

} // namespace kelvaro
