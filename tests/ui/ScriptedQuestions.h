// Answers the program's questions from a script written by the test, in order. A question
// the script did not expect (or of another kind than the next expected one) fails the test
// at once and is answered with Cancel, so no test ever waits on a dialog.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <deque>
#include <functional>

#include "ui/Questions.h"

namespace lindor::ui::test {

class ScriptedQuestions : public Questions {
public:
    enum class Kind {
        Information,
        Error,
        YesNo,
        SaveChanges,
        Restore,
        Input,
        Font,
        OpenFile,
        SaveFile,
        PageSetup,
        Dialog
    };

    ~ScriptedQuestions() override {
        for (const Expected& e : m_expected)
            ADD_FAILURE() << "question expected but never asked: " << name(e.kind) << " "
                          << e.containing.toStdString();
    }

    // Message boxes: the text must contain `containing`. Every message shown is in
    // `messages()`.
    ScriptedQuestions& expectInformation(QString containing = {}) {
        return add(Kind::Information, containing);
    }
    ScriptedQuestions& expectError(QString containing = {}) { return add(Kind::Error, containing); }
    ScriptedQuestions& expectYesNo(bool yes, QString containing = {}) {
        return add(Kind::YesNo, containing, yes ? Answer::Yes : Answer::No);
    }
    ScriptedQuestions& expectSaveChanges(Answer answer) {
        return add(Kind::SaveChanges, {}, answer);
    }
    // Whether to restore unsaved work left by an earlier run; the text must contain
    // `containing`.
    ScriptedQuestions& expectRestore(bool restore, QString containing = {}) {
        return add(Kind::Restore, containing, restore ? Answer::Yes : Answer::No);
    }
    // The input query: the typed text, or nothing for Cancel.
    ScriptedQuestions& expectInput(std::optional<QString> typed, QString captionContaining = {}) {
        Expected& e = add(Kind::Input, captionContaining).last();
        e.text = typed;
        return *this;
    }
    ScriptedQuestions& expectFont(std::optional<QFont> chosen) {
        Expected& e = add(Kind::Font, {}).last();
        e.font = chosen;
        return *this;
    }
    ScriptedQuestions& expectOpenFile(QString path) {
        Expected& e = add(Kind::OpenFile, {}).last();
        e.text = path;
        return *this;
    }
    ScriptedQuestions& expectSaveFile(QString path) {
        Expected& e = add(Kind::SaveFile, {}).last();
        e.text = path;
        return *this;
    }
    ScriptedQuestions& expectPageSetup(bool ok) {
        return add(Kind::PageSetup, {}, ok ? Answer::Ok : Answer::Cancel);
    }
    // One of the program's dialogs, of class `className` (or any class when empty); the
    // handler plays the user's part and returns the dialog's result.
    ScriptedQuestions& expectDialog(QString className, std::function<int(QDialog&)> handler) {
        Expected& e = add(Kind::Dialog, className).last();
        e.handler = std::move(handler);
        return *this;
    }

    bool done() const { return m_expected.empty(); }
    const QStringList& messages() const { return m_messages; }
    // The last start path a file dialog was given.
    const QString& lastStartPath() const { return m_lastStartPath; }
    const QString& lastFilter() const { return m_lastFilter; }

