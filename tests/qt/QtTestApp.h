// The GUI application that Qt text drawing needs, created once for the whole test run.
#pragma once

#include <QGuiApplication>

namespace lindor::qtgui::testing {

inline void ensureGuiApplication() {
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends: Qt tears its own state down after static destructors.
    new QGuiApplication(argc, argv);
}

} // namespace lindor::qtgui::testing
