#include "util/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "files/TempDir.h"
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace lindor {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_temp.path().empty()); }

    std::string file(const std::string& name) const { return (m_dir / name).string(); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), {}));
    }
    static std::string read(const std::string& path) { return files::testing::readText(path); }
    static void write(const std::string& path, const std::string& text) {
        files::testing::writeText(path, text);
    }
    static unsigned modeOf(const std::string& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
        return info.st_mode & 07777;
    }

    files::testing::TempDir m_temp;
    fs::path m_dir{m_temp.path()};
};

TEST_F(AtomicFileTest, NewFilesFollowTheUmaskAndReplacedFilesKeepTheirMode) {
    std::string reason;
    const mode_t saved = ::umask(027);
    const bool created = replaceFile(file("new.txt"), "first", reason);
    ::umask(saved);
    ASSERT_TRUE(created) << reason;
    EXPECT_EQ(modeOf(file("new.txt")), 0640u);

    ASSERT_EQ(::chmod(file("new.txt").c_str(), 0604), 0);
    ASSERT_TRUE(replaceFile(file("new.txt"), "second, longer", reason)) << reason;
    EXPECT_EQ(read(file("new.txt")), "second, longer");
    EXPECT_EQ(modeOf(file("new.txt")), 0604u);
    EXPECT_EQ(entries(), 1u); // no temporary left behind
}

TEST_F(AtomicFileTest, ALinkIsFollowedAndStaysALink) {
    write(file("real.txt"), "old");
    ASSERT_EQ(::chmod(file("real.txt").c_str(), 0600), 0);
    fs::create_symlink("real.txt", file("link.txt")); // relative to the link's folder
    fs::create_directory(m_dir / "sub");
    fs::create_symlink("../link.txt", m_dir / "sub" / "chain.txt");

    std::string reason;
    ASSERT_TRUE(replaceFile(file("sub/chain.txt"), "new", reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(file("link.txt")));
    EXPECT_TRUE(fs::is_symlink(file("sub/chain.txt")));
    EXPECT_EQ(read(file("real.txt")), "new");
    EXPECT_EQ(modeOf(file("real.txt")), 0600u);

    // A link to a file that does not exist yet creates that file.
    fs::create_symlink("later.txt", file("dangling.txt"));
    ASSERT_TRUE(replaceFile(file("dangling.txt"), "made", reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(file("dangling.txt")));
    EXPECT_EQ(read(file("later.txt")), "made");
}

TEST_F(AtomicFileTest, FailuresLeaveTheOldFileAndNoTemporary) {
    const std::string path = file("keep.bin");
    const std::string old("old\0bytes", 9);
    write(path, old);

    int calls = 0;
    std::string reason;
    const auto fullDisk = [&calls](int fd, const char* data, std::size_t size) -> ssize_t {
        if (++calls == 1)
            return ::write(fd, data, size / 2); // some bytes fit, then the disk is full
        errno = ENOSPC;
        return -1;
    };
    EXPECT_FALSE(replaceFile(path, std::string(10000, 'x'), reason, fullDisk));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(reason, std::strerror(ENOSPC));
    EXPECT_EQ(read(path), old);
    EXPECT_EQ(entries(), 1u);

    // A write that makes no progress at all is a full disk too, not an endless loop.
    EXPECT_FALSE(replaceFile(path, "x", reason, [](int, const char*, std::size_t) { return 0; }));
    EXPECT_EQ(reason, std::strerror(ENOSPC));

    EXPECT_FALSE(replaceFile(file("missing/x.txt"), "x", reason));
    EXPECT_EQ(reason, std::strerror(ENOENT));
    EXPECT_FALSE(replaceFile(m_dir.string(), "x", reason));
    EXPECT_FALSE(replaceFile("", "x", reason));
    EXPECT_FALSE(replaceFile("/dev/null", "x", reason)); // not a regular file: never replaced
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(read(path), old);
    EXPECT_EQ(entries(), 1u);
}

} // namespace
} // namespace lindor
