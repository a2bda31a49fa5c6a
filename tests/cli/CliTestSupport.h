// Runs a command-line mode in process and keeps what it printed.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <sys/wait.h>
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

// Runs `command` in the shell; `out` holds what it printed on the streams the command
// sends to its standard output, `code` its exit status (-1 when it did not exit).
inline Outcome runShell(const std::string& command) {
    Outcome o;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return o;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        o.out += buffer;
    const int status = pclose(pipe);
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

// The built program, quoted for the shell.
inline std::string program() {
    return std::string("'") + LINDOR_EXE + "'";
}

} // namespace lindor::cli::testing
