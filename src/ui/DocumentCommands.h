// Documents: New, Open, Save and Save As, the question about unsaved work, and opening a
// document named on the command line.
#pragma once

#include <QObject>
#include <QString>

#include "ui/FrameWindows.h"

#include "files/Document.h"

namespace lindor::ui {

class AppState;
class FrameController;
class Questions;
class RangeCommands;
class WorkSteps;

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    DocumentCommands(AppState& app, Questions& questions, FrameController& controller,
                     RangeCommands& ranges, WorkSteps& steps, const FrameWindows& windows);

    void New1Click();
    void Open1Click();
    // True when the document was written.
    bool Save1Click();
    bool SaveAs1Click();

    // Reads the document at `path` and makes it the current work; false (with a message,
    // and nothing changed) when it cannot be read.
    bool openDocument(const QString& path);
    // Makes work kept from an earlier run the current work, with its document's path
    // (empty: untitled) and marked as changed.
    void restoreWork(const files::Document& doc, const QString& path);
    // The work as a document keeps it.
    // Before work is dropped: asks whether to save it when it has changed. False when the
    // user cancels (or the save failed): keep everything.
    bool maySetWorkAside();

    // The folder the file dialogs start in (see ui/FilePlaces.h).
    QString startFolder() const;

signals:
    void documentChanged();

private:
    bool writeDocument(const QString& path);
    // The document's mode, view, range and entries become the work.
    void takeDocument(files::Document doc);
    // The document's path; New and Open start its undo steps afresh, Save marks the work
    // saved.
    void setDocument(const QString& path, bool freshSteps, bool saved = true);

    AppState& m_app;
    Questions& m_questions;
    FrameController& m_controller;
    RangeCommands& m_ranges;
    WorkSteps& m_steps;
    FrameWindows m_windows;
};

// The document name a Save As gives: a name that ends in ".ldr" in any letter case is kept,
// any other extension is replaced by ".LDR", and a name without one gets ".LDR".
QString documentFileName(const QString& chosen);

} // namespace lindor::ui
