// The monkey's answers to every question the program asks: made up at random and written
// into the step that raised them, or read back from a recorded step. Files are named inside
// one folder; the program's own dialogs get random field contents, clicks, and OK or Cancel.
#pragma once

#include <QStringList>
#include <functional>

#include "Rng.h"
#include "Script.h"
#include "TextMix.h"
#include "ui/Questions.h"

namespace lindor::monkey {

class RandomQuestions : public ui::Questions {
public:
    RandomQuestions(Rng& rng, const TextMix& texts, QString folder);

    // The answers of this step: made up and recorded, or (replaying) read from it.
    void begin(Step& step, bool replaying);
    void end();
    // The text that starts the message of an exception caught by a command guard; such a
    // message is a fault.
    void setUnexpectedErrorText(QString text) { m_unexpected = std::move(text); }
    // Such messages shown since `begin`.
    const QStringList& unexpectedErrors() const { return m_unexpectedErrors; }

    void information(const QString& text) override;
    void error(const QString& text) override;
    bool askYesNo(const QString& text) override;
    Answer askSaveChanges(const QString& text, const QString& save,
                          const QString& discard) override;
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
    // The answer of this kind: made up by `make` and recorded, or the next recorded one
    // when it is of this kind (nothing otherwise: the question gets its default answer).
    std::optional<Line> answer(const QString& kind, const std::function<Line()>& make);
    // The next recorded answer when it is one of these kinds; consumed.
    std::optional<Line> takeAny(const QStringList& kinds);
    void comment(const QString& what, const QString& text);
    QString fileName(bool saving);
    QString inFolder(const QString& name) const;
    // One random step on a dialog (a field, a box, a list row, a button); false when the
    // dialog has nothing to work.
    std::optional<Line> randomDialogStep(QDialog& dialog);
    void playDialogStep(QDialog& dialog, const Line& step);

    Rng& m_rng;
    const TextMix& m_texts;
    QString m_folder;
    Step* m_step = nullptr;
    bool m_replaying = false;
    std::size_t m_next = 0;
    QString m_unexpected;
    QStringList m_unexpectedErrors;
    int m_dialogDepth = 0;
};

} // namespace lindor::monkey
