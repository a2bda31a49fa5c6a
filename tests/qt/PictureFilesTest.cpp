#include <gtest/gtest.h>

#include "files/TempDir.h"

#include <QImage>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "FileSizeLimit.h"
#include "QtTestApp.h"
#include "graph/Color.h"
#include "lang/Language.h"
#include "qt/AppLocale.h"
#include "qt/GraphSurfaces.h"
#include "qt/PictureFiles.h"

namespace lindor::qtgui {
namespace {

namespace fs = std::filesystem;

class PictureFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::ensureGuiApplication();
        ASSERT_FALSE(m_temp.path().empty());
        graph::Canvas& c = m_surfaces.canvas();
        c.clear(120, 80, graph::colors::kWhite);
        c.setPen({graph::colors::kRed, 1, graph::PenStyle::Solid});
        c.moveTo(0, 0);
        c.lineTo(119, 79);
    }

    std::string file(const std::string& name) const { return (m_dir / name).string(); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), {}));
    }
    static std::string read(const std::string& path) { return files::testing::readText(path); }

    GraphSurfaces m_surfaces;
    files::testing::TempDir m_temp;
    fs::path m_dir{m_temp.path()};
};

TEST_F(PictureFilesTest, AFullDiskLeavesTheOldFileAndNamesTheNewOne) {
    for (const char* name : {"a.png", "b.BMP", "c.svg", "d.gif"}) {
        const std::string path = file(name);
        const std::string old = "an older picture that must survive";
        std::ofstream(path, std::ios::binary) << old;
        std::string error;
        {
            const testing::FileSizeLimit full(16);
            EXPECT_FALSE(savePicture(m_surfaces, path, error)) << name;
        }
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_EQ(read(path), old) << name;
        EXPECT_EQ(entries(), 1u) << name << ": a temporary file was left behind";

        ASSERT_TRUE(savePicture(m_surfaces, path, error)) << error;
        if (pictureFormatOf(path) != PictureFormat::Svg) {
            EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(120, 80)) << name;
        }
        fs::remove(path);
    }
}

TEST_F(PictureFilesTest, MessagesAreTranslatedAndUnknownFormatsWriteNothing) {
    lang::Language swedish;
    swedish.loadFromText("PictureCannotWriteFile=Bilden %s kunde inte sparas.\n");
    std::string error;
    const std::string missing = file("no-folder/graph.png");
    EXPECT_FALSE(savePicture(m_surfaces, missing, error, &swedish));
    EXPECT_EQ(error.rfind("Bilden " + missing + " kunde inte sparas. (", 0), 0u) << error;

    EXPECT_FALSE(savePicture(m_surfaces, file("graph.tiff"), error));
    EXPECT_NE(error.find("graph.tiff"), std::string::npos);
    EXPECT_EQ(entries(), 0u);
}

TEST(AppLocale, TakesTheUsersSeparatorsAndLeavesTheCLibraryAtC) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* before = std::getenv("LC_ALL");
    const std::string savedEnv = before != nullptr ? before : "";
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    // What Qt's application object does when it starts.
    if (std::setlocale(LC_ALL, "") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/deps.sh makes it)";
    const NumberLocale locale = adoptUserNumberLocale();
    EXPECT_EQ(locale.decimalSeparator, ',');
    EXPECT_EQ(locale.thousandsSeparator, '.');
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    if (before != nullptr)
        ::setenv("LC_ALL", savedEnv.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
} // namespace lindor::qtgui
