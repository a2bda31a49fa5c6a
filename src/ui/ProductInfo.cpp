#include "ui/ProductInfo.h"

namespace lindor::ui {

const char* lindorVersion() {
    return LINDOR_VERSION;
}

} // namespace lindor::ui
