#include <cmath>

#include "AnalysisTestSupport.h"
#include "graph/analysis/Solvers.h"

namespace lindor::graph::analysis::test {
namespace {

using SolverTest = AnalysisTest;

SearchBox box(long double left, long double right, long double bottom, long double top) {
    return SearchBox{left, right, bottom, top};
}

TEST_F(SolverTest, RootLogsThreeLinesAndMarksTheRoot) {
    const AnalysisResult r = findRoot(curve("x^2-4"), "x^2-4", box(1, 3, -1, 1), m_context);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[0], "");
    EXPECT_EQ(r.lines[1], "y = x^2-4");
    EXPECT_EQ(r.lines[2], text("Root") + ": x = 2");
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 2);
    EXPECT_EQ(r.mark->y, 0);
}

TEST_F(SolverTest, RootNearTheOriginSnapsToZero) {
    const AnalysisResult r = findRoot(curve("x^3"), "x^3", box(-0.7L, 1.3L, -1, 1), m_context);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[2], text("Root") + ": x = 0");
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 0);
}

TEST_F(SolverTest, RootTriesTheEdgesWhenTheMiddleFails) {
    // From the middle (0) the slope is 0; from the right edge Newton reaches 1.
    const AnalysisResult r = findRoot(curve("x^2-1"), "x^2-1", box(-0.5L, 1.5L, -2, 2),
                                      m_context);
    EXPECT_EQ(r.lines[2], text("Root") + ": x = 1");
}

TEST_F(SolverTest, RootNotFoundWhereThereIsNone) {
    for (const SearchBox& b : {box(-1.3L, 0.9L, -1, 2), box(-3, 3, -1, 5)}) {
        const AnalysisResult r = findRoot(curve("x^2+1"), "x^2+1", b, m_context);
        EXPECT_EQ(r.lines[2], text("Root") + ": " + text("NotFound"));
        EXPECT_FALSE(r.found());
    }
    // Undefined at the starting points: the search must not report a start as a root.
    const AnalysisResult u = findRoot(curve("ln(x)"), "ln(x)", box(-4, -1, -1, 1), m_context);
    EXPECT_EQ(u.lines[2], text("Root") + ": " + text("NotFound"));
    // A root outside the box does not count.
    const AnalysisResult o = findRoot(curve("x-5"), "x-5", box(0, 2, -10, 10), m_context);
    EXPECT_EQ(o.lines[2], text("Root") + ": " + text("NotFound"));
}

TEST_F(SolverTest, MaximumAtTheOriginSnapsToZero) {
    const AnalysisResult r = findExtremum(curve("-x^2+4"), "-x^2+4", box(-1, 2, 3, 5),
                                          Extremum::Maximum, m_context);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[1], "y = -x^2+4");
    EXPECT_EQ(r.lines[2], text("Maximum") + ": " + text("Ymax") + "=4 " + text("for") + " x = 0");
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 0);
    EXPECT_EQ(r.mark->y, 4);
}

TEST_F(SolverTest, MinimumAwayFromTheOrigin) {
    const AnalysisResult r = findExtremum(curve("x^2-2x"), "x^2-2x", box(0, 3, -2, 2),
                                          Extremum::Minimum, m_context);
    EXPECT_EQ(r.lines[2], text("Minimum") + ": " + text("Ymin") + "=-1 " + text("for") + " x = 1");
}

TEST_F(SolverTest, ExtremumFindsTheLeftmostOneAndDoesNotSnapOntoTheOppositeKind) {
    // Minima at -0.707 and 0.707, a maximum at 0: the flat slope at 0 must not move the
    // minimum onto the maximum.
    const AnalysisResult r = findExtremum(curve("x^4-x^2"), "x^4-x^2", box(-1, 1, -1, 1),
                                          Extremum::Minimum, m_context);
    ASSERT_TRUE(r.found());
    EXPECT_NEAR(static_cast<double>(r.mark->x), -std::sqrt(0.5), 1e-8);
    EXPECT_EQ(r.lines[2], text("Minimum") + ": " + text("Ymin") + "=-0.25 " + text("for") +
                              " x = -0.7071067812");
}

