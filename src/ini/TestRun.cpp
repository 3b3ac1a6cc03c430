#include "ini/TestRun.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/FileNames.h"
#include "ini/IniFiles.h"
#include "ini/TestRunRecord.h"
#include "platform/Files.h"
#include "platform/FolderLock.h"
#include "platform/Interrupts.h"
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
    fs::rename(FsPath(from), FsPath(to), ec);
    if (ec) return Outcome::Failure("cannot rename " + from + " to " + to, ec);
    return {};
}

bool EntryExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(FsPath(path), ec));
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

    const std::string& folder = m.Config.MameINIPath;
    // What an earlier run that was ended meanwhile left is put right first.
    std::string restoredFirst = RestoreLeftTestRun(folder);
    auto notRun = [&restoredFirst](TestRunOutcome status, Outcome why) {
        TestRunResult result = NotRun(status, std::move(why));
        result.RestoredFirst = std::move(restoredFirst);
        return result;
    };

    const std::string fileName = PathText(FsPath(iniPath).filename());
    const std::string bytes = IniFileBytes(game.GameINIText);
    std::string backupPath;
    if (FileExists(iniPath, false)) backupPath = FreeBackupPath(folder, game.GameRomName);
    const std::string backupName = backupPath.empty() ? std::string() : PathText(FsPath(backupPath).filename());
    // A folder where the record cannot be written cannot take the temporary file either.
    if (Outcome noted = NoteTestRun(folder, fileName, backupName, bytes); !noted)
        return notRun(TestRunOutcome::NotPrepared, noted);
    if (!backupPath.empty()) {
        if (Outcome moved = RenameEntry(iniPath, backupPath); !moved) {
            ForgetTestRun(folder);
            return notRun(TestRunOutcome::NotPrepared, moved);
        }
    }
    // A device or FIFO of the game's name is no INI file: it is left alone, and nothing runs.
    std::error_code error;
    if (!WriteFileAtomic(iniPath, bytes, &error, DeviceWrites::Refused)) {
        Outcome why = WriteFailure(iniPath, error);
        Outcome restored;
        if (!backupPath.empty()) restored = RenameEntry(backupPath, iniPath);
        if (restored)
            ForgetTestRun(folder);
        else
            why = Outcome::Failure(why.Reason() + "; " + restored.Reason());
        return notRun(TestRunOutcome::NotPrepared, why);
    }
    // Ended by a signal while the emulator runs, the program puts the user's file back first.
    InterruptRestore onInterrupt(folder, fileName, backupName, kTestRunRecordName);

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
    onInterrupt.Disarm();
    result.RestoredFirst = std::move(restoredFirst);
    Outcome restored;
    std::error_code ec;
    fs::remove(FsPath(iniPath), ec);
    if (ec)
        restored = Outcome::Failure("cannot remove " + iniPath, ec);
    else if (!backupPath.empty())
        restored = RenameEntry(backupPath, iniPath);
    if (restored)
        ForgetTestRun(folder);
    else if (result.Why)
        result.Why = restored;
    return result;
}

} // namespace kelvaro
