#include "qt/AppLocale.h"

#include <clocale>

namespace lindor::qtgui {

NumberLocale adoptUserNumberLocale() {
    const NumberLocale locale = NumberLocale::fromEnvironment();
    std::setlocale(LC_NUMERIC, "C");
    return locale;
}

} // namespace lindor::qtgui
