// The desktop program: creates the application, the run's state and the main frame, and
// runs the event loop until the frame is closed.
#pragma once

namespace lindor::ui {

// `argc`/`argv` as main received them; every argument is a function to plot (or a
// document to open). Returns the exit status.
int runDesktop(int argc, char** argv);

} // namespace lindor::ui