    void information(const QString& text) override { message(Kind::Information, text); }
    void error(const QString& text) override { message(Kind::Error, text); }
    bool askYesNo(const QString& text) override {
        const Expected* e = next(Kind::YesNo, text);
        m_messages << text;
        return e && e->answer == Answer::Yes;
    }
    Answer askSaveChanges(const QString& text, const QString&, const QString&) override {
        const Expected* e = next(Kind::SaveChanges, text);
        m_messages << text;
        return e ? e->answer : Answer::Cancel;
    }
    bool askRestore(const QString& text, const QString& restore, const QString& discard) override {
        m_buttons << restore << discard;
        const Expected* e = next(Kind::Restore, text);
        m_messages << text;
        return e && e->answer == Answer::Yes;
    }
    // The button captions of the questions that name theirs.
    const QStringList& buttons() const { return m_buttons; }
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString&) override {
        m_prompts << prompt;
        const Expected* e = next(Kind::Input, caption);
        return e ? e->text : std::nullopt;
    }
    std::optional<QFont> chooseFont(const QFont& initial, const QString&) override {
        m_fontShown = initial;
        const Expected* e = next(Kind::Font, {});
        return e ? e->font : std::nullopt;
    }
    QString openFileName(const QString& caption, const QString& startPath,
                         const QString& filter) override {
        m_lastStartPath = startPath;
        m_lastFilter = filter;
        const Expected* e = next(Kind::OpenFile, caption);
        return e && e->text ? *e->text : QString();
    }
    QString saveFileName(const QString& caption, const QString& startPath,
                         const QString& filter) override {
        m_lastStartPath = startPath;
        m_lastFilter = filter;
        const Expected* e = next(Kind::SaveFile, caption);
        return e && e->text ? *e->text : QString();
    }
    bool setUpPage(QPrinter&, const QString& caption) override {
        const Expected* e = next(Kind::PageSetup, caption);
        return e && e->answer == Answer::Ok;
    }
    int runDialog(QDialog& dialog) override {
        const QString className = QString::fromLatin1(dialog.metaObject()->className());
        if (m_expected.empty() || m_expected.front().kind != Kind::Dialog ||
            (!m_expected.front().containing.isEmpty() &&
             !className.endsWith(m_expected.front().containing))) {
            fail(Kind::Dialog, className);
            return QDialog::Rejected;
        }
        Expected e = std::move(m_expected.front());
        m_expected.pop_front();
        return e.handler ? e.handler(dialog) : QDialog::Rejected;
    }

    const QStringList& prompts() const { return m_prompts; }
    const QFont& fontShown() const { return m_fontShown; }

private:
    struct Expected {
        Kind kind;
        QString containing;
        Answer answer = Answer::Cancel;
        std::optional<QString> text;
        std::optional<QFont> font;
        std::function<int(QDialog&)> handler;
    };

    static const char* name(Kind kind) {
        static const char* const names[] = {"information", "error",      "yes/no", "save changes",
                                            "restore",     "input",      "font",   "open file",
                                            "save file",   "page setup", "dialog"};
        return names[static_cast<int>(kind)];
    }

    ScriptedQuestions& add(Kind kind, QString containing, Answer answer = Answer::Ok) {
        m_expected.push_back(Expected{kind, std::move(containing), answer, {}, {}, {}});
        return *this;
    }
    Expected& last() { return m_expected.back(); }

    void fail(Kind kind, const QString& text) {
        ADD_FAILURE() << "unexpected question: " << name(kind) << " \"" << text.toStdString()
                      << "\""
                      << (m_expected.empty()
                              ? std::string(" (none expected)")
                              : std::string(" (expected ") + name(m_expected.front().kind) + ")");
    }

    // The next expectation when it is of this kind and matches; else a failure.
    const Expected* next(Kind kind, const QString& text) {
        if (m_expected.empty() || m_expected.front().kind != kind ||
            !text.contains(m_expected.front().containing)) {
            fail(kind, text);
            return nullptr;
        }
        m_current = std::move(m_expected.front());
        m_expected.pop_front();
        return &m_current;
    }

    void message(Kind kind, const QString& text) {
        m_messages << text;
        next(kind, text);
    }

    std::deque<Expected> m_expected;
    Expected m_current{Kind::Information, {}, Answer::Cancel, {}, {}, {}};
    QStringList m_messages;
    QStringList m_prompts;
    QStringList m_buttons;
    QString m_lastStartPath;
    QString m_lastFilter;
    QFont m_fontShown;
};

} // namespace lindor::ui::test
