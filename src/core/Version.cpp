#include "core/Version.h"

namespace kelvaro {

std::string VersionText() {
    return "Kelvaro " + std::to_string(KELVARO_VERSION_MAJOR) + "." + std::to_string(KELVARO_VERSION_MINOR) + "." +
           std::to_string(KELVARO_VERSION_PATCH);
}

} // namespace kelvaro
