#include "modes/Suggestions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <tuple>

#include "core/Sorts.h"
#include "core/TextNumbers.h"
#include "modes/AutoSelect.h"
#include "modes/AvailableModes.h"
#include "modes/MonitorRanges.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace kelvaro {

namespace {

// The selection depends on a game's size, refresh and orientation texts only, so every game of
// the same four texts gets the same mode: the search runs once per such group.
struct GameGroup {
    int first = 0; // its first game, the one that stands for it
    std::vector<int> games;
};

struct Groups {
    std::vector<GameGroup> all;
    Model withMode, withoutMode;                      // one game per group, by the current selection's outcome
    std::vector<int> withModeGroup, withoutModeGroup; // group of each of their games (1-based)
};

std::vector<GameGroup> GroupGames(const Model& m) {
    std::map<std::tuple<std::string, std::string, std::string, std::string>, size_t> index;
    std::vector<GameGroup> groups;
    for (int i = 1; i <= m.Games.Count(); ++i) {
        const GameRow& g = m.Games[i];
        auto [at, added] = index.try_emplace(
            {g.GameNativeWidth, g.GameNativeHeight, g.GameNativeRefresh, g.GameOrientation}, groups.size());
        if (added) groups.push_back({i, {}});
        groups[at->second].games.push_back(i);
    }
    return groups;
}

// A model holding the modes and settings of m and no game.
Model ModesOf(const Model& m) {
    Model part;
    part.Config = m.Config;
    part.AvailModes = m.AvailModes;
    part.AvailWidthList = m.AvailWidthList;
    part.AvailHeightList = m.AvailHeightList;
    return part;
}

int CountWithMode(const Model& part, const std::vector<int>& groupOf, const std::vector<GameGroup>& groups,
                  std::vector<int>* gained = nullptr) {
    const std::vector<int> rows = SelectedModeRows(part);
    int n = 0;
    for (int k = 1; k < static_cast<int>(rows.size()); ++k) {
        if (rows[static_cast<size_t>(k)] == 0) continue;
        const GameGroup& group = groups[static_cast<size_t>(groupOf[static_cast<size_t>(k)])];
        n += static_cast<int>(group.games.size());
        if (gained) gained->insert(gained->end(), group.games.begin(), group.games.end());
    }
    return n;
}

// Splits the groups by whether the selection over m finds a mode for them.
void SplitGroups(const Model& modes, const Table<GameRow>& games, Groups& g) {
    g.withMode = ModesOf(modes);
    g.withoutMode = ModesOf(modes);
    g.withModeGroup.assign(1, 0);
    g.withoutModeGroup.assign(1, 0);
    Model all = ModesOf(modes);
    for (const GameGroup& group : g.all) all.Games.Add(games[group.first]);
    const std::vector<int> rows = SelectedModeRows(all);
    for (size_t k = 0; k < g.all.size(); ++k) {
        const bool found = rows[k + 1] != 0;
        (found ? g.withMode : g.withoutMode).Games.Add(all.Games[static_cast<int>(k) + 1]);
        (found ? g.withModeGroup : g.withoutModeGroup).push_back(static_cast<int>(k));
    }
}

struct Candidate {
    ModeSuggestion mode;
    AvailModeRow row;
    int order = 0;  // first met in game order
    int gained = 0; // games without a mode that get one: the gain at most
};

AvailModeRow RowOfLine(const std::string& line) {
    Model one;
    ParseAvailableModes("heading\n" + line, one);
    return one.AvailModes[1];
}

bool Listed(const Model& m, const AvailModeRow& row) {
    for (int j = 1; j <= m.AvailModes.Count(); ++j) {
        const AvailModeRow& a = m.AvailModes[j];
        if (a.AvailWidth == row.AvailWidth && a.AvailHeight == row.AvailHeight && a.AvailRefresh == row.AvailRefresh &&
            a.AvailInterlaced == row.AvailInterlaced)
            return true;
    }
    return false;
}

// The sizes the selection looks for in the groups left without a mode, at their refresh in
// whole Hz; one candidate per mode line, in the order the games are met.
std::vector<Candidate> Candidates(const Model& current, const Groups& g) {
    std::vector<Candidate> out;
    std::map<std::string, size_t> seen;
    const Model& without = g.withoutMode;
    for (int k = 1; k <= without.Games.Count(); ++k) {
        const SelectionRecord r = ExplainSelection(without, k);
        if (!r.Searched || !r.NativeReadable) continue;
        ModeSuggestion s;
        s.Width = static_cast<int>(RoundHalfEven(r.TargetWidth));
        s.Height = static_cast<int>(RoundHalfEven(r.MinHeight));
        s.Refresh = static_cast<int>(std::lround(WholeNumber(r.NativeRefresh).value_or(0)));
        // A mode list line holds four digits of each size and two of the rate.
        if (s.Width < 1 || s.Width > 9999 || s.Height < 1 || s.Height > 9999 || s.Refresh < 10 || s.Refresh > 99)
            continue;
        // Only a mode the monitor shows is worth adding: interlaced when it shows no progressive one.
        const MonitorKind kind = current.Config.MonitorKind;
        std::optional<double> rate = ShownLineRate(kind, s.Height, s.Refresh, false);
        if (!rate) {
            rate = ShownLineRate(kind, s.Height, s.Refresh, true);
            s.Interlaced = true;
        }
        if (!rate) continue;
        s.LineRateKHz = *rate;
        const std::string line = s.Line();
        if (!seen.try_emplace(line, out.size()).second) continue;
        Candidate c{s, RowOfLine(line), static_cast<int>(out.size()), 0};
        if (Listed(current, c.row)) continue;
        out.push_back(std::move(c));
    }
    return out;
}

} // namespace

