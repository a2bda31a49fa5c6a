// The value table: x, f(x) and f'(x) for a typed function over an x interval.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lindor::expr {
class TFunctionDB;
}
namespace lindor::lang {
class Language;
}

namespace lindor::table {

// The most x lines one table may hold; a larger table is refused rather than built.
constexpr std::size_t kMaxValueTableLines = 100000;

// The texts of the dialog's boxes, exactly as typed.
struct ValueTableRequest {
    std::string function; // right-hand side only: "x^2"
    std::string xmin;
    std::string xmax;
    std::string xstep;
};

// Either the table's lines (three head lines, then one "x\ty\ty'" line per x) or, when
// the request is refused, the message to show; on refusal `lines` is empty.
struct ValueTableResult {
    bool ok = false;
    std::vector<std::string> lines;
    std::string error;
};

// Builds the table: x = Xmin + i * Xstep up to Xmax, the last x being Xmax itself when it
// lies within a millionth of a step of it. The limits are constant expressions ("pi/2")
// read with the engine context of `functions` (its number format, angle mode and texts);
// x is written with the fewest digits that read back as the x evaluated (at most 15), y
// and y' with 10 significant digits. A function object is compiled for this call only
// (its "d/dx" operands are added to `functions`). `language` words the refusals of
// unusable steps.
ValueTableResult buildValueTable(const ValueTableRequest& request, expr::TFunctionDB& functions,
                                 const lang::Language& language);

// The lines joined with `separator` after each line but the last ("\r\n" for the clipboard).
std::string joinLines(const std::vector<std::string>& lines, const std::string& separator);

} // namespace lindor::table
