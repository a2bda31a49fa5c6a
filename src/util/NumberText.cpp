#include "util/NumberText.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace lindor {
namespace {

// Significant digits a long double holds reliably. Numbers are first written with this
// many digits and only then rounded to the requested precision, so that a value such as
// 1.005 (stored a hair below the half) still rounds the way it reads.
constexpr int kLongDoubleDigits = 18;
// Decimals of at most this many digits are told apart by the long doubles nearest to them
// with room to spare.
constexpr int kShortDecimalDigits = 17;
// Beyond this the digits would only show the binary representation's noise.
constexpr int kMaxPrecision = 40;

// The "C" locale, for conversions that must not depend on the process's LC_NUMERIC.
locale_t cLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The decimal digits and exponent of |value|: value = 0.d1d2...dn x 10^exponent, with
// at most `precision` digits, rounded half away from zero, trailing zeros removed.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

DecimalDigits toDecimalDigits(long double magnitude, int precision) {
    const int written = precision > kLongDoubleDigits ? precision : kLongDoubleDigits;
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.*Le", written - 1, magnitude);

    // The text is d[.ddd]e±xx; the decimal point may be any locale's character, so
    // everything but digits is skipped up to the exponent.
    DecimalDigits result;
    const char* p = buffer;
    for (; *p != '\0' && *p != 'e' && *p != 'E'; ++p) {
        if (isDigit(*p))
            result.digits.push_back(*p);
    }
    int exponent10 = 0;
    if (*p != '\0')
        exponent10 = std::atoi(p + 1);
    result.exponent = exponent10 + 1; // d.ddd x 10^k == 0.dddd x 10^(k+1)

    if (static_cast<int>(result.digits.size()) > precision) {
        const bool roundUp = result.digits[static_cast<std::size_t>(precision)] >= '5';
        result.digits.resize(static_cast<std::size_t>(precision));
        if (roundUp) {
            int i = precision - 1;
            while (i >= 0 && result.digits[static_cast<std::size_t>(i)] == '9') {
                result.digits[static_cast<std::size_t>(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++result.digits[static_cast<std::size_t>(i)];
            } else {
                // 9.99 -> 10.0: a new leading digit.
                result.digits.insert(result.digits.begin(), '1');
                result.digits.pop_back();
                ++result.exponent;
            }
        }
    }
    while (!result.digits.empty() && result.digits.back() == '0')
        result.digits.pop_back();
    return result;
}

} // namespace

NumberLocale NumberLocale::fromEnvironment() {
    NumberLocale result;
    // A locale object of its own: the process's locale is neither read nor changed.
    if (const locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr))) {
        const char* point = nl_langinfo_l(RADIXCHAR, user);
        const char* group = nl_langinfo_l(THOUSEP, user);
        // Only single-byte separators can be typed and shown as one character.
        if (point != nullptr && point[0] != '\0' && point[1] == '\0')
            result.decimalSeparator = point[0];
        if (group != nullptr && group[0] != '\0' && group[1] == '\0')
            result.thousandsSeparator = group[0];
        freelocale(user);
    }
    if (result.thousandsSeparator == result.decimalSeparator)
        result.thousandsSeparator = result.decimalSeparator == ',' ? '.' : ',';
    return result;
}

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid floating point value"), m_text(text) {}

namespace {

// The general number text of `value` rounded to `precision` significant digits, in plain
// notation for decimal exponents -3..plainUpTo and scientific notation otherwise.
std::string formatDigits(long double value, int precision, int plainUpTo,
                         const NumberLocale& locale) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    const DecimalDigits d = toDecimalDigits(std::fabs(value), precision);
    if (d.digits.empty())
        return "0";

    std::string text;
    if (value < 0)
        text.push_back('-');
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent >= -3 && d.exponent <= plainUpTo) {
        if (d.exponent <= 0) {
            text += '0';
            text += locale.decimalSeparator;
            text.append(static_cast<std::size_t>(-d.exponent), '0');
            text += d.digits;
        } else if (count <= d.exponent) {
            text += d.digits;
            text.append(static_cast<std::size_t>(d.exponent - count), '0');
        } else {
            text.append(d.digits, 0, static_cast<std::size_t>(d.exponent));
            text += locale.decimalSeparator;
            text.append(d.digits, static_cast<std::size_t>(d.exponent), std::string::npos);
        }
    } else {
        text += d.digits[0];
        if (count > 1) {
            text += locale.decimalSeparator;
            text.append(d.digits, 1, std::string::npos);
        }
        text += 'E';
        text += std::to_string(d.exponent - 1);
    }
    return text;
}

bool readsBack(const std::string& text, long double value, const NumberLocale& locale) {
    long double back = 0;
    return tryParseNumber(text, locale, back) && back == value;
}

} // namespace

std::string formatGeneral(long double value, int precision, const NumberLocale& locale) {
    precision = std::clamp(precision, 1, kMaxPrecision);
    return formatDigits(value, precision, precision, locale);
}

std::string formatShortest(long double value, int maxPrecision, const NumberLocale& locale) {
    maxPrecision = std::clamp(maxPrecision, 1, kMaxPrecision);
    const std::string longest = formatDigits(value, maxPrecision, maxPrecision, locale);
    // Up to 17 digits, a long double that reads back from a decimal of that many digits lies
    // far closer to it than half a unit in its last digit, so the text of maxPrecision digits
    // (trailing zeros dropped) is that decimal; and when none reads back, it is the answer
    // anyway. Only longer texts need the search.
    if (maxPrecision <= kShortDecimalDigits || !std::isfinite(value) ||
        !readsBack(longest, value, locale))
        return longest;
    // A text that reads back stays one with more digits (it is at least as close), so the
    // fewest digits are found by halving the range.
    int fewest = 1;
    int most = maxPrecision; // reads back
    while (fewest < most) {
        const int middle = fewest + (most - fewest) / 2;
        if (readsBack(formatDigits(value, middle, maxPrecision, locale), value, locale))
            most = middle;
        else
            fewest = middle + 1;
    }
    return formatDigits(value, most, maxPrecision, locale);
}

bool tryParseNumber(const std::string& text, const NumberLocale& locale, long double& value) {
    // The text is checked here and rewritten with '.' for strtold under the "C" locale.
    std::string plain;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        plain.push_back(text[i++]);
    std::size_t mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        plain.push_back(text[i++]);
        ++mantissaDigits;
    }
    if (i < n && text[i] == locale.decimalSeparator) {
        plain.push_back('.');
        ++i;
        while (i < n && isDigit(text[i])) {
            plain.push_back(text[i++]);
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        plain.push_back('e');
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            plain.push_back(text[i++]);
        std::size_t exponentDigits = 0;
        while (i < n && isDigit(text[i])) {
            plain.push_back(text[i++]);
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return false;

    errno = 0;
    char* end = nullptr;
    const long double result = strtold_l(plain.c_str(), &end, cLocale());
    if (end == nullptr || *end != '\0')
        return false;
    // Too large for a long double: not a usable number. (Underflow gives 0 or a tiny value.)
    if (errno == ERANGE && std::isinf(result))
        return false;
    value = result;
    return true;
}

long double parseNumber(const std::string& text, const NumberLocale& locale) {
    long double value = 0;
    if (!tryParseNumber(text, locale, value))
        throw ConversionError(text);
    return value;
}

} // namespace lindor
