#include "core/ChosenMode.h"

#include "core/IniText.h"
#include "core/Model.h"
#include "core/TextNumbers.h"

namespace kelvaro {

namespace {

bool IsModeRow(const Model& m, int row) { return row >= 1 && row <= m.AvailModes.Count(); }

} // namespace

std::string ResolutionLine(std::string_view width, std::string_view height) {
    std::string line = "resolution ";
    line += width;
    line += 'x';
    line += height;
    return line;
}

std::string ResolutionLineFor(const Model& m, std::string_view width, std::string_view height,
                              std::string_view refresh) {
    std::string line = ResolutionLine(width, height);
    bool listed = false, otherRate = false;
    for (int k = 1; k <= m.AvailModes.Count(); ++k) {
        const AvailModeRow& mode = m.AvailModes[k];
        if (mode.AvailWidth != width || mode.AvailHeight != height) continue;
        if (mode.AvailRefresh == refresh)
            listed = true;
        else
            otherRate = true;
    }
    if (!listed || !otherRate) return line;
    const std::optional<double> rate = WholeNumber(refresh);
    if (!rate || *rate <= 0 || *rate != static_cast<double>(static_cast<long long>(*rate))) return line;
    line += '@';
    line += std::to_string(static_cast<long long>(*rate));
    return line;
}

std::string ResolutionLineOfMode(const Model& m, int modeRow) {
    if (!IsModeRow(m, modeRow)) return kAutoResolution;
    const AvailModeRow& mode = m.AvailModes[modeRow];
    return ResolutionLineFor(m, mode.AvailWidth, mode.AvailHeight, mode.AvailRefresh);
}

ChosenMode ChosenModeOf(GameRow& game) {
    return {game.GameModeWidth, game.GameModeHeight, game.GameModeRefresh, game.GameINIText};
}

ChosenMode NotFoundMode(Settings& s) {
    return {s.NotFoundWidth, s.NotFoundHeight, s.NotFoundRefresh, s.NotFoundINIText};
}

void SetChosenMode(const Model& m, int modeRow, const ChosenMode& target) {
    if (IsModeRow(m, modeRow)) {
        const AvailModeRow& mode = m.AvailModes[modeRow];
        target.Width = mode.AvailWidth;
        target.Height = mode.AvailHeight;
        target.Refresh = mode.AvailRefresh;
    } else {
        target.Width = kNoModeWidth;
        target.Height = kNoModeHeight;
        target.Refresh = kNoModeRefresh;
    }
    target.Details = SetResolutionLine(ResolutionLineOfMode(m, modeRow), target.Details);
}

} // namespace kelvaro
