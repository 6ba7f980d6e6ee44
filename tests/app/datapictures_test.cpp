// The pictures the windows fall back to ship in the built program's Data
// folder: a firm picture that cannot be read shows the placeholder, not
// the picture shown before, and the database manager shows its strip.
#include "tests/app/recordsfixture.h"

#include "app/tfdbmanager.h"
#include "app/tfuzivatelia.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

namespace bralvo::test {
namespace {

const QString kProgramData = QStringLiteral(BRALVO_PROGRAM_DIR "Data/");

TEST(DataPictures, ShippedBesideTheProgramSmallAndReadable)
{
    const struct {
        const char *name;
        QSize atMost;
    } pictures[] = {{"no_image.bmp", {120, 70}}, {"empty.bmp", {120, 70}},
                    {"size_bar_up.bmp", {520, 14}}, {"size_bar_down.bmp", {520, 14}}};
    for (const auto &p : pictures) {
        const QImage image(kProgramData + p.name, "BMP");
        ASSERT_FALSE(image.isNull()) << p.name;
        EXPECT_LE(image.width(), p.atMost.width()) << p.name;
        EXPECT_LE(image.height(), p.atMost.height()) << p.name;
    }
    EXPECT_NE(QImage(kProgramData + "size_bar_up.bmp"), QImage(kProgramData + "size_bar_down.bmp"));
}

class DataPicturesInWindows : public RecordsFixture {
protected:
    void SetUp() override
    {
        RecordsFixture::SetUp();
        services::ProgramDir = QStringLiteral(BRALVO_PROGRAM_DIR);
    }
};

TEST_F(DataPicturesInWindows, UnreadableLogoShowsThePlaceholderNotTheEarlierPicture)
{
    QTemporaryDir folder;
    QImage earlier(30, 20, QImage::Format_RGB32);
    earlier.fill(Qt::red);
    ASSERT_TRUE(earlier.save(folder.filePath("earlier.bmp"), "BMP"));
    QFile broken(folder.filePath("logo.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();

    m_main->menuSpravaUzivatelovClick();
    auto &users = child<app::TfUzivatelia>(*m_main, "fUzivatelia");
    users.eLogo->setText(folder.filePath("earlier.bmp"));
    ASSERT_EQ(users.imgLogo->pixmap().size(), QSize(30, 20));
    users.eLogo->setText(folder.filePath("logo.png"));
    const QImage placeholder(kProgramData + "no_image.bmp", "BMP");
    ASSERT_FALSE(placeholder.isNull());
    EXPECT_EQ(users.imgLogo->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              placeholder.convertToFormat(QImage::Format_RGB32));
}

TEST_F(DataPicturesInWindows, DatabaseManagerShowsItsSizeStrip)
{
    auto &manager = child<app::TfDBmanager>(*m_main, "fDBmanager");
    for (bool compact : {true, false}) {
        compact ? manager.ShowCompact() : manager.ShowExpanded();
        const QImage strip(kProgramData + (compact ? "size_bar_down.bmp" : "size_bar_up.bmp"), "BMP");
        ASSERT_FALSE(strip.isNull()) << compact;
        EXPECT_EQ(manager.Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                  strip.convertToFormat(QImage::Format_RGB32))
            << compact;
    }
}

} // namespace
} // namespace bralvo::test
