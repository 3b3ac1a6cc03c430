#pragma once
// Shared pieces of the game list tests: listinfo and XML lists written from short descriptions,
// and a stand-in emulator that prints a prepared list.
#include <filesystem>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "Standin.h"
#include "TempDir.h"

namespace gamelist_test {

using Strings = std::vector<std::string>;
using fixtures::Block;
using fixtures::Entries;
using fixtures::Raster;
using fixtures::RecordingProgress;
using fixtures::Vector;

// One machine of the emulator's XML list, described by its name; display holds the attributes of
// its screen (no screen when empty).
inline std::string Machine(const std::string& name, const std::string& display, const std::string& attributes = "") {
    return "\t<machine name=\"" + name + "\"" + attributes + ">\n\t\t<description>" + name + " game</description>\n" +
           (display.empty() ? "" : "\t\t<display " + display + " />\n") + "\t</machine>\n";
}

// The head of the emulator's list: its DTD is inline, with defaulted attributes.
const std::string kXmlHead = "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n"
                             "<!ATTLIST machine isbios (yes|no) \"no\">\n"
                             "<!ATTLIST machine runnable (yes|no) \"yes\">\n]>\n<mame build=\"0.251\">\n";

inline std::string XmlList(const std::string& machines) { return kXmlHead + machines + "</mame>\n"; }

// A stand-in for the emulator in dir/emu: it notes its folder and arguments in dir/emu/ran.txt,
// prints the parts of its output one after the other, waiting `seconds` after each, and exits
// with `status`. Returns its path.
inline std::string FakeEmulator(const TempDir& dir, const Strings& parts, double seconds = 0, int status = 0) {
    std::string script = "note " + dir.File("emu/ran.txt") + "\n";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string part = "emu/output" + (i > 0 ? std::to_string(i) : std::string());
        dir.Write(part, parts[i]);
        script += "print " + dir.File(part) + "\nwait " + std::to_string(seconds) + "\n";
    }
    return Standin(dir, "emu/mame", script + "exit " + std::to_string(status) + "\n");
}

// A model whose program and data folder is dir/data, with the stand-in for the emulator in
// dir/emu printing `output` at once.
inline kelvaro::Model FakeEmulatorModel(const TempDir& dir, const std::string& output, double seconds = 0,
                                        int status = 0) {
    kelvaro::Model m;
    std::filesystem::create_directories(dir.File("data"));
    m.Paths.ProgramFolder = m.Paths.DataFolder = dir.File("data");
    m.Config.MameExePath = FakeEmulator(dir, {output}, seconds, status);
    return m;
}

} // namespace gamelist_test
