// Recovery copies between instances: the lock of a running owner, copies that cannot be
// read, the newest of several.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ui/RecoveryStore.h"

namespace lindor::ui::test {
namespace {

files::Document documentOf(std::vector<std::string> plotted) {
    files::Document doc;
    doc.plotted = std::move(plotted);
    doc.range[0] = "-2.5";
    return doc;
}

TEST(RecoveryStoreTest, ACopyIsTakenOnlyOnceItsOwnerHasEnded) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("state/lindor");
    QStringList aside;
    auto first = std::make_unique<RecoveryStore>(folder);
    std::string reason;
    const QDateTime time = QDateTime::fromString("2026-03-01T10:15:00Z", Qt::ISODate);
    ASSERT_TRUE(
        first->keep(documentOf({"x^2", "sin x"}), "/home/u/work.LDR", time, NumberLocale{}, reason))
        << reason;

    RecoveryStore second(folder);
    EXPECT_FALSE(second.takeLeftWork(NumberLocale{}, {}, aside)); // its owner runs
    first.reset();                                                // ends without removing its copy
    const auto left = second.takeLeftWork(NumberLocale{}, {}, aside);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->document.plotted, (std::vector<std::string>{"x^2", "sin x"}));
    EXPECT_EQ(left->document.range[0], "-2.5");
    EXPECT_EQ(left->documentPath, "/home/u/work.LDR");
    EXPECT_EQ(left->time, time);
    // While the second settles it, a third instance leaves it alone.
    RecoveryStore third(folder);
    EXPECT_FALSE(third.takeLeftWork(NumberLocale{}, {}, aside));
    second.settleLeftWork();
    EXPECT_FALSE(QFile::exists(left->file));
    EXPECT_TRUE(aside.isEmpty());
}

TEST(RecoveryStoreTest, UnreadableCopiesAreMovedAsideAndTheNewestIsOffered) {
    QTemporaryDir dir;
    const QString folder = dir.path();
    std::string reason;
    for (const auto& [text, when] :
         {std::pair{"x", "2026-03-01T10:00:00Z"}, std::pair{"x^3", "2026-03-01T11:00:00Z"}}) {
        RecoveryStore ended(folder);
        ASSERT_TRUE(ended.keep(documentOf({text}), "", QDateTime::fromString(when, Qt::ISODate),
                               NumberLocale{}, reason));
    }
    // A document without the copy's section (cut short, or put there by someone else), and
    // binary data.
    QFile foreign(QDir(folder).filePath("recovery-foreign.LDR"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("[MainMode]\nMode=F\n[Functions]\nCount=1\nF1=x\n");
    foreign.close();
    QFile binary(QDir(folder).filePath("recovery-binary.LDR"));
    ASSERT_TRUE(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("\0\1\2\3[Recovery]", 15));
    binary.close();

    RecoveryStore store(folder);
    QStringList aside;
    const auto left = store.takeLeftWork(NumberLocale{}, {}, aside);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->document.plotted, std::vector<std::string>{"x^3"});
    EXPECT_EQ(left->documentPath, "");
    EXPECT_EQ(aside.size(), 2);
    for (const QString& file : aside)
        EXPECT_TRUE(file.endsWith(".unreadable") && QFile::exists(file)) << file.toStdString();
    store.settleLeftWork();
    // The older copy waits for the next start; what was moved aside is offered no more.
    aside.clear();
    const auto older = store.takeLeftWork(NumberLocale{}, {}, aside);
    ASSERT_TRUE(older);
    EXPECT_EQ(older->document.plotted, std::vector<std::string>{"x"});
    EXPECT_TRUE(aside.isEmpty());
}

} // namespace
} // namespace lindor::ui::test
