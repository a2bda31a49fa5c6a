#include "ExprTestSupport.h"

#include <stdexcept>

namespace lindor::expr::test {
namespace {

class FunctionDBTest : public EngineTest {};

TEST_F(FunctionDBTest, PositionsCountFromZeroAndMoveUpAfterDelete) {
    EXPECT_EQ(db.Add(), 0);
    EXPECT_EQ(db.Add(), 1);
    EXPECT_EQ(db.Add(), 2);
    std::string error;
    ASSERT_TRUE(db.Get(0).Compile("x+1", error));
    ASSERT_TRUE(db.Get(1).Compile("x+2", error));
    ASSERT_TRUE(db.Get(2).Compile("x+3", error));
    db.Delete(1);
    EXPECT_EQ(db.Count(), 2);
    long double y = 0;
    ASSERT_TRUE(db.Get(1).Evaluate(0, y));
    EXPECT_EQ(y, 3.0L);
    // A later Add reuses a position; the registers stay apart.
    EXPECT_EQ(db.Add(), 2);
    ASSERT_TRUE(db.Get(2).Compile("x*100", error));
    ASSERT_TRUE(db.Get(1).Evaluate(0, y));
    EXPECT_EQ(y, 3.0L);
    db.Clear();
    EXPECT_EQ(db.Count(), 0);
    EXPECT_EQ(db.Add(), 0);
}

TEST_F(FunctionDBTest, PositionsOutsideTheListAreErrors) {
    db.Add();
    try {
        db.Get(5);
        FAIL() << "no error";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
    EXPECT_THROW(db.Get(-1), std::out_of_range);
    EXPECT_THROW(db.Delete(1), std::out_of_range);
}

TEST_F(FunctionDBTest, FunctionsKeepTheirRegistersAndValues) {
    TFunction& f = compiled("3x^2+5");
    TFunction& g = compiled("sin(x)*7-2");
    TFunction own(db); // a function outside the list, as the value table keeps one
    std::string error;
    ASSERT_TRUE(own.Compile("x/4+100", error));
    long double a = 0;
    long double b = 0;
    long double c = 0;
    for (long double x : {-2.0L, 0.5L, 3.0L}) {
        ASSERT_TRUE(f.Evaluate(x, a));
        ASSERT_TRUE(own.Evaluate(x + 1, c));
        ASSERT_TRUE(g.Evaluate(x, b));
        ASSERT_TRUE(f.Evaluate(x, a));
        EXPECT_EQ(a, 3 * x * x + 5);
        EXPECT_EQ(b, std::sin(x) * 7 - 2);
        EXPECT_EQ(c, (x + 1) / 4 + 100);
    }
}

TEST_F(FunctionDBTest, AFailedCompileMakesOnlyThatFunctionUnusable) {
    TFunction& f = compiled("x^2");
    TFunction& g = db.Get(db.Add());
    std::string error;
    EXPECT_FALSE(g.Compile("y", error));
    long double y = 0;
    EXPECT_FALSE(g.Evaluate(1, y));
    ASSERT_TRUE(f.Evaluate(3, y));
    EXPECT_EQ(y, 9.0L);
    // A good function that fails on recompilation is unusable until compiled again.
    EXPECT_FALSE(f.Compile("2*", error));
    EXPECT_FALSE(f.Evaluate(3, y));
    EXPECT_FALSE(f.Derivative(3, y));
    ASSERT_TRUE(f.Compile("x", error));
    EXPECT_TRUE(f.Evaluate(3, y));
}

TEST_F(FunctionDBTest, DerivativeKeepsItsOperandWhenTheListChanges) {
    const int first = db.Add();
    std::string error;
    ASSERT_TRUE(db.Get(first).Compile("d/dx(x^3)", error));
    const int second = db.Add();
    ASSERT_TRUE(db.Get(second).Compile("d/dx(sin x)", error));
    EXPECT_EQ(db.Count(), 4);
    // Erasing the first plotted function moves everything after it.
    db.Delete(first);
    TFunction& g = db.Get(second - 1);
    long double y = 0;
    ASSERT_TRUE(g.Evaluate(1, y));
    EXPECT_NEAR((double)y, std::cos(1.0), 1e-8);
    db.Clear();
    TFunction own(db);
    ASSERT_TRUE(own.Compile("d/dx(x^2)", error));
    db.Clear();
    ASSERT_TRUE(own.Evaluate(2, y));
    EXPECT_NEAR((double)y, 4.0, 1e-8);
}

} // namespace
} // namespace lindor::expr::test
