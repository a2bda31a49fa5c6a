// The desktop program: what `lindor [FUNCTION|DOC.LDR ...]` starts.
#pragma once

namespace lindor::app {

// Runs the desktop program with the program's own arguments; every argument is a function
// text or a document to open. Returns the exit code.
int runDesktop(int argc, char** argv);

} // namespace lindor::app
