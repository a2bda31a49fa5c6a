// General number text and text-to-number conversion.
#pragma once

#include <stdexcept>
#include <string>

namespace lindor {

// The user's regional number characters, read once at start-up.
struct NumberLocale {
    char decimalSeparator = '.';
    char thousandsSeparator = ',';

    // The separators of the locale that the environment names (LC_ALL, LC_NUMERIC, LANG),
    // read without touching the process's own locale. '.' and ',' when that locale is not
    // installed or its separators are not single characters.
    static NumberLocale fromEnvironment();
};

// A text that is not a number: "'%s' is not a valid floating point value".
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& text);
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// The value rounded to at most `precision` significant digits, trailing zeros dropped,
// plain notation for decimal exponents -3..precision, scientific otherwise ("1.23E3").
std::string formatGeneral(long double value, int precision, const NumberLocale& locale);

// The general number text with the fewest significant digits (at most `maxPrecision`) that
// reads back as `value`, in the notation of precision `maxPrecision` ("1230", not
// "1.23E3"); the text of `maxPrecision` digits when no such text reads back.
std::string formatShortest(long double value, int maxPrecision, const NumberLocale& locale);

// Converts a number text (blanks around it allowed, the locale's decimal separator,
// optional exponent). Throws ConversionError when the text is not a number.
long double parseNumber(const std::string& text, const NumberLocale& locale);

// As parseNumber, without throwing.
bool tryParseNumber(const std::string& text, const NumberLocale& locale, long double& value);

} // namespace lindor
