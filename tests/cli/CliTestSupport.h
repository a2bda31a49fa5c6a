// Runs a command-line mode in process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace lindor::cli::testing {

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

// `lindor <mode> <args...>` with the language files of `programDir`.
inline Outcome runMode(const std::string& mode, const std::vector<std::string>& args,
                       const std::string& programDir = LINDOR_DATA_DIR) {
    std::vector<std::string> all{mode};
    all.insert(all.end(), args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    Outcome o;
    o.code = run(all, out, err, programDir);
    o.out = out.str();
    o.err = err.str();
    return o;
}

} // namespace lindor::cli::testing
