# Writes the file IN as a C++ string constant into OUT.
file(READ ${IN} _content HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," _bytes "${_content}")
file(WRITE ${OUT} "// Generated from ldrEnglish.lng at build time.\n#include <cstddef>\nnamespace lindor::lang {\nextern const char kBuiltinEnglish[];\nextern const std::size_t kBuiltinEnglishSize;\nconst char kBuiltinEnglish[] = {${_bytes} 0};\nconst std::size_t kBuiltinEnglishSize = sizeof(kBuiltinEnglish) - 1;\n}\n")
