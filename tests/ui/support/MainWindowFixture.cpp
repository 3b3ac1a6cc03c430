#include "MainWindowFixture.h"

#include <QAbstractItemModelTester>
#include <cstdio>

std::string ModeLine(int width, int height, const std::string& refresh) {
    char line[64];
    std::snprintf(line, sizeof line, "%4d%4d %sHz", width, height, refresh.c_str());
    return line;
}

std::string ModeList(const std::vector<std::string>& lines) {
    std::string out = "Modes of a card written for a test\r\n";
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

void MainWindowFixture::WriteGameList(const std::vector<ListGame>& games) const {
    std::string out = "# a game list written for a test\r\n\r\n";
    for (const ListGame& g : games) {
        out += "game (\r\n\tname " + g.Name + "\r\n\tdescription \"" + g.Description + "\"\r\n";
        if (!g.CloneOf.empty()) out += "\tcloneof " + g.CloneOf + "\r\n\tromof " + g.CloneOf + "\r\n";
        out += std::string("\tvideo ( screen ") + (g.Width > 0 ? "raster" : "vector") + " orientation " +
               g.Orientation + " ";
        if (g.Width > 0) out += "x " + std::to_string(g.Width) + " y " + std::to_string(g.Height) + " ";
        out += "freq " + g.Refresh + " )\r\n)\r\n\r\n";
    }
    Dir.Write("mame.dat", out);
}

kelvaro::frmMain& MainWindowFixture::Start() {
    window_ = std::make_unique<kelvaro::frmMain>(Model, Dialogs);
    window_->SetEmulatorPlaces(Places);
    for (const char* list : {"lvwMain", "lvwGames", "lvwAVGA"})
        new QAbstractItemModelTester(List(list)->model(), QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     window_.get());
    window_->Start();
    // Focus goes to an active window only.
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get(), 1000)) qWarning("the main window did not become active");
    return *window_;
}

kelvaro::frmMain& MainWindowFixture::StartSample(kelvaro::Settings s) {
    WriteGameList({{"galaga", "Galaga (Namco rev. B)", "vertical", 224, 288, "60.606061", ""},
                   {"mspacman", "Ms. Pac-Man", "vertical", 224, 288, "60.606061", ""},
                   {"gallag", "Gallag", "vertical", 224, 288, "60.606061", "galaga"},
                   {"pacman", "Pac-Man (Midway)", "vertical", 224, 256, "60.606061", ""},
                   {"outrun", "Out Run (sitdown/upright, Rev B)", "horizontal", 320, 224, "60.054389", ""},
                   {"asteroid", "Asteroids (rev 4)", "horizontal", 0, 0, "60.000000", ""}});
    WriteModeList(
        {ModeLine(288, 224, "60"), ModeLine(320, 224, "60"), ModeLine(320, 240, "60"), ModeLine(256, 224, "57")});
    s.ModeListFile = Dir.File("avga9200.txt");
    s.MameINIPath = MakeFolder("ini");
    WriteSettings(s);
    return Start();
}
