// The core under a user locale with a decimal comma, with the C library switched to that
// locale as Qt's application object does at start: numbers are read and written only in
// the format that the program passes, never in the C library's.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "expr/FuncEval.h"
#include "files/Document.h"
#include "lang/Language.h"
#include "table/ValueTable.h"
#include "util/NumberText.h"

namespace lindor {
namespace {

const NumberLocale kDot{'.', ','};
const NumberLocale kComma{',', '.'};

class CommaLocaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "sv_SE.UTF-8", "sv_SE.utf8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr &&
                std::string(std::localeconv()->decimal_point) == ",") {
                m_name = name;
                return;
            }
        }
        std::setlocale(LC_ALL, m_saved.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed (scripts/deps.sh makes one)";
    }
    void TearDown() override { std::setlocale(LC_ALL, m_saved.c_str()); }

    long double valueOf(const std::string& text, const NumberLocale& locale, long double x) {
        expr::EngineContext context;
        context.locale = locale;
        expr::TFunctionDB db(context);
        expr::TFunction& f = db.Get(db.Add());
        std::string error;
        EXPECT_TRUE(f.Compile(text, error)) << text << ": " << error;
        long double y = 0;
        EXPECT_TRUE(f.Evaluate(x, y)) << text;
        return y;
    }

    std::string m_saved;
    std::string m_name;
};

