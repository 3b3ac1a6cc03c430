#include "batch/BatchCommon.h"

namespace kelvaro::batch {

// Placeholder until the subcommand is built.
int CmdModes(const Options&) { throw UsageError{"'modes' is not built yet"}; }

} // namespace kelvaro::batch
