#include "modes/SelectionText.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "core/ChosenMode.h"
#include "core/Rotation.h"
#include "core/Text.h"
#include "core/TextNumbers.h"
#include "modes/AvailableModes.h"

namespace kelvaro {

namespace {

std::string Num(double v, int decimals = 2) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s;
}

std::string Size(double w, double h) { return Num(w) + " x " + Num(h); }

std::string ModeName(const Model& m, int row) { return AvailModeDisplay(m.AvailModes[row]); }

// Why one mode was passed over (or taken), as a phrase.
std::string Verdict(const Model& m, const SelectionRecord& r, const SelectionTry& t, const ModeNote& n) {
    const std::string tol = std::to_string(m.Config.MatchResWithin);
    switch (n.Verdict) {
    case ModeVerdict::Taken: return "taken";
    case ModeVerdict::NotCloser: return "fits, but another width is closer to " + Num(r.TargetWidth);
    case ModeVerdict::OtherHeight: return "height is not " + (t.HeightKey.empty() ? "in the list" : t.HeightKey);
    case ModeVerdict::Interlaced: return "interlaced and ignored";
    case ModeVerdict::RefreshShort: return "refresh beyond the tolerance by " + Num(n.By) + " Hz";
    case ModeVerdict::WidthShort: return "width beyond the tolerance by " + Num(n.By) + " pixels";
    case ModeVerdict::HeightShort: return "height beyond the tolerance by " + Num(n.By) + " pixels";
    case ModeVerdict::NoSize: return "no usable size in the mode list";
    }
    return {};
}

// The notes of the last pass that looked at every mode: each mode once, with its last reason.
const std::vector<ModeNote>* LastNotes(const SelectionRecord& r) {
    if (r.Tries.empty()) return nullptr;
    const SelectionTry& t = r.Tries.back();
    return t.Pass2.empty() ? &t.Pass1 : &t.Pass2;
}

std::string LookedFor(const Model& m, const SelectionRecord& r) {
    std::string line = "Looked for " + Size(r.TargetWidth, r.MinHeight);
    if (!r.Landscape) line += ", the picture turned,";
    line += " within " + std::to_string(m.Config.MatchResWithin) + " pixels, at " + r.NativeRefresh + " Hz or up to " +
            Num(m.Config.MatchRefreshWithin) + " Hz slower.";
    return line;
}

// What the game gets without a mode of its own: the not-found setting as the selection left it
// (a not-found mode that is gone from the list leaves the choice to the emulator).
std::string NoModeLine(const SelectionRecord& r) {
    if (r.Outcome != SelectionOutcome::NotFoundMode) return "The emulator decides the mode.";
    return "The game takes the mode set for games without one: " + r.Width + " x " + r.Height + ".";
}

std::optional<PictureFigures> ChosenPicture(const Model& m, const SelectionRecord& r) {
    if (r.ModeRow == 0) return std::nullopt;
    const GameRow& game = m.Games[r.Game];
    return PictureOfGame(game, !RotationLine(m.Config, game).empty(), m.AvailModes[r.ModeRow],
                         RenderOptionsFromIni(game.GameINIText));
}

} // namespace

