#include <string>
#include <vector>

#include "cli/Cli.h"
#include "ui/DesktopApp.h"

int main(int argc, char** argv) {
    // A mode option (--eval, --table, --export, --solve), --help or --version runs the
    // command line; anything else, also an argument such as -x^2, goes to the desktop.
    if (!lindor::cli::isCommandLineMode(std::vector<std::string>(argv + 1, argv + argc)))
        return lindor::ui::runDesktop(argc, argv);
    return lindor::cli::runCommandLine(argc, argv);
}
