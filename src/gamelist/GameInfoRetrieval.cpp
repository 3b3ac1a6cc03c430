#include "gamelist/GameInfoRetrieval.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

#include "gamelist/GameListParser.h"
#include "gamelist/ListInfoConverter.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace kelvaro {

namespace {

// Why a run of the emulator failed; success when it ended by itself with status 0.
Outcome RunOutcome(const std::string& program, const ProcessExit& exit) {
    if (exit.Error) return Outcome::Failure("M.A.M.E. (" + program + ") could not be started", exit.Error);
    if (exit.Signal != 0) return Outcome::Failure("M.A.M.E. was ended by signal " + std::to_string(exit.Signal));
    if (exit.ExitCode != 0) return Outcome::Failure("M.A.M.E. ended with status " + std::to_string(exit.ExitCode));
    return {};
}

std::string Duration(std::chrono::milliseconds time) {
    const long long ms = time.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " seconds" : std::to_string(ms) + " ms";
}

} // namespace

Outcome RetrieveGameInfo(Model& m, ProgressSink& progress, std::chrono::milliseconds quietLimit) {
    const std::string& emulator = m.Config.MameExePath;
    if (!FileExists(emulator, false)) return Outcome::Failure("no emulator at \"" + emulator + "\"");
    const std::string listFile = m.GameListFile();
    // The games written so far are counted against the previous list's games; without a previous
    // list the count runs on its own.
    const std::optional<int> previous = FileExists(listFile, false) ? CountGamesInFile(listFile) : std::nullopt;
    ProgressScope scope(progress, "Retrieving Game Info from M.A.M.E....",
                        previous && *previous > 0 ? *previous : kRunningCount);

    std::error_code ec;
    if (!m.Paths.DataFolder.empty()) std::filesystem::create_directories(FsPath(m.Paths.DataFolder), ec);
    const std::string folder = m.MameFolder();
    if (!FileExists(folder, true)) return Outcome::Failure("the emulator's folder \"" + folder + "\" does not exist");
    // The new list takes the old one's place only when it is whole; until then the old list stays,
    // and the temporary file goes when anything fails.
    AtomicFile out(listFile, DeviceWrites::Refused); // a FIFO there would hold the run until someone reads it
    if (!out.IsOpen()) return WriteFailure(listFile, out.Error());
    bool writeFailed = false, wroteAny = false;
    auto write = [&](std::string_view bytes) {
        wroteAny = wroteAny || !bytes.empty();
        if (!writeFailed && !out.Write(bytes)) writeFailed = true;
        return !writeFailed;
    };
    // Silence from the emulator for quietLimit offers to end it; any output takes the offer back.
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastOutput = Clock::now();
    bool offered = false;
    const std::string quiet = Duration(quietLimit);
    auto heard = [&] {
        lastOutput = Clock::now();
        if (offered) progress.OfferEnd({}, {});
        offered = false;
    };
    auto pump = [&] {
        if (!offered && quietLimit > std::chrono::milliseconds::zero() && Clock::now() - lastOutput >= quietLimit) {
            progress.OfferEnd("M.A.M.E. has written nothing for " + quiet + ".", "End the Emulator");
            offered = true;
        }
        progress.Pump();
    };
    const std::function<bool()> endRequested = [&progress] { return progress.EndRequested(); };
    ProcessExit exit;
    std::string listError;
    int gamesWritten = 0;
    if (m.Config.LegacyMame) {
        GameCounter games;
        exit = RunAndReadOutput(
            emulator, {"-listinfo"}, folder,
            [&](const char* data, std::size_t size) {
                heard();
                games.Feed({data, size});
                progress.Step(games.Count());
                return write({data, size});
            },
            pump, {}, endRequested);
        gamesWritten = games.Count();
    } else {
        ListInfoConverter converter([&](std::string_view text) { write(text); });
        exit = RunAndReadOutput(
            emulator, {"-listxml"}, folder,
            [&](const char* data, std::size_t size) {
                heard();
                const bool fed = converter.Feed(data, size, false);
                progress.Step(converter.MachinesWritten());
                return fed && !writeFailed;
            },
            pump, {}, endRequested);
        converter.Feed(nullptr, 0, true);
        if (converter.Failed()) listError = "M.A.M.E. wrote malformed XML at " + converter.ErrorText();
        gamesWritten = converter.MachinesWritten();
    }
    if (writeFailed) return WriteFailure(listFile, out.Error());
    if (exit.EndedOnRequest)
        return Outcome::Failure("M.A.M.E. was ended on request after it had written nothing for " + quiet);
    if (Outcome run = RunOutcome(emulator, exit); !run) return run;
    if (!listError.empty()) return Outcome::Failure(listError);
    // Text output has no end mark to check; nothing at all is no list.
    if (m.Config.LegacyMame && !wroteAny) return Outcome::Failure("M.A.M.E. wrote no game list");
    // A list without a single game would leave the user with nothing to work on: the previous
    // list is worth more.
    if (gamesWritten == 0)
        return Outcome::Failure(m.Config.LegacyMame ? "M.A.M.E.'s game list holds no game"
                                                    : "M.A.M.E.'s game list holds no game with a screen");
    if (!out.Commit()) return WriteFailure(listFile, out.Error());
    return {};
}

} // namespace kelvaro
