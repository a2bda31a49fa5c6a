#include "ui/DocumentCommands.h"

#include <QDir>
#include <QFileInfo>

#include "files/Document.h"
#include "ui/AppState.h"
#include "ui/EntryBox.h"
#include "ui/FilePlaces.h"
#include "ui/FrameController.h"
#include "ui/GraphWindow.h"
#include "ui/LogWindow.h"
#include "ui/Questions.h"
#include "ui/RangeCommands.h"
#include "ui/RangeWindow.h"
#include "ui/WorkSteps.h"

namespace lindor::ui {

namespace {

const char* const kDocumentFilter = "(*.ldr *.LDR)";

} // namespace

QString documentFileName(const QString& chosen) {
    const QFileInfo info(chosen);
    if (info.suffix().compare(QLatin1String("ldr"), Qt::CaseInsensitive) == 0)
        return chosen;
    return QString::fromStdString(files::withDocumentExtension(chosen.toStdString()));
}

DocumentCommands::DocumentCommands(AppState& app, Questions& questions, FrameController& controller,
                                   RangeCommands& ranges, WorkSteps& steps,
                                   const FrameWindows& windows)
    : m_app(app), m_questions(questions), m_controller(controller), m_ranges(ranges),
      m_steps(steps), m_windows(windows) {}

QString DocumentCommands::startFolder() const {
    return dialogFolder(m_app);
}

void DocumentCommands::setDocument(const QString& path, bool freshSteps, bool saved) {
    m_app.documentPath = path.toStdString();
    rememberFolder(m_app, path);
    if (freshSteps) {
        m_steps.clear();
        // Work that was never saved: no step takes it back to a saved state.
        if (!saved)
            m_app.undoStack.resetClean();
    } else {
        m_steps.setSaved();
    }
    emit documentChanged();
}

bool DocumentCommands::maySetWorkAside() {
    if (!m_app.modified())
        return true;
    const QString name = m_app.documentPath.empty()
                             ? QString::fromStdString(m_app.language.text("Untitled"))
                             : QFileInfo(QString::fromStdString(m_app.documentPath)).fileName();
    const QString question =
        QString::fromStdString(m_app.language.text("SaveChangesQuestion")).replace("%s", name);
    switch (m_questions.askSaveChanges(
        question, QString::fromStdString(m_app.language.text("SaveChangesSave")),
        QString::fromStdString(m_app.language.text("SaveChangesDiscard")))) {
    case Questions::Answer::Save:
        return Save1Click();
    case Questions::Answer::Discard:
        return true;
    default:
        return false;
    }
}

void DocumentCommands::New1Click() {
    if (!maySetWorkAside())
        return;
    m_controller.newWork();
    m_windows.log.clear();
    setDocument(QString(), true);
}

void DocumentCommands::Open1Click() {
    if (!maySetWorkAside())
        return;
    const QString path = m_questions.openFileName(
        QString::fromStdString(m_app.language.text("Open")).remove('&'), startFolder(),
        QString::fromStdString(m_app.language.text("GraphFile")) + " " + kDocumentFilter);
    if (!path.isEmpty())
        openDocument(path);
}

bool DocumentCommands::openDocument(const QString& path) {
    files::Document doc;
    doc.view = m_app.view();
    const files::FileStatus status = files::loadDocument(path.toStdString(), doc, m_app.locale());
    if (!status.ok()) {
        m_questions.error(QString::fromStdString(files::describe(status, m_app.language)));
        return false;
    }
    takeDocument(doc);
    setDocument(QFileInfo(path).absoluteFilePath(), true);
    return true;
}

void DocumentCommands::restoreWork(const files::Document& doc, const QString& path) {
    takeDocument(doc);
    // The restored work starts its own steps and has not been saved.
    setDocument(path, true, false);
}

void DocumentCommands::takeDocument(files::Document doc) {
    m_windows.log.clear();
    m_app.view() = doc.view;
    m_controller.showView();
    // The document's Range is applied when the graph can draw it (bounds written in
    // reverse order are put in order); otherwise its texts wait in the range window, with
    // Redraw ready, and the old Range stays.
    graph::analysis::swapReversedBounds(doc.range, m_app.engine);
    m_windows.range.setTexts(doc.range);
    m_windows.range.setRedrawEnabled(true);
    if (!m_ranges.applyRange()) {
        // The work keeps the document's texts, so that saving writes them back as they
        // were rather than the Range the graph still shows.
        m_app.work.rangeTexts = doc.range;
    }
    m_controller.startMode(doc.mode);
    // What cannot be plotted is told in one message, not one for each entry.
    const QString refused = m_controller.plotEntries(doc.plotted, doc.mode == graph::Mode::Integral
                                                                      ? graph::IntegralLog::Write
                                                                      : graph::IntegralLog::Skip);
    if (!refused.isEmpty())
        m_questions.error(refused);
    m_windows.entry.setText(QString());
}

bool DocumentCommands::writeDocument(const QString& path) {
    const files::FileStatus status = files::saveDocument(path.toStdString(), m_app.work.document(),
                                                         m_app.locale(), m_app.replaceFile);
    if (!status.ok()) {
        m_questions.error(QString::fromStdString(files::describe(status, m_app.language)));
        return false;
    }
    setDocument(path, false);
    return true;
}

bool DocumentCommands::Save1Click() {
    if (m_app.documentPath.empty())
        return SaveAs1Click();
    return writeDocument(QString::fromStdString(m_app.documentPath));
}

bool DocumentCommands::SaveAs1Click() {
    // The document's name in the folder last used.
    const QString suggested =
        m_app.documentPath.empty()
            ? proposedFile(m_app, QStringLiteral(".LDR"))
            : QDir(startFolder())
                  .filePath(QFileInfo(QString::fromStdString(m_app.documentPath)).fileName());
    const QString chosen = m_questions.saveFileName(
        QString::fromStdString(m_app.language.text("SaveAs")).remove('&'), suggested,
        QString::fromStdString(m_app.language.text("GraphFile")) + " " + kDocumentFilter);
    if (chosen.isEmpty())
        return false;
    const QString path = QFileInfo(documentFileName(chosen)).absoluteFilePath();
    if (QFileInfo::exists(path) && path != QString::fromStdString(m_app.documentPath) &&
        !m_questions.askYesNo(
            QString::fromStdString(m_app.language.text("ReplaceExistingFile")).replace("%s", path)))
        return false;
    return writeDocument(path);
}

} // namespace lindor::ui
