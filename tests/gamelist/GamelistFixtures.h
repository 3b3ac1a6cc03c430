#pragma once
// Shared pieces of the game list tests: a progress recorder, listinfo and XML lists written from
// short descriptions, and a stand-in emulator (a shell script) that prints a prepared list.
#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "core/Model.h"
#include "core/Progress.h"

namespace gamelist_test {

struct RecordingProgress : kelvaro::ProgressSink {
    std::vector<std::string> calls;
    int pumps = 0;
    void Begin(const std::string& text, int count) override {
        calls.push_back("Begin " + text + " " + std::to_string(count));
    }
    void Step(int i) override { calls.push_back("Step " + std::to_string(i)); }
    void End() override { calls.push_back("End"); }
    void Pump() override { ++pumps; }
};

// One game block of listinfo text with the given video line (none when empty).
inline std::string Block(const std::string& name, const std::string& description, const std::string& video) {
    std::string s = "game (\r\n\tname " + name + "\r\n\tdescription \"" + description + "\"\r\n";
    if (!video.empty()) s += "\tvideo ( " + video + " )\r\n";
    return s + ")\r\n\r\n";
}

// A raster game's video line.
inline std::string Raster(const std::string& w, const std::string& h, const std::string& freq, bool vertical) {
    return std::string("screen raster orientation ") + (vertical ? "vertical" : "horizontal") + " x " + w + " y " +
           h + (vertical ? " aspectx 3 aspecty 4" : " aspectx 4 aspecty 3") + " freq " + freq;
}

inline std::string Vector(const std::string& freq, bool vertical) {
    return std::string("screen vector orientation ") + (vertical ? "vertical" : "horizontal") + " freq " + freq;
}

// One machine of the emulator's XML list.
inline std::string Machine(const std::string& name, const std::string& description, const std::string& display,
                           const std::string& attributes = "") {
    return "\t<machine name=\"" + name + "\"" + attributes + ">\n\t\t<description>" + description +
           "</description>\n\t\t<year>1981</year>\n\t\t<manufacturer>Maker</manufacturer>\n" +
           (display.empty() ? "" : "\t\t<display " + display + " />\n") + "\t</machine>\n";
}

inline std::string XmlList(const std::string& machines) {
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n"
           "<!ATTLIST machine isbios (yes|no) \"no\">\n]>\n<mame build=\"test\">\n" +
           machines + "</mame>\n";
}

// A stand-in for the emulator in dir/emu: it notes its folder and arguments in dir/emu/ran.txt,
// prints dir/emu/output, waits for `seconds`, and exits with `status`.
inline std::string MakeFakeEmulator(const TempDir& dir, const std::string& output, double seconds = 0,
                                    int status = 0) {
    dir.Write("emu/output", output);
    std::string script = "#!/bin/sh\necho \"$PWD|$*\" >> '" + dir.File("emu/ran.txt") + "'\ncat '" +
                         dir.File("emu/output") + "'\n" +
                         (seconds > 0 ? "sleep " + std::to_string(seconds) + "\n" : "") + "exit " +
                         std::to_string(status) + "\n";
    std::string path = dir.Write("emu/mame", script);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    return path;
}

// A model whose program and data folder is dir/data and whose emulator is exe (folder derived).
inline kelvaro::Model MakeModel(const TempDir& dir, const std::string& exe) {
    kelvaro::Model m;
    std::filesystem::create_directories(dir.File("data"));
    m.Paths.ProgramFolder = m.Paths.DataFolder = dir.File("data");
    m.S.MameExePath = exe;
    m.MameFolder = std::filesystem::path(exe).parent_path().string();
    return m;
}

} // namespace gamelist_test
