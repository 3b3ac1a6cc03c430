#include "MainWindowFixture.h"

#include <QAbstractItemModelTester>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "core/SettingsFile.h"

std::string ListInfo(const std::vector<ListGame>& games) {
    std::string out = "# a game list written for a test\r\n\r\n";
    for (const ListGame& g : games) {
        const bool vertical = g.Orientation == "vertical";
        out += "game (\r\n\tname " + g.Name + "\r\n\tdescription \"" + g.Description + "\"\r\n";
        if (!g.CloneOf.empty()) out += "\tcloneof " + g.CloneOf + "\r\n\tromof " + g.CloneOf + "\r\n";
        out += "\tvideo ( screen ";
        out += g.Width > 0 ? "raster" : "vector";
        out += " orientation " + g.Orientation + " ";
        if (g.Width > 0) out += "x " + std::to_string(g.Width) + " y " + std::to_string(g.Height) + " ";
        out += vertical ? "aspectx 3 aspecty 4 " : "aspectx 4 aspecty 3 ";
        out += "freq " + g.Refresh + " )\r\n)\r\n\r\n";
    }
    return out;
}

std::string ModeLine(int width, int height, const std::string& refresh) {
    char line[64];
    std::snprintf(line, sizeof line, "%4d%4d %sHz", width, height, refresh.c_str());
    return line;
}

std::string ModeList(const std::vector<std::string>& modes) {
    std::string out = "Modes of a card written for a test\r\n";
    for (const std::string& m : modes) out += m + "\r\n";
    return out;
}

MainWindowFixture::MainWindowFixture() {
    Model.Paths.ProgramFolder = Dir.Path();
    Model.Paths.DataFolder = Dir.Path();
}

MainWindowFixture::~MainWindowFixture() = default;

void MainWindowFixture::WriteGameList(const std::vector<ListGame>& games) const {
    Dir.Write("mame.dat", ListInfo(games));
}

void MainWindowFixture::WriteModeList(const std::vector<std::string>& modes) const {
    Dir.Write("avga9200.txt", ModeList(modes));
}

void MainWindowFixture::WriteSettings(const kelvaro::Settings& s) const {
    Dir.Write("kelvaro.cfg", kelvaro::FormatSettingsFile(s));
}

std::string MainWindowFixture::MakeFolder(const std::string& name) const {
    const std::string path = Dir.File(name);
    std::filesystem::create_directories(path);
    return path;
}

kelvaro::frmMain& MainWindowFixture::Start() {
    window_ = std::make_unique<kelvaro::frmMain>(Model, Dialogs);
    for (QTableView* view : {window_->lvwMain, window_->lvwGames, window_->lvwAVGA})
        new QAbstractItemModelTester(view->model(), QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     window_.get());
    window_->Start();
    // Focus goes to an active window only.
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get(), 1000)) qWarning("the main window did not become active");
    return *window_;
}

QString MainWindowFixture::Cell(const QTableView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
}

QStringList MainWindowFixture::Column(const QTableView* view, int column) {
    QStringList cells;
    for (int r = 0; r < view->model()->rowCount(); ++r) cells << Cell(view, r, column);
    return cells;
}

int MainWindowFixture::SelectedRow(const QTableView* view) {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.constFirst().row() : -1;
}

void MainWindowFixture::ClickRow(QTableView* view, int row) {
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}
