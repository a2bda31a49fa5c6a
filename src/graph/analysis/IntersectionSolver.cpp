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

// Walks the box from the left in passes of 200, then 100 samples. A pass ends at the
// first sample where the walker stops (or past the box); the next pass narrows to the
// `stepsBack` steps before that sample.
template <typename Walker>
SearchEnd narrowingPasses(const SearchBox& box, int stepsBack, Walker& walker) {
    long double lo = box.left;
    long double hi = box.right;
    int n = kFirstSubdivisions;
    int pass = 0;
    SearchEnd end;
    do {
        ++pass;
        const long double h = (hi - lo) / n;
        long double x = lo - h;
        int counter = 0;
        walker.beginPass();
        for (;;) {
            x += h;
            ++counter;
            if (walker.stopsAt(x) || counter > n)
                break;
        }
        lo = x - stepsBack * h;
        hi = x;
        n = kLaterSubdivisions;
        end = SearchEnd{x, counter};
    } while (!(pass == kPassLimit || lo == hi || end.counter > kFirstSubdivisions));
    return end;
}

// Stops where the difference y1 - y2 changes its sign.
class SignChange {
public:
    explicit SignChange(const Pair& pair) : m_pair(pair) {}
    void beginPass() {
        m_y1 = kNoSample;
        m_y2 = 0;
    }
    bool stopsAt(long double x) {
        const long double previous = m_y1 - m_y2;
        return m_pair.at(x, m_y1, m_y2) && previous != kNoSample &&
               oppositeSigns(previous, m_y1 - m_y2);
    }

private:
    const Pair& m_pair;
    long double m_y1 = kNoSample;
    long double m_y2 = 0;
};

// Stops where the distance |y1 - y2| turns: the first step of the search decides whether
// it is falling or rising. This finds two curves that touch without crossing.
class TurningPoint {
public:
    explicit TurningPoint(const Pair& pair) : m_pair(pair) {}
    void beginPass() {
        m_y1 = kNoSample;
        m_y2 = 0;
    }
    bool stopsAt(long double x) {
        const long double previous = std::fabs(m_y1 - m_y2);
        if (!m_pair.at(x, m_y1, m_y2) || previous == kNoSample)
            return false;
        const long double current = std::fabs(m_y1 - m_y2);
        if (!m_decided) {
            m_decided = true;
            m_decreasing = previous > current;
            return false;
        }
        return m_decreasing ? previous <= current : previous > current;
    }

private:
    const Pair& m_pair;
    long double m_y1 = kNoSample;
    long double m_y2 = 0;
    bool m_decided = false;
    bool m_decreasing = false;
};

SearchEnd signChangeSearch(const Pair& pair, const SearchBox& box) {
    SignChange walker(pair);
    return narrowingPasses(box, 1, walker);
}

// The turn lies between the sample before the previous one and the stopping sample.
SearchEnd turningPointSearch(const Pair& pair, const SearchBox& box) {
    TurningPoint walker(pair);
    return narrowingPasses(box, 2, walker);
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
