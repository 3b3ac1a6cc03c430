#pragma once
// Small game lists, mode lists and table rows shared by the selection, INI file and emulator tests.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/ChosenMode.h"
#include "core/Model.h"
#include "core/Progress.h"
#include "modes/AutoSelect.h"
#include "platform/Paths.h"

namespace fixtures {

// One game block of listinfo text as the converter writes it: name, description, the extra lines
// (year, manufacturer, cloneof, romof), the video line (none when empty).
inline std::string Block(const std::string& name, const std::string& description, const std::string& video,
                         const std::string& extra = "") {
    std::string s = "game (\r\n\tname " + name + "\r\n\tdescription \"" + description + "\"\r\n" + extra;
    if (!video.empty()) s += "\tvideo ( " + video + " )\r\n";
    return s + ")\r\n\r\n";
}

// The video line of a raster or vector screen, as the converter writes it.
inline std::string Raster(const std::string& w, const std::string& h, const std::string& freq, bool vertical) {
    return std::string("screen raster orientation ") + (vertical ? "vertical" : "horizontal") + " x " + w + " y " + h +
           (vertical ? " aspectx 3 aspecty 4" : " aspectx 4 aspecty 3") + " freq " + freq;
}

inline std::string Vector(const std::string& freq, bool vertical) {
    return std::string("screen vector orientation ") +
           (vertical ? "vertical aspectx 3 aspecty 4" : "horizontal aspectx 4 aspecty 3") + " freq " + freq;
}

// Real games of the emulator: a vertical clone listed before its parent, another game of their
// size, a vertical game of another size, a horizontal game and a vector game.
inline std::string GameList() {
    const std::string puck = Raster("224", "288", "60.606061", true);
    return Block("pacman", "Pac-Man", puck, "\tcloneof puckman\r\n") + Block("puckman", "PuckMan", puck) +
           Block("galaga", "Galaga", puck) + Block("1942", "1942", Raster("224", "256", "60.000000", true)) +
           Block("sf2", "Street Fighter II", Raster("384", "224", "59.637405", false)) +
           Block("asteroid", "Asteroids", Vector("60.000000", false));
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

inline kelvaro::GameRow Game(const std::string& rom, const std::string& w, const std::string& h, const std::string& r,
                             const std::string& orientation, const std::string& details = "resolution auto",
                             const std::string& cloneOf = "") {
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

// Records the progress calls as "begin TEXT COUNT", "step I", "end", and counts the pumps.
struct RecordingProgress : kelvaro::ProgressSink {
    std::vector<std::string> log;
    int pumps = 0;
    void Begin(const std::string& text, int count) override {
        log.push_back("begin " + text + " " + std::to_string(count));
    }
    void Step(int i) override { log.push_back("step " + std::to_string(i)); }
    void End() override { log.push_back("end"); }
    void Pump() override { ++pumps; }
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
    for (const auto& e : std::filesystem::directory_iterator(kelvaro::FsPath(folder)))
        names.insert(kelvaro::PathText(e.path().filename()));
    return names;
}

// The games the automatic selection gives a mode, on a copy of the model.
inline int GamesWithMode(kelvaro::Model m) {
    kelvaro::ProgressSink quiet;
    kelvaro::AutoSelectVideoModes(m, quiet);
    int n = 0;
    for (int i = 1; i <= m.Games.Count(); ++i) n += m.Games[i].GameModeWidth != kelvaro::kNoModeWidth;
    return n;
}

// A model whose settings name the emulator `exe`, with its files kept in `folder`, as a user's
// first retrieval starts.
inline kelvaro::Model ModelForEmulator(const std::string& folder, const std::string& exe) {
    kelvaro::Model m;
    m.Paths.ProgramFolder = m.Paths.DataFolder = folder;
    m.Config.MameExePath = exe;
    return m;
}

} // namespace fixtures