std::string ModeSuggestion::Line() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%4d%4d %dHz %s", Width, Height, Refresh, Interlaced ? "interlaced" : "progressive");
    return buf;
}

void AppendAvailableMode(Model& m, AvailModeRow mode) {
    m.AvailModes.Add(mode);
    for (auto [list, text] :
         {std::pair{&m.AvailWidthList, &mode.AvailWidth}, {&m.AvailHeightList, &mode.AvailHeight}}) {
        const auto& e = list->Elements();
        if (std::find(e.begin() + 1, e.end(), *text) != e.end()) continue;
        list->Add(*text);
        if (list->Count() > 1) SortNumericList(list->Elements(), 1, list->Count());
    }
}

std::vector<ModeSuggestion> SuggestModes(const Model& m, int top, ProgressSink& progress) {
    std::vector<ModeSuggestion> chosen;
    if (top <= 0 || m.Games.Empty()) return chosen;
    Model current = ModesOf(m);
    Groups g;
    g.all = GroupGames(m);
    ProgressScope scope(progress, "Finding modes worth adding...", top);
    for (int round = 1; round <= top; ++round) {
        progress.Step(round);
        SplitGroups(current, m.Games, g);
        std::vector<Candidate> candidates = Candidates(current, g);
        // What each candidate gives the games without a mode bounds its gain: it can only lose
        // games that have one. Only candidates whose bound can still win are run in full.
        for (Candidate& c : candidates) {
            Model& part = g.withoutMode;
            const Model saved = ModesOf(part);
            AppendAvailableMode(part, c.row);
            c.gained = CountWithMode(part, g.withoutModeGroup, g.all);
            part.AvailModes = saved.AvailModes;
            part.AvailWidthList = saved.AvailWidthList;
            part.AvailHeightList = saved.AvailHeightList;
            progress.Pump();
        }
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.gained > b.gained; });
        const Candidate* best = nullptr;
        int bestGain = 0;
        const int before = CountWithMode(g.withMode, g.withModeGroup, g.all);
        for (const Candidate& c : candidates) {
            if (c.gained < bestGain || c.gained <= 0) break;
            if (best && c.gained == bestGain && c.order > best->order) continue;
            Model part = g.withMode;
            AppendAvailableMode(part, c.row);
            const int gain = c.gained - (before - CountWithMode(part, g.withModeGroup, g.all));
            if (gain > bestGain || (gain == bestGain && best && gain > 0 && c.order < best->order)) {
                best = &c;
                bestGain = gain;
            }
        }
        if (!best || bestGain <= 0) break;
        ModeSuggestion s = best->mode;
        s.Gain = bestGain;
        Model part = g.withoutMode;
        AppendAvailableMode(part, best->row);
        CountWithMode(part, g.withoutModeGroup, g.all, &s.Games);
        std::sort(s.Games.begin(), s.Games.end());
        AppendAvailableMode(current, best->row);
        chosen.push_back(std::move(s));
    }
    return chosen;
}

Outcome WriteModeListWithSuggestions(const std::string& currentFile, const std::string& newFile,
                                     const std::vector<ModeSuggestion>& chosen) {
    std::error_code error;
    std::error_code same;
    if (std::filesystem::equivalent(FsPath(currentFile), FsPath(newFile), same))
        return Outcome::Failure("the new mode list must not replace " + currentFile);
    const std::optional<std::string> bytes = ReadWholeFile(currentFile, &error);
    if (!bytes) return Outcome::Failure("cannot read " + currentFile, error);
    const std::string end = bytes->find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::string text = *bytes;
    if (!text.empty() && text.back() != '\n') text += end;
    for (const ModeSuggestion& s : chosen) text += s.Line() + end;
    if (!WriteFileAtomic(newFile, text, &error)) return Outcome::Failure("cannot write " + newFile, error);
    return {};
}

} // namespace kelvaro
