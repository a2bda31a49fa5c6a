#include <cmath>

#include "AnalysisTestSupport.h"
#include "graph/analysis/Solvers.h"

namespace lindor::graph::analysis::test {
namespace {

SearchBox box(long double left, long double right, long double bottom, long double top) {
    return SearchBox{left, right, bottom, top};
}

class SolverTest : public AnalysisTest {
protected:
    // The result line of each analysis.
    std::string root(const char* f, const SearchBox& b) {
        return findRoot(curve(f), f, b, m_context).lines.at(2);
    }
    std::string extremum(const char* f, const SearchBox& b, Extremum kind) {
        return findExtremum(curve(f), f, b, kind, m_context).lines.at(2);
    }
    std::string cross(const char* f1, const char* f2, const SearchBox& b) {
        return findIntersection(curve(f1), f1, curve(f2), f2, b, m_context).lines.at(2);
    }
    // "<text of key>: <rest>", with " for " translated.
    std::string line(const char* key, const std::string& rest) {
        std::string r = rest;
        const std::size_t p = r.find(" for ");
        if (p != std::string::npos)
            r.replace(p, 5, " " + text("for") + " ");
        return text(key) + ": " + r;
    }
    std::string notFound(const char* key) { return text(key) + ": " + text("NotFound"); }
};

TEST_F(SolverTest, RootLogsThreeLinesAndMarksTheRoot) {
    const AnalysisResult r = findRoot(curve("x^2-4"), "x^2-4", box(1, 3, -1, 1), m_context);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"", "y = x^2-4", line("Root", "x = 2")}));
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 2);
    EXPECT_EQ(r.mark->y, 0);
}

TEST_F(SolverTest, RootSnapsToZeroAndRestartsFromTheEdges) {
    EXPECT_EQ(root("x^3", box(-0.7L, 1.3L, -1, 1)), line("Root", "x = 0"));
    // From the middle (0) the slope is 0; from the right edge Newton reaches 1.
    EXPECT_EQ(root("x^2-1", box(-0.5L, 1.5L, -2, 2)), line("Root", "x = 1"));
    // Steps shrink by only a tenth each time; after the last iteration |f| is tiny, which
    // still counts as a root.
    EXPECT_EQ(root("x^10", box(-0.3L, 0.5L, -1, 1)), line("Root", "x = 0"));
}

TEST_F(SolverTest, RootNotFoundWhereThereIsNone) {
    EXPECT_EQ(root("x^2+1", box(-1.3L, 0.9L, -1, 2)), notFound("Root"));
    EXPECT_EQ(root("x^2+1", box(-3, 3, -1, 5)), notFound("Root"));
    // Undefined at the starting points: a start must not be reported as a root.
    EXPECT_EQ(root("ln(x)", box(-4, -1, -1, 1)), notFound("Root"));
    // A root outside the box does not count.
    EXPECT_EQ(root("x-5", box(0, 2, -10, 10)), notFound("Root"));
}

TEST_F(SolverTest, ExtremaFoundAndMarked) {
    const AnalysisResult r =
        findExtremum(curve("-x^2+4"), "-x^2+4", box(-1, 2, 3, 5), Extremum::Maximum, m_context);
    EXPECT_EQ(r.lines[1], "y = -x^2+4");
    EXPECT_EQ(r.lines[2], line("Maximum", text("Ymax") + "=4 for x = 0"));
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 0);
    EXPECT_EQ(r.mark->y, 4);
    EXPECT_EQ(extremum("x^2-2x", box(0, 3, -2, 2), Extremum::Minimum),
              line("Minimum", text("Ymin") + "=-1 for x = 1"));
    // With a step of exactly 1 a sample falls on 0, where the slope is exactly 0.
    EXPECT_EQ(extremum("-x^2+4", box(-100, 100, -1000, 10), Extremum::Maximum),
              line("Maximum", text("Ymax") + "=4 for x = 0"));
}

TEST_F(SolverTest, ExtremumIsTheLeftmostAndNotSnappedOntoTheOppositeKind) {
    // Minima at -0.707 and 0.707, a maximum at 0 with a flat slope.
    EXPECT_EQ(extremum("x^4-x^2", box(-1, 1, -1, 1), Extremum::Minimum),
              line("Minimum", text("Ymin") + "=-0.25 for x = -0.7071067812"));
}

TEST_F(SolverTest, ExtremumNotFound) {
    EXPECT_EQ(extremum("2x+1", box(-2, 2, -5, 5), Extremum::Maximum), notFound("Maximum"));
    // An inflection with a flat slope is no extremum.
    EXPECT_EQ(extremum("x^3", box(-100, 100, -10, 10), Extremum::Maximum), notFound("Maximum"));
    // The maximum's point lies above the box.
    EXPECT_EQ(extremum("-x^2+4", box(-1, 2, 0, 3), Extremum::Maximum), notFound("Maximum"));
    EXPECT_EQ(extremum("sqrt(x)", box(-3, -1, -1, 1), Extremum::Minimum), notFound("Minimum"));
}

TEST_F(SolverTest, YIntersectionIgnoresTheBox) {
    const AnalysisResult r = findYIntersection(curve("cos(x)+1"), "cos(x)+1", m_context);
    EXPECT_EQ(r.lines[2], line("YIntersection", "y = 2"));
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 0);
    EXPECT_EQ(r.mark->y, 2);
    const AnalysisResult n = findYIntersection(curve("ln(x)"), "ln(x)", m_context);
    EXPECT_EQ(n.lines[2], notFound("YIntersection"));
    EXPECT_FALSE(n.found());
}

