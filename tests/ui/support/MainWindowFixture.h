#pragma once
#include <QAction>
#include <QTest>
#include <QMenu>
#include <QTableView>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "core/Model.h"
#include "ui/frmMain.h"

// The model's texts in failure messages.
namespace QTest {
template <>
inline char* toString(const std::string& text) {
    return qstrdup(text.c_str());
}
} // namespace QTest

// One game of a listinfo game list written for a test. A vector game has no size (0 x 0).
struct ListGame {
    ListGame(std::string name, std::string description, std::string orientation, int width, int height,
             std::string refresh, std::string cloneOf = {})
        : Name(std::move(name)), Description(std::move(description)), Orientation(std::move(orientation)),
          Width(width), Height(height), Refresh(std::move(refresh)), CloneOf(std::move(cloneOf)) {}
    std::string Name;
    std::string Description;
    std::string Orientation; // "horizontal" or "vertical"
    int Width, Height;
    std::string Refresh;
    std::string CloneOf;
};

// The games as the emulator's listinfo text, CR LF line ends.
std::string ListInfo(const std::vector<ListGame>& games);

// One line of a mode list: width in columns 1-4, height in 5-8, then the rate ("640 480 60Hz").
std::string ModeLine(int width, int height, const std::string& refresh);

// A mode list file: a heading, then one line per mode ("640 480 60Hz" laid out in its columns).
std::string ModeList(const std::vector<std::string>& modes);

// A program folder in a fresh temporary folder, a model whose paths point into it, scripted
// dialogs and the real main window, with a model tester on each of its lists.
class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();

    TempDir Dir;
    kelvaro::Model Model;
    ScriptedDialogs Dialogs;

    // Files of the program folder, written before Start.
    void WriteGameList(const std::vector<ListGame>& games) const;
    void WriteModeList(const std::vector<std::string>& modes) const; // the default "avga9200.txt"
    void WriteSettings(const kelvaro::Settings& s) const;
    std::string SettingsPath() const { return Model.SettingsFile(); }
    // A folder inside the temporary folder, created.
    std::string MakeFolder(const std::string& name) const;

    // Makes the window and runs its start-up.
    kelvaro::frmMain& Start();
    kelvaro::frmMain& Window() { return *window_; }

    // Runs what opening the menu runs.
    static void Open(QMenu* menu) { emit menu->aboutToShow(); }
    // The display text of a cell.
    static QString Cell(const QTableView* view, int row, int column);
    // The "Mode" column (or any column) of every row.
    static QStringList Column(const QTableView* view, int column);
    static int SelectedRow(const QTableView* view);
    // A mouse click on a row, as a user makes it.
    static void ClickRow(QTableView* view, int row);

private:
    std::unique_ptr<kelvaro::frmMain> window_;
};
