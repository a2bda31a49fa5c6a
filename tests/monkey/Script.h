// The monkey's record of a run, as text that a person can read and the monkey can play
// again: one numbered line per action ("12 drag graph left 10 20 300 -40 3"), each followed
// by the answers given to the questions it raised ("> savefile \"doc.ldr\""), and comments
// ("# error: ..."). Texts are quoted with C-like escapes, so the file is plain ASCII.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace lindor::monkey {

struct Word {
    QString text;
    bool quoted = false;
};

// An action ("command Zoomin1") or an answer ("yesno no"): the first word says which.
class Line {
public:
    Line() = default;
    Line(std::initializer_list<Word> words) : m_words(words) {}

    Line& word(const QString& text) { return add({text, false}); }
    Line& number(long long value) { return add({QString::number(value), false}); }
    Line& text(const QString& text) { return add({text, true}); }

    int size() const { return static_cast<int>(m_words.size()); }
    bool empty() const { return m_words.empty(); }
    QString kind() const { return m_words.empty() ? QString() : m_words.front().text; }
    // The i-th word; empty past the end.
    QString at(int i) const;
    bool isQuoted(int i) const { return i < size() && m_words[static_cast<std::size_t>(i)].quoted; }
    // The i-th word as a whole number; `fallback` when it is none.
    int numberAt(int i, int fallback = 0) const;

    QString format() const;
    // Nothing (and a reason) when the text is not a line of words.
    static std::optional<Line> parse(const QString& text, QString* error = nullptr);

private:
    Line& add(Word w) {
        m_words.push_back(std::move(w));
        return *this;
    }
    std::vector<Word> m_words;
};

// A quoted text with its escapes, and back.
QString quote(const QString& text);

// One action of a run with what happened while it ran.
struct Step {
    Line action;
    std::vector<Line> answers;
    QStringList comments;
};

// A whole record: the seed and number format it was made with, and the steps.
struct Script {
    unsigned long long seed = 0;
    QChar decimalSeparator = QLatin1Char('.');
    QChar thousandsSeparator = QLatin1Char(',');
    std::vector<Step> steps;

    // The text of the record; `upTo` steps only (all when negative).
    QString format(int upTo = -1) const;
    // Reads a record, also from a report that holds one among other lines; nothing (and the
    // line that could not be read) when a numbered or answer line is not well formed.
    static std::optional<Script> parse(const QString& text, QString* error = nullptr);
};

// A step's lines as they appear in the record.
QString formatStep(int number, const Step& step);

} // namespace lindor::monkey
