#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "batch/BatchCommon.h"
#include "gamelist/ListInfoConverter.h"
#include "platform/Files.h"

namespace kelvaro::batch {

// listinfo [--xml FILE] [--out FILE]: the emulator's -listxml in, listinfo text out; standard
// input and output by default. A malformed list ends with status 1: the output has what came
// before the fault, while a file given with --out is left as it was. So does an output that cannot
// be written; an input that cannot be read ends with status 2.
int CmdListinfo(const Options& o) {
    std::FILE* in = stdin;
    if (o.Has("--xml")) {
        in = OpenFile(o.Get("--xml"), "rb");
        if (!in) throw UsageError{"cannot read " + o.Get("--xml") + ": " + std::strerror(errno)};
    }
#ifdef _WIN32
    // The text holds CR LF already; no further translation either way.
    if (in == stdin) _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::unique_ptr<AtomicFile> file;
    if (o.Has("--out")) {
        file = std::make_unique<AtomicFile>(o.Get("--out"));
        if (!file->IsOpen()) {
            if (in != stdin) std::fclose(in);
            std::cerr << "kelvaro-batch: cannot write " << o.Get("--out") << ": " << file->Error().message() << "\n";
            return 1;
        }
    }

    // Why the output or the input failed, once they did.
    std::error_code writeError, readError;
    auto errnoOr = [](std::errc fallback) {
        return errno != 0 ? std::error_code(errno, std::generic_category()) : std::make_error_code(fallback);
    };
    ListInfoConverter converter([&](std::string_view text) {
        if (writeError) return;
        errno = 0;
        if (file ? !file->Write(text) : std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
            writeError = file ? file->Error() : errnoOr(std::errc::io_error);
    });
    std::vector<char> buffer(1 << 20);
    for (;;) {
        errno = 0;
        std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
        bool atEnd = got < buffer.size();
        if (atEnd && std::ferror(in)) readError = errnoOr(std::errc::io_error);
        if (!converter.Feed(buffer.data(), got, atEnd) || writeError || atEnd) break;
    }
    if (in != stdin) std::fclose(in);
    errno = 0;
    if (!file && !writeError && std::fflush(stdout) != 0) writeError = errnoOr(std::errc::io_error);

    // A file (an older game list, say) is replaced only by a whole list.
    const bool inputFailed = readError || converter.Failed();
    if (file && !writeError && !inputFailed && !file->Commit()) writeError = file->Error();
    if (writeError) {
        std::cerr << "kelvaro-batch: cannot write " << (file ? o.Get("--out") : "the output") << ": "
                  << writeError.message() << "\n";
        return 1;
    }
    const std::string kept = file ? "; " + o.Get("--out") + " is unchanged" : "";
    // A folder opens as a file on some systems and fails at the first read.
    if (readError)
        throw UsageError{"cannot read " + (o.Has("--xml") ? o.Get("--xml") : std::string("the input")) + ": " +
                         readError.message() + kept};
    if (converter.Failed()) {
        std::cerr << "kelvaro-batch: malformed XML at " << converter.ErrorText();
        if (file)
            std::cerr << kept << "\n";
        else
            std::cerr << " (" << converter.MachinesWritten() << " games written)\n";
        return 1;
    }
    return 0;
}

} // namespace kelvaro::batch
