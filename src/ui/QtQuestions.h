// The questions asked with Qt's own dialogs, parented to the program's main window.
#pragma once

#include <functional>

#include "ui/Questions.h"

class QWidget;

namespace lindor::ui {

class QtQuestions : public Questions {
public:
    // `title` is the caption of message boxes (the program's name).
    QtQuestions(QWidget* parent, QString title);

    void setParent(QWidget* parent) { m_parent = parent; }
    // Runs before every question is shown (the splash goes first, so nothing hides under it).
    void setBeforeAsking(std::function<void()> before) { m_before = std::move(before); }

    void information(const QString& text) override;
    void error(const QString& text) override;
    bool askYesNo(const QString& text) override;
    Answer askSaveChanges(const QString& text, const QString& save,
                          const QString& discard) override;
    bool askRestore(const QString& text, const QString& restore, const QString& discard) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QFont> chooseFont(const QFont& initial, const QString& caption) override;
    QString openFileName(const QString& caption, const QString& startPath,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& startPath,
                         const QString& filter) override;
    bool setUpPage(QPrinter& printer, const QString& caption) override;
    int runDialog(QDialog& dialog) override;

private:
    void prepare() {
        if (m_before)
            m_before();
    }

    QWidget* m_parent;
    std::function<void()> m_before;
    QString m_title;
};

} // namespace lindor::ui
