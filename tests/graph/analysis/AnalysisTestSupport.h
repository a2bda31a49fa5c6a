// Shared set-up of the analysis tests: an engine with compiled functions and the
// English texts.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "expr/FuncEval.h"
#include "graph/analysis/AnalysisResult.h"
#include "graph/analysis/Curve.h"
#include "lang/Language.h"

namespace lindor::graph::analysis::test {

class AnalysisTest : public ::testing::Test {
protected:
    AnalysisTest() : m_functions(m_engine), m_context{m_language, NumberLocale{}} {
        m_language.setMessageHandler([this](const std::string& m) { m_messages.push_back(m); });
        m_language.LoadLanguage("English", LINDOR_DATA_DIR);
    }

    void TearDown() override {
        // Every text the analyses use must exist in the language file.
        EXPECT_TRUE(m_messages.empty()) << m_messages.front();
    }

    // The curve of a freshly compiled function.
    Curve curve(const std::string& text) {
        expr::TFunction& f = m_functions.Get(m_functions.Add());
        std::string error;
        EXPECT_TRUE(f.Compile(text, error)) << text << ": " << error;
        return curveOf(f);
    }

    std::string text(const char* key) const { return m_language.text(key); }

    expr::EngineContext m_engine;
    expr::TFunctionDB m_functions;
    lang::Language m_language;
    std::vector<std::string> m_messages;
    AnalysisContext m_context;
};

} // namespace lindor::graph::analysis::test
