// Zoom on the six range texts (Xmin, Xmax, Xstep, Ymin, Ymax, Ystep): zoom box, zoom in,
// zoom out, the one-level undo copy, and reading the texts into the Range.
#pragma once

#include <array>
#include <string>

#include "expr/FuncEval.h"
#include "graph/GraphState.h"
#include "graph/analysis/SearchBox.h"
#include "util/NumberText.h"

namespace lindor::lang {
class Language;
}

namespace lindor::graph::analysis {

using graph::kXmaxRow;
using graph::kXminRow;
using graph::kXstepRow;
using graph::kYmaxRow;
using graph::kYminRow;
using graph::kYstepRow;
using graph::RangeTexts;

// Numbers written into range texts carry fifteen significant digits.
constexpr int kRangeTextDigits = 15;

// The zoom box: the box's left, right, bottom and top become Xmin, Xmax, Ymin and Ymax,
// as the box gives them; the steps keep their texts.
void applyZoomBox(RangeTexts& texts, const SearchBox& box, const NumberLocale& locale);

enum class ZoomDirection { In, Out };

// Zoom in divides, zoom out multiplies the x rows by factorX and the y rows by factorY,
// row by row from Xmin to Ystep, about the origin of the plane. The texts are read as
// constant expressions ("pi", "1/3") in the engine's number format and angle mode and
// written back as general number text. A row whose text is not a number stops the zoom
// there with the reader's message in `error`: the rows before it keep their new texts. A
// factor of 0 or one that is not finite, or a result that would not be a finite number
// (or would vanish), changes nothing and gives the text of key "ZoomNotPossible".
bool zoomRangeTexts(RangeTexts& texts, ZoomDirection direction, double factorX, double factorY,
                    const expr::EngineContext& engine, std::string& error);

// Converts the six texts (constant expressions, as above) into the Range, row by row. A
// text that is not a number stops there with the reader's message ("'abc' is not a
// number."); the values before it have been stored.
bool rangeFromTexts(const RangeTexts& texts, Range& range, const expr::EngineContext& engine,
                    std::string& error);

// Puts reversed bounds in order: when Xmin and Xmax are both numbers and Xmin is above
// Xmax, the two texts change places; the same for Ymin and Ymax. True when a pair was
// swapped. (A document's range opens this way; a range typed by the user is refused.)
bool swapReversedBounds(RangeTexts& texts, const expr::EngineContext& engine);

// The one-level copy that undo zoom returns to. Restoring keeps the copy, so undoing
// twice gives the same texts.
class RangeUndo {
public:
    void fill(const RangeTexts& texts) { m_copy = texts; }
    void restoreInto(RangeTexts& texts) const { texts = m_copy; }
    const RangeTexts& copy() const { return m_copy; }

private:
    RangeTexts m_copy{};
};

} // namespace lindor::graph::analysis
