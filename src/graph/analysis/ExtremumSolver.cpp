#include <cmath>

#include "graph/analysis/Newton.h"
#include "graph/analysis/Solvers.h"
#include "lang/Language.h"

namespace lindor::graph::analysis {

namespace {

// An extremum closer to 0 than this is taken as lying at 0 when the box spans 0 and the
// slope there is flat.
constexpr long double kExtremumSnapDistance = 1;
constexpr long double kFlatSlopeAtZero = 1e-15L;

} // namespace

AnalysisResult findExtremum(const Curve& f, const std::string& functionText, const SearchBox& box,
                            Extremum kind, const AnalysisContext& context) {
    const bool maximum = kind == Extremum::Maximum;
    const std::string name = functionLine(functionText);
    const lang::Language& language = context.language;
    const std::string label =
        (maximum ? language.text("Maximum") : language.text("Minimum")) + ": ";
    // Towards a maximum the curve rises, then falls; towards a minimum the other way round.
    auto rising = [maximum](long double d) { return maximum ? d > 0 : d < 0; };
    auto falling = [maximum](long double d) { return maximum ? d < 0 : d > 0; };

    long double lo = box.left;
    long double hi = box.right;
    int n = kFirstSubdivisions;
    int pass = 0;
    int counter = 0;
    long double x = lo;
    do {
        ++pass;
        const long double h = (hi - lo) / n;
        x = lo - h;
        counter = 0;
        long double d = 0;
        do {
            x += h;
            ++counter;
        } while (!(f.derivativeAt(x, d) && rising(d)) && counter <= n);
        // A sample that lands exactly on the extremum has a slope of exactly 0, which
        // neither rises nor falls; the next pass must then start before that sample, or
        // it would find no rise in its whole width.
        bool previousFlat = false;
        for (;;) {
            x += h;
            ++counter;
            const bool computed = f.derivativeAt(x, d);
            if ((computed && falling(d)) || counter > n)
                break;
            previousFlat = computed && d == 0;
        }
        lo = previousFlat ? x - 2 * h : x - h;
        hi = x;
        n = kLaterSubdivisions;
    } while (!(pass == kPassLimit || lo == hi || counter > kFirstSubdivisions));

    long double y = 0;
    const bool defined = f.valueAt(x, y);
    long double slopeAtZero = 0;
    long double atZero = 0;
    if (std::fabs(x) < kExtremumSnapDistance && box.left < 0 && box.right > 0 &&
        f.derivativeAt(0, slopeAtZero) && std::fabs(slopeAtZero) < kFlatSlopeAtZero &&
        f.valueAt(0, atZero)) {
        // Only when 0 is at least as good an answer: a flat point at 0 between the
        // extremum found and the origin may be the opposite kind of extremum.
        const bool noWorse = !defined || (maximum ? atZero >= y : atZero <= y);
        if (noWorse)
            x = 0;
    }

    long double d = 0;
    const bool flat = f.derivativeAt(x, d) && std::fabs(d) <= kValueTolerance;
    if (flat && counter <= kFirstSubdivisions && f.valueAt(x, y) && box.contains(x, y)) {
        return logged(name,
                      label + (maximum ? language.text("Ymax") : language.text("Ymin")) + "=" +
                          resultText(y, context) + " " + context.language.text("for") +
                          " x = " + resultText(x, context),
                      PlanePoint{x, y});
    }
    return logged(name, label + context.language.text("NotFound"));
}

} // namespace lindor::graph::analysis
