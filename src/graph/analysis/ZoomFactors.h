// The zoom factors as the user types them: both texts are converted before either is
// taken, so a bad field never leaves one factor changed and the other not.
#pragma once

#include <string>

#include "util/NumberText.h"

namespace lindor::lang {
class Language;
}

namespace lindor::graph::analysis {

struct ZoomFactorInput {
    bool ok = false;
    double x = 0;
    double y = 0;
    // When not ok: the message for the user and the field it is about (0 X, 1 Y).
    std::string error;
    int badField = -1;
};

// Converts the X text, then the Y text, each a number or a constant expression ("3/2",
// "sqrt 2"). A text that is not a number gives the reader's message ("'abc' is not a
// number."); a factor that is 0, negative or not finite as a double gives the
// text of key "ZoomFactorMustBePositive" naming the text.
ZoomFactorInput parseZoomFactors(const std::string& xText, const std::string& yText,
                                 const NumberLocale& locale, const lang::Language& language);

} // namespace lindor::graph::analysis
