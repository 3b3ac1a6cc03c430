#include <iostream>

#include "batch/BatchCommon.h"
#include "core/TextNumbers.h"
#include "modes/ModeListImport.h"
#include "platform/Files.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace kelvaro::batch {

// import-modes [FILE|-] [--out FILE] [--output-name NAME] [--rate R]: a mode list in Kelvaro's
// format from xrandr's output, modelines or mode names; standard input and output by default.
// The notes go to stderr; no mode at all gives status 1 and no file, as does a file that cannot
// be written; an input that cannot be read gives status 2.
int CmdImportModes(const Options& o) {
    const std::string in = o.operands.empty() ? "-" : o.operands.front();
    ImportOptions options;
    options.OutputName = o.Get("--output-name");
    if (o.Has("--rate")) {
        const std::optional<double> rate = WholeNumber(o.Get("--rate"));
        if (!rate || *rate < 0.5 || *rate >= 99.5)
            throw UsageError{"--rate needs a rate of 1 to 99 Hz, got '" + o.Get("--rate") + "'"};
        options.Rate = *rate;
    }

    std::string text;
    std::string origin = in;
    if (in == "-") {
#ifdef _WIN32
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        std::error_code error;
        const std::optional<std::string> bytes = ReadStandardInput(&error);
        if (!bytes) throw UsageError{"cannot read standard input: " + error.message()};
        text = *bytes;
        origin = "standard input";
    } else {
        std::error_code error;
        const std::optional<std::string> bytes = ReadWholeFile(in, &error);
        if (!bytes) throw UsageError{ReadFailure(in, error).Reason()};
        text = *bytes;
    }

    const ModeImport import = ImportModeList(text, options);
    for (const ImportNote& note : import.Notes) std::cerr << origin << ": " << NoteText(note) << "\n";
    if (import.Modes.empty()) return 1;
    const std::string list = FormatModeList(import, origin);
    if (!o.Has("--out")) {
        std::cout << list;
        return 0;
    }
    std::error_code error;
    if (!WriteFileAtomic(o.Get("--out"), list, &error)) {
        std::cerr << "kelvaro-batch: cannot write " << o.Get("--out") << ": " << error.message() << "\n";
        return 1;
    }
    return 0;
}

} // namespace kelvaro::batch
