#pragma once
// Small game lists, mode lists and table rows shared by the selection, INI file and emulator tests.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/Model.h"
#include "core/Progress.h"

namespace fixtures {

// One game block of the emulator's listinfo list.
inline std::string ListinfoGame(const std::string& name, const std::string& video, const std::string& cloneOf = "") {
    return "game (\r\n\tname " + name + "\r\n\tdescription \"" + name + " (game)\"\r\n" +
           (cloneOf.empty() ? "" : "\tcloneof " + cloneOf + "\r\n") + "\tvideo ( " + video + " )\r\n)\r\n\r\n";
}

// Real games of the emulator: a vertical clone listed before its parent, another game of their
// size, a vertical game of another size, a horizontal game and a vector game.
inline std::string GameList() {
    const std::string puck = "screen raster orientation vertical x 224 y 288 aspectx 3 aspecty 4 freq 60.606061";
    return ListinfoGame("pacman", puck, "puckman") + ListinfoGame("puckman", puck) + ListinfoGame("galaga", puck) +
           ListinfoGame("1942", "screen raster orientation vertical x 224 y 256 aspectx 3 aspecty 4 freq 60.000000") +
           ListinfoGame("sf2", "screen raster orientation horizontal x 384 y 224 aspectx 4 aspecty 3 freq 59.637405") +
           ListinfoGame("asteroid", "screen vector orientation horizontal aspectx 4 aspecty 3 freq 60.000000");
}

// A mode list for those games; 640 x 480 comes twice so that a read-back refresh shows which
// mode it came from.
inline const char kModeList[] = "Test modes\r\n"
                                " 288 224 60Hz\r\n"
                                " 224 288 60Hz\r\n"
                                " 384 224 60Hz\r\n"
                                " 400 300 60Hz\r\n"
                                " 320 240 60Hz\r\n"
                                " 640 480 60Hz\r\n"
                                " 640 480 57Hz\r\n";

inline kelvaro::GameRow Game(const std::string& rom, const std::string& w, const std::string& h,
                             const std::string& r, const std::string& orientation,
                             const std::string& details = "resolution auto", const std::string& cloneOf = "") {
    kelvaro::GameRow g;
    g.GameRomName = rom;
    g.GameCloneOf = cloneOf;
    g.GameDescription = rom + " (game)";
    g.GameNativeWidth = w;
    g.GameNativeHeight = h;
    g.GameNativeRefresh = r;
    g.GameOrientation = orientation;
    g.GameINIText = details;
    return g;
}

inline kelvaro::AvailModeRow Mode(const std::string& w, const std::string& h, const std::string& r,
                                  const std::string& interlaced = "No") {
    return {w, h, r, interlaced};
}

// Records the progress calls as "begin TEXT COUNT", "step I", "end".
struct RecordingProgress : kelvaro::ProgressSink {
    std::vector<std::string> log;
    void Begin(const std::string& text, int count) override { log.push_back("begin " + text + " " + std::to_string(count)); }
    void Step(int i) override { log.push_back("step " + std::to_string(i)); }
    void End() override { log.push_back("end"); }
};

// What a run over n items records.
inline std::vector<std::string> ProgressOver(const std::string& text, int n) {
    std::vector<std::string> log = {"begin " + text + " " + std::to_string(n)};
    for (int i = 1; i <= n; ++i) log.push_back("step " + std::to_string(i));
    log.push_back("end");
    return log;
}

// The names in a folder, to see that nothing else (a temporary file, a backup) was left.
inline std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

} // namespace fixtures