std::string SelectionReason(const Model& m, const SelectionRecord& r) {
    if (!r.Searched) {
        const bool vector = r.Game >= 1 && r.Game <= m.Games.Count() && m.Games[r.Game].GameNativeWidth == "-";
        const char* why = vector ? "A vector game: no mode is searched.\n" : "No mode is searched for this monitor.\n";
        return why + NoModeLine(r);
    }
    if (!r.NativeReadable) return "The game list gives no size or refresh for this game.\n" + NoModeLine(r);
    std::string text = LookedFor(m, r) + "\n";
    if (r.ModeRow != 0) {
        const SelectionTry& t = r.Tries.back();
        const std::optional<PictureFigures> p = ChosenPicture(m, r);
        text += "Chose " + ModeName(m, r.ModeRow) + ": ";
        if (p && p->ExactSize())
            text += "exact size.";
        else if (t.Pass2.empty())
            text += "height " + t.HeightKey + " " + (t.Exact ? "is in the list" : "is the nearest in the list") +
                    ", and its width is the closest.";
        else
            text += "no mode of height " + (t.HeightKey.empty() ? std::string("near it") : t.HeightKey) +
                    " fits; the closest width of the modes with enough lines.";
        return text;
    }
    // Nothing fitted: count the reasons, and name the nearest miss (the smallest shortfall; among
    // equal ones the mode nearest the size looked for).
    int interlaced = 0, refresh = 0, width = 0, height = 0;
    const ModeNote* nearest = nullptr;
    auto off = [&](const ModeNote& n) {
        const AvailModeRow& mode = m.AvailModes[n.Row];
        return std::fabs(LeadingNumber(mode.AvailWidth) - r.TargetWidth) +
               std::fabs(LeadingNumber(mode.AvailHeight) - r.MinHeight);
    };
    for (const ModeNote& n : *LastNotes(r)) {
        interlaced += n.Verdict == ModeVerdict::Interlaced;
        refresh += n.Verdict == ModeVerdict::RefreshShort;
        width += n.Verdict == ModeVerdict::WidthShort;
        height += n.Verdict == ModeVerdict::HeightShort;
        const bool miss = n.Verdict == ModeVerdict::WidthShort || n.Verdict == ModeVerdict::HeightShort ||
                          n.Verdict == ModeVerdict::RefreshShort;
        if (miss && (!nearest || n.By < nearest->By || (n.By == nearest->By && off(n) < off(*nearest)))) nearest = &n;
    }
    std::string counts;
    for (auto [count, what] : {std::pair{width, " too narrow"},
                               {height, " with too few lines"},
                               {refresh, " with too low a refresh"},
                               {interlaced, " interlaced"}})
        if (count > 0) counts += (counts.empty() ? "" : ", ") + std::to_string(count) + what;
    text += "No mode fits" + (counts.empty() ? std::string() : ": " + counts);
    if (nearest)
        text += "; nearest " + ModeName(m, nearest->Row) + " (" + Verdict(m, r, r.Tries.back(), *nearest) + ")";
    return text + ".\n" + NoModeLine(r);
}

std::string PictureText(const PictureFigures& p) {
    std::string t = "Picture " + Size(static_cast<double>(p.NativeWidth), static_cast<double>(p.NativeHeight)) +
                    (p.Turned ? " (turned)" : "") + " in mode " +
                    Size(static_cast<double>(p.ModeWidth), static_cast<double>(p.ModeHeight)) +
                    (p.ExactSize() ? ": exact size" : "") + "\n";
    // What the emulator draws: "whole lines: scaled 1 x 1 with 8 lines of border top and bottom".
    switch (p.Fit) {
    case PictureFit::Stretched: t += "Stretched to the whole mode"; break;
    case PictureFit::AspectKept: t += "Aspect kept"; break;
    case PictureFit::WholeLines: t += "Whole lines"; break;
    case PictureFit::WholeDown: t += "Whole lines down, stretched across"; break;
    case PictureFit::WholeAcross: t += "Whole columns across, stretched down"; break;
    }
    t += ": ";
    if (p.ScaleX == 1 && p.ScaleY == 1)
        t += "not scaled";
    else if (p.WholeScale())
        t += "scaled " + Num(p.ScaleX) + " x " + Num(p.ScaleY) + " to " +
             Size(static_cast<double>(p.ShownWidth), static_cast<double>(p.ShownHeight));
    else
        t += "stretched to " + Size(static_cast<double>(p.ShownWidth), static_cast<double>(p.ShownHeight)) + ", " +
             Num(p.ScaleX) + " x " + Num(p.ScaleY);
    auto side = [](long long before, long long after, long long cut, const char* what, const char* sides) {
        if (cut > 0) return std::to_string(cut) + " " + what + " cut off";
        if (before == after) return std::to_string(before) + " " + what + " of border " + sides;
        return std::to_string(before) + " + " + std::to_string(after) + " " + what + " of border " + sides;
    };
    std::string edges;
    if (p.LeftColumns + p.RightColumns + p.CutColumns > 0)
        edges = side(p.LeftColumns, p.RightColumns, p.CutColumns, "columns", "left and right");
    if (p.TopLines + p.BottomLines + p.CutLines > 0)
        edges += (edges.empty() ? "" : ", ") + side(p.TopLines, p.BottomLines, p.CutLines, "lines", "top and bottom");
    t += (edges.empty() ? std::string(", filling the mode") : " with " + edges) + "\n";
    t += p.Interlaced ? "Interlaced" : "Progressive";
    if (p.RefreshKnown)
        t += ", refresh " + std::string(p.RefreshDifference >= 0 ? "+" : "") + Num(p.RefreshDifference) + " Hz, " +
             (p.SpeedChangePercent >= 0 ? "+" : "") + Num(p.SpeedChangePercent, 1) + "% speed";
    return t + "\n";
}

