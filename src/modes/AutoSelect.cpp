#include "modes/AutoSelect.h"

#include <cmath>
#include <optional>
#include <vector>

#include "core/ChosenMode.h"
#include "core/IniText.h"
#include "core/Rotation.h"
#include "core/TextNumbers.h"
#include "modes/AutoSelectInternal.h"
#include "modes/SelectionRecord.h"

namespace kelvaro {

namespace {

// The numbers the matching needs, read once per run from the available mode table and the two
// distinct-value lists. Reading them here instead of at every comparison gives the same choices:
// the texts do not change while the selection runs.
struct ModeValues {
    bool usable = false; // width and height are numbers above 0
    bool interlaced = false;
    double width = 0, height = 0;
    double refresh = 0; // a refresh that is not a number counts as 0
};

struct ListEntry {
    int row = 0; // entry of the distinct-value list
    double value = 0;
};

struct SelectionContext {
    const Model& m;
    std::vector<ModeValues> modes;  // index = row of the available mode table
    std::vector<ListEntry> widths;  // number entries of AvailWidthList, list order
    std::vector<ListEntry> heights; // number entries of AvailHeightList

    explicit SelectionContext(const Model& model) : m(model) {
        const int count = m.AvailModes.Count();
        modes.resize(static_cast<size_t>(count) + 1);
        for (int j = 1; j <= count; ++j) {
            const AvailModeRow& row = m.AvailModes[j];
            ModeValues& v = modes[static_cast<size_t>(j)];
            const std::optional<double> w = WholeNumber(row.AvailWidth);
            const std::optional<double> h = WholeNumber(row.AvailHeight);
            // A mode without a width or a height is no mode the card can show.
            v.usable = w && h && *w > 0 && *h > 0;
            v.width = w.value_or(0);
            v.height = h.value_or(0);
            v.refresh = WholeNumber(row.AvailRefresh).value_or(0);
            v.interlaced = row.AvailInterlaced == "Yes";
        }
        widths = NumberEntries(m.AvailWidthList);
        heights = NumberEntries(m.AvailHeightList);
    }

