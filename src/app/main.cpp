#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "files/DataFolder.h"
#include "ui/DesktopApp.h"

namespace {

std::string programDirectory(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path().string();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::string dir = programDirectory(argv[0]);
    if (lindor::cli::isCommandLineMode(args))
        return lindor::cli::run(args, std::cout, std::cerr,
                                lindor::files::dataFolder(dir, "ldrEnglish.lng"));
    return lindor::ui::runDesktop(argc, argv);
}
