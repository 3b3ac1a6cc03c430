#pragma once
#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>

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

// The one child of `parent`, at any depth, of type T and named `name`. None, or more than one,
// fails the running test, so a mistyped or ambiguous name never passes unnoticed; the test
// cannot go on without its widget, and Qt Test ends the program on the exception.
template <class T>
T* Child(const QObject& parent, const QString& name) {
    const QList<T*> found = parent.findChildren<T*>(name);
    if (found.size() == 1) return found.constFirst();
    const QString what = QString("%1 %2 named %3").arg(found.size()).arg(T::staticMetaObject.className(), name);
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
    throw std::runtime_error(what.toStdString());
}
inline QAbstractButton* Button(const QObject& in, const QString& name) { return Child<QAbstractButton>(in, name); }

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
    // Where a start without an emulator looks for one: nowhere unless a test says.
    kelvaro::EmulatorPlaces Places;

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

    // The window's controls by name; an item of a group is named by the group and its index.
    template <class T = QWidget>
    T* Find(const QString& name) const {
        return Child<T>(*window_, name);
    }
    QTableView* List(const QString& name) const { return Find<QTableView>(name); }
    QAbstractButton* Button(const QString& name) const { return ::Button(*window_, name); }
    QAction* Item(const QString& name) const { return Find<QAction>(name); }
    QAction* Item(const QString& group, int index) const { return Item(group + "_" + QString::number(index)); }
    // The checked items of a group of menu items.
    QList<int> Checked(const QString& group, int items) const {
        QList<int> on;
        for (int i = 0; i < items; ++i)
            if (Item(group, i)->isChecked()) on << i;
        return on;
    }
    // Runs what opening the menu runs.
    void Open(const QString& menu) const { emit Find<QMenu>(menu)->aboutToShow(); }

    QString Cell(const QString& list, int row, int column) const {
        return List(list)->model()->index(row, column).data().toString();
    }
    QStringList Column(const QString& list, int column) const {
        QStringList cells;
        for (int r = 0; r < List(list)->model()->rowCount(); ++r) cells << Cell(list, r, column);
        return cells;
    }
    // The selected row; -1 unless exactly one row is selected.
    int SelectedRow(const QString& list) const {
        const QModelIndexList rows = List(list)->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.constFirst().row() : -1;
    }
    // A mouse click on a row, as a user makes it.
    void ClickRow(const QString& list, int row, bool twice = false, Qt::KeyboardModifiers keys = {}) const {
        QTableView* view = List(list);
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        twice ? QTest::mouseDClick(view->viewport(), Qt::LeftButton, keys, at)
              : QTest::mouseClick(view->viewport(), Qt::LeftButton, keys, at);
    }

private:
    std::unique_ptr<kelvaro::frmMain> window_;
};

// Answers the next modal dialog of type T from inside its event loop; `met` tells whether one
// showed. Nothing is answered once the object is gone.
template <class T>
class AnswerModal {
public:
    explicit AnswerModal(std::function<void(T&)> answer) {
        QObject::connect(&timer_, &QTimer::timeout, [this, answer = std::move(answer)] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                timer_.stop();
                met = true;
                answer(*dialog);
            }
        });
        timer_.start(0);
    }
    bool met = false;

private:
    QTimer timer_;
};
