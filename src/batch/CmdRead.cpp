#include "batch/BatchCommon.h"

namespace kelvaro::batch {

// Placeholder until the subcommand is built.
int CmdRead(const Options&) { throw UsageError{"'read' is not built yet"}; }

} // namespace kelvaro::batch
