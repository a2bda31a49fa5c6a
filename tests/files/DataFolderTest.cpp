#include <filesystem>
#include <gtest/gtest.h>

#include "TempDir.h"
#include "files/DataFolder.h"

namespace lindor::files {
namespace {

using testing::TempDir;
using testing::writeText;

// A prefix laid out as an installed copy: prefix/bin for the program, prefix/share/lindor
// for its data files.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(bin());
        std::filesystem::create_directories(share());
    }
    std::string bin() const { return m_prefix.file("bin"); }
    std::string share() const { return m_prefix.file("share/lindor"); }

    TempDir m_prefix;
};

TEST_F(DataFolderTest, InstalledCopyFindsItsFilesUnderShare) {
    writeText(share() + "/ldrEnglish.lng", "Yes=Yes\n");
    // Named without "..", as a message about the folder would show it.
    EXPECT_EQ(dataFolder(bin(), "ldrEnglish.lng"),
              std::filesystem::weakly_canonical(share()).string());
    // A relative program folder works the same way.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_prefix.path());
    const std::string relative = dataFolder("bin", "ldrEnglish.lng");
    const bool found = std::filesystem::equivalent(relative, share());
    std::filesystem::current_path(previous);
    EXPECT_TRUE(found) << relative;
}

TEST_F(DataFolderTest, FileBesideTheProgramWinsOverTheInstalledOne) {
    // A build tree or a portable copy keeps its files beside the program.
    writeText(bin() + "/ldrEnglish.lng", "Yes=Yes\n");
    writeText(share() + "/ldrEnglish.lng", "Yes=Yes\n");
    EXPECT_EQ(dataFolder(bin(), "ldrEnglish.lng"), bin());
    // Each file is looked up on its own: a help file only installed is still found.
    writeText(share() + "/ldrEnglish.html", "<html></html>\n");
    EXPECT_TRUE(std::filesystem::equivalent(dataFolder(bin(), "ldrEnglish.html"), share()));
}

TEST_F(DataFolderTest, MissingOrUnusableFileNamesTheProgramFolder) {
    EXPECT_EQ(dataFolder(bin(), "ldrSwedish.lng"), bin());
    // A folder with the file's name is not the file.
    std::filesystem::create_directories(share() + "/ldrSwedish.lng");
    EXPECT_EQ(dataFolder(bin(), "ldrSwedish.lng"), bin());
    EXPECT_EQ(dataFolder("", "ldrSwedish.lng"), "");
}

} // namespace
} // namespace lindor::files
