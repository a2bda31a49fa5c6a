// The frame's part in keeping the work: the recovery copy and the settings follow the work,
// File -> Open Recent, and documents and text dropped on the window.
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QUndoStack>

#include "files/FileError.h"
#include "ui/AppState.h"
#include "ui/DocumentCommands.h"
#include "ui/DocumentDrops.h"
#include "ui/EntryBox.h"
#include "ui/FrameActions.h"
#include "ui/FrameController.h"
#include "ui/MainFrame.h"
#include "ui/Questions.h"
#include "ui/RecentMenu.h"
#include "ui/WorkKeeping.h"

namespace lindor::ui {

void TMDIFrame::createKeeping() {
    WorkKeeping::Hooks hooks;
    hooks.document = [this] { return m_app.work.document(); };
    hooks.restore = [this](const files::Document& document, const QString& path) {
        m_documents->restoreWork(document, path);
    };
    m_keeping = new WorkKeeping(m_app, m_questions, std::move(hooks), this);
    // Every step done, undone or made again changes the work.
    connect(&m_app.undoStack, &QUndoStack::indexChanged, this,
            [this] { m_guard.run([this] { m_keeping->workChanged(); }); });
    connect(m_documents, &DocumentCommands::documentChanged, this,
            [this] { m_guard.run([this] { m_keeping->documentChanged(); }); });
    // The histories reach the settings file after each plot and when one is emptied.
    connect(m_controller, &FrameController::historyChanged, this,
            [this] { m_guard.run([this] { m_keeping->historiesChanged(); }); });

    QMenu* file = menuBar()->findChild<QMenu*>(QStringLiteral("File1"));
    QMenu* recent = menuBar()->findChild<QMenu*>(QStringLiteral("OpenRecent1"));
    m_recentMenu = new RecentMenu(*file, *recent, *m_keeping, [this](const QString& path) {
        m_guard.run([this, path] { openChosenDocument(path, true); });
    });
    m_recentMenu->setParent(this);

    // A drop ends before its work starts: the question about unsaved work must not hold
    // the program the document came from.
    new DocumentDrops(
        *this,
        [this](const QString& path) {
            QTimer::singleShot(0, this, [this, path] {
                m_guard.run([this, path] { openChosenDocument(path, false); });
            });
        },
        [this](const QString& text) {
            QTimer::singleShot(0, this, [this, text] { plotDroppedText(text); });
        });
}

void TMDIFrame::openChosenDocument(const QString& path, bool fromRecent) {
    if (fromRecent && !QFileInfo(path).isFile()) {
        files::FileStatus status;
        status.kind = files::FileStatus::Kind::CannotOpen;
        status.path = path.toStdString();
        m_questions.error(QString::fromStdString(files::describe(status, m_app.language)));
        m_keeping->forgetRecent(path.toStdString());
        return;
    }
    if (m_documents->maySetWorkAside())
        m_documents->openDocument(path);
}

void TMDIFrame::plotDroppedText(const QString& text) {
    m_guard.run([this, &text] { m_controller->plotFunction(text); });
}

} // namespace lindor::ui