TEST_F(CommaLocaleTest, SeparatorsComeFromTheEnvironmentWithoutTouchingTheProcess) {
    const char* before = std::getenv("LC_ALL");
    const std::string saved = before != nullptr ? before : "";
    ::setenv("LC_ALL", m_name.c_str(), 1);
    std::setlocale(LC_NUMERIC, "C");
    const NumberLocale user = NumberLocale::fromEnvironment();
    EXPECT_EQ(user.decimalSeparator, ',');
    EXPECT_NE(user.thousandsSeparator, ',');
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    if (before != nullptr)
        ::setenv("LC_ALL", saved.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}

TEST_F(CommaLocaleTest, NumberTextFollowsTheGivenFormatOnly) {
    EXPECT_EQ(formatGeneral(1234.5L, 15, kDot), "1234.5");
    EXPECT_EQ(formatGeneral(1234.5L, 15, kComma), "1234,5");
    EXPECT_EQ(formatGeneral(0.000012345L, 3, kDot), "1.23E-5");
    EXPECT_EQ(parseNumber("1.5", kDot), 1.5L);
    EXPECT_EQ(parseNumber(" -2,25E1 ", kComma), -22.5L);
    long double v = 0;
    EXPECT_FALSE(tryParseNumber("1,5", kDot, v));
    EXPECT_FALSE(tryParseNumber("1.5", kComma, v));
}

TEST_F(CommaLocaleTest, EngineReadsNumbersAndConstantsInTheGivenFormat) {
    EXPECT_EQ(valueOf("1.5x+2", kDot, 2), 5.0L);
    EXPECT_EQ(valueOf("1,5x+2", kComma, 2), 5.0L);
    // The thousands separator is dropped from the text.
    EXPECT_EQ(valueOf("1.000x", kComma, 2), 2000.0L);
    EXPECT_NEAR((double)valueOf("e", kComma, 0), std::exp(1.0), 1e-14);
    EXPECT_NEAR((double)valueOf("pi [0; 1,5]", kComma, 1.5L), M_PI, 1e-14);
}

TEST_F(CommaLocaleTest, ValueTableReadsAndWritesTheGivenFormat) {
    expr::EngineContext context;
    context.locale = kComma;
    expr::TFunctionDB db(context);
    const table::ValueTableResult t =
        table::buildValueTable({"x/4", "0", "1", "0,5"}, db, lang::builtinEnglish());
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ(t.lines, (std::vector<std::string>{"y=x/4", "x\ty\ty'", "", "0\t0\t0,25",
                                                 "0,5\t0,125\t0,25", "1\t0,25\t0,25"}));
}

TEST_F(CommaLocaleTest, DocumentsLoadAndSaveInTheGivenFormat) {
    char folder[] = "/tmp/lindor-locale-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/comma.LDR";
    std::ofstream(path) << "[MainMode]\nMode=F\n[ZoomFactor]\nX=0,5\nY=2,5\n"
                           "[Range]\nCells[1,0]=-2,5\n[Functions]\nCount=1\nF1=0,5x\n";
    files::Document doc;
    ASSERT_TRUE(files::loadDocument(path, doc, kComma).ok());
    EXPECT_EQ(doc.view.zoomFactorX, 0.5);
    EXPECT_EQ(doc.view.zoomFactorY, 2.5);
    EXPECT_EQ(doc.range[0], "-2,5");
    EXPECT_EQ(doc.plotted, std::vector<std::string>{"0,5x"});

    doc.view.zoomFactorX = 0.25;
    ASSERT_TRUE(files::saveDocument(path, doc, kComma).ok());
    files::Document again;
    ASSERT_TRUE(files::loadDocument(path, again, kComma).ok());
    EXPECT_EQ(again.view.zoomFactorX, 0.25);
    std::remove(path.c_str());
    ::rmdir(folder);
}

TEST_F(CommaLocaleTest, ThousandsSeparatorsOnlyGroupDigits) {
    EXPECT_EQ(valueOf("1.000,5x", kComma, 2), 2001.0L);
    expr::EngineContext context;
    context.locale = kComma;
    expr::TFunctionDB db(context);
    std::string error;
    EXPECT_FALSE(db.Get(db.Add()).Compile("3.5x", error));
    EXPECT_EQ(error.rfind("\".\" is not the decimal separator here: write decimals with \",\"", 0),
              0u)
        << error;
    // The separators of an integral and of a range stay what they are.
    EXPECT_EQ(valueOf("x [0,5; 1.000]", kComma, 1000), 1000.0L);
}

TEST_F(CommaLocaleTest, ADocumentSavedInOneFormatOpensTheSameInTheOther) {
    char folder[] = "/tmp/lindor-locale-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/across.LDR";
    files::Document english;
    english.plotted = {"0.5x", "1,000.25x^2 [-1.5; 2.5]", "2E-3x+pi/2"};
    english.range = {"-2.5", "2.5", "0.5", "-1E-3", "pi/2", "0.25"};
    english.view.zoomFactorX = 1.5;
    ASSERT_TRUE(files::saveDocument(path, english, kDot).ok());

    files::Document german;
    ASSERT_TRUE(files::loadDocument(path, german, kComma).ok());
    EXPECT_EQ(german.plotted,
              (std::vector<std::string>{"0,5x", "1000,25x^2 [-1,5; 2,5]", "2E-3x+pi/2"}));
    EXPECT_EQ(german.range, (graph::RangeTexts{"-2,5", "2,5", "0,5", "-1E-3", "pi/2", "0,25"}));
    EXPECT_EQ(german.view.zoomFactorX, 1.5);
    for (std::size_t i = 0; i < english.plotted.size(); ++i)
        EXPECT_EQ(valueOf(german.plotted[i], kComma, 2), valueOf(english.plotted[i], kDot, 2));

    // An integral saved on the German desktop and opened on the English one.
    german.mode = graph::Mode::Integral;
    german.plotted = {"x^2;0,5;1,5"};
    ASSERT_TRUE(files::saveDocument(path, german, kComma).ok());
    files::Document back;
    ASSERT_TRUE(files::loadDocument(path, back, kDot).ok());
    EXPECT_EQ(back.mode, graph::Mode::Integral);
    EXPECT_EQ(back.plotted, std::vector<std::string>{"x^2;0.5;1.5"});
    EXPECT_EQ(back.range, (graph::RangeTexts{"-2.5", "2.5", "0.5", "-1E-3", "pi/2", "0.25"}));
    std::remove(path.c_str());
    ::rmdir(folder);
}

} // namespace
} // namespace lindor
