// The texts the monkey types: functions valid and broken (long, empty, control characters,
// other scripts, huge numbers, deep brackets), integral texts with odd limits, and numbers of
// every kind for the range cells and the questions.
#pragma once

#include <QString>

#include "Rng.h"

namespace lindor::monkey {

class TextMix {
public:
    explicit TextMix(QChar decimalSeparator) : m_decimal(decimalSeparator) {}

    QString function(Rng& rng) const;
    QString integral(Rng& rng) const;
    QString number(Rng& rng) const;
    // Anything of the above, for a field whose meaning the monkey does not know.
    QString any(Rng& rng) const;
    // A short text as a user types it quickly: a function or a number.
    QString shortText(Rng& rng) const;

private:
    QString expression(Rng& rng, int depth) const;
    QString plainNumber(Rng& rng) const;
    QString mutated(Rng& rng, QString text) const;
    QString longText(Rng& rng) const;
    QString oddCharacters(Rng& rng) const;

    QChar m_decimal;
};

} // namespace lindor::monkey
