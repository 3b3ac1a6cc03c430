// What a user waits for in the window, on the full list: start-up with an existing "mame.dat"
// until the lists are filled, the automatic selection with its progress window, the click on
// the largest native mode, and a refresh of the native mode list. The list is
// $KELVARO_BENCH_DATA/mame.dat (run bench_startup first, it makes it from the emulator's list);
// the default mode list comes from $KELVARO_SOURCE_DIR/data.
#include <QAction>
#include <QApplication>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "../BenchTiming.h"
#include "core/Model.h"
#include "gamelist/NativeModes.h"
#include "ui/Dialogs.h"
#include "ui/frmMain.h"

using namespace kelvaro;
namespace fs = std::filesystem;
using bench::Clock;
using bench::Env;
using bench::MsSince;

namespace {

// Answers Yes to every question, so that each command runs to its end.
class YesDialogs : public Dialogs {
public:
    bool Ask(QWidget*, const QString&, Icon) override { return true; }
    Answer AskOrCancel(QWidget*, const QString&, Icon) override { return Answer::Yes; }
    void Tell(QWidget*, const QString&, Icon) override {}
    std::optional<QString> InputBox(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> OpenFile(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> SaveFile(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString BrowseForFolder(QWidget*, const QString&, const QString&) override { return {}; }
};

} // namespace

int main(int argc, char** argv) {
    if (Env("QT_QPA_PLATFORM").empty()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const fs::path dat = fs::path(Env("KELVARO_BENCH_DATA").empty() ? "/tmp" : Env("KELVARO_BENCH_DATA")) / "mame.dat";
    const fs::path modes =
        fs::path(Env("KELVARO_SOURCE_DIR").empty() ? "." : Env("KELVARO_SOURCE_DIR")) / "data" / "avga9200.txt";
    if (!fs::exists(dat) || !fs::exists(modes)) {
        std::fprintf(stderr, "needs %s (run bench_startup first) and %s\n", dat.c_str(), modes.c_str());
        return 2;
    }
    const fs::path folder = fs::temp_directory_path() / ("kelvaro-window-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::copy_file(dat, folder / "mame.dat");
    fs::copy_file(modes, folder / "avga9200.txt");

    QApplication app(argc, argv);
    Model model;
    model.Paths.ProgramFolder = model.Paths.DataFolder = folder.string();
    YesDialogs dialogs;

    auto t = Clock::now();
    frmMain window(model, dialogs);
    window.Start();
    app.processEvents();
    std::printf("start-up until the lists are filled: %7.1f ms (%d games, %d native modes, %d shown)\n", MsSince(t),
                model.Games.Count(), model.NativeModes.Count(), static_cast<int>(window.ShownGames().size()));

    t = Clock::now();
    window.findChild<QAction*>("mnuAutoSelect")->trigger();
    app.processEvents();
    std::printf("auto-select, progress window included: %7.1f ms\n", MsSince(t));

    int largest = 1;
    size_t most = 0;
    for (int k = 1; k <= model.NativeModes.Count(); ++k) {
        size_t n = GamesOfNativeMode(model, k).size();
        if (n > most) most = n, largest = k;
    }
    t = Clock::now();
    // Selecting the row is the click: the games list follows the selection.
    window.findChild<QTableView*>("lvwMain")->selectRow(largest - 1);
    app.processEvents();
    std::printf("click on the largest native mode:      %7.1f ms (%zu games)\n", MsSince(t), most);

    t = Clock::now();
    window.findChild<QAction*>("mnuRefreshNative")->trigger();
    app.processEvents();
    std::printf("refresh the native mode list:          %7.1f ms\n", MsSince(t));

    fs::remove_all(folder);
    return 0;
}
