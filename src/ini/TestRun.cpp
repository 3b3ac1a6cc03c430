#include "ini/TestRun.h"

#include <filesystem>
#include <system_error>

#include "core/FileNames.h"
#include "ini/IniFiles.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace kelvaro {

namespace {

namespace fs = std::filesystem;

bool RenameEntry(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(fs::path(from), fs::path(to), ec);
    return !ec;
}

bool EntryExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(fs::path(path), ec));
}

// NAME.bak, or the first of NAME.bak1, NAME.bak2, ... that is free, so that a backup left by an
// interrupted test (or the user's own file of that name) is never replaced.
std::string FreeBackupPath(const std::string& folder, const std::string& romName) {
    const std::string base = JoinPath(folder, EmulatorFileName(romName, ".bak"));
    if (!EntryExists(base)) return base;
    for (int n = 1;; ++n) {
        std::string candidate = base + std::to_string(n);
        if (!EntryExists(candidate)) return candidate;
    }
}

} // namespace

TestRunOutcome TestRunGame(Model& m, int g, const std::function<void()>& pump) {
    if (!FileExists(m.S.MameExePath, false)) return TestRunOutcome::NoEmulator;
    if (g < 1 || g > m.Games.Count()) return TestRunOutcome::NotPrepared;
    const GameRow& game = m.Games[g];
    const std::string iniPath = IniFilePath(m, game.GameRomName);
    if (iniPath.empty()) return TestRunOutcome::NotPrepared;

    std::string backupPath;
    if (FileExists(iniPath, false)) {
        backupPath = FreeBackupPath(m.S.MameINIPath, game.GameRomName);
        // A folder where nothing may be renamed cannot take the temporary file either.
        if (!RenameEntry(iniPath, backupPath)) return TestRunOutcome::NotPrepared;
    }
    if (!WriteFileAtomic(iniPath, IniFileBytes(game.GameINIText))) {
        if (!backupPath.empty()) RenameEntry(backupPath, iniPath);
        return TestRunOutcome::NotPrepared;
    }

    std::string workingFolder = m.MameFolder.empty() ? FolderOfFile(m.S.MameExePath) : m.MameFolder;
    // The emulator is given the game's name as it spells it itself; its exit code does not matter.
    ShellAndWait(m.S.MameExePath, {EmulatorFileName(game.GameRomName, "")}, workingFolder, true, pump);

    std::error_code ec;
    fs::remove(fs::path(iniPath), ec);
    if (!backupPath.empty()) RenameEntry(backupPath, iniPath);
    return TestRunOutcome::Ran;
}

} // namespace kelvaro
