#include "cli/Cli.h"

#include <ostream>

namespace lindor::cli {

// Placeholder until the solve mode lands.
int runSolve(CommandContext& ctx) {
    ctx.err << "lindor: --solve is not available in this build\n";
    return kExitFailure;
}

} // namespace lindor::cli
