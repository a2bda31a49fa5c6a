// The help window and the shipped help files: topics open where they should, every topic
// the program asks for and every link and picture exists in both languages, and the help
// mentions every command by the name the menus show.
#include "ui/HelpWindow.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "ui/HelpTopics.h"

namespace lindor::ui::test {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> matches(const std::string& text, const std::regex& re) {
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it)
        found.insert((*it)[1].str());
    return found;
}

std::set<std::string> anchors(const std::string& html) {
    return matches(html, std::regex(R"re(<a name="([^"]+)")re"));
}

// Topics the program names: the list of topics, and every literal handed to showTopic.
std::set<std::string> topicsUsedByProgram() {
    std::set<std::string> used(help::kAllTopics.begin(), help::kAllTopics.end());
    const std::regex call(R"re(showTopic\(\s*(?:QStringLiteral\()?"([^"]*)")re");
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(LINDOR_SOURCE_DIR) / "src"))
        if (entry.is_regular_file())
            for (const std::string& topic : matches(readFile(entry.path()), call))
                used.insert(topic);
    return used;
}

struct LoadedLanguage {
    std::vector<std::string> messages;
    lang::Language language{[this](const std::string& m) { messages.push_back(m); }};
    explicit LoadedLanguage(const std::string& name) {
        language.LoadLanguage(name, LINDOR_DATA_DIR);
    }
};

int scrollPosition(const HelpWindow& window) {
    return window.browser()->verticalScrollBar()->value();
}

TEST(HelpWindow, OpensAtATopicAndGoesBackAndForthThroughWhatWasSeen) {
    LoadedLanguage english("English");
    HelpWindow window(english.language, LINDOR_DATA_DIR);
    window.showTopic(help::kCalculateIntegral);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "Lindor Help");
    EXPECT_EQ(window.browser()->source().fragment(), help::kCalculateIntegral);
    EXPECT_GT(scrollPosition(window), 0) << "the topic was not scrolled to";
    const int integralPosition = scrollPosition(window);

    window.findChild<QPushButton*>("btnContents")->click();
    EXPECT_TRUE(window.browser()->source().fragment().isEmpty());
    EXPECT_EQ(scrollPosition(window), 0);

    window.showTopic(help::kFunctionPad);
    EXPECT_GT(scrollPosition(window), integralPosition);
    auto* back = window.findChild<QPushButton*>("btnBack");
    ASSERT_TRUE(back->isEnabled());
    back->click();
    back->click();
    EXPECT_EQ(window.browser()->source().fragment(), help::kCalculateIntegral);
    EXPECT_EQ(scrollPosition(window), integralPosition);
    EXPECT_TRUE(window.findChild<QPushButton*>("btnForward")->isEnabled());
    EXPECT_TRUE(english.messages.empty());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST(HelpWindow, FollowsTheLanguageFallsBackToEnglishAndSaysWhenNoFileIsThere) {
    LoadedLanguage swedish("Swedish");
    HelpWindow sv(swedish.language, LINDOR_DATA_DIR);
    sv.showTopic(help::kPlotFunction);
    EXPECT_TRUE(sv.helpFile().endsWith("ldrSwedish.html"));
    EXPECT_EQ(sv.windowTitle(), "Hjälp för Lindor");
    EXPECT_TRUE(sv.browser()->toPlainText().contains("Så ritar du en funktion"));

    LoadedLanguage other("Klingon"); // no language file, no help file: English help
    HelpWindow fallback(other.language, LINDOR_DATA_DIR);
    EXPECT_TRUE(fallback.helpFile().endsWith("ldrEnglish.html"));

    HelpWindow none(other.language, QDir::tempPath() + "/no-such-lindor-folder");
    none.showContents();
    EXPECT_TRUE(none.isVisible());
    EXPECT_TRUE(none.browser()->toPlainText().contains("ldrKlingon.html"))
        << none.browser()->toPlainText().toStdString();
}

class HelpFile : public ::testing::TestWithParam<const char*> {
protected:
    fs::path data = LINDOR_DATA_DIR;
    std::string language = GetParam();
    std::string html = readFile(data / ("ldr" + language + ".html"));
};

TEST_P(HelpFile, HoldsEveryTopicEveryLinkTargetAndEveryPicture) {
    ASSERT_FALSE(html.empty());
    const std::set<std::string> names = anchors(html);
    for (const std::string& topic : topicsUsedByProgram())
        EXPECT_TRUE(names.count(topic)) << "topic " << topic << " missing";
    for (const std::string& link : matches(html, std::regex(R"re(href="#([^"]+)")re")))
        EXPECT_TRUE(names.count(link)) << "link to missing anchor #" << link;

    const std::set<std::string> pictures = matches(html, std::regex(R"re(<img src="([^"]+)")re"));
    EXPECT_FALSE(pictures.empty());
    for (const std::string& picture : pictures) {
        const fs::path path = data / picture;
        EXPECT_TRUE(picture.rfind("help/", 0) == 0) << picture << " outside the help folder";
        EXPECT_FALSE(QImage(QString::fromStdString(path.string())).isNull())
            << picture << " missing or not a picture";
    }
}

// Every menu entry, toolbar button and window control is named in the help as the program
// shows it in this language.
TEST_P(HelpFile, NamesEveryCommandAsTheProgramShowsIt) {
    LoadedLanguage loaded(language);
    ASSERT_TRUE(loaded.messages.empty());
    const QString body =
        QString::fromStdString(std::regex_replace(html, std::regex(R"(\s+)"), " "));
    // Menu entries, toolbar hints and the captions of the windows the help describes.
    const QStringList keys =
        QString("File New Open Save SaveAs SaveAsBMPPicture SaveAsGIFPicture PrintGraph PrintLog "
                "PrintSetup Exit Edit MenuUndo MenuRedo CopyGraphAsWMFPicture "
                "CopyGraphAsBMPPicture Functions "
                "Raised MenuSqrt MenuCbrt Sin Cos Tan ArcSin ArcCos ArcTan Ln 10Raised MenuRandom "
                "MenuInt Abs ddx MenuDerivative MenuTangent MenuNormal Graph MenuZoomIn "
                "MenuZoomOut MenuZoomBox MenuUndoZoom ZoomIn ZoomOut ZoomBox UndoZoom Solve "
                "MenuRoot MenuMaximum MenuMinimum MenuYIntersection MenuIntersection MenuYCalc "
                "MenuXCalc Extra MenuValueTable Options SelectLanguage MenuZoomFactor XFactor "
                "YFactor Angles Degrees Radians MenuAxisText AxisTextFont Lines Dotted "
                "NormalLines Bold EmptyFunctionHistoryBox ShowAxis ShowGrid "
                "ShowScaleText ShowFunctionNames Window MakeGraphWindowQuadratic DefaultPosition "
                "LoadPosition SavePosition Help Contents About FunctionMode IntegralMode "
                "PlotFunction EraseFunction Trace Range StandardRange TrigonometryRange "
                "OpenPreviouslySavedRangeValues SaveRangeValues "
                "RedrawGraphWindowWithNewRangeValues FunctionPad DEL Calculate CopyToClipboard "
                "Log DoNotShowThisMessageAnyMore HelpBack HelpForward")
            .split(' ');
    for (const QString& key : keys) {
        QString caption =
            QString::fromStdString(loaded.language.text(key.toStdString())).remove('&');
        caption = caption.left(caption.indexOf("  (")); // the long copy captions: the name only
        if (caption.endsWith("..."))
            caption.chop(3);
        EXPECT_TRUE(body.contains(caption, Qt::CaseInsensitive))
            << language << " help does not name \"" << caption.toStdString() << "\" ("
            << key.toStdString() << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpFile, ::testing::Values("English", "Swedish"));

TEST(HelpPictures, EveryPictureInTheHelpFolderIsUsed) {
    const fs::path data = LINDOR_DATA_DIR;
    const std::string both =
        readFile(data / "ldrEnglish.html") + readFile(data / "ldrSwedish.html");
    for (const auto& entry : fs::directory_iterator(data / "help"))
        EXPECT_NE(both.find("help/" + entry.path().filename().string()), std::string::npos)
            << entry.path().filename() << " is not used by the help";
}

} // namespace
} // namespace lindor::ui::test
