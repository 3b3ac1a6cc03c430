// The emulator's configuration as the setup check reads it, on any bytes: the answer to
// -showconfig, then (after the first zero byte) the answer to -noreadconfig -showconfig. Every
// option read has a name without blanks; each INI and ROM folder is absolute and in normal form;
// setting an option line in the text changes that option alone, and reading it back gives the
// value set.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "emulator/EmulatorOptions.h"
#include "emulator/IniSearch.h"
#include "emulator/OptionFix.h"

using namespace kelvaro;

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

void CheckNames(const OptionValues& options) {
    for (const auto& [name, value] : options) {
        FUZZ_CHECK(!name.empty() && name.front() != '#');
        for (char c : name) FUZZ_CHECK(!Blank(c) && c != '\r' && c != '\n');
        for (char c : value) FUZZ_CHECK(c != '\r' && c != '\n');
    }
}

void CheckFolders(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        FUZZ_CHECK(!folder.empty() && folder.front() == '/');
        FUZZ_CHECK(folder.size() == 1 || folder.back() != '/');
        FUZZ_CHECK(folder.find("/./") == std::string::npos && folder.find("/../") == std::string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // "~" and $HOME in the folders expand alike on every run.
    setenv("HOME", "/home/fuzz", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = bytes.find('\0');
    const std::string_view showConfig = bytes.substr(0, zero);
    const std::string_view builtIn = zero == std::string_view::npos ? std::string_view() : bytes.substr(zero + 1);

    const OptionValues options = ReadOptionLines(showConfig);
    CheckNames(options);
    CheckNames(ReadOptionLines(builtIn));
    (void)ModeAndRotationLines(options);
    (void)SourceOfGame(showConfig, "pacman");

    // The value of one option set in the text; the option and the value vary with the last byte.
    static const char* const kOptions[] = {"switchres", "inipath", "readconfig", "resolution"};
    static const char* const kValues[] = {"1", "0", "$HOME/.mame;/etc/mame", "640x480@60"};
    const unsigned pick = size > 0 ? data[size - 1] : 0;
    const std::string option = kOptions[pick % 4], value = kValues[(pick / 4) % 4];
    const OptionValues changed = ReadOptionLines(SetOptionLine(showConfig, option, value));
    auto it = changed.find(option);
    FUZZ_CHECK(it != changed.end() && it->second == value);
    for (const auto& [name, before] : options) {
        if (name == option) continue;
        auto after = changed.find(name);
        FUZZ_CHECK(after != changed.end() && after->second == before);
    }
    FUZZ_CHECK(changed.size() == options.size() + (options.count(option) ? 0 : 1));

    const Result<EmulatorOptions> read = ReadEmulatorOptions(showConfig, builtIn, "/nonexistent-kelvaro-fuzz/work");
    FUZZ_CHECK(static_cast<bool>(read) == (options.count("inipath") != 0));
    if (read) {
        CheckFolders(read->IniFolders);
        CheckFolders(read->RomFolders);
        CheckFolders(read->BuiltInIniFolders);
        CheckFolders(read->MameIniFolders);
    }
    return 0;
}
