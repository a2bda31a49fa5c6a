#include "cli/Cli.h"

#include <ostream>

namespace lindor::cli {

// Placeholder until the table mode lands.
int runTable(CommandContext& ctx) {
    ctx.err << "lindor: --table is not available in this build\n";
    return kExitFailure;
}

} // namespace lindor::cli