TEST_F(SolverTest, IntersectionOfCrossingCurves) {
    const AnalysisResult r =
        findIntersection(curve("x"), "x", curve("2-x"), "2-x", box(-0.3L, 2.7L, 0, 2), m_context);
    EXPECT_EQ(r.lines[1], "y1=x " + text("and") + " y2=2-x");
    EXPECT_EQ(r.lines[2], line("Intersection", "y = 1 for x = 1"));
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 1);
    EXPECT_EQ(r.mark->y, 1);
    EXPECT_EQ(cross("x^2", "2", box(0, 3, 0, 5)),
              line("Intersection", "y = 2 for x = 1.414213562"));
}

TEST_F(SolverTest, IntersectionOfTouchingCurvesByTheTurningPoint) {
    // No sample falls on 0 and the curves never cross.
    EXPECT_EQ(cross("x^2", "0", box(-1, 1.3L, -1, 1)), line("Intersection", "y = 0 for x = 0"));
    // Touching at 1/3, which no rounding of x reaches; the distance is flat to the last
    // digits there.
    const AnalysisResult s = findIntersection(curve("(3x-1)^2+2"), "(3x-1)^2+2", curve("2"), "2",
                                              box(-0.1L, 1.2L, 0, 4), m_context);
    ASSERT_TRUE(s.found());
    EXPECT_NEAR(static_cast<double>(s.mark->x), 1.0 / 3, 1e-8);
    EXPECT_EQ(s.lines[2].rfind(line("Intersection", "y = 2 for x = 0.33333333"), 0), 0u);
}

TEST_F(SolverTest, IntersectionNotFound) {
    EXPECT_EQ(cross("x", "x+1", box(-2, 2, -3, 3)), notFound("Intersection"));
    // The crossing lies outside the box's height.
    EXPECT_EQ(cross("x", "2-x", box(0, 2, 3, 4)), notFound("Intersection"));
}

TEST_F(SolverTest, YCalcRepeatsTheTypedTextAndChecksTheBox) {
    const Curve f = curve("x^2");
    const AnalysisResult r = calcY(f, "x^2", box(2, 4, 8, 10), "3.0", m_context);
    EXPECT_EQ(r.lines[2], line("YCalc", "y = 9 for x = 3.0"));
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 3);
    EXPECT_EQ(r.mark->y, 9);
    const std::string failed = text("YCalc") + ": " + text("CouldNotBeEvaluated");
    EXPECT_EQ(calcY(f, "x^2", box(2, 4, 0, 5), "3", m_context).lines[2], failed);
    EXPECT_EQ(calcY(curve("ln(x)"), "ln(x)", box(-5, 5, -5, 5), "-1", m_context).lines[2], failed);
}

TEST_F(SolverTest, XCalcFindsTheInverseValue) {
    const AnalysisResult r = calcX(curve("2x+1"), "2x+1", box(-1, 2, 0, 4), "1", m_context);
    EXPECT_EQ(r.lines[2], line("XCalc", "y = 1 for x = 0"));
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 0);
    EXPECT_EQ(r.mark->y, 1);
    EXPECT_EQ(calcX(curve("x^2"), "x^2", box(0.5L, 3, 0, 5), "2.00", m_context).lines[2],
              line("XCalc", "y = 2.00 for x = 1.414213562"));
    const std::string failed = text("XCalc") + ": " + text("YValueCouldNotBeFound");
    EXPECT_EQ(calcX(curve("x^2"), "x^2", box(-2, 2, -2, 2), "-1", m_context).lines[2], failed);
    // The solution x = 3 lies right of the box.
    EXPECT_EQ(calcX(curve("x"), "x", box(-2, 2, -5, 5), "3", m_context).lines[2], failed);
}

TEST_F(SolverTest, TypedTextThatIsNotANumberLogsNothing) {
    const Curve f = curve("x");
    for (const char* typed : {"abc", "", "1E99999", "x/2"}) {
        const AnalysisResult y = calcY(f, "x", box(-5, 5, -5, 5), typed, m_context);
        EXPECT_TRUE(y.lines.empty()) << typed;
        EXPECT_EQ(y.error.rfind("'" + std::string(typed) + "' is not a number", 0), 0u) << y.error;
        const AnalysisResult x = calcX(f, "x", box(-5, 5, -5, 5), typed, m_context);
        EXPECT_TRUE(x.lines.empty()) << typed;
        EXPECT_FALSE(x.error.empty());
    }
}

TEST_F(SolverTest, TypedValuesAreConstantsInTheAngleMode) {
    AnalysisContext degrees{m_language, NumberLocale{}, expr::AngleMode::Degrees};
    const AnalysisResult r = calcY(curve("2x"), "2x", box(-5, 5, -5, 5), "sin 30", degrees);
    ASSERT_EQ(r.lines.size(), 3u) << r.error;
    EXPECT_EQ(r.lines[2], line("YCalc", "y = 1 for x = sin 30"));
}

TEST_F(SolverTest, ResultsUseTheLocaleDecimalSeparator) {
    AnalysisContext comma{m_language, NumberLocale{',', '.'}};
    const AnalysisResult r = findRoot(curve("x-0.5"), "x-0.5", box(0, 1, -1, 1), comma);
    EXPECT_EQ(r.lines[2], line("Root", "x = 0,5"));
}

} // namespace
} // namespace lindor::graph::analysis::test
