// Commands run from Qt's event loop, and the event handlers that run them: an exception
// that escapes one is shown in an error box ("UnexpectedError" and what went wrong) and the
// program goes on. Every menu command, toolbar button, key and mouse handler that runs a
// command goes through a CommandGuard.
#pragma once

#include <QAction>
#include <QString>
#include <exception>

#include "lang/Language.h"
#include "ui/Questions.h"

namespace lindor::ui {

class CommandGuard {
public:
    CommandGuard(Questions& questions, const lang::Language& language)
        : m_questions(questions), m_language(language) {}

    // Runs `command`; true when it ended without an exception.
    template <typename F> bool run(F&& command) const {
        try {
            command();
            return true;
        } catch (const std::exception& e) {
            m_questions.error(text() + QStringLiteral("\n\n") + QString::fromUtf8(e.what()));
        } catch (...) {
            m_questions.error(text());
        }
        return false;
    }

    // Connects `action` to `command`, run through this guard while `context` lives.
    template <typename F> void onTriggered(QAction* action, QObject* context, F command) const {
        QObject::connect(action, &QAction::triggered, context,
                         [guard = *this, command] { guard.run(command); });
    }

private:
    QString text() const { return QString::fromStdString(m_language.text("UnexpectedError")); }

    Questions& m_questions;
    const lang::Language& m_language;
};

} // namespace lindor::ui
