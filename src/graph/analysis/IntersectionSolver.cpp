#include <cmath>

#include "graph/analysis/Newton.h"
#include "graph/analysis/Solvers.h"
#include "lang/Language.h"

namespace lindor::graph::analysis {

namespace {

// Marks "no earlier sample" in the difference of the previous step.
constexpr long double kNoSample = 1e100L;
// A crossing this close to an integer is taken as lying on it.
constexpr long double kIntegerSnapDistance = 1e-8L;

struct Pair {
    const Curve& f1;
    const Curve& f2;

    // Both values at x; the outputs change only when both are defined.
    bool at(long double x, long double& y1, long double& y2) const {
        long double a = 0;
        long double b = 0;
        if (!f1.valueAt(x, a) || !f2.valueAt(x, b))
            return false;
        y1 = a;
        y2 = b;
        return true;
    }

    // Both defined at x and meeting there.
    bool meetAt(long double x) const {
        long double a = 0;
        long double b = 0;
        return at(x, a, b) && std::fabs(a - b) < kValueTolerance;
    }
};

// Where a search stopped: the last sample and the number of samples of the last pass.
struct SearchEnd {
    long double x = 0;
    int counter = 0;
};

bool oppositeSigns(long double a, long double b) {
    return (a > 0 && b < 0) || (a < 0 && b > 0);
}

// Walks the box from the left in passes of 200, then 100 samples, each pass narrowing to
// the step where the difference y1 - y2 changed its sign.
SearchEnd signChangeSearch(const Pair& pair, const SearchBox& box) {
    long double lo = box.left;
    long double hi = box.right;
    int n = kFirstSubdivisions;
    int pass = 0;
    SearchEnd end;
    do {
        ++pass;
        const long double h = (hi - lo) / n;
        long double x = lo - h;
        long double y1 = kNoSample;
        long double y2 = 0;
        int counter = 0;
        for (;;) {
            const long double previous = y1 - y2;
            x += h;
            ++counter;
            const bool ok = pair.at(x, y1, y2);
            if (ok && previous != kNoSample && oppositeSigns(previous, y1 - y2))
                break;
            if (counter > n)
                break;
        }
        lo = x - h;
        hi = x;
        n = kLaterSubdivisions;
        end = SearchEnd{x, counter};
    } while (!(pass == kPassLimit || lo == hi || end.counter > kFirstSubdivisions));
    return end;
}

// The same passes on the distance |y1 - y2|: the first step decides whether the distance
// is falling or rising, and a pass ends where that trend turns. This finds two curves
// that touch without crossing.
SearchEnd turningPointSearch(const Pair& pair, const SearchBox& box) {
    long double lo = box.left;
    long double hi = box.right;
    int n = kFirstSubdivisions;
    int pass = 0;
    bool decided = false;
    bool decreasing = false;
    SearchEnd end;
    do {
        ++pass;
        const long double h = (hi - lo) / n;
        long double x = lo - h;
        long double y1 = kNoSample;
        long double y2 = 0;
        int counter = 0;
        for (;;) {
            const long double previous = std::fabs(y1 - y2);
            x += h;
            ++counter;
            if (pair.at(x, y1, y2) && previous != kNoSample) {
                const long double current = std::fabs(y1 - y2);
                if (!decided) {
                    decided = true;
                    decreasing = previous > current;
                } else if (decreasing ? previous <= current : previous > current) {
                    break;
                }
            }
            if (counter > n)
                break;
        }
        // The turn lies between the sample before the previous one and this one.
        lo = x - 2 * h;
        hi = x;
        n = kLaterSubdivisions;
        end = SearchEnd{x, counter};
    } while (!(pass == kPassLimit || lo == hi || end.counter > kFirstSubdivisions));
    return end;
}

} // namespace

AnalysisResult findIntersection(const Curve& f1, const std::string& text1, const Curve& f2,
                                const std::string& text2, const SearchBox& box,
                                const AnalysisContext& context) {
    const std::string name = pairFunctionLine(text1, text2, context);
    const std::string label = context.language.text("Intersection") + ": ";
    const Pair pair{f1, f2};

    SearchEnd end = signChangeSearch(pair, box);
    if (end.counter > kFirstSubdivisions)
        end = turningPointSearch(pair, box);
    long double x = end.x;

    // Crossings at whole numbers and at two decimals are common in typed functions; a
    // result a rounding error away from them is moved onto them when they meet there.
    const long double integer = std::nearbyintl(x);
    if (std::fabs(x - integer) < kIntegerSnapDistance && pair.meetAt(x) && pair.meetAt(integer))
        x = integer;
    const long double twoDecimals = std::nearbyintl(100 * x) / 100;
    if (pair.meetAt(twoDecimals))
        x = twoDecimals;

    long double y1 = 0;
    long double y2 = 0;
    const bool defined = pair.at(x, y1, y2);
    if (std::fabs(y1) < kValueTolerance)
        y1 = 0;
    if (defined && std::fabs(y1 - y2) <= kValueTolerance && end.counter <= kFirstSubdivisions &&
        box.contains(x, y1)) {
        return logged(name,
                      label + "y = " + resultText(y1, context) + " " +
                          context.language.text("for") + " x = " + resultText(x, context),
                      PlanePoint{x, y1});
    }
    return logged(name, label + context.language.text("NotFound"));
}

} // namespace lindor::graph::analysis
