// Every modal question the program asks goes through this interface: message boxes, the
// one-line input query, file, font and page setup dialogs, and the program's own dialogs. The
// program uses the Qt implementation (QtQuestions); the UI tests use a scripted one, so a
// test never blocks on a dialog and fails at once on a question it did not expect.
#pragma once

#include <QFont>
#include <QString>
#include <optional>

class QDialog;
class QPrinter;

namespace lindor::ui {

class Questions {
public:
    virtual ~Questions() = default;

    enum class Answer { Ok, Cancel, Yes, No, Save, Discard };

    // Message boxes with an OK button.
    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    // Yes/No; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // Save, Discard or Cancel (unsaved work); `save` and `discard` are the button texts.
    virtual Answer askSaveChanges(const QString& text, const QString& save,
                                  const QString& discard) = 0;

    // Whether to bring back the work a run left unsaved: true for `restore` (the default
    // button), false for `discard`; the texts are the buttons' captions.
    virtual bool askRestore(const QString& text, const QString& restore,
                            const QString& discard) = 0;

    // The one-line input query; nothing when the user cancels.
    virtual std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                             const QString& initial) = 0;

    // The font dialog, preset with `initial`; nothing when cancelled.
    virtual std::optional<QFont> chooseFont(const QFont& initial, const QString& caption) = 0;

    // File dialogs. `filter` uses Qt's syntax ("Graph File (*.ldr *.LDR)"). An empty text
    // means cancelled.
    virtual QString openFileName(const QString& caption, const QString& startPath,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& startPath,
                                 const QString& filter) = 0;

    // The page setup dialog (paper, orientation, margins) for `printer`; false when
    // cancelled.
    virtual bool setUpPage(QPrinter& printer, const QString& caption) = 0;

    // Shows one of the program's own dialogs modally and returns its result
    // (QDialog::Accepted or QDialog::Rejected). The caller fills the dialog's fields before
    // and reads them back after, as with any modal dialog.
    virtual int runDialog(QDialog& dialog) = 0;
};

} // namespace lindor::ui
