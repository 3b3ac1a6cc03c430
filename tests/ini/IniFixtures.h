#pragma once
// Small tables and helpers shared by the INI file tests.
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/Model.h"
#include "core/Progress.h"

namespace inifixtures {

inline kelvaro::GameRow Game(std::string rom, std::string cloneOf, std::string w, std::string h, std::string r,
                             std::string orientation, std::string details = "resolution auto") {
    kelvaro::GameRow g;
    g.GameRomName = std::move(rom);
    g.GameCloneOf = std::move(cloneOf);
    g.GameDescription = g.GameRomName + " (game)";
    g.GameNativeWidth = std::move(w);
    g.GameNativeHeight = std::move(h);
    g.GameNativeRefresh = std::move(r);
    g.GameOrientation = std::move(orientation);
    g.GameINIText = std::move(details);
    return g;
}

inline kelvaro::AvailModeRow Mode(std::string w, std::string h, std::string r) {
    return {std::move(w), std::move(h), std::move(r), "No"};
}

// Records the progress protocol as it is called.
struct RecordingProgress : kelvaro::ProgressSink {
    std::vector<std::string> texts;
    std::vector<int> counts;
    std::vector<int> steps;
    int ends = 0;
    void Begin(const std::string& text, int count) override {
        texts.push_back(text);
        counts.push_back(count);
    }
    void Step(int i) override { steps.push_back(i); }
    void End() override { ++ends; }
};

inline std::vector<int> OneTo(int n) {
    std::vector<int> v;
    for (int i = 1; i <= n; ++i) v.push_back(i);
    return v;
}

// The names in a folder, to see that nothing else (a temporary file, a backup) was left.
inline std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

} // namespace inifixtures
