#include "core/FileNames.h"

#include "core/Text.h"
#include "platform/Paths.h"

namespace kelvaro {

std::string EmulatorFileName(std::string_view romName, std::string_view extension) {
    std::string name(romName);
    name += extension;
    // The emulator spells its file names in lower case; a case-sensitive file system needs the
    // same spelling for it to find them.
    return kCaseSensitiveFileNames ? AsciiLowerCase(name) : name;
}

} // namespace kelvaro
