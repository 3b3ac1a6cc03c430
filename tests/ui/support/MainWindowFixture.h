#pragma once
#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <functional>
#include <memory>

#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "core/Model.h"
#include "core/SettingsFile.h"
#include "ui/frmMain.h"

// The model's texts in failure messages.
namespace QTest {
template <>
inline char* toString(const std::string& text) {
    return qstrdup(text.c_str());
}
} // namespace QTest

// One game of a listinfo game list written for a test; a vector game has the size 0 x 0.
struct ListGame {
    std::string Name, Description, Orientation; // "horizontal" or "vertical"
    int Width, Height;
    std::string Refresh, CloneOf;
};

// One line of a mode list, width in columns 1-4 and height in 5-8: "640 480 60Hz".
std::string ModeLine(int width, int height, const std::string& refresh);
// A mode list file: a heading, then the lines.
std::string ModeList(const std::vector<std::string>& lines);

// A program folder in a fresh temporary folder, a model whose paths point into it, scripted
// dialogs, and the real main window with a model tester on each of its lists.
class MainWindowFixture {
public:
    // The sample's native modes in list order: Asteroids' (vector), Pac-Man's, Galaga's (Galaga,
    // Ms. Pac-Man and Galaga's clone Gallag), Out Run's.
    static constexpr int kGalagaMode = 2, kOutRunMode = 3;

    MainWindowFixture() { Model.Paths.ProgramFolder = Model.Paths.DataFolder = Dir.Path(); }

    TempDir Dir;
    kelvaro::Model Model;
    ScriptedDialogs Dialogs;
    const std::string Ini = Dir.File("ini"); // the sample's INI folder

    // Files of the program folder, written before Start: "mame.dat", "avga9200.txt", "kelvaro.cfg".
    void WriteGameList(const std::vector<ListGame>& games) const;
    void WriteModeList(const std::vector<std::string>& lines) const { Dir.Write("avga9200.txt", ModeList(lines)); }
    void WriteSettings(const kelvaro::Settings& s) const { Dir.Write("kelvaro.cfg", kelvaro::FormatSettingsFile(s)); }
    std::string MakeFolder(const std::string& name) const { // created inside the temporary folder
        std::filesystem::create_directories(Dir.File(name));
        return Dir.File(name);
    }

    // Makes a new window and runs its start-up.
    kelvaro::frmMain& Start();
    // Starts on the sample: six games, the modes 288 x 224, 320 x 224 and 320 x 240 at 60 Hz and
    // 256 x 224 at 57 Hz, and an empty INI folder, both named in the settings `s`.
    kelvaro::frmMain& StartSample(kelvaro::Settings s = {});

    // Runs what opening the menu runs.
    static void Open(QMenu* menu) { emit menu->aboutToShow(); }
    static QString Cell(const QTableView* view, int row, int column) {
        return view->model()->index(row, column).data().toString();
    }
    static QStringList Column(const QTableView* view, int column) {
        QStringList cells;
        for (int r = 0; r < view->model()->rowCount(); ++r) cells << Cell(view, r, column);
        return cells;
    }
    // The selected row; -1 unless exactly one row is selected.
    static int SelectedRow(const QTableView* view) {
        const QModelIndexList rows = view->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.constFirst().row() : -1;
    }
    // A mouse click on a row, as a user makes it.
    static void ClickRow(QTableView* view, int row, bool twice = false) {
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        twice ? QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at)
              : QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    // The checked items of a group of menu items.
    template <size_t N>
    static QList<int> Checked(QAction* const (&items)[N]) {
        QList<int> on;
        for (size_t i = 0; i < N; ++i)
            if (items[i]->isChecked()) on << int(i);
        return on;
    }

private:
    std::unique_ptr<kelvaro::frmMain> window_;
};

// Answers the next modal dialog of type T from inside its event loop; `met` tells whether one
// showed. Nothing is answered once the object is gone.
template <class T>
class AnswerModal {
public:
    explicit AnswerModal(std::function<void(T&)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                timer_.stop();
                met = true;
                answer_(*dialog);
            }
        });
        timer_.start(0);
    }
    bool met = false;

private:
    std::function<void(T&)> answer_;
    QTimer timer_;
};
