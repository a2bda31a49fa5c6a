// The picture and print commands as the user runs them: copies with the clipboard
// notice, saves with the name rule, the overwrite question and failures, and printouts
// that go into a PDF file where no printer is installed.
#include "ui/OutputCommands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QPrinterInfo>
#include <QRegularExpression>

#include "ScriptedQuestions.h"
#include "UiTestSupport.h"
#include "qt/SvgOutput.h"
#include "ui/ClipboardNotice.h"
#include "ui/PrintOutput.h"
#include "ui/ProgressWindow.h"

namespace lindor::ui::test {
namespace {

class OutputCommandsTest : public AppStateTest {
protected:
    OutputCommandsTest() {
        m_state->language.setMessageHandler(
            [this](const std::string& m) { m_messages << QString::fromStdString(m); });
        drawGraph({"x^2-2", "sin x"});
        m_commands = std::make_unique<OutputCommands>(
            *m_state, m_questions, nullptr,
            [this]() -> qtgui::GraphSurfaces& { return m_surfaces; }, [this] { return m_log; },
            m_progress);
    }
    void TearDown() override {
        // Every text the commands show exists in the language file.
        EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
    }

    void run(const char* action) {
        QAction* a = m_commands->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
    // The clipboard notice: ticks its box and closes it with OK or Cancel.
    void expectNotice(bool ok) {
        m_questions.expectDialog("TCopy2ClipboardMessage", [ok](QDialog& dialog) {
            auto& notice = static_cast<TCopy2ClipboardMessage&>(dialog);
            EXPECT_FALSE(notice.neverShow());
            notice.setNeverShow(true);
            return ok ? QDialog::Accepted : QDialog::Rejected;
        });
    }
    QImage bitmap() { return m_surfaces.image().convertToFormat(QImage::Format_RGB32); }
    static QImage decoded(const QString& file) {
        return QImageReader(file).read().convertToFormat(QImage::Format_RGB32);
    }

    QStringList m_messages;
    ScriptedQuestions m_questions;
    TProgressForm m_progress;
    QStringList m_log;
    std::unique_ptr<OutputCommands> m_commands;
};

TEST_F(OutputCommandsTest, CopiesHoldTheWholePictureAndTheNoticeKeepsComingUntilConfirmed) {
    EXPECT_EQ(m_commands->findChild<QAction*>("CopyGraphAsWMFPicture1")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_C));
    const QByteArray svg = qtgui::svgFromRecording(m_surfaces.recording());
    ASSERT_TRUE(svg.contains("x^2-2"));

    // Ticked but cancelled: nothing stored, so the notice comes back.
    expectNotice(false);
    run("CopyGraphAsWMFPicture1");
    const QMimeData* first = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(first->data("image/svg+xml"), svg);
    EXPECT_EQ(qvariant_cast<QImage>(first->imageData()).convertToFormat(QImage::Format_RGB32),
              bitmap());

    expectNotice(true);
    run("CopyGraphAsWMFPicture1");
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("image/svg+xml"), svg);
    EXPECT_TRUE(m_state->settings.neverShow(files::Notice::Clipboard));

    // Confirmed: the bitmap copy shows no notice any more.
    run("CopyGraphAsBMPPicture1");
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat("image/svg+xml"));
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              bitmap());
    EXPECT_TRUE(m_questions.done());
}

TEST_F(OutputCommandsTest, SavesGetLowerCaseExtensionsAndProposeTheDocumentWhereTheLastSaveWent) {
    m_questions.expectSaveFile(path("a.txt"))
        .expectSaveFile(path("b.BMP"))
        .expectSaveFile(path("c"))
        .expectSaveFile(path("d.GIF"))
        .expectSaveFile(path("e"))
        .expectSaveFile(path("f"));
    run("SaveAsBMPPicture1");
    EXPECT_EQ(m_questions.lastStartPath(), QDir::home().filePath("Untitled.bmp"));
    EXPECT_EQ(m_questions.lastFilter(), "Bitmap File (*.bmp *.BMP)");
    EXPECT_EQ(decoded(path("a.bmp")), bitmap());
    // The folder last used, and the document's name.
    m_state->documentPath = path("sine waves.LDR").toStdString();
    run("SaveAsBMPPicture1");
    EXPECT_EQ(m_questions.lastStartPath(), path("sine waves.bmp"));
    EXPECT_TRUE(QFileInfo::exists(path("b.BMP"))); // a typed extension is kept as typed

    run("SaveAsGIFPicture1");
    EXPECT_EQ(decoded(path("c.gif")), bitmap());
    EXPECT_FALSE(m_progress.isVisible());
    run("SaveAsGIFPicture1");
    EXPECT_EQ(m_questions.lastStartPath(), path("sine waves.gif"));
    EXPECT_TRUE(QFileInfo::exists(path("d.GIF")));

    run("SaveAsPNGPicture1");
    EXPECT_EQ(decoded(path("e.png")), bitmap());
    run("SaveAsSVGPicture1");
    EXPECT_EQ(contentOf(path("f.svg")), qtgui::svgFromRecording(m_surfaces.recording()));
    EXPECT_TRUE(m_questions.done());
}

