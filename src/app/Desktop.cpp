#include "app/Desktop.h"

#include <iostream>

namespace lindor::app {

int runDesktop(int /*argc*/, char** /*argv*/) {
    std::cerr << "lindor: the graphical interface is not part of this build yet; see --help\n";
    return 1;
}

} // namespace lindor::app
