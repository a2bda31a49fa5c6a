#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "graph/Color.h"
#include "qt/FileSizeLimit.h"
#include "qt/QtTestApp.h"

namespace lindor::cli {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code = -1;
    std::string err;
};

class ExportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtgui::testing::ensureGuiApplication();
        m_dir =
            fs::temp_directory_path() /
            ("lindor-export-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string file(const std::string& name) const { return (m_dir / name).string(); }

    Outcome exportTo(const std::string& path, const std::vector<std::string>& rest) {
        std::vector<std::string> args{"--export", path};
        args.insert(args.end(), rest.begin(), rest.end());
        std::ostringstream out;
        std::ostringstream err;
        Outcome o;
        o.code = run(args, out, err, LINDOR_DATA_DIR);
        o.err = err.str();
        EXPECT_EQ(out.str(), "");
        return o;
    }

    fs::path m_dir;
};

int countColor(const QImage& image, graph::Color c) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xffffffu) == qRgb(c.r, c.g, c.b) - 0xff000000u;
    return n;
}

TEST_F(ExportCommandTest, DrawsFunctionsIntoAPng) {
    const std::string path = file("graph.png");
    const Outcome o = exportTo(path, {"x^2-2", "sin x"});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 600));
    EXPECT_GT(countColor(image, graph::kFunctionColors[0]), 300);
    EXPECT_GT(countColor(image, graph::kFunctionColors[1]), 300);
    EXPECT_GT(countColor(image, graph::colors::kSilver), 1000);
    // x^2 - 2 crosses the y axis at -2: with the standard range that is row 22 + 0.7 * 563.
    const int axisColumn = 15 + (800 - 37) / 2;
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy)
        found |= (image.pixel(axisColumn + 1, 22 + 394 + dy) & 0xffffffu) == 0x0000ffu;
    EXPECT_TRUE(found);
}

TEST_F(ExportCommandTest, SizeOptionsAndFormats) {
    const std::string bmp = file("small.BMP");
    ASSERT_EQ(exportTo(bmp, {"--size", "300x200", "x"}).code, kExitOk);
    EXPECT_EQ(QImage(QString::fromStdString(bmp)).size(), QSize(300, 200));

    const std::string gif = file("graph.gif");
    ASSERT_EQ(exportTo(gif, {"--size", "320x240", "x", "x^2"}).code, kExitOk);
    const QImage fromGif(QString::fromStdString(gif));
    EXPECT_EQ(fromGif.size(), QSize(320, 240));
    EXPECT_GT(countColor(fromGif.convertToFormat(QImage::Format_RGB32), graph::kFunctionColors[1]),
              100);

    const std::string svg = file("graph.svg");
    ASSERT_EQ(exportTo(svg, {"--range", "-1,1,0.5,-2,2,1", "cos x"}).code, kExitOk);
    QFile f(QString::fromStdString(svg));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("y = cos x"));
    EXPECT_TRUE(text.contains("0.5"));
}

TEST_F(ExportCommandTest, GifAndPngHoldTheSamePixels) {
    const std::string png = file("same.png");
    const std::string gif = file("same.gif");
    ASSERT_EQ(exportTo(png, {"x^2", "sin x"}).code, kExitOk);
    ASSERT_EQ(exportTo(gif, {"x^2", "sin x"}).code, kExitOk);
    const QImage a = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(QString::fromStdString(gif)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(a.size(), b.size());
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(ExportCommandTest, HiddenBackgroundLeavesOnlyTheCurve) {
    const std::string path = file("bare.png");
    ASSERT_EQ(exportTo(path, {"--no-axis", "--no-grid", "--no-names", "--no-scale-text", "--lines",
                              "bold", "x"})
                  .code,
              kExitOk);
    const QImage image(QString::fromStdString(path));
    const int white = countColor(image, graph::colors::kWhite);
    const int blue = countColor(image, graph::kFunctionColors[0]);
    EXPECT_GT(blue, 2 * 700); // two pixels wide across the plot
    EXPECT_EQ(white + blue, image.width() * image.height());
}

TEST_F(ExportCommandTest, DegreesChangeTheAngleUnit) {
    const std::string path = file("deg.png");
    ASSERT_EQ(exportTo(path, {"--degrees", "--size", "437x237", "--range", "0,360,90,-1,1,1",
                              "--no-grid", "--no-axis", "--no-names", "sin x"})
                  .code,
              kExitOk);
    const QImage image(QString::fromStdString(path));
    // sin 90 degrees = 1: the curve touches the top edge at the column of 90.
    const int column = 15 + 100;
    bool top = false;
    for (int dx = -2; dx <= 2; ++dx)
        top |= (image.pixel(column + dx, 22) & 0xffffffu) == 0x0000ffu;
    EXPECT_TRUE(top);
}

TEST_F(ExportCommandTest, IntegralIsShaded) {
    const std::string path = file("integral.png");
    ASSERT_EQ(exportTo(path, {"--integral", "x^2;0;1", "--range", "-2,2,1,-1,3,1"}).code, kExitOk);
    const QImage image(QString::fromStdString(path));
    // Between x = 0.5 and x = 1 the area under the curve is filled.
    const int column = 15 + (800 - 37) * 3 / 8 + (800 - 37) / 4;
    const int axisRow = 22 + (600 - 37) * 3 / 4;
    EXPECT_EQ(image.pixel(column, axisRow - 3) & 0xffffffu, 0x0000ffu);
}

TEST_F(ExportCommandTest, BadInputWritesNoFile) {
    const std::string path = file("never.png");
    const Outcome compile = exportTo(path, {"x", "x+"});
    EXPECT_EQ(compile.code, kExitUsage);
    EXPECT_NE(compile.err.find("x+"), std::string::npos);
    const std::vector<std::vector<std::string>> bad = {
        {"--size", "0x5", "x"},
        {"--size", "big", "x"},
        {"--lines", "wavy", "x"},
        {"--wobble", "x"},
        {"--range", "1,2,3", "x"},
        {"--range", "-1,1,1,4,4,1", "x"},
        {"--range", "-1,1,0,-1,1,1"},
        {"--range", "1,-1,1,-1,1,1", "x"},
        {"--range", "-1,1,1,-1,abc,1", "x"},
        {"--integral", "x;0;1", "x"},
        {"--integral", "x;0"},
        {"--integral", "x;a;1"},
        {"--size"},
    };
    for (const auto& args : bad) {
        const Outcome o = exportTo(path, args);
        EXPECT_EQ(o.code, kExitUsage) << args.front();
        EXPECT_FALSE(o.err.empty()) << args.front();
    }
    EXPECT_EQ(exportTo(file("graph.tiff"), {"x"}).code, kExitUsage);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(file("graph.tiff")));

    std::vector<std::string> thirteen;
    for (int k = 0; k < 13; ++k)
        thirteen.push_back("x+" + std::to_string(k));
    EXPECT_EQ(exportTo(path, thirteen).code, kExitUsage);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(ExportCommandTest, UnwritableFileFails) {
    const Outcome o = exportTo(file("missing-folder/graph.png"), {"x"});
    EXPECT_EQ(o.code, kExitFailure);
    EXPECT_NE(o.err.find("graph.png"), std::string::npos);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run({"--export"}, out, err, LINDOR_DATA_DIR), kExitUsage);
}

TEST_F(ExportCommandTest, AFullDiskFailsAndKeepsTheOldPicture) {
    const std::string path = file("kept.png");
    ASSERT_EQ(exportTo(path, {"x"}).code, kExitOk);
    QFile before(QString::fromStdString(path));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray old = before.readAll();
    before.close();

    Outcome o;
    {
        const qtgui::testing::FileSizeLimit full(64);
        o = exportTo(path, {"--no-grid", "-x^2"});
    }
    EXPECT_EQ(o.code, kExitFailure);
    EXPECT_NE(o.err.find(path), std::string::npos) << o.err;
    QFile after(QString::fromStdString(path));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), {}), 1);
}

