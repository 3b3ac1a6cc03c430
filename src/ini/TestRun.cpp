#include "ini/TestRun.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/FileNames.h"
#include "ini/IniFiles.h"
#include "platform/Files.h"
#include "platform/FolderLock.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace kelvaro {

namespace {

namespace fs = std::filesystem;

// How much of each of the emulator's outputs is kept: what it says about its INI files and ROMs
// comes at its start.
constexpr std::size_t kKeptOutput = 1 << 20;

// Moves an entry; a failure says why.
Outcome RenameEntry(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(fs::path(from), fs::path(to), ec);
    if (ec) return Outcome::Failure("cannot rename " + from + " to " + to, ec);
    return {};
}

bool EntryExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(fs::path(path), ec));
}

// NAME.bak, or the first of NAME.bak1, NAME.bak2, ... that is free, so that a backup left by an
// interrupted test (or the user's own file of that name) is never replaced.
std::string FreeBackupPath(const std::string& folder, const std::string& romName) {
    std::string base = JoinPath(folder, EmulatorFileName(romName, ".bak"));
    if (!EntryExists(base)) return base;
    for (int n = 1;; ++n) {
        std::string candidate = base + std::to_string(n);
        if (!EntryExists(candidate)) return candidate;
    }
}

// A run that stopped before the emulator was started.
TestRunResult NotRun(TestRunOutcome status, Outcome why) {
    TestRunResult result;
    result.Status = status;
    result.Why = std::move(why);
    return result;
}

} // namespace

TestRunResult TestRunGame(Model& m, int gameRow, const std::function<void()>& pump,
                          std::chrono::milliseconds lockWait) {
    if (!FileExists(m.Config.MameExePath, false))
        return NotRun(TestRunOutcome::NoEmulator, Outcome::Failure("no emulator at \"" + m.Config.MameExePath + "\""));
    if (gameRow < 1 || gameRow > m.Games.Count())
        return NotRun(TestRunOutcome::NotPrepared, Outcome::Failure("no game " + std::to_string(gameRow)));
    const GameRow& game = m.Games[gameRow];
    const std::string iniPath = IniFilePath(m, game.GameRomName);
    if (iniPath.empty()) return NotRun(TestRunOutcome::NotPrepared, WhyNoIniFilePath(m, game.GameRomName));
    // A generation running meanwhile would replace the game's file or its backup.
    FolderLock lock(m.Config.MameINIPath, lockWait, pump);
    if (lock.Busy()) return NotRun(TestRunOutcome::FolderInUse, Outcome::Failure(IniFolderInUse(lock.Holder())));

    std::string backupPath;
    if (FileExists(iniPath, false)) {
        backupPath = FreeBackupPath(m.Config.MameINIPath, game.GameRomName);
        // A folder where nothing may be renamed cannot take the temporary file either.
        if (Outcome moved = RenameEntry(iniPath, backupPath); !moved) return NotRun(TestRunOutcome::NotPrepared, moved);
    }
    // A device or FIFO of the game's name is no INI file: it is left alone, and nothing runs.
    std::error_code error;
    if (!WriteFileAtomic(iniPath, IniFileBytes(game.GameINIText), &error, DeviceWrites::Refused)) {
        Outcome why = WriteFailure(iniPath, error);
        if (!backupPath.empty()) {
            if (Outcome restored = RenameEntry(backupPath, iniPath); !restored)
                why = Outcome::Failure(why.Reason() + "; " + restored.Reason());
        }
        return NotRun(TestRunOutcome::NotPrepared, why);
    }

    const std::string workingFolder = m.MameFolder();
    // The emulator is given the game's name as it spells it itself.
    TestRunResult result;
    auto keep = [](std::string& to) {
        return [&to](const char* data, std::size_t size) {
            to.append(data, std::min(size, kKeptOutput - std::min(kKeptOutput, to.size())));
        };
    };
    result.Exit = RunAndReadBothOutputs(m.Config.MameExePath, {EmulatorFileName(game.GameRomName, ""), "-verbose"},
                                        workingFolder, true, keep(result.Output), keep(result.Errors), pump);
    if (result.Exit.Error) result.Why = Outcome::Failure("cannot run " + m.Config.MameExePath, result.Exit.Error);
    std::error_code ec;
    fs::remove(fs::path(iniPath), ec);
    if (ec && result.Why) result.Why = Outcome::Failure("cannot remove " + iniPath, ec);
    if (!backupPath.empty()) {
        if (Outcome restored = RenameEntry(backupPath, iniPath); !restored && result.Why) result.Why = restored;
    }
    return result;
}

} // namespace kelvaro
