#include "cli/Cli.h"

#include <ostream>

namespace lindor::cli {

// Placeholder until the eval mode lands.
int runEval(CommandContext& ctx) {
    ctx.err << "lindor: --eval is not available in this build\n";
    return kExitFailure;
}

} // namespace lindor::cli
