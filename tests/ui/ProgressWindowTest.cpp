// The progress window driven by the writer's reports, and a GIF save through it.
#include "ui/ProgressWindow.h"

#include <QApplication>
#include <QImageReader>
#include <QTimer>

#include "UiTestSupport.h"
#include "ui/GifSave.h"
#include "ui/NeedleGauge.h"

namespace lindor::ui::test {
namespace {

TEST(ProgressWindow, ShowsTheRoundedPercentageAndHidesAtTheEnd) {
    TProgressForm form;
    EXPECT_EQ(form.windowTitle(), "Progress");
    EXPECT_EQ(form.size(), QSize(275, 157));
    const gif::ProgressHook hook = form.hook();

    hook(0.5);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.gauge().percentDone(), 50);
    hook(0.125);
    EXPECT_EQ(form.gauge().percentDone(), 12);
    hook(0.99995);
    EXPECT_FALSE(form.isVisible());
    hook(0.9999f);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.gauge().percentDone(), 100);
    form.gauge().setProgress(250);
    EXPECT_EQ(form.gauge().progress(), 100);
}

TEST(ProgressWindow, NeedlePointsUpAtHalfAndTheTextStaysReadable) {
    TGauge gauge;
    const QSize size(201, 101);
    const QImage empty = gauge.dialPicture(size);
    gauge.setProgress(50);
    const QImage half = gauge.dialPicture(size);
    // The needle runs straight up from the middle of the base line; at 0 % there is none.
    EXPECT_EQ(half.pixel(100, 10), QColor(Qt::blue).rgb());
    EXPECT_EQ(empty.pixel(100, 10), QColor(Qt::white).rgb());
    // The text is the inverse of what lies beneath: black on the white dial, and the
    // needle inverted where the text crosses it.
    bool blackText = false;
    bool invertedNeedle = false;
    for (int y = 0; y < half.height(); ++y) {
        for (int x = 0; x < half.width(); ++x) {
            blackText |= half.pixel(x, y) == qRgb(0, 0, 0);
            invertedNeedle |= half.pixel(x, y) == qRgb(255, 255, 0);
        }
    }
    EXPECT_TRUE(blackText);
    EXPECT_TRUE(invertedNeedle);
}

class GifSaveTest : public AppStateTest {};

TEST_F(GifSaveTest, SavesThePictureWhileTheWindowShowsAndCannotBeClosed) {
    drawGraph({"x^2-2", "sin x"});
    const QImage bitmap = m_surfaces.image().copy();
    TProgressForm form;
    const QString file = path("graph.Gif");

    // While the save runs, something tries to close the window.
    bool visibleDuringSave = false;
    bool closed = true;
    bool waitCursor = false;
    QTimer::singleShot(0, &form, [&] {
        visibleDuringSave = form.isVisible();
        closed = form.close();
        waitCursor = QGuiApplication::overrideCursor() &&
                     QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    QString error;
    ASSERT_TRUE(saveGifWithProgress(m_surfaces.image(), file, form, error, m_state->language))
        << error.toStdString();
    EXPECT_TRUE(visibleDuringSave);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(waitCursor);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form.close()); // closes again once the save is over

    QImageReader reader(file, "gif");
    const QImage decoded = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(decoded.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(decoded, bitmap.convertToFormat(QImage::Format_RGB32));
}

TEST_F(GifSaveTest, AFailedSaveReportsTheFileKeepsTheOldOneAndCleansUp) {
    TProgressForm form;
    QString error;
    const QString missingFolder = path("no such folder/graph.Gif");
    drawGraph({"x"});
    EXPECT_FALSE(
        saveGifWithProgress(m_surfaces.image(), missingFolder, form, error, m_state->language));
    EXPECT_TRUE(error.contains(missingFolder)) << error.toStdString();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A picture of more colours than a GIF holds fails before the old file is touched.
    const QString old = path("old.Gif");
    writeFile(old, "old content");
    QImage colourful(40, 40, QImage::Format_RGB32);
    for (int i = 0; i < 1600; ++i)
        colourful.setPixel(i % 40, i / 40, qRgb(i % 256, i / 256, 7));
    error.clear();
    EXPECT_FALSE(saveGifWithProgress(colourful, old, form, error, m_state->language));
    EXPECT_TRUE(error.contains("256")) << error.toStdString();
    EXPECT_EQ(contentOf(old), "old content");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace lindor::ui::test
