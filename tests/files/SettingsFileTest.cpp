#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TempDir.h"
#include "files/SettingsFile.h"
#include "files/SettingsPath.h"

using namespace lindor::files;
using lindor::NumberLocale;
using lindor::files::testing::readText;
using lindor::files::testing::TempDir;
using lindor::files::testing::writeText;
using lindor::graph::LineStyle;
using lindor::graph::ViewSettings;

TEST(SettingsFirstStart, NoFileGivesEveryDefault) {
    TempDir dir;
    SettingsFile settings(dir.file("lindor.INI"));
    EXPECT_EQ(settings.language(), "English");
    ViewSettings view;
    view.radians = false;
    view.showGrid = false;
    view.zoomFactorX = 7;
    settings.readViewSettings(view, NumberLocale{});
    EXPECT_TRUE(view.radians);
    EXPECT_TRUE(view.showAxis && view.showGrid && view.showScaleText && view.showFunctionNames);
    EXPECT_EQ(view.lineStyle, LineStyle::Normal);
    EXPECT_DOUBLE_EQ(view.zoomFactorX, 2.0);
    EXPECT_DOUBLE_EQ(view.zoomFactorY, 2.0);
    const Histories h = settings.readHistories();
    EXPECT_TRUE(h.functions.empty() && h.integrals.empty());
    EXPECT_FALSE(settings.firstTime());
    EXPECT_FALSE(settings.neverShow(Notice::Clipboard));
    EXPECT_FALSE(settings.neverShow(Notice::FunctionInstructions));
    EXPECT_FALSE(settings.neverShow(Notice::IntegralInstructions));
    EXPECT_FALSE(settings.savedRange());
    const WindowPosition frame = settings.windowPosition(kFrameWindow);
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.height, 480);
    EXPECT_EQ(frame.left, 0);
    for (const char* window : {kFunctionPadWindow, kRangeWindow, kLogWindow, kGraphWindow}) {
        const WindowPosition p = settings.windowPosition(window);
        EXPECT_EQ(p.left + p.top + p.width + p.height, 0) << window;
    }
    // Reading alone never creates the file.
    EXPECT_FALSE(std::filesystem::exists(settings.path()));
}

TEST(SettingsHistories, CountRulesAndAMissingEntryIsEmpty) {
    TempDir dir;
    writeText(dir.file("lindor.INI"),
              "[FunctionCombo]\nCount=3\nF1=x^2\nF3=sin x\nF4=old\n[IntegralCombo]\nCount=0\n"
              "I1=ignored\n");
    SettingsFile settings(dir.file("lindor.INI"));
    const Histories h = settings.readHistories();
    EXPECT_EQ(h.functions, (std::vector<std::string>{"x^2", "", "sin x"}));
    EXPECT_TRUE(h.integrals.empty());
}

TEST(SettingsHistories, WrittenHistoriesReadBackAndOldKeysStay) {
    TempDir dir;
    writeText(dir.file("lindor.INI"),
              "[Options]\nLanguage=Swedish\n[FunctionCombo]\nCount=4\nF1=a\nF2=b\nF3=c\nF4=d\n");
    SettingsFile settings(dir.file("lindor.INI"));
    Histories h;
    h.functions = {"2x", "x^2"};
    h.integrals = {"x [0; 1]"};
    ASSERT_TRUE(settings.update([&](Profile& p) { putHistories(p, h); }));
    const Histories back = settings.readHistories();
    EXPECT_EQ(back.functions, h.functions);
    EXPECT_EQ(back.integrals, h.integrals);
    const Profile p = settings.read();
    EXPECT_EQ(p.readString("FunctionCombo", "F4", ""), "d");
    EXPECT_EQ(settings.language(), "Swedish");
}

TEST(SettingsHistories, AHugeCountReadsAtMostAFullHistory) {
    TempDir dir;
    writeText(dir.file("lindor.INI"), "[FunctionCombo]\nCount=0x7FFFFFFF\n");
    SettingsFile settings(dir.file("lindor.INI"));
    EXPECT_EQ(settings.readHistories().functions.size(),
              static_cast<std::size_t>(kMaxHistoryEntries));
}

TEST(SettingsKeys, EachWriteKeepsTheOthers) {
    TempDir dir;
    SettingsFile settings(dir.file("lindor.INI"));
    ViewSettings view;
    view.lineStyle = LineStyle::Bold;
    view.axisTextY = "v (m/s)";
    ASSERT_TRUE(settings.writeViewSettings(view, NumberLocale{}));
    ASSERT_TRUE(settings.setLanguage("Swedish"));
    ASSERT_TRUE(settings.saveRange({"-7", "7", "1", "-5", "5", "1"}));
    ASSERT_TRUE(settings.setNeverShow(Notice::IntegralInstructions, true));
    ASSERT_TRUE(settings.saveWindowPosition(kLogWindow, {10, 20, 300, 200}));
    writeText(dir.file("lindor.INI"), readText(dir.file("lindor.INI")) + "[Prog]\nFirstTime=1\n");
    EXPECT_TRUE(settings.firstTime());
    ASSERT_TRUE(settings.clearFirstTime());

    SettingsFile again(dir.file("lindor.INI"));
    ViewSettings back;
    again.readViewSettings(back, NumberLocale{});
    EXPECT_EQ(back.lineStyle, LineStyle::Bold);
    EXPECT_EQ(back.axisTextY, "v (m/s)");
    EXPECT_EQ(again.language(), "Swedish");
    EXPECT_EQ(again.savedRange().value()[3], "-5");
    EXPECT_TRUE(again.neverShow(Notice::IntegralInstructions));
    EXPECT_FALSE(again.neverShow(Notice::FunctionInstructions));
    EXPECT_EQ(again.windowPosition(kLogWindow).height, 200);
    EXPECT_FALSE(again.firstTime());
    EXPECT_EQ(again.read().readString("Prog", "FirstTime", ""), "0");
}