void writeText(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text.c_str(), f);
    std::fclose(f);
}

TEST_F(ExportCommandTest, DrawsADocumentWithTheCommandLineOnTop) {
    const std::string doc = file("work.LDR");
    writeText(doc, "[MainMode]\nMode=F\n[Options]\nShowGrid=0\n[Range]\n"
                   "Cells[1,0]=-2\nCells[1,1]=2\nCells[1,2]=1\nCells[1,3]=-1\n"
                   "Cells[1,4]=4\nCells[1,5]=1\n[Functions]\nCount=1\nF1=x^2\n");
    const std::string path = file("doc.png");
    const Outcome o = exportTo(path, {"--document", doc, "--size", "437x237", "x"});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    const QImage image(QString::fromStdString(path));
    EXPECT_EQ(countColor(image, graph::colors::kSilver), 0);
    EXPECT_GT(countColor(image, graph::kFunctionColors[0]), 100); // x^2 from the document
    EXPECT_GT(countColor(image, graph::kFunctionColors[1]), 100); // x from the command line
    // The document's range: the x axis four fifths down, here at x = 1.5.
    EXPECT_EQ(image.pixel(15 + 350, 22 + 160) & 0xffffffu, 0u);

    const std::string integralDoc = file("integral.LDR");
    writeText(integralDoc, "[MainMode]\nMode=I\n[Integrals]\nCount=1\nI1=x;0;1\n");
    // Without a [Range] the document has the standard range.
    const std::string standard = file("standard.png");
    ASSERT_EQ(exportTo(standard, {"--document", integralDoc, "--size", "437x237"}).code, kExitOk);
    ASSERT_EQ(exportTo(file("i.png"), {"--size", "437x237", "--integral", "x;0;1"}).code, kExitOk);
    EXPECT_EQ(QImage(QString::fromStdString(standard)),
              QImage(QString::fromStdString(file("i.png"))));
    EXPECT_EQ(exportTo(file("i.png"), {"--document", integralDoc, "--range", "-2,2,1,-2,2,1"}).code,
              kExitOk);

    // Reversed bounds in a document are put in order; on the command line they are refused.
    writeText(doc, "[MainMode]\nMode=F\n[Options]\nShowGrid=0\n[Range]\n"
                   "Cells[1,0]=2\nCells[1,1]=-2\nCells[1,2]=1\nCells[1,3]=4\n"
                   "Cells[1,4]=-1\nCells[1,5]=1\n[Functions]\nCount=1\nF1=x^2\n");
    ASSERT_EQ(exportTo(path, {"--document", doc, "--size", "437x237", "x"}).code, kExitOk);
    EXPECT_EQ(QImage(QString::fromStdString(path)), image);
    const Outcome reversed = exportTo(file("r.png"), {"--range", "2,-2,1,-1,4,1", "x"});
    EXPECT_EQ(reversed.code, kExitUsage);
    EXPECT_NE(reversed.err.find("XMIN below XMAX"), std::string::npos) << reversed.err;
    EXPECT_FALSE(fs::exists(file("r.png")));
    EXPECT_EQ(exportTo(file("j.png"), {"--document", integralDoc, "x"}).code, kExitUsage);
    EXPECT_EQ(exportTo(file("k.png"), {"--document", file("none.LDR"), "x"}).code, kExitUsage);
    EXPECT_FALSE(fs::exists(file("j.png")));
}

} // namespace
} // namespace lindor::cli
