#include "batch/BatchCommon.h"

namespace kelvaro::batch {

// Placeholder until the subcommand is built.
int CmdGenerate(const Options&) { throw UsageError{"'generate' is not built yet"}; }

} // namespace kelvaro::batch
