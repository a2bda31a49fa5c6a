// The numbers written inside a function text: where a thousands separator may stand, and
// the same text in another number format (documents keep their numbers with a point).
#pragma once

#include <string>

#include "util/NumberText.h"

namespace lindor {

// The format documents keep their numbers in: "." as decimal separator. A "," in such a
// text is read as an English thousands separator.
inline const NumberLocale kPointNumbers{'.', ','};

// The position of the first thousands separator of `locale` in `text` that does not
// separate groups of exactly three digits after a first group of one to three digits
// ("1,000", "12,345,678.5" are fine; "3,5", "1,00", "1234,567", "0.5,000" and a lone ","
// are not); std::string::npos when there is none. A blank separator is never misplaced:
// blanks are dropped from function texts anyway.
std::size_t misplacedThousandsSeparator(const std::string& text, const NumberLocale& locale);

// `text` with its numbers written in the format `to` instead of `from`: every decimal
// separator of `from` becomes the one of `to`, and the thousands separators that group
// digits are dropped. Everything else stays as it is: blanks, ";" and brackets, letters,
// and a thousands separator that groups nothing (the text was not valid in `from`).
std::string convertNumberFormat(const std::string& text, const NumberLocale& from,
                                const NumberLocale& to);

} // namespace lindor