TEST_F(SolverTest, ExtremumNotFound) {
    // Monotonic: no sign change of the slope.
    const AnalysisResult a = findExtremum(curve("2x+1"), "2x+1", box(-2, 2, -5, 5),
                                          Extremum::Maximum, m_context);
    EXPECT_EQ(a.lines[2], text("Maximum") + ": " + text("NotFound"));
    // The maximum's point lies above the box.
    const AnalysisResult b = findExtremum(curve("-x^2+4"), "-x^2+4", box(-1, 2, 0, 3),
                                          Extremum::Maximum, m_context);
    EXPECT_EQ(b.lines[2], text("Maximum") + ": " + text("NotFound"));
    // Undefined in the whole box.
    const AnalysisResult c = findExtremum(curve("sqrt(x)"), "sqrt(x)", box(-3, -1, -1, 1),
                                          Extremum::Minimum, m_context);
    EXPECT_EQ(c.lines[2], text("Minimum") + ": " + text("NotFound"));
}

TEST_F(SolverTest, YIntersectionIgnoresTheBox) {
    const AnalysisResult r = findYIntersection(curve("cos(x)+1"), "cos(x)+1", m_context);
    EXPECT_EQ(r.lines[2], text("YIntersection") + ": y = 2");
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 0);
    EXPECT_EQ(r.mark->y, 2);
    const AnalysisResult n = findYIntersection(curve("ln(x)"), "ln(x)", m_context);
    EXPECT_EQ(n.lines[2], text("YIntersection") + ": " + text("NotFound"));
    EXPECT_FALSE(n.found());
}

TEST_F(SolverTest, IntersectionOfCrossingLinesSnapsToTheInteger) {
    const AnalysisResult r = findIntersection(curve("x"), "x", curve("2-x"), "2-x",
                                              box(-0.3L, 2.7L, 0, 2), m_context);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[1], "y1=x " + text("and") + " y2=2-x");
    EXPECT_EQ(r.lines[2], text("Intersection") + ": y = 1 " + text("for") + " x = 1");
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 1);
    EXPECT_EQ(r.mark->y, 1);
}

TEST_F(SolverTest, IntersectionOfTouchingCurvesByTheTurningPoint) {
    // No sample falls on 0 and the curves never cross: only the turning point of their
    // distance finds the touching point.
    const AnalysisResult r = findIntersection(curve("x^2"), "x^2", curve("0"), "0",
                                              box(-1, 1.3L, -1, 1), m_context);
    EXPECT_EQ(r.lines[2], text("Intersection") + ": y = 0 " + text("for") + " x = 0");
    // Touching at 1/3, which no rounding of x reaches.
    const AnalysisResult s = findIntersection(curve("(3x-1)^2+2"), "(3x-1)^2+2", curve("2"),
                                              "2", box(-0.1L, 1.2L, 0, 4), m_context);
    ASSERT_TRUE(s.found());
    // The distance is flat to the last digits near the touching point.
    EXPECT_NEAR(static_cast<double>(s.mark->x), 1.0 / 3, 1e-8);
    EXPECT_EQ(s.lines[2].rfind(text("Intersection") + ": y = 2 " + text("for") + " x = 0.33333333", 0), 0u);
}

TEST_F(SolverTest, IntersectionNotFound) {
    const AnalysisResult r = findIntersection(curve("x"), "x", curve("x+1"), "x+1",
                                              box(-2, 2, -3, 3), m_context);
    EXPECT_EQ(r.lines[2], text("Intersection") + ": " + text("NotFound"));
    EXPECT_FALSE(r.found());
    // The crossing lies outside the box's height.
    const AnalysisResult o = findIntersection(curve("x"), "x", curve("2-x"), "2-x",
                                              box(0, 2, 3, 4), m_context);
    EXPECT_EQ(o.lines[2], text("Intersection") + ": " + text("NotFound"));
}

