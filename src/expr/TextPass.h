// The text pass: turns a function text as typed into the normalised text that the
// compiler reads (letter case, range, constants, blanks, function codes, character and
// parenthesis checks, implicit multiplication).
#pragma once

#include <string>

#include "util/NumberText.h"

namespace lindor::lang {
class Language;
}

namespace lindor::expr {

struct TextPassResult {
    bool ok = false;
    std::string errorText; // set on failure
    // The failure is a thousands separator that groups no digits ("3,5x" where "." is the
    // decimal separator): the text names the character and the decimal separator.
    bool misplacedSeparator = false;
    bool hasRange = false;
    long double lowerBound = 0;
    long double upperBound = 0;
    std::string normalised; // set on success
};

TextPassResult runTextPass(const std::string& typed, const NumberLocale& locale,
                           const lang::Language& language);

// Writes every implicit multiplication as an explicit "*" with parentheses around the two
// factors: 2x becomes (2*x), (x+1)(x-1) becomes ((x+1)*(x-1)). Runs in linear time.
std::string insertImplicitMultiplications(const std::string& text, char decimalSeparator);

} // namespace lindor::expr
