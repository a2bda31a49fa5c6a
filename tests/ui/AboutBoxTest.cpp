// The about box with its link label, and the splash window.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/AboutBox.h"
#include "ui/ProductInfo.h"
#include "ui/SplashScreen.h"
#include "ui/UrlLabel.h"

namespace lindor::ui::test {
namespace {

TEST(UrlLabel, OpensOnlyWebAndMailAddresses) {
    TUrlLabel label;
    label.setText("Lindor home page");
    struct Case {
        const char* url;
        const char* text;
        const char* opens; // nothing when null
    };
    const Case cases[] = {
        {"  https://lindor.example.org  ", "x", "https://lindor.example.org"},
        {"", "http://example.org/a b", "http://example.org/a%20b"}, // the shown text
        {" ", "mailto:someone@example.org", "mailto:someone@example.org"},
        {"HTTPS://Example.org", "x", "https://example.org"},
        {"file:///etc/passwd", "x", nullptr},
        {"javascript:alert(1)", "x", nullptr},
        {"/usr/bin/xterm", "x", nullptr},
        {"ftp://example.org", "x", nullptr},
        {"smb://server/share", "x", nullptr},
        {"http://", "x", nullptr},
        {"mailto:", "x", nullptr},
        {"", "  ", nullptr},
    };
    for (const Case& c : cases) {
        label.setUrl(c.url);
        label.setText(c.text);
        const QUrl target = label.target();
        if (c.opens)
            EXPECT_EQ(target.toString(QUrl::FullyEncoded), c.opens) << c.url << "|" << c.text;
        else
            EXPECT_TRUE(target.isEmpty())
                << c.url << "|" << c.text << " gave " << target.toString().toStdString();
    }
}

TEST(UrlLabel, AClickOpensWhileThePressShowsTheActiveColour) {
    TUrlLabel label;
    label.setText("Lindor home page");
    label.setUrl("https://lindor.example.org");
    std::vector<QUrl> opened;
    label.setOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    label.show();
    const QColor normal = label.palette().color(QPalette::WindowText);
    EXPECT_EQ(normal, QColor(0, 0, 255));
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);

    QTest::mousePress(&label, Qt::LeftButton);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(128, 0, 128));
    EXPECT_TRUE(opened.empty());
    QTest::mouseRelease(&label, Qt::LeftButton);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), normal);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl("https://lindor.example.org"));

    // Released away from the label: no click.
    QTest::mousePress(&label, Qt::LeftButton);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(opened.size(), 1u);

    // A blocked address is not handed on at all.
    label.setUrl("file:///bin/sh");
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_FALSE(label.openTarget());
}

TEST(UrlLabel, TheMenuCopiesTheShownText) {
    const auto swedish = shippedLanguage("Swedish");
    TUrlLabel label(nullptr, swedish.get());
    label.setText("Lindors webbplats");
    label.setUrl("https://lindor.example.org");
    QMenu* menu = label.createContextMenu();
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().front()->text(), "&Kopiera");
    menu->actions().front()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Lindors webbplats");
    delete menu;
}

TEST(AboutBox, ShowsTheVersionAndLinksToTheHomePage) {
    const auto english = shippedLanguage("English");
    TAboutBox about(*english);
    about.show();
    EXPECT_EQ(about.windowTitle(), "About Lindor");
    EXPECT_EQ(child<QLabel>(about, "Version")->text(), QString("Version ") + lindorVersion());
    EXPECT_EQ(about.homePageLink()->objectName(), "UrlLabelHomePage");
    EXPECT_EQ(about.homePageLink()->text(), "Lindor home page");
    EXPECT_EQ(about.homePageLink()->target(), QUrl(kLindorHomePage));
    // The program's icon, drawn.
    const QImage icon = child<QLabel>(about, "ProgramIcon")->pixmap().toImage();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    int drawn = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            drawn += qAlpha(icon.pixel(x, y)) > 0;
    EXPECT_GT(drawn, 100);
}

TEST(SplashScreen, ShowsTheNameAndAGraphOfItsOwn) {
    const auto english = shippedLanguage("English");
    TfrmSplash splash(*english);
    const QImage image = splash.pixmap().toImage();
    ASSERT_EQ(image.size(), QSize(TfrmSplash::kWidth, TfrmSplash::kHeight));
    // Blue in the name's band at the top; the three curve colours below it.
    auto count = [&](QColor color, int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == color;
        return n;
    };
    EXPECT_GT(count(QColor(0, 0, 255), 0, 90), 200);
    EXPECT_GT(count(QColor(0, 128, 0), 120, image.height()), 100);
}

} // namespace
} // namespace lindor::ui::test
