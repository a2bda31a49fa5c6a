#include "cli/Cli.h"

#include <ostream>

namespace lindor::cli {

// Placeholder until the export mode lands.
int runExport(CommandContext& ctx) {
    ctx.err << "lindor: --export is not available in this build\n";
    return kExitFailure;
}

} // namespace lindor::cli
