// The user's number format in a program built on Qt.
#pragma once

#include "util/NumberText.h"

namespace lindor::qtgui {

// Call once, right after creating the application object. Qt's application object sets
// the C library's locale from the environment; this reads the user's decimal and
// thousands separators from it and puts the C library's numeric locale back to "C", so
// that no conversion in the program depends on it. The program then passes the returned
// format wherever numbers are read or written for the user.
NumberLocale adoptUserNumberLocale();

} // namespace lindor::qtgui
