// Documents: New, Open, Save and Save As, the question about unsaved work, and opening a
// document named on the command line.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "files/Document.h"

namespace lindor::ui {

class AppState;
class FrameController;
class Questions;
struct FrameWindows;

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    // `viewChanged` is called after a document's view settings were taken over (the menus'
    // check marks follow them).
    DocumentCommands(AppState& app, Questions& questions, FrameController& controller,
                     const FrameWindows& windows, std::function<void()> viewChanged);

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
    files::Document currentDocument() const;
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
    void setDocument(const QString& path);

    AppState& m_app;
    Questions& m_questions;
    FrameController& m_controller;
    const FrameWindows& m_windows;
    std::function<void()> m_viewChanged;
};

// The document name a Save As gives: a name that ends in ".ldr" in any letter case is kept,
// any other extension is replaced by ".LDR", and a name without one gets ".LDR".
QString documentFileName(const QString& chosen);

} // namespace lindor::ui
