#include "batch/BatchCommon.h"

namespace kelvaro::batch {

// Placeholder until the subcommand is built.
int CmdSelect(const Options&) { throw UsageError{"'select' is not built yet"}; }

} // namespace kelvaro::batch