TEST(SettingsKeys, BothLineStylesGiveDottedLines) {
    TempDir dir;
    writeText(dir.file("lindor.INI"), "[Options]\nBoldLines=1\nDottedLines=1\n");
    ViewSettings view;
    SettingsFile(dir.file("lindor.INI")).readViewSettings(view, NumberLocale{});
    EXPECT_EQ(view.lineStyle, LineStyle::Dotted);
}

TEST(SettingsWriteFailures, AreQuietAndLeaveTheFile) {
    TempDir dir;
    const std::string path = dir.file("lindor.INI");
    writeText(path, "[Options]\nLanguage=Swedish\n");
    SettingsFile failing(path, [](const std::string&, const std::string&, std::string& error) {
        error = "disk full";
        return false;
    });
    EXPECT_FALSE(failing.setLanguage("English"));
    EXPECT_EQ(readText(path), "[Options]\nLanguage=Swedish\n");

    // The settings path is taken by a folder: nothing to read, nothing written.
    std::filesystem::create_directory(dir.file("folder.INI"));
    SettingsFile folder(dir.file("folder.INI"));
    EXPECT_EQ(folder.language(), "English");
    EXPECT_FALSE(folder.setLanguage("Swedish"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.INI")));
}

TEST(SettingsWriteFailures, MissingFoldersAreCreated) {
    TempDir dir;
    SettingsFile settings(dir.file("config/lindor/lindor.INI"));
    ASSERT_TRUE(settings.setLanguage("Swedish"));
    EXPECT_EQ(settings.language(), "Swedish");
}

TEST(SettingsLocation, BesideTheProgramOnlyWhenAlreadyThere) {
    std::map<std::string, std::string> env;
    const EnvironmentLookup lookup = [&env](const char* name) -> const char* {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    std::string existing;
    const FileExists exists = [&existing](const std::string& path) { return path == existing; };

    // A portable copy brings its settings file along.
    env["HOME"] = "/home/ann";
    existing = "/opt/lindor/lindor.INI";
    EXPECT_EQ(settingsFilePath("/opt/lindor/lindor", lookup, exists), "/opt/lindor/lindor.INI");
    existing = "/opt/v1.0/lindor.INI";
    EXPECT_EQ(settingsFilePath("/opt/v1.0/lindor.bin", lookup, exists), "/opt/v1.0/lindor.INI");

    // An installed program never writes beside itself, writable folder or not.
    existing.clear();
    EXPECT_EQ(settingsFilePath("/usr/bin/lindor", lookup, exists),
              "/home/ann/.config/lindor/lindor.INI");
    env["XDG_CONFIG_HOME"] = "relative/ignored";
    EXPECT_EQ(settingsFilePath("/usr/bin/lindor", lookup, exists),
              "/home/ann/.config/lindor/lindor.INI");
    env["XDG_CONFIG_HOME"] = "/cfg";
    EXPECT_EQ(settingsFilePath("/usr/bin/lindor", lookup, exists), "/cfg/lindor/lindor.INI");

    // The state folder (recovery copies) follows the same rules.
    EXPECT_EQ(stateFolderPath(lookup), "/home/ann/.local/state/lindor");
    env["XDG_STATE_HOME"] = "/st";
    EXPECT_EQ(stateFolderPath(lookup), "/st/lindor");

    env.clear();
    EXPECT_EQ(settingsFilePath("/usr/bin/lindor", lookup, exists), "");
    EXPECT_EQ(stateFolderPath(lookup), "");

    // Without a place for it, every default holds and nothing is written.
    SettingsFile nowhere("");
    EXPECT_FALSE(nowhere.setLanguage("Swedish"));
    EXPECT_EQ(nowhere.language(), "English");
}

TEST(SettingsRecentDocuments, NewestFirstWithoutRepeatsAndAtMostEight) {
    TempDir dir;
    SettingsFile settings(dir.file("lindor.INI"));
    std::vector<std::string> recent;
    for (int i = 1; i <= 10; ++i)
        addRecentDocument(recent, "/d/" + std::to_string(i) + ".LDR");
    addRecentDocument(recent, "/d/5.LDR");
    ASSERT_EQ(recent.size(), std::size_t(kMaxRecentDocuments));
    EXPECT_EQ(recent.front(), "/d/5.LDR");
    EXPECT_EQ(recent[1], "/d/10.LDR");
    EXPECT_EQ(recent.back(), "/d/3.LDR"); // 4 went when 5 came back
    ASSERT_TRUE(settings.update([&](Profile& p) { putRecentDocuments(p, recent); }));
    EXPECT_EQ(settings.recentDocuments(), recent);
}
