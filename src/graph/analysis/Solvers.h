// The analyses run on a search box: root, maximum, minimum, y-intersection, intersection
// of two functions, X-Calc and Y-Calc. Each returns its three log lines and the point to
// mark. `functionText` is the function's entry in the plotted-function list.
#pragma once

#include <string>

#include "graph/analysis/AnalysisResult.h"
#include "graph/analysis/Curve.h"
#include "graph/analysis/SearchBox.h"

namespace lindor::graph::analysis {

enum class Extremum { Maximum, Minimum };

// Newton's method from the middle of the box, then from its right and left edges; the
// root's point (x, 0) must lie in the box.
AnalysisResult findRoot(const Curve& f, const std::string& functionText, const SearchBox& box,
                        const AnalysisContext& context);

// The leftmost local maximum or minimum in the box: the first sign change of the
// derivative, narrowed pass by pass.
AnalysisResult findExtremum(const Curve& f, const std::string& functionText, const SearchBox& box,
                            Extremum kind, const AnalysisContext& context);

// f(0); the box is not consulted.
AnalysisResult findYIntersection(const Curve& f, const std::string& functionText,
                                 const AnalysisContext& context);

// The leftmost crossing of the two curves in the box, or, without a crossing, the first
// point where the curves come closest (where they touch).
AnalysisResult findIntersection(const Curve& f1, const std::string& text1, const Curve& f2,
                                const std::string& text2, const SearchBox& box,
                                const AnalysisContext& context);

// f at the typed x (a number or a constant expression such as "pi/2"). The point must lie
// in the box. The log repeats the typed text as it was typed. A text that is not a number
// gives the reader's message in `error` and no lines.
AnalysisResult calcY(const Curve& f, const std::string& functionText, const SearchBox& box,
                     const std::string& typedX, const AnalysisContext& context);

// An x in the box where f takes the typed y, by Newton's method from the middle, the
// right and the left of the box. A text that is not a number gives `error` and no lines.
AnalysisResult calcX(const Curve& f, const std::string& functionText, const SearchBox& box,
                     const std::string& typedY, const AnalysisContext& context);

} // namespace lindor::graph::analysis
