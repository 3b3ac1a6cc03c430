#include "gamelist/GameInfoRetrieval.h"

#include <filesystem>
#include <system_error>

#include "gamelist/ListInfoConverter.h"
#include "platform/Files.h"
#include "platform/Process.h"

namespace kelvaro {

namespace {

// Why a run of the emulator failed; success when it ended by itself with status 0.
Outcome RunOutcome(const std::string& program, const ProcessExit& exit) {
    if (exit.Error) return Outcome::Failure("cannot run " + program, exit.Error);
    if (exit.Signal != 0) return Outcome::Failure(program + " was ended by signal " + std::to_string(exit.Signal));
    if (exit.ExitCode != 0) return Outcome::Failure(program + " ended with exit status " + std::to_string(exit.ExitCode));
    return {};
}

} // namespace

Outcome RetrieveGameInfo(Model& m, ProgressSink& progress) {
    const std::string& emulator = m.S.MameExePath;
    if (!FileExists(emulator, false)) return Outcome::Failure("no emulator at \"" + emulator + "\"");
    ProgressScope scope(progress, "Retrieving Game Info from M.A.M.E....", -1);

    const std::string listFile = m.GameListFile();
    std::error_code ec;
    if (!m.Paths.DataFolder.empty()) std::filesystem::create_directories(m.Paths.DataFolder, ec);
    // The old list goes first, whatever happens next: a run that cannot take place leaves an
    // empty list, which the build then reads as "no games" and changes nothing.
    std::filesystem::remove(listFile, ec);
    WriteFileAtomic(listFile, {});

    if (!FileExists(m.MameFolder, true))
        return Outcome::Failure("the emulator's folder \"" + m.MameFolder + "\" does not exist");
    AtomicFile out(listFile);
    if (!out.IsOpen()) return WriteFailure(listFile, out.Error());
    bool writeFailed = false;
    auto write = [&](std::string_view bytes) {
        if (!writeFailed && !out.Write(bytes)) writeFailed = true;
        return !writeFailed;
    };
    auto pump = [&progress] { progress.Pump(); };
    ProcessExit exit;
    std::string listError;
    if (m.S.LegacyMame) {
        exit = RunAndReadOutput(
            emulator, {"-listinfo"}, m.MameFolder,
            [&](const char* data, std::size_t size) { return write({data, size}); }, pump);
    } else {
        ListInfoConverter converter([&](std::string_view text) { write(text); });
        // A list that breaks off (the emulator crashed, or wrote garbage) keeps the games
        // converted before the break, as the emulator's own text output would.
        exit = RunAndReadOutput(
            emulator, {"-listxml"}, m.MameFolder,
            [&](const char* data, std::size_t size) { return converter.Feed(data, size, false) && !writeFailed; },
            pump);
        converter.Feed(nullptr, 0, true);
        if (converter.Failed()) listError = "the emulator's list is malformed at " + converter.ErrorText();
    }
    // A failed write (a full disk) leaves the empty list in place rather than a cut one.
    if (writeFailed || !out.Commit()) return WriteFailure(listFile, out.Error());
    if (Outcome run = RunOutcome(emulator, exit); !run) return run;
    if (!listError.empty()) return Outcome::Failure(listError);
    return {};
}

} // namespace kelvaro
