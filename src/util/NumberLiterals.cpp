#include "util/NumberLiterals.h"

namespace lindor {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSign(char c) {
    return c == '+' || c == '-';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// One walk over the text, number literal by number literal: a literal is an integer part
// (digits, grouped in threes by the thousands separator), a fraction (the decimal
// separator and digits) and an exponent ("E", a sign, digits), each optional but the
// literal starts with a digit or the decimal separator.
class LiteralScan {
public:
    LiteralScan(const std::string& text, const NumberLocale& from, const NumberLocale& to)
        : m_text(text), m_from(from), m_to(to),
          m_grouping(from.thousandsSeparator != from.decimalSeparator &&
                     !isBlank(from.thousandsSeparator)) {
        m_out.reserve(text.size());
        while (m_at < m_text.size()) {
            const char c = m_text[m_at];
            if (isDigit(c) || c == m_from.decimalSeparator) {
                literal();
            } else {
                if (m_grouping && c == m_from.thousandsSeparator &&
                    m_misplaced == std::string::npos)
                    m_misplaced = m_at;
                m_out.push_back(c);
                ++m_at;
            }
        }
    }

    const std::string& converted() const { return m_out; }
    std::size_t misplaced() const { return m_misplaced; }

private:
    char at(std::size_t i) const { return i < m_text.size() ? m_text[i] : '\0'; }

    std::size_t copyDigits() {
        const std::size_t start = m_at;
        while (isDigit(at(m_at)))
            m_out.push_back(m_text[m_at++]);
        return m_at - start;
    }

    // A separator at the current place that is followed by exactly three digits.
    bool groupFollows() const {
        return m_grouping && at(m_at) == m_from.thousandsSeparator && isDigit(at(m_at + 1)) &&
               isDigit(at(m_at + 2)) && isDigit(at(m_at + 3)) && !isDigit(at(m_at + 4));
    }

    void literal() {
        const std::size_t leading = copyDigits();
        if (leading >= 1 && leading <= 3) {
            while (groupFollows()) {
                ++m_at; // the separator is dropped
                copyDigits();
            }
        }
        if (at(m_at) == m_from.decimalSeparator) {
            m_out.push_back(m_to.decimalSeparator);
            ++m_at;
            copyDigits();
        }
        const bool signedExponent = isSign(at(m_at + 1)) && isDigit(at(m_at + 2));
        if (at(m_at) == 'E' && (isDigit(at(m_at + 1)) || signedExponent)) {
            m_out.push_back('E');
            ++m_at;
            if (signedExponent)
                m_out.push_back(m_text[m_at++]);
            copyDigits();
        }
    }

    const std::string& m_text;
    const NumberLocale& m_from;
    const NumberLocale& m_to;
    const bool m_grouping;
    std::size_t m_at = 0;
    std::string m_out;
    std::size_t m_misplaced = std::string::npos;
};

} // namespace

std::size_t misplacedThousandsSeparator(const std::string& text, const NumberLocale& locale) {
    return LiteralScan(text, locale, locale).misplaced();
}

std::string convertNumberFormat(const std::string& text, const NumberLocale& from,
                                const NumberLocale& to) {
    return LiteralScan(text, from, to).converted();
}

} // namespace lindor
