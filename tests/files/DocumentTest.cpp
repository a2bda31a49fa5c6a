#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <vector>

#include "TempDir.h"
#include "files/Document.h"
#include "files/Profile.h"
#include "lang/Language.h"
#include "util/AtomicFile.h"

using namespace lindor::files;
using lindor::NumberLocale;
using lindor::files::testing::readText;
using lindor::files::testing::TempDir;
using lindor::files::testing::writeText;
using lindor::graph::LineStyle;
using lindor::graph::ViewSettings;

namespace {

const std::array<std::string, 6> kStandardRange{"-7", "7", "1", "-5", "5", "1"};

Document functionDocument(std::vector<std::string> functions) {
    Document doc;
    doc.range = kStandardRange;
    doc.plotted = std::move(functions);
    return doc;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

Document load(const std::string& path) {
    Document doc;
    const FileStatus status = loadDocument(path, doc, NumberLocale{});
    EXPECT_TRUE(status.ok()) << status.detail;
    return doc;
}

} // namespace

TEST(DocumentWriting, NewDocumentHasEverySectionAndKeyInOrder) {
    TempDir dir;
    const std::string path = dir.file("example.LDR");
    ASSERT_TRUE(saveDocument(path, functionDocument({"x^2", "2x"}), NumberLocale{}).ok());
    const std::string font = ViewSettings{}.axisFont.name;
    const std::vector<std::string> expected{"[MainMode]",
                                            "Mode=F",
                                            "Numbers=.",
                                            "[AxisText]",
                                            "X=x",
                                            "Y=y",
                                            "[ZoomFactor]",
                                            "X=2",
                                            "Y=2",
                                            "[Font]",
                                            "Name=" + font,
                                            "Size=10",
                                            "StyleBold=0",
                                            "StyleItalic=0",
                                            "StyleUnderline=0",
                                            "[Angles]",
                                            "Radians=1",
                                            "[Options]",
                                            "BoldLines=0",
                                            "DottedLines=0",
                                            "ShowAxis=1",
                                            "ShowGrid=1",
                                            "ShowScaleText=1",
                                            "ShowFunctionNames=1",
                                            "[Range]",
                                            "Cells[1,0]=-7",
                                            "Cells[1,1]=7",
                                            "Cells[1,2]=1",
                                            "Cells[1,3]=-5",
                                            "Cells[1,4]=5",
                                            "Cells[1,5]=1",
                                            "[Functions]",
                                            "Count=2",
                                            "F1=x^2",
                                            "F2=2x"};
    EXPECT_EQ(linesOf(readText(path)), expected);
}

TEST(DocumentReading, ExampleDocument) {
    const Document doc = load(LINDOR_TEST_DATA "/example.LDR");
    EXPECT_EQ(doc.mode, lindor::graph::Mode::Function);
    EXPECT_EQ(doc.range, kStandardRange);
    EXPECT_EQ(doc.plotted, (std::vector<std::string>{"x^2", "2x"}));
    EXPECT_EQ(doc.view.axisFont.name, "MS Sans Serif");
    EXPECT_TRUE(doc.view.radians);
}

TEST(DocumentReading, ConfigParserStyleIntegralDocument) {
    const Document doc = load(LINDOR_TEST_DATA "/configparser.LDR");
    EXPECT_EQ(doc.mode, lindor::graph::Mode::Integral);
    EXPECT_EQ(doc.plotted, std::vector<std::string>{"x^2 [0; 1]"});
    EXPECT_EQ(doc.view.axisTextX, "time ; seconds");
    EXPECT_EQ(doc.view.axisTextY, "speed = distance / time");
    EXPECT_DOUBLE_EQ(doc.view.zoomFactorX, 2.5);
    EXPECT_DOUBLE_EQ(doc.view.zoomFactorY, 2.0); // "fast" is not a number
    EXPECT_EQ(doc.view.axisFont.name, "DejaVu Sans");
    EXPECT_EQ(doc.view.axisFont.size, 12);
    EXPECT_TRUE(doc.view.axisFont.bold && doc.view.axisFont.underline);
    EXPECT_FALSE(doc.view.radians);
    EXPECT_EQ(doc.view.lineStyle, LineStyle::Bold);
    EXPECT_FALSE(doc.view.showAxis);
    EXPECT_EQ(doc.range[2], "0,5"); // range texts are kept as written
}

TEST(DocumentReading, MissingKeysTakeTheirDefaultsAndCountRules) {
    TempDir dir;
    const std::string path = dir.file("sparse.LDR");
    writeText(path, "[Functions]\nCount=3\nF1=x\nF3=x^3\nF4=stale\n");
    const Document doc = load(path);
    EXPECT_EQ(doc.mode, lindor::graph::Mode::Function);
    EXPECT_EQ(doc.range, kStandardRange); // no [Range]: the standard range, not zeros
    EXPECT_EQ(doc.plotted, (std::vector<std::string>{"x", "", "x^3"}));
}

TEST(DocumentReading, ModeDecidesWhichListIsRead) {
    TempDir dir;
    const std::string path = dir.file("both.LDR");
    writeText(path, "[MainMode]\nMode=I\n[Functions]\nCount=1\nF1=x\n"
                    "[Integrals]\nCount=1\nI1=x [0; 1]\n");
    EXPECT_EQ(load(path).plotted, std::vector<std::string>{"x [0; 1]"});

    // An unknown mode reads as function mode; lower case letters are accepted.
    writeText(path, "[MainMode]\nMode=Q\n[Functions]\nCount=1\nF1=x\n");
    EXPECT_EQ(load(path).mode, lindor::graph::Mode::Function);
    EXPECT_EQ(load(path).plotted, std::vector<std::string>{"x"});
    writeText(path, "[MainMode]\nMode=i\n[Integrals]\nCount=1\nI1=x [0; 1]\n");
    EXPECT_EQ(load(path).mode, lindor::graph::Mode::Integral);
}

TEST(DocumentReading, CountIsLimited) {
    TempDir dir;
    const std::string path = dir.file("count.LDR");
    writeText(path, "[Functions]\nCount=2000000000\n");
    EXPECT_EQ(load(path).plotted.size(), static_cast<std::size_t>(kMaxListEntries));
    writeText(path, "[Functions]\nCount=-4\nF1=x\n");
    EXPECT_TRUE(load(path).plotted.empty());
}

TEST(DocumentReading, LineStyleInForceStaysWhenTheDocumentHasNone) {
    TempDir dir;
    const std::string path = dir.file("nostyle.LDR");
    writeText(path, "[MainMode]\nMode=F\n");
    Document doc;
    doc.view.lineStyle = LineStyle::Dotted;
    ASSERT_TRUE(loadDocument(path, doc, NumberLocale{}).ok());
    EXPECT_EQ(doc.view.lineStyle, LineStyle::Dotted);
}

TEST(DocumentSaving, FewerFunctionsLeaveStaleKeysThatCountIgnores) {
    TempDir dir;
    const std::string path = dir.file("five.LDR");
    ASSERT_TRUE(
        saveDocument(path, functionDocument({"a", "b", "c", "d", "e"}), NumberLocale{}).ok());
    ASSERT_TRUE(saveDocument(path, functionDocument({"x", "y", "z"}), NumberLocale{}).ok());
    const Profile p = Profile::parse(readText(path));
    EXPECT_EQ(p.readString("Functions", "F4", ""), "d");
    EXPECT_EQ(p.readString("Functions", "F5", ""), "e");
    EXPECT_EQ(load(path).plotted, (std::vector<std::string>{"x", "y", "z"}));
}

TEST(DocumentSaving, FunctionModeOverAnIntegralDocumentKeepsTheIntegrals) {
    TempDir dir;
    const std::string path = dir.file("mixed.LDR");
    Document integral = functionDocument({"sin x [0; pi]"});
    integral.mode = lindor::graph::Mode::Integral;
    ASSERT_TRUE(saveDocument(path, integral, NumberLocale{}).ok());
    ASSERT_TRUE(saveDocument(path, functionDocument({"x^2"}), NumberLocale{}).ok());
    const Profile p = Profile::parse(readText(path));
    EXPECT_EQ(p.readString("Integrals", "I1", ""), "sin x [0; pi]");
    EXPECT_EQ(p.readString("MainMode", "Mode", ""), "F");
    const Document back = load(path);
    EXPECT_EQ(back.mode, lindor::graph::Mode::Function);
    EXPECT_EQ(back.plotted, std::vector<std::string>{"x^2"});
}

TEST(DocumentSaving, RoundTripKeepsEveryText) {
    TempDir dir;
    const std::string path = dir.file("texts.LDR");
    Document doc = functionDocument({"sqrt x [0; 4]", " padded ", "\"q\"", "a=b;c"});
    doc.range = {"-1,5", "1E3", "x", "", "5", "0.1"};
    doc.view.axisTextX = "tid (s)";
    ASSERT_TRUE(saveDocument(path, doc, NumberLocale{}).ok());
    const Document back = load(path);
    EXPECT_EQ(back.plotted, doc.plotted);
    EXPECT_EQ(back.range, doc.range);
    EXPECT_EQ(back.view.axisTextX, "tid (s)");
}

TEST(DocumentSaving, ForeignLinesOfAnExistingDocumentStay) {
    TempDir dir;
    const std::string path = dir.file("edited.LDR");
    writeText(path, "; saved by hand\r\n[MainMode]\r\nMode=I\r\n[Notes]\r\ntext=keep\r\n");
    ASSERT_TRUE(saveDocument(path, functionDocument({"x"}), NumberLocale{}).ok());
    const std::string text = readText(path);
    EXPECT_EQ(text.rfind("; saved by hand\r\n[MainMode]\r\nMode=F\r\nNumbers=.\r\n[Notes]\r\n"
                         "text=keep\r\n",
                         0),
              0u);
    EXPECT_EQ(load(path).plotted, std::vector<std::string>{"x"});
}

TEST(DocumentSaving, FailuresLeaveTheOldFileAndAreReported) {
    TempDir dir;
    const std::string path = dir.file("old.LDR");
    ASSERT_TRUE(saveDocument(path, functionDocument({"old"}), NumberLocale{}).ok());
    const std::string before = readText(path);

    // A disk that fills up in the middle of the write.
    int calls = 0;
    const FileReplacer fullDisk = [&calls](const std::string& p, const std::string& content,
                                           std::string& error) {
        return lindor::replaceFile(p, content, error, [&calls](int, const char*, std::size_t) {
            ++calls;
            errno = ENOSPC;
            return static_cast<ssize_t>(-1);
        });
    };
    const FileStatus full = saveDocument(path, functionDocument({"new"}), NumberLocale{}, fullDisk);
    EXPECT_EQ(full.kind, FileStatus::Kind::CannotSave);
    EXPECT_EQ(calls, 1);
    EXPECT_NE(full.detail.find("No space"), std::string::npos) << full.detail;
    EXPECT_EQ(readText(path), before);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // A folder that cannot hold files: its "parent" is a regular file.
    const FileStatus noFolder =
        saveDocument(path + "/inside.LDR", functionDocument({"x"}), NumberLocale{});
    EXPECT_EQ(noFolder.kind, FileStatus::Kind::CannotSave);
    EXPECT_EQ(readText(path), before);

    // The target name is taken by a folder.
    std::filesystem::create_directory(dir.file("folder.LDR"));
    EXPECT_EQ(saveDocument(dir.file("folder.LDR"), functionDocument({"x"}), NumberLocale{}).kind,
              FileStatus::Kind::CannotSave);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.LDR")));
}

TEST(DocumentSaving, ShortWritesAreCompleted) {
    TempDir dir;
    const std::string path = dir.file("short.LDR");
    const FileReplacer trickle = [](const std::string& p, const std::string& content,
                                    std::string& error) {
        return lindor::replaceFile(p, content, error, [](int fd, const char* data, std::size_t) {
            return ::write(fd, data, 1);
        });
    };
    const Document doc = functionDocument({"x^2", "2x"});
    ASSERT_TRUE(saveDocument(path, doc, NumberLocale{}, trickle).ok());
    EXPECT_EQ(load(path).plotted, doc.plotted);
}

TEST(DocumentSaving, ALinkIsFollowed) {
    TempDir dir;
    const std::string target = dir.file("real.LDR");
    writeText(target, "[MainMode]\nMode=F\n");
    std::filesystem::create_symlink(target, dir.file("link.LDR"));
    ASSERT_TRUE(saveDocument(dir.file("link.LDR"), functionDocument({"x"}), NumberLocale{}).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.LDR")));
    EXPECT_EQ(load(target).plotted, std::vector<std::string>{"x"});
}

TEST(DocumentErrors, UnreadableFilesAreReportedAndLeaveTheDocument) {
    TempDir dir;
    Document doc = functionDocument({"kept"});
    const auto status = [&](const std::string& path) {
        return loadDocument(path, doc, NumberLocale{}).kind;
    };
    EXPECT_EQ(status(dir.file("missing.LDR")), FileStatus::Kind::CannotOpen);
    EXPECT_EQ(status(dir.path()), FileStatus::Kind::CannotOpen);

    writeText(dir.file("empty.LDR"), "");
    EXPECT_EQ(status(dir.file("empty.LDR")), FileStatus::Kind::NotADocument);
    writeText(dir.file("prose.LDR"), "Dear diary,\nno sections here = none.\n");
    EXPECT_EQ(status(dir.file("prose.LDR")), FileStatus::Kind::NotADocument);
    writeText(dir.file("binary.LDR"), std::string("GIF87a\x01\x00\x01\x00\x00[MainMode]\n", 21));
    EXPECT_EQ(status(dir.file("binary.LDR")), FileStatus::Kind::NotADocument);
    EXPECT_EQ(doc.plotted, std::vector<std::string>{"kept"});
}

TEST(DocumentErrors, MessagesNameTheFileInTheUsersLanguage) {
    lindor::lang::Language language;
    language.loadFromText("CannotSaveDocument=Kunde inte spara %s.\n"
                          "CannotOpenDocument=Kunde inte oppna %s.\n"
                          "NotALindorDocument=%s ar inget dokument.\n");
    FileStatus status;
    status.path = "/home/u/a.LDR";
    status.kind = FileStatus::Kind::CannotSave;
    status.detail = "No space left on device";
    EXPECT_EQ(describe(status, language),
              "Kunde inte spara /home/u/a.LDR.\nNo space left on device");
    status.kind = FileStatus::Kind::NotADocument;
    status.detail.clear();
    EXPECT_EQ(describe(status, language), "/home/u/a.LDR ar inget dokument.");
    status.kind = FileStatus::Kind::Ok;
    EXPECT_EQ(describe(status, language), "");
}

TEST(DocumentNames, ExtensionIsReplacedByLdr) {
    EXPECT_EQ(withDocumentExtension("/tmp/graph.txt"), "/tmp/graph.LDR");
    EXPECT_EQ(withDocumentExtension("/tmp/graph.Ldr"), "/tmp/graph.LDR");
    EXPECT_EQ(withDocumentExtension("/tmp/graph"), "/tmp/graph.LDR");
    EXPECT_EQ(withDocumentExtension("/tmp/v1.2/graph"), "/tmp/v1.2/graph.LDR");
    EXPECT_EQ(withDocumentExtension("/tmp/.hidden"), "/tmp/.hidden.LDR");
    EXPECT_EQ(fileNameOf("/tmp/v1.2/graph.LDR"), "graph.LDR");
    EXPECT_EQ(fileNameOf("graph.LDR"), "graph.LDR");
}
