// The scripted questions themselves: a question asked out of turn must fail the test.
#include <gtest/gtest-spi.h>

#include "ScriptedQuestions.h"

namespace lindor::ui::test {
namespace {

TEST(ScriptedQuestions, AnswersInOrderAndFailsOnAnUnexpectedQuestion) {
    ScriptedQuestions q;
    q.expectYesNo(true, "Delete").expectInput(QString("3"), "Calc");
    EXPECT_TRUE(q.askYesNo("Delete all?"));
    EXPECT_EQ(q.inputText("Y-Calc", "x:", ""), std::optional<QString>("3"));
    EXPECT_TRUE(q.done());
    EXPECT_NONFATAL_FAILURE(q.error("Out of turn"), "unexpected question: error");
    EXPECT_EQ(q.messages().back(), "Out of turn");
}

} // namespace
} // namespace lindor::ui::test
