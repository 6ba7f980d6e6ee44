// The data root at start-up: its folders, the leftovers of older versions,
// the refusal of an unusable root, and the focus colour.
#include "app/startupfolders.h"
#include "tests/services/qstringprint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using bralvo::app::MainColorFromSetting;
using bralvo::app::PrepareDataRoot;
using bralvo::app::StartupError;

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

TEST(PrepareDataRoot, CreatesTheFoldersAndRemovesLeftovers)
{
    QTemporaryDir temp;
    const QString root = temp.path() + "/a/b/Tamrex/Bralvo/";
    touch(root + "Languages/old.lng");
    touch(root + "Languages/sub/x.bmp");
    touch(root + "Data/gzip.exe");
    touch(root + "Data/no_image.bmp");
    touch(root + "Data/settings.txs");
    PrepareDataRoot(root);
    EXPECT_TRUE(QFileInfo(root + "Data").isDir());
    EXPECT_TRUE(QFileInfo(root + "Backups").isDir());
    EXPECT_FALSE(QFileInfo::exists(root + "Languages"));
    EXPECT_FALSE(QFileInfo::exists(root + "Data/gzip.exe"));
    EXPECT_FALSE(QFileInfo::exists(root + "Data/no_image.bmp"));
    EXPECT_TRUE(QFileInfo::exists(root + "Data/settings.txs"));
}

TEST(PrepareDataRoot, RefusesEmptyOrRelativeDataRoot)
{
    // A relative root would delete "Languages" below the working folder.
    QTemporaryDir temp;
    const QString before = QDir::currentPath();
    QDir::setCurrent(temp.path());
    touch(temp.path() + "/Languages/keep.lng");
    for (const QString &root : {QString(), QString("Tamrex/Bralvo/"), QString("./"), QString("/")}) {
        SCOPED_TRACE(root.toStdString());
        try {
            PrepareDataRoot(root);
            ADD_FAILURE() << "no StartupError";
        } catch (const StartupError &e) {
            EXPECT_TRUE(e.userText().contains("Priečinok s údajmi programu"));
        }
    }
    EXPECT_TRUE(QFileInfo::exists(temp.path() + "/Languages/keep.lng"));
    QDir::setCurrent(before);
}

TEST(PrepareDataRoot, RefusesARootThatCannotBeCreated)
{
    QTemporaryDir temp;
    touch(temp.path() + "/file");
    EXPECT_THROW(PrepareDataRoot(temp.path() + "/file/Bralvo/"), StartupError);
}

TEST(MainColorFromSetting, InvalidColorTextUsesDefault)
{
    struct Case {
        QString text;
        QColor expected;
    };
    const QColor fallback(0xCF, 0xE6, 0xFE);
    const Case cases[] = {
        {"$00FEE6CF", fallback},
        {"$000000FF", QColor(0xFF, 0, 0)},
        {"clWhite", QColor(0xFF, 0xFF, 0xFF)},
        {"", fallback},
        {"modrá", fallback},
        {"$00GGHHII", fallback},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(MainColorFromSetting(c.text), c.expected);
    }
}

} // namespace
