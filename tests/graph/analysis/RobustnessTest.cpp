// Any box and any function: every analysis ends after a bounded amount of work, never
// crashes, always logs three lines, and whatever it reports as found holds.
#include <cmath>
#include <limits>
#include <random>

#include "AnalysisTestSupport.h"
#include "graph/analysis/Solvers.h"

namespace lindor::graph::analysis::test {
namespace {

// Counts the calls an analysis makes; a derivative costs up to 100 evaluations.
struct CountingCurve {
    Curve inner;
    long long values = 0;
    long long derivatives = 0;

    Curve counted() {
        Curve c;
        c.value = [this](long double x, long double& y) {
            ++values;
            return inner.value(x, y);
        };
        c.derivative = [this](long double x, long double& y) {
            ++derivatives;
            return inner.derivative(x, y);
        };
        return c;
    }
    long long cost() const { return values + 100 * derivatives; }
};

// The most any analysis may cost: 20 passes of at most 202 and then 102 derivatives for
// the extremum, with margin for the final checks.
constexpr long long kMaxCost = 250000;

class RobustnessTest : public AnalysisTest {
protected:
    long double randomBound() {
        std::uniform_int_distribution<int> kind(0, 12);
        std::uniform_real_distribution<double> small(-10, 10);
        switch (kind(m_random)) {
        case 0:
            return std::ldexp(small(m_random),
                              std::uniform_int_distribution<int>(-60, 60)(m_random));
        case 1:
            return 1e300L * (small(m_random) > 0 ? 1 : -1);
        case 2:
            return 0;
        case 3:
            return std::numeric_limits<long double>::quiet_NaN();
        case 4:
            return std::numeric_limits<long double>::infinity();
        default:
            return small(m_random);
        }
    }

    SearchBox randomBox() {
        SearchBox b{randomBound(), randomBound(), randomBound(), randomBound()};
        // Mostly well-formed boxes, which reach the searches; some reversed or flat ones.
        std::uniform_int_distribution<int> shape(0, 9);
        const int s = shape(m_random);
        if (s < 7) {
            if (b.left > b.right)
                std::swap(b.left, b.right);
            if (b.bottom > b.top)
                std::swap(b.bottom, b.top);
        } else if (s == 7) {
            b.right = b.left;
        }
        return b;
    }

    std::mt19937 m_random{20261208};
};

const char* const kFunctions[] = {
    "x^2-4",     "sin(x)",    "tan(x)", "1/x",          "ln(x)",       "sqrt(x)",
    "abs(x)-1",  "int(x)",    "x^3-x",  "sqrt(-1-x^2)", "e^x",         "x^10",
    "1/(x^2-1)", "cos(3x)*x", "0",      "10^(x^2)",     "sqrt(1-x^2)", "x",
};

TEST_F(RobustnessTest, RandomBoxesAndFunctionsStayBoundedAndReportOnlyTrueResults) {
    std::vector<Curve> curves;
    for (const char* text : kFunctions)
        curves.push_back(curve(text));
    std::uniform_int_distribution<std::size_t> pick(0, curves.size() - 1);
    std::uniform_real_distribution<double> typed(-5, 5);

    // How often each kind of analysis found something, so that the checks on found
    // results are known to have run.
    int roots = 0, extrema = 0, crossings = 0, inverses = 0;
    for (int round = 0; round < 200; ++round) {
        const SearchBox b = randomBox();
        const std::size_t i = pick(m_random);
        const std::size_t j = pick(m_random);
        const std::string name = kFunctions[i];
        SCOPED_TRACE(name + " and " + kFunctions[j] + " in " + std::to_string(double(b.left)) +
                     ".." + std::to_string(double(b.right)) + " x " +
                     std::to_string(double(b.bottom)) + ".." + std::to_string(double(b.top)));
        CountingCurve f{curves[i]};
        CountingCurve g{curves[j]};

        auto checkShape = [](const AnalysisResult& r) {
            ASSERT_EQ(r.lines.size(), 3u);
            if (r.found()) {
                EXPECT_TRUE(std::isfinite(r.mark->x) && std::isfinite(r.mark->y));
            }
            EXPECT_TRUE(r.lines[0].empty());
            EXPECT_EQ(r.lines[1].rfind("y", 0), 0u);
            EXPECT_TRUE(r.error.empty());
        };
        auto checkCost = [](CountingCurve& c) {
            EXPECT_LE(c.cost(), kMaxCost);
            c.values = c.derivatives = 0;
        };

        const AnalysisResult root = findRoot(f.counted(), name, b, m_context);
        checkShape(root);
        checkCost(f);
        if (root.found()) {
            ++roots;
            long double y = 0;
            EXPECT_TRUE(b.contains(root.mark->x, 0));
            EXPECT_TRUE(curves[i].valueAt(root.mark->x, y));
        }

        for (Extremum kind : {Extremum::Maximum, Extremum::Minimum}) {
            const AnalysisResult e = findExtremum(f.counted(), name, b, kind, m_context);
            checkShape(e);
            checkCost(f);
            if (e.found()) {
                ++extrema;
                long double y = 0;
                EXPECT_TRUE(b.contains(e.mark->x, e.mark->y));
                ASSERT_TRUE(curves[i].valueAt(e.mark->x, y));
                EXPECT_EQ(y, e.mark->y);
            }
        }

        const AnalysisResult cross =
            findIntersection(f.counted(), name, g.counted(), kFunctions[j], b, m_context);
        checkShape(cross);
        checkCost(f);
        checkCost(g);
        if (cross.found()) {
            ++crossings;
            long double y1 = 0;
            long double y2 = 0;
            EXPECT_TRUE(b.contains(cross.mark->x, cross.mark->y));
            ASSERT_TRUE(curves[i].valueAt(cross.mark->x, y1));
            ASSERT_TRUE(curves[j].valueAt(cross.mark->x, y2));
            EXPECT_LE(std::fabs(y1 - y2), 1e-10L);
        }

        const std::string value = std::to_string(typed(m_random));
        const AnalysisResult xc = calcX(f.counted(), name, b, value, m_context);
        checkShape(xc);
        checkCost(f);
        if (xc.found()) {
            ++inverses;
            long double y = 0;
            EXPECT_TRUE(b.contains(xc.mark->x, xc.mark->y));
            ASSERT_TRUE(curves[i].valueAt(xc.mark->x, y));
            EXPECT_LE(std::fabs(y - xc.mark->y), 1e-10L);
        }
        const AnalysisResult yc = calcY(f.counted(), name, b, value, m_context);
        checkShape(yc);
        if (yc.found()) {
            EXPECT_TRUE(b.contains(yc.mark->x, yc.mark->y));
        }
    }
    EXPECT_GT(roots, 5);
    EXPECT_GT(extrema, 5);
    EXPECT_GT(crossings, 5);
    EXPECT_GT(inverses, 5);
}

TEST_F(RobustnessTest, NothingLiesInABoxThatIsNotANumber) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const Curve f = curve("x");
    for (const SearchBox& b : {SearchBox{nan, nan, nan, nan}, SearchBox{-5, 5, nan, 5}}) {
        EXPECT_FALSE(calcY(f, "x", b, "1", m_context).found());
        EXPECT_FALSE(calcX(f, "x", b, "1", m_context).found());
        EXPECT_FALSE(findRoot(f, "x", b, m_context).found());
    }
}

} // namespace
} // namespace lindor::graph::analysis::test