std::string PictureAssumptions(const RenderOptions& options) {
    const std::string assumed = AssumedRenderOptions(options);
    std::string t = "Assumed: ";
    if (!assumed.empty()) t += assumed + " (the emulator's defaults), ";
    t += "the game's picture 4:3 (3:4 standing), ";
    if (options.MonitorAspect > 0)
        t += "the desktop mode as wide for its height as this mode (the emulator takes the given aspect as the "
             "desktop's), ";
    else if (options.DesktopAspect <= 0)
        t += "a 4:3 desktop when M.A.M.E. starts (it takes the desktop's shape as the monitor's), ";
    else
        t += "the desktop as wide for its height (" + Num(options.DesktopAspect) +
             ") when M.A.M.E. starts as now (it takes the desktop's shape as the monitor's), ";
    return t + "and no command line of a front end that sets these.\n";
}

std::string SelectionExplanation(const Model& m, const SelectionRecord& r) {
    std::string out = "chosen\t";
    if (r.Width == kNoModeWidth)
        out += "none\n";
    else
        out += PrintableText(r.Width) + "\t" + PrintableText(r.Height) + "\t" + PrintableText(r.Refresh) + "\n";
    if (r.Game >= 1 && r.Game <= m.Games.Count()) {
        const GameRow& g = m.Games[r.Game];
        out += "game\t" + g.GameRomName + "\t" + g.GameDescription + "\n";
        out += "native\t" + g.GameNativeWidth + " x " + g.GameNativeHeight + " @ " + g.GameNativeRefresh + " Hz, " +
               (g.GameOrientation == "V"   ? "vertical"
                : g.GameOrientation == "H" ? "horizontal"
                                           : "no orientation") +
               "\n";
    }
    out += SelectionReason(m, r) + "\n";
    for (const SelectionTry& t : r.Tries) {
        out += std::string(t.Exact ? "Search 1: " : "Search 2: ") + r.LookedUpSize + " looked up in the " +
               (r.KeyFromWidths ? "widths" : "heights") + " " + (t.Exact ? "within 2 pixels" : "within the tolerance") +
               ": " + (t.HeightKey.empty() ? "none" : t.HeightKey) + "\n";
        for (const auto* pass : {&t.Pass1, &t.Pass2}) {
            if (pass->empty()) continue;
            std::string lines;
            for (const ModeNote& n : *pass) {
                if (n.Verdict == ModeVerdict::OtherHeight) continue;
                lines += "    " + ModeName(m, n.Row) + (m.AvailModes[n.Row].AvailInterlaced == "Yes" ? " i" : "") +
                         ": " + Verdict(m, r, t, n) + "\n";
            }
            if (pass == &t.Pass1)
                out += lines.empty() ? "  No mode of that height\n" : "  Modes of that height:\n" + lines;
            else
                out += "  Modes of any height:\n" + lines;
        }
        out += std::string("  ") + (t.Result ? "Found " + ModeName(m, t.Result) : "Found nothing") + "\n";
    }
    out += "INI\t" + PrintableText(r.INIText) + "\n";
    if (const std::optional<PictureFigures> p = ChosenPicture(m, r)) out += PictureText(*p);
    return out;
}

} // namespace kelvaro