    static std::vector<ListEntry> NumberEntries(const Table<std::string>& list) {
        std::vector<ListEntry> entries;
        entries.reserve(static_cast<size_t>(list.Count()));
        for (int k = 1; k <= list.Count(); ++k)
            if (std::optional<double> v = WholeNumber(list[k])) entries.push_back({k, *v});
        return entries;
    }
};

// The list entry near the value: the first within 2 pixels when exact; otherwise the first whose
// value plus the tolerance reaches it, and the largest when none does. Empty when nothing fits.
std::string Snap(const Table<std::string>& list, const std::vector<ListEntry>& entries, std::string_view value,
                 bool exact, int tolerance) {
    const double a = static_cast<double>(RoundHalfEven(LeadingNumber(value)));
    const size_t n = entries.size();
    if (n == 0) return {};
    if (exact) {
        for (const ListEntry& e : entries)
            if (std::fabs(a - e.value) <= 2) return list[e.row];
        return {};
    }
    const double t = tolerance;
    if (entries[0].value + t >= a) return list[entries[0].row];
    for (size_t k = 0; k + 1 < n; ++k)
        if (entries[k].value - t < a && entries[k + 1].value + t >= a) return list[entries[k + 1].row];
    // Beyond every entry: the largest one. A list of one entry has no neighbour to compare
    // with and gives its only entry.
    if (n == 1 || entries[n - 2].value < a) return list[entries[n - 1].row];
    return {};
}

// Receives nothing: the selection as it runs for every game.
struct NoRecord {
    void Pass(int) {}
    void Note(int, ModeVerdict, double = 0) {}
    void Finish(int) {}
};

// Notes each mode a pass looks at into one search of a selection record.
struct TryRecorder {
    SelectionTry& t;
    std::vector<ModeNote>* notes = nullptr;
    void Pass(int pass) { notes = pass == 1 ? &t.Pass1 : &t.Pass2; }
    void Note(int j, ModeVerdict v, double by = 0) { notes->push_back({j, v, by}); }
    // The best mode so far was noted as taken; only the last one stays so.
    void Finish(int best) {
        t.Result = best;
        for (std::vector<ModeNote>* list : {&t.Pass1, &t.Pass2})
            for (ModeNote& n : *list)
                if (n.Verdict == ModeVerdict::Taken && n.Row != best) n.Verdict = ModeVerdict::NotCloser;
    }
};

template <class Recorder>
int BestMode(const SelectionContext& c, double targetWidth, const std::string& heightKey, double minHeight,
             const std::string& nativeRefresh, Recorder& rec) {
    const std::optional<double> nr = WholeNumber(nativeRefresh);
    if (!nr) return 0;
    const Settings& s = c.m.Config;
    const double t = s.MatchResWithin;
    const float f = s.MatchRefreshWithin;
    const int count = c.m.AvailModes.Count();

    auto eligible = [&](int j) {
        const ModeValues& v = c.modes[static_cast<size_t>(j)];
        if (!v.usable) {
            rec.Note(j, ModeVerdict::NoSize);
            return false;
        }
        if (s.IgnoreInterlaced && v.interlaced) {
            rec.Note(j, ModeVerdict::Interlaced);
            return false;
        }
        // A lower refresh is rejected only when it falls short by more than the tolerance; which
        // one is lower is decided on the texts, as the mode list and the game list write them.
        const std::string& refresh = c.m.AvailModes[j].AvailRefresh;
        if (refresh <= nativeRefresh && static_cast<float>(*nr - v.refresh) > f) {
            rec.Note(j, ModeVerdict::RefreshShort, static_cast<double>(static_cast<float>(*nr - v.refresh) - f));
            return false;
        }
        return true;
    };
    auto wideEnough = [&](int j) {
        const double width = c.modes[static_cast<size_t>(j)].width;
        if (width >= targetWidth - t) return true;
        rec.Note(j, ModeVerdict::WidthShort, targetWidth - t - width);
        return false;
    };

    int best = 0;
    double bestDistance = 0;
    auto consider = [&](int j) {
        const double distance = std::fabs(c.modes[static_cast<size_t>(j)].width - targetWidth);
        if (best == 0 || distance < bestDistance) {
            best = j;
            bestDistance = distance;
            rec.Note(j, ModeVerdict::Taken);
        } else {
            rec.Note(j, ModeVerdict::NotCloser);
        }
    };

    rec.Pass(1);
    for (int j = 1; j <= count; ++j) {
        if (c.m.AvailModes[j].AvailHeight != heightKey) {
            rec.Note(j, ModeVerdict::OtherHeight);
            continue;
        }
        if (!eligible(j) || !wideEnough(j)) continue;
        consider(j);
    }
    if (best != 0) {
        rec.Finish(best);
        return best;
    }

    rec.Pass(2);
    for (int j = 1; j <= count; ++j) {
        if (!eligible(j) || !wideEnough(j)) continue;
        const ModeValues& v = c.modes[static_cast<size_t>(j)];
        if (v.height < minHeight - t) {
            rec.Note(j, ModeVerdict::HeightShort, minHeight - t - v.height);
            continue;
        }
        consider(j);
    }
    rec.Finish(best);
    return best;
}

// The mode for one raster game, or 0; searched tells whether a search was made at all (a
// searched game's INI text starts afresh). With a record, notes every step into it.
int ChooseMode(const SelectionContext& c, const GameRow& g, bool& searched, SelectionRecord* record) {
    searched = false;
    if (g.GameNativeWidth == "-") return 0;
    const MonitorOrientation monitor = c.m.Config.MonitorOrientation;
    bool landscape;
    if (monitor == MonitorOrientation::Horizontal)
        landscape = true;
    else if (monitor == MonitorOrientation::Vertical)
        landscape = false;
    else if (monitor == MonitorOrientation::Rotating)
        landscape = g.GameOrientation == "H";
    else
        return 0;
    searched = true;

    const std::optional<double> w = WholeNumber(g.GameNativeWidth);
    const std::optional<double> h = WholeNumber(g.GameNativeHeight);
    const bool readable = w && h && WholeNumber(g.GameNativeRefresh);
    if (record) {
        record->Searched = true;
        record->Landscape = landscape;
        record->NativeReadable = readable;
        record->NativeRefresh = g.GameNativeRefresh;
    }
    if (!readable) return 0;

    const bool vertical = g.GameOrientation == "V";
    const int t = c.m.Config.MatchResWithin;
    const std::string& r = g.GameNativeRefresh;
    // First with a key within 2 pixels of the size, then with the tolerant key.
    auto twoTries = [&](const Table<std::string>& list, const std::vector<ListEntry>& entries, const std::string& size,
                        double target, double minHeight) {
        if (record) {
            record->TargetWidth = target;
            record->MinHeight = minHeight;
            record->LookedUpSize = size;
            record->KeyFromWidths = &list == &c.m.AvailWidthList;
            for (bool exact : {true, false}) {
                SelectionTry& one = record->Tries.emplace_back();
                one.Exact = exact;
                one.HeightKey = Snap(list, entries, size, exact, t);
                TryRecorder rec{one};
                if (BestMode(c, target, one.HeightKey, minHeight, r, rec) != 0) return one.Result;
            }
            return 0;
        }
        NoRecord none;
        const int exact = BestMode(c, target, Snap(list, entries, size, true, t), minHeight, r, none);
        return exact != 0 ? exact : BestMode(c, target, Snap(list, entries, size, false, t), minHeight, r, none);
    };
    if (landscape) {
        if (record) {
            record->NativeWidth = *w;
            record->NativeHeight = *h;
        }
        return twoTries(c.m.AvailHeightList, c.heights, g.GameNativeHeight, vertical ? *w * 16 / 9 : *w, *h);
    }
    // The emulator turns the picture, so the game's width becomes the mode's height and the key
    // comes from the list of widths.
    if (record) {
        record->NativeWidth = *h;
        record->NativeHeight = *w;
    }
    return twoTries(c.m.AvailWidthList, c.widths, g.GameNativeWidth, vertical ? *h : *h * 16 / 9, *w);
}

// The first usable mode of the not-found size, 0 when the list has none.
int NotFoundSizeRow(const SelectionContext& c, const Settings& s) {
    const Model& m = c.m;
    for (int j = 1; j <= m.AvailModes.Count(); ++j)
        if (c.modes[static_cast<size_t>(j)].usable && m.AvailModes[j].AvailWidth == s.NotFoundWidth &&
            m.AvailModes[j].AvailHeight == s.NotFoundHeight)
            return j;
    return 0;
}

// Gives the game the result d; s is the settings the not-found mode is taken from (and corrected
// in), the model's own during a run.
void StoreResult(const SelectionContext& c, Settings& s, GameRow& g, int d) {
    const Model& m = c.m;
    if (d != 0 || s.NotFoundWidth == kNoModeWidth) {
        SetChosenMode(m, d, ChosenModeOf(g));
        return;
    }
    // The not-found settings stand in, with the size of a usable mode still in the list (the first
    // of that size; the refresh stays the one chosen).
    if (NotFoundSizeRow(c, s) != 0) {
        s.NotFoundINIText = SetResolutionLine(
            ResolutionLineFor(m, s.NotFoundWidth, s.NotFoundHeight, s.NotFoundRefresh), s.NotFoundINIText);
    } else {
        // The chosen not-found mode was removed from the list (or is no usable mode): from here on
        // the emulator decides, for this game and every later one.
        SetChosenMode(m, 0, NotFoundMode(s));
    }
    g.GameModeWidth = s.NotFoundWidth;
    g.GameModeHeight = s.NotFoundHeight;
    g.GameModeRefresh = s.NotFoundRefresh;
    g.GameINIText = s.NotFoundINIText;
}

void AddRotationLine(const Settings& s, GameRow& g) {
    const std::string_view line = RotationLine(s, g);
    if (!line.empty()) g.GameINIText = SetSwitchLine(line, g.GameINIText);
}

SelectionOutcome SelectOne(const SelectionContext& c, Settings& s, GameRow& g, SelectionRecord* record) {
    bool searched = false;
    const int d = ChooseMode(c, g, searched, record);
    if (searched) g.GameINIText.clear();
    StoreResult(c, s, g, d);
    AddRotationLine(s, g);
    const SelectionOutcome outcome = d != 0                            ? SelectionOutcome::Mode
                                     : s.NotFoundWidth != kNoModeWidth ? SelectionOutcome::NotFoundMode
                                                                       : SelectionOutcome::Emulator;
    if (!record) return outcome;
    record->ModeRow = d;
    record->Outcome = outcome;
    record->Width = g.GameModeWidth;
    record->Height = g.GameModeHeight;
    record->Refresh = g.GameModeRefresh;
    record->INIText = g.GameINIText;
    return outcome;
}

} // namespace

std::string SnapToAvailableHeight(const Model& m, std::string_view value, bool exact) {
    return Snap(m.AvailHeightList, SelectionContext::NumberEntries(m.AvailHeightList), value, exact,
                m.Config.MatchResWithin);
}

std::string SnapToAvailableWidth(const Model& m, std::string_view value, bool exact) {
    return Snap(m.AvailWidthList, SelectionContext::NumberEntries(m.AvailWidthList), value, exact,
                m.Config.MatchResWithin);
}

int FindBestMode(const Model& m, double targetWidth, const std::string& heightKey, double minHeight,
                 const std::string& nativeRefresh) {
    NoRecord none;
    return BestMode(SelectionContext(m), targetWidth, heightKey, minHeight, nativeRefresh, none);
}

AutoSelectCounts AutoSelectVideoModes(Model& m, ProgressSink& progress) {
    AutoSelectCounts counts;
    const int count = m.Games.Count();
    if (count == 0) return counts;
    // Only game cells and the not-found settings change during the run, never the available
    // modes or their lists, so their numbers hold for the whole run.
    const SelectionContext c(m);
    ProgressScope scope(progress, "Selecting Video Modes...", count);
    for (int i = 1; i <= count; ++i) {
        progress.Step(i);
        switch (SelectOne(c, m.Config, m.Games[i], nullptr)) {
        case SelectionOutcome::Mode: ++counts.WithMode; break;
        case SelectionOutcome::NotFoundMode: ++counts.NotFoundMode; break;
        case SelectionOutcome::Emulator: ++counts.LeftToEmulator; break;
        }
    }
    return counts;
}

std::string AutoSelectSummary(const AutoSelectCounts& counts) {
    std::string out = "Auto-Select: " + std::to_string(counts.Games()) +
                      (counts.Games() == 1 ? " game, " : " games, ") + std::to_string(counts.WithMode) +
                      " given a mode";
    if (counts.NotFoundMode > 0)
        out += ", " + std::to_string(counts.NotFoundMode) + " given the Ideal Mode Not Found settings";
    if (counts.LeftToEmulator > 0) out += ", " + std::to_string(counts.LeftToEmulator) + " left to M.A.M.E.";
    return out;
}

SelectionRecord ExplainSelection(const Model& m, int game) {
    SelectionRecord record;
    record.Game = game;
    if (game < 1 || game > m.Games.Count()) return record;
    // The game and the settings are copies: explaining changes nothing, not even the not-found
    // settings that a run corrects when their mode is gone.
    const SelectionContext c(m);
    Settings s = m.Config;
    GameRow g = m.Games[game];
    SelectOne(c, s, g, &record);
    return record;
}

std::vector<int> SelectedModeRows(const Model& m) {
    std::vector<int> rows(static_cast<size_t>(m.Games.Count()) + 1, 0);
    const SelectionContext c(m);
    for (int i = 1; i <= m.Games.Count(); ++i) {
        bool searched = false;
        rows[static_cast<size_t>(i)] = ChooseMode(c, m.Games[i], searched, nullptr);
    }
    return rows;
}

} // namespace kelvaro