TEST_F(SolverTest, IntersectionAtAnIrrationalPoint) {
    const AnalysisResult r = findIntersection(curve("x^2"), "x^2", curve("2"), "2",
                                              box(0, 3, 0, 5), m_context);
    ASSERT_TRUE(r.found());
    EXPECT_NEAR(static_cast<double>(r.mark->x), std::sqrt(2.0), 1e-9);
    EXPECT_EQ(r.lines[2], text("Intersection") + ": y = 2 " + text("for") + " x = 1.414213562");
}

TEST_F(SolverTest, YCalcRepeatsTheTypedText) {
    const Curve f = curve("x^2");
    const AnalysisResult r = calcY(f, "x^2", box(2, 4, 8, 10), "3", m_context);
    EXPECT_EQ(r.lines[2], text("YCalc") + ": y = 9 " + text("for") + " x = 3");
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 3);
    EXPECT_EQ(r.mark->y, 9);
    const AnalysisResult typed = calcY(f, "x^2", box(2, 4, 8, 10), "3.0", m_context);
    EXPECT_EQ(typed.lines[2], text("YCalc") + ": y = 9 " + text("for") + " x = 3.0");
}

TEST_F(SolverTest, YCalcOutsideTheBoxOrTheDomain) {
    const AnalysisResult outside = calcY(curve("x^2"), "x^2", box(2, 4, 0, 5), "3", m_context);
    EXPECT_EQ(outside.lines[2], text("YCalc") + ": " + text("CouldNotBeEvaluated"));
    EXPECT_FALSE(outside.found());
    const AnalysisResult undefinedHere =
        calcY(curve("ln(x)"), "ln(x)", box(-5, 5, -5, 5), "-1", m_context);
    EXPECT_EQ(undefinedHere.lines[2], text("YCalc") + ": " + text("CouldNotBeEvaluated"));
}

TEST_F(SolverTest, TypedTextThatIsNotANumberLogsNothing) {
    const Curve f = curve("x");
    for (const char* typed : {"abc", "", "1e99999"}) {
        const AnalysisResult y = calcY(f, "x", box(-5, 5, -5, 5), typed, m_context);
        EXPECT_TRUE(y.lines.empty()) << typed;
        EXPECT_NE(y.error.find("is not a valid floating point value"), std::string::npos);
        const AnalysisResult x = calcX(f, "x", box(-5, 5, -5, 5), typed, m_context);
        EXPECT_TRUE(x.lines.empty()) << typed;
        EXPECT_FALSE(x.error.empty());
    }
}

TEST_F(SolverTest, XCalcFindsTheInverseValue) {
    const AnalysisResult r = calcX(curve("2x+1"), "2x+1", box(-1, 2, 0, 4), "1", m_context);
    EXPECT_EQ(r.lines[2], text("XCalc") + ": y = 1 " + text("for") + " x = 0");
    ASSERT_TRUE(r.found());
    EXPECT_EQ(r.mark->x, 0);
    EXPECT_EQ(r.mark->y, 1);
    const AnalysisResult s = calcX(curve("x^2"), "x^2", box(0.5L, 3, 0, 5), "2.00", m_context);
    EXPECT_EQ(s.lines[2], text("XCalc") + ": y = 2.00 " + text("for") + " x = 1.414213562");
}

TEST_F(SolverTest, XCalcWithoutASolution) {
    const AnalysisResult r = calcX(curve("x^2"), "x^2", box(-2, 2, -2, 2), "-1", m_context);
    EXPECT_EQ(r.lines[2], text("XCalc") + ": " + text("YValueCouldNotBeFound"));
    EXPECT_FALSE(r.found());
    // A solution exists (x = 3) but lies right of the box.
    const AnalysisResult o = calcX(curve("x"), "x", box(-2, 2, -5, 5), "3", m_context);
    EXPECT_EQ(o.lines[2], text("XCalc") + ": " + text("YValueCouldNotBeFound"));
}

TEST_F(SolverTest, ResultsUseTheLocaleDecimalSeparator) {
    AnalysisContext comma{m_language, NumberLocale{',', '.'}};
    const AnalysisResult r = findRoot(curve("x-0.5"), "x-0.5", box(0, 1, -1, 1), comma);
    EXPECT_EQ(r.lines[2], text("Root") + ": x = 0,5");
}

} // namespace
} // namespace lindor::graph::analysis::test
