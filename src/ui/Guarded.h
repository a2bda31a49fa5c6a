// Commands run from Qt's event loop: an exception that escapes one is shown in an error box
// and the program goes on.
#pragma once

#include <QAction>
#include <QString>
#include <exception>

#include "ui/Questions.h"

namespace lindor::ui {

template <typename F> void runGuarded(Questions& questions, F&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        questions.error(QString::fromUtf8(e.what()));
    } catch (...) {
        questions.error(QStringLiteral("An unexpected error occurred."));
    }
}

// Connects `action` to `command`, guarded.
template <typename F>
void onTriggered(QAction* action, QObject* context, Questions& questions, F command) {
    QObject::connect(action, &QAction::triggered, context,
                     [&questions, command] { runGuarded(questions, command); });
}

} // namespace lindor::ui