TEST_F(OutputCommandsTest, OverwriteIsAskedUnderTheFinalNameAndAFailedSaveKeepsTheOldFile) {
    writeFile(path("a.bmp"), "old picture");
    // "a.txt" does not exist, but "a.bmp", the name it is saved under, does.
    m_questions.expectSaveFile(path("a.txt")).expectYesNo(false, path("a.bmp"));
    run("SaveAsBMPPicture1");
    EXPECT_EQ(contentOf(path("a.bmp")), "old picture");

    m_questions.expectSaveFile(path("a")).expectYesNo(true, path("a.bmp"));
    run("SaveAsBMPPicture1");
    EXPECT_EQ(decoded(path("a.bmp")), bitmap());
    const QByteArray saved = contentOf(path("a.bmp"));

    // A folder that is a file: one error naming the file, the earlier picture untouched.
    for (const char* action : {"SaveAsBMPPicture1", "SaveAsPNGPicture1", "SaveAsGIFPicture1",
                               "SaveAsSVGPicture1", "SaveAsPDFPicture1"}) {
        const QString target = path("a.bmp/inside");
        m_questions.expectSaveFile(target).expectError(target);
        run(action);
        EXPECT_TRUE(m_questions.done()) << action;
    }
    EXPECT_EQ(m_questions.messages().size(), 7); // two questions and five errors
    EXPECT_EQ(contentOf(path("a.bmp")), saved);
    EXPECT_FALSE(m_progress.isVisible());
}

// The first PDF page object and the number of pages of a PDF document.
int pageCount(const QByteArray& pdf) {
    return static_cast<int>(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

TEST_F(OutputCommandsTest, PdfPictureAndPrintoutsWithoutAPrinterGoToPdfFiles) {
    m_questions.expectSaveFile(path("graph"));
    run("SaveAsPDFPicture1");
    const QByteArray picture = contentOf(path("graph.pdf"));
    EXPECT_TRUE(picture.startsWith("%PDF"));
    EXPECT_EQ(pageCount(picture), 1);

    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed; the PDF fallback is not used";
    m_questions.expectPageSetup(false)
        .expectSaveFile(path("printout"))
        .expectSaveFile(path("log.PDF"))
        .expectSaveFile(path("empty log"));
    run("PrintSetup1");
    run("Print1");
    const QByteArray printout = contentOf(path("printout.pdf"));
    EXPECT_TRUE(printout.startsWith("%PDF"));
    EXPECT_EQ(pageCount(printout), 1);
    EXPECT_GT(printout.size(), 1000);

    for (int i = 0; i < 200; ++i)
        m_log << QString() << "y = x^2-2"
              << "Root: x = 1.414213562";
    run("PrintLog1");
    EXPECT_GT(pageCount(contentOf(path("log.PDF"))), 1);
    m_log.clear();
    run("PrintLog1");
    EXPECT_EQ(pageCount(contentOf(path("empty log.pdf"))), 1);
}

TEST(PrintOutput, PictureKeepsItsScreenSizeWhenItFitsAndShrinksProportionallyWhenNot) {
    // 96 dpi screen, 600 dpi printer: an inch stays an inch.
    EXPECT_EQ(printedPictureSize({96, 48}, 96, 600, 600, {4800, 6600}), QSize(600, 300));
    // Too wide for the page: scaled down by one factor to the page width.
    EXPECT_EQ(printedPictureSize({960, 480}, 96, 600, 600, {3000, 6600}), QSize(3000, 1500));
    // Too high: scaled to the page height.
    EXPECT_EQ(printedPictureSize({100, 1000}, 100, 300, 300, {6000, 1500}), QSize(150, 1500));
}

} // namespace
} // namespace lindor::ui::test
