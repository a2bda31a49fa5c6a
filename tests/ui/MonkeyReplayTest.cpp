// The sequences with which the desktop monkey once broke a rule (tests/ui/monkey/*.txt,
// each saying what went wrong), played again on the whole desktop program with the
// monkey's own checks after every action.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Monkey.h"

namespace lindor::monkey {
namespace {

std::vector<std::string> records() {
    std::vector<std::string> names;
    const std::filesystem::path folder =
        std::filesystem::path(LINDOR_SOURCE_DIR) / "tests/ui/monkey";
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".txt")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class MonkeyRecord : public ::testing::TestWithParam<std::string> {};

TEST_P(MonkeyRecord, KeepsEveryRuleWhenPlayedAgain) {
    QFile file(QString::fromStdString(std::string(LINDOR_SOURCE_DIR) + "/tests/ui/monkey/" +
                                      GetParam() + ".txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    if (text.contains(QLatin1String("command Print")) &&
        !QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed; the record would print on it";
    QString error;
    std::optional<Script> script = Script::parse(text, &error);
    ASSERT_TRUE(script) << error.toStdString();
    ASSERT_FALSE(script->steps.empty());
    const int steps = static_cast<int>(script->steps.size());

    QTemporaryDir folder;
    const RunResult result = replay(*script, folder.path());
    EXPECT_EQ(result.violation.toStdString(), "") << result.report.toStdString();
    EXPECT_EQ(result.actions, steps);
}

// A record keeps every text typed, whatever characters it holds.
TEST(MonkeyScript, TextsReadBackAsWritten) {
    const QString typed = QString::fromUtf8("a\"b\\c\n\t\r\x01\x7f x\u00e9\U0001F600");
    Line line;
    line.word(QStringLiteral("type"));
    line.text(typed);
    const std::optional<Line> back = Line::parse(line.format());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->at(1), typed);
    EXPECT_FALSE(Line::parse(QStringLiteral("type \"a\\q\"")));
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Found, MonkeyRecord, ::testing::ValuesIn(records()), testName);

} // namespace
} // namespace lindor::monkey
