#include "gamelist/GameInfoRetrieval.h"

#include <filesystem>
#include <system_error>

#include "gamelist/ListInfoConverter.h"
#include "platform/Files.h"
#include "platform/Process.h"

namespace kelvaro {

void RetrieveGameInfo(Model& m, ProgressSink& progress) {
    if (!FileExists(m.S.MameExePath, false)) return;
    progress.Begin("Retrieving Game Info from M.A.M.E....", -1);

    const std::string listFile = m.GameListFile();
    std::error_code ec;
    if (!m.Paths.DataFolder.empty()) std::filesystem::create_directories(m.Paths.DataFolder, ec);
    // The old list goes first, whatever happens next: a run that cannot take place leaves an
    // empty list, which the build then reads as "no games" and changes nothing.
    std::filesystem::remove(listFile, ec);
    WriteFileAtomic(listFile, {});

    if (FileExists(m.MameFolder, true)) {
        AtomicFile out(listFile);
        if (out.IsOpen()) {
            bool writeFailed = false;
            auto write = [&](std::string_view bytes) {
                if (!writeFailed && !out.Write(bytes)) writeFailed = true;
                return !writeFailed;
            };
            auto pump = [&progress] { progress.Pump(); };
            if (m.S.LegacyMame) {
                RunAndReadOutput(
                    m.S.MameExePath, {"-listinfo"}, m.MameFolder,
                    [&](const char* data, std::size_t size) { return write({data, size}); }, pump);
            } else {
                ListInfoConverter converter([&](std::string_view text) { write(text); });
                // A list that breaks off (the emulator crashed, or wrote garbage) keeps the games
                // converted before the break, as the emulator's own text output would.
                RunAndReadOutput(
                    m.S.MameExePath, {"-listxml"}, m.MameFolder,
                    [&](const char* data, std::size_t size) {
                        return converter.Feed(data, size, false) && !writeFailed;
                    },
                    pump);
                converter.Feed(nullptr, 0, true);
            }
            // A failed write (a full disk) leaves the empty list in place rather than a cut one.
            if (!writeFailed) out.Commit();
        }
    }
    progress.End();
}

} // namespace kelvaro
