// The button pictures: every name the windows ask for is in the resources, draws at the
// sizes the buttons use, and leaves its background transparent.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>

// The pictures live in a static library, so whoever uses them registers them once.
static void registerIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace lindor::ui::test {
namespace {

const QStringList kIconNames = {"erase-function.svg", "function-mode.svg",
                                "integral-mode.svg",  "intersection.svg",
                                "maximum.svg",        "minimum.svg",
                                "mode-function.svg",  "mode-integral.svg",
                                "plot-function.svg",  "range-open.svg",
                                "range-redraw.svg",   "range-save.svg",
                                "range-standard.svg", "range-trigonometry.svg",
                                "root.svg",           "trace.svg",
                                "undo-zoom.svg",      "x-calc.svg",
                                "y-calc.svg",         "y-intersection.svg",
                                "zoom-box.svg",       "zoom-in.svg",
                                "zoom-out.svg"};

TEST(IconResources, EveryPictureIsThereAndDrawsOnATransparentGround) {
    registerIcons();
    QStringList present = QDir(":/icons").entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(present, kIconNames);

    for (const QString& name : kIconNames) {
        SCOPED_TRACE(name.toStdString());
        QSvgRenderer renderer(":/icons/" + name);
        ASSERT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 24, 24));
        for (int size : {16, 24, 28}) {
            QImage image(size, size, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter, QRectF(0, 0, size, size));
            painter.end();
            int opaque = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
            EXPECT_GT(opaque, size * size / 20) << "nearly empty at " << size << " px";
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corner painted at " << size << " px";
        }
    }
}

} // namespace
} // namespace lindor::ui::test
