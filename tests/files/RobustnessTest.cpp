// Damaged and foreign files must never crash the readers; they read as defaults or are
// reported.
#include <gtest/gtest.h>

#include <random>

#include "TempDir.h"
#include "files/Document.h"
#include "files/Profile.h"
#include "files/SettingsFile.h"

using namespace lindor::files;
using lindor::NumberLocale;
using lindor::files::testing::readText;
using lindor::files::testing::TempDir;
using lindor::files::testing::writeText;

TEST(DamagedFiles, EveryTruncationOfADocumentReads) {
    const std::string full = readText(LINDOR_TEST_DATA "/example.LDR");
    ASSERT_FALSE(full.empty());
    TempDir dir;
    const std::string path = dir.file("cut.LDR");
    for (std::size_t n = 0; n < full.size(); ++n) {
        writeText(path, full.substr(0, n));
        Document doc;
        const FileStatus status = loadDocument(path, doc, NumberLocale{});
        // Until the first section header is complete the file is not a document.
        const bool hasSection = full.substr(0, n).find(']') != std::string::npos;
        EXPECT_EQ(status.ok(), hasSection) << n;
        EXPECT_LE(doc.plotted.size(), 2u);
        // Cut inside "F2=2x": the second function is never read whole.
        if (status.ok() && n < full.size() - 1 && doc.plotted.size() == 2) {
            EXPECT_NE(doc.plotted[1], "2x") << n;
        }
    }
}

TEST(DamagedFiles, RandomBytesNeverCrashTheReaders) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string alphabet = "[]=;\"\r\n \tFCount0x1";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    TempDir dir;
    const std::string path = dir.file("noise.INI");
    for (int round = 0; round < 200; ++round) {
        std::string noise;
        for (int i = 0; i < 400; ++i)
            noise.push_back(round % 2 ? static_cast<char>(byte(random)) : alphabet[pick(random)]);
        // A key written into a damaged profile reads back.
        Profile p = Profile::parse(noise);
        p.writeString("Options", "Language", "Swedish");
        EXPECT_EQ(Profile::parse(p.toText()).readString("Options", "Language", ""), "Swedish");
        writeText(path, noise);
        SettingsFile settings(path);
        lindor::graph::ViewSettings view;
        settings.readViewSettings(view, NumberLocale{});
        EXPECT_LE(settings.readHistories().functions.size(),
                  static_cast<std::size_t>(kMaxHistoryEntries));
        Document doc;
        loadDocument(path, doc, NumberLocale{});
        EXPECT_LE(doc.plotted.size(), static_cast<std::size_t>(kMaxListEntries));
    }
}

TEST(DamagedFiles, TenMegabyteFilesAreReadAndUpdated) {
    TempDir dir;
    const std::string path = dir.file("big.LDR");
    std::string big = "[MainMode]\nMode=F\n[Functions]\nCount=1\nF1=x\n";
    for (int s = 0; big.size() < 10u * 1024u * 1024u; ++s) {
        big += "[Section" + std::to_string(s) + "]\n";
        for (int k = 0; k < 20; ++k)
            big += "Key" + std::to_string(k) + "=" + std::string(40, 'v') + "\n";
    }
    // One line of several megabytes as well.
    big += "[Long]\nk=" + std::string(3u * 1024u * 1024u, 'w') + "\n";
    writeText(path, big);

    Document doc;
    ASSERT_TRUE(loadDocument(path, doc, NumberLocale{}).ok());
    EXPECT_EQ(doc.plotted, std::vector<std::string>{"x"});
    doc.plotted = {"x", "y"};
    ASSERT_TRUE(saveDocument(path, doc, NumberLocale{}).ok());
    const Profile p = Profile::parse(readText(path));
    EXPECT_EQ(p.readString("Long", "k", "").size(), Profile::kMaxValueLength);
    EXPECT_EQ(p.readInteger("Section100", "Key19", 0), 0); // text, not an integer
    EXPECT_TRUE(p.hasKey("Section100", "Key19"));
    EXPECT_EQ(p.readString("Functions", "F2", ""), "y");

    // A binary file of the same size is refused quickly.
    std::string binary(10u * 1024u * 1024u, '\0');
    writeText(path, binary);
    EXPECT_EQ(loadDocument(path, doc, NumberLocale{}).kind, FileStatus::Kind::NotADocument);
}
