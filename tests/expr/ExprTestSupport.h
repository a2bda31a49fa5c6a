// Shared fixture of the engine tests: a context, a function list and short helpers.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "expr/FuncEval.h"
#include "lang/Language.h"

namespace lindor::expr::test {

class EngineTest : public ::testing::Test {
protected:
    EngineTest() : db(context) {}

    // Compiles `text` into a new function of the list; fails the test on an error.
    TFunction& compiled(const std::string& text) {
        TFunction& f = db.Get(db.Add());
        std::string error;
        EXPECT_TRUE(f.Compile(text, error)) << text << ": " << error;
        return f;
    }

    // The error text of a compilation that must fail.
    std::string failure(const std::string& text) {
        TFunction f(db);
        std::string error;
        EXPECT_FALSE(f.Compile(text, error)) << text << " compiled to " << f.normalisedText();
        EXPECT_FALSE(f.isCompiled());
        return error;
    }

    std::string normalised(const std::string& text) { return compiledOrEmpty(text); }

    // f(x) of a text that must compile and be defined at x.
    long double value(const std::string& text, long double x = 0) {
        long double y = 0;
        EXPECT_TRUE(compiled(text).Evaluate(x, y)) << text << " undefined at " << (double)x;
        return y;
    }

    bool defined(const std::string& text, long double x = 0) {
        long double y = 0;
        return compiled(text).Evaluate(x, y);
    }

    static std::string english(const char* key) { return lang::builtinEnglish().text(key); }

    EngineContext context;
    TFunctionDB db;

private:
    std::string compiledOrEmpty(const std::string& text) {
        TFunction f(db);
        std::string error;
        EXPECT_TRUE(f.Compile(text, error)) << text << ": " << error;
        return f.normalisedText();
    }
};

} // namespace lindor::expr::test
