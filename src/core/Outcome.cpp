#include "core/Outcome.h"

namespace kelvaro {

Outcome Outcome::Failure(std::string_view what, std::error_code error) {
    std::string reason(what);
    reason += ": ";
    reason += error ? error.message() : std::string("unknown error");
    return Failure(std::move(reason));
}

Outcome ReadFailure(const std::string& path, std::error_code error) {
    return Outcome::Failure("cannot read " + path, error);
}

Outcome WriteFailure(const std::string& path, std::error_code error) {
    return Outcome::Failure("cannot write " + path, error);
}

} // namespace kelvaro
