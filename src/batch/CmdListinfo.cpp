#include "batch/BatchCommon.h"

namespace kelvaro::batch {

// Placeholder until the subcommand is built.
int CmdListinfo(const Options&) { throw UsageError{"'listinfo' is not built yet"}; }

} // namespace kelvaro::batch
