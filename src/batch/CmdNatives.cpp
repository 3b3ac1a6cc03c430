#include "batch/BatchCommon.h"

namespace kelvaro::batch {

// Placeholder until the subcommand is built.
int CmdNatives(const Options&) { throw UsageError{"'natives' is not built yet"}; }

} // namespace kelvaro::batch
