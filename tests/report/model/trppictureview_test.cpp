// Picture views: format detection, stream loading with the field header,
// aspect ratio and centring, clipping, file links, auto size.
#include "platform/stream.h"
#include "report/model/trppictureview.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;

namespace {

QByteArray encoded(const QImage &img, const char *format)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return bytes;
}

QImage filled(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

} // namespace

TEST(PictureView, FormatDetection)
{
    struct Case { const char *name; QByteArray bytes; GraphicKind kind; };
    QByteArray emf(100, '\0');
    emf.replace(40, 4, " EMF");
    emf[2] = 5;
    const Case cases[] = {
        {"bitmap", encoded(filled(2, 2, Qt::red), "BMP"), GraphicKind::Bitmap},
        {"jpeg", encoded(filled(2, 2, Qt::red), "JPG"), GraphicKind::Jpeg},
        {"placeable metafile", QByteArray::fromHex("D7CDC69A") + QByteArray(18, '\x05'), GraphicKind::Metafile},
        {"enhanced metafile", emf, GraphicKind::EnhancedMetafile},
        {"icon header", QByteArray::fromHex("000001000100"), GraphicKind::Icon},
        {"five other bytes", QByteArray("abcde"), GraphicKind::None},
        {"BM too short for a bitmap", QByteArray("BMxx"), GraphicKind::None},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DetectGraphicKind(c.bytes), c.kind);
    }
}

TEST(PictureView, LoadPictureFromStream)
{
    const QByteArray jpeg = encoded(filled(30, 20, Qt::blue), "JPG");
    const QByteArray bmp = encoded(filled(3, 4, Qt::red), "BMP");
    QByteArray header(8, '\0');
    header[0] = 1;
    header[3] = 1;
    const quint32 len = quint32(bmp.size());
    memcpy(header.data() + 4, &len, 4);
    struct Case { const char *name; QByteArray bytes; int result; QSize size; };
    const Case cases[] = {
        {"jpeg", jpeg, kPictureLoaded, {30, 20}},
        {"bitmap behind a field header", header + bmp, kPictureLoaded, {3, 4}},
        {"five unknown bytes", QByteArray("abcde"), kPictureInvalidArg, {0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TrpPictureView v(nullptr);
        v.Picture()->SetData(bmp);
        platform::MemoryStream s(c.bytes);
        EXPECT_EQ(v.LoadPictureFromStream(s), c.result);
        EXPECT_EQ(v.Picture()->GraphicSize(), c.size);
    }
}

TEST(PictureView, StretchedTargetKeepsAspectAndCentres)
{
    struct Case { QSize g; bool keep, center; QRect expected; };
    const QRect r(0, 0, 100, 100);
    const Case cases[] = {
        {{200, 100}, true, false, {0, 0, 100, 50}},
        {{200, 100}, true, true, {0, 25, 100, 50}},
        {{100, 200}, true, true, {25, 0, 50, 100}},
        {{200, 100}, false, true, {0, 0, 100, 100}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TrpPictureView::StretchedTarget(r, c.g, c.keep, c.center), c.expected);
}

TEST(PictureView, NonStretchedPictureIsClippedAndClipRestored)
{
    TrpPictureView v(nullptr);
    v.SetColor(clNone);
    v.SetStretched(false);
    v.SetBounds(10, 10, 20, 20);
    v.Picture()->SetData(encoded(filled(50, 50, Qt::red), "BMP"));
    QImage img = filled(60, 60, Qt::white);
    QPainter p(&img);
    v.Draw(p, 1, 1, 0, 0);
    EXPECT_FALSE(p.hasClipping());
    p.end();
    EXPECT_EQ(img.pixel(15, 15) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(img.pixel(29, 29) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(img.pixel(35, 35) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(PictureView, AutoSizeAndChangeFlag)
{
    TrpPictureView v(nullptr);
    EXPECT_EQ(v.Color(), 16777215);
    EXPECT_FALSE(v.ComponentStyle() & FullTextDiff);
    v.SetAutoSize(true);
    v.Picture()->SetData(encoded(filled(30, 20, Qt::red), "BMP"));
    EXPECT_EQ(v.Width(), 30);
    EXPECT_EQ(v.Height(), 20);
    EXPECT_TRUE(v.PictureChanged());
    // The diff hands the picture over (no prepared pages here) and always
    // carries the cache index.
    TrpPictureView def(nullptr);
    EXPECT_TRUE(v.Diff(def).endsWith(QStringLiteral(" ImageIndex=\"0\"")));
    EXPECT_FALSE(v.PictureChanged());
    v.SetPicture(nullptr);
    EXPECT_TRUE(v.Picture()->IsEmpty());
}

TEST(PictureView, FileLinkLoadsOrClears)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("logo.png"));
    ASSERT_TRUE(filled(8, 6, Qt::green).save(path));
    const QString notPicture = dir.filePath(QStringLiteral("notes.txt"));
    {
        QFile f(notPicture);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    TrpPictureView v(nullptr);
    v.SetFileLink(path);
    v.GetData();
    EXPECT_EQ(v.Picture()->GraphicSize(), QSize(8, 6));
    v.SetFileLink(dir.filePath(QStringLiteral("missing.png")));
    v.GetData();
    EXPECT_TRUE(v.Picture()->IsEmpty());
    v.Picture()->SetData(encoded(filled(2, 2, Qt::red), "BMP"));
    v.SetFileLink(notPicture);
    v.GetData();
    EXPECT_TRUE(v.Picture()->IsEmpty());
}

// Data that starts like a known class but cannot be read is refused
// instead of being reported as a loaded picture.
TEST(PictureView, DamagedPictureDataIsRefused)
{
    TrpPictureView v(nullptr);
    v.Picture()->SetData(encoded(filled(2, 2, Qt::red), "BMP"));
    platform::MemoryStream s(QByteArray::fromHex("FFD8FFFF0000"));
    EXPECT_EQ(v.LoadPictureFromStream(s), kPictureInvalidArg);
    EXPECT_TRUE(v.Picture()->IsEmpty());
}

// A linked file that holds no picture must not leave the previous
// record's picture on the page.
TEST(PictureView, NonPictureFileLinkClearsPicture)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    TrpPictureView v(nullptr);
    v.Picture()->SetData(encoded(filled(2, 2, Qt::red), "BMP"));
    v.SetFileLink(path);
    v.GetData();
    EXPECT_TRUE(v.Picture()->IsEmpty());
}
