#pragma once
#include <string>
#include <vector>

#include "core/Model.h"

// Small models for the selection tests: modes and games written out in full.
namespace modesfixtures {

inline kelvaro::AvailModeRow Mode(const std::string& w, const std::string& h, const std::string& r,
                                  const std::string& interlaced = "No") {
    return kelvaro::AvailModeRow{w, h, r, interlaced};
}

inline kelvaro::GameRow Game(const std::string& name, const std::string& w, const std::string& h,
                             const std::string& r, const std::string& o) {
    kelvaro::GameRow g;
    g.GameRomName = name;
    g.GameNativeWidth = w;
    g.GameNativeHeight = h;
    g.GameNativeRefresh = r;
    g.GameOrientation = o;
    return g;
}

// The available mode table with the distinct-value lists built in first-seen order, then
// ascending, as reading a mode list would build them (all entries here are plain numbers).
inline void SetModes(kelvaro::Model& m, const std::vector<kelvaro::AvailModeRow>& modes) {
    m.AvailModes.Clear();
    m.AvailWidthList.Clear();
    m.AvailHeightList.Clear();
    auto addDistinct = [](kelvaro::Table<std::string>& list, const std::string& text) {
        for (int k = 1; k <= list.Count(); ++k)
            if (list[k] == text) return;
        // Insert in ascending order of value.
        int at = list.Count() + 1;
        for (int k = 1; k <= list.Count(); ++k)
            if (std::stod(text) < std::stod(list[k])) {
                at = k;
                break;
            }
        list.Add();
        for (int k = list.Count(); k > at; --k) list[k] = list[k - 1];
        list[at] = text;
    };
    for (const auto& mode : modes) {
        m.AvailModes.Add(mode);
        addDistinct(m.AvailWidthList, mode.AvailWidth);
        addDistinct(m.AvailHeightList, mode.AvailHeight);
    }
}

inline void SetList(kelvaro::Table<std::string>& list, const std::vector<std::string>& entries) {
    list.Clear();
    for (const auto& e : entries) list.Add(e);
}

} // namespace modesfixtures
