// Shared routines: rectangles, CRC, hex, page ranges, numbers,
// bracketed expressions, component paths, errors, gzip and zlib.
#include "report/model/trputils.h"

#include "platform/conversionerror.h"
#include "platform/regionalsettings.h"
#include "platform/stream.h"
#include "platform/stringlist.h"
#include "report/model/reporterror.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zlib.h>

using namespace bralvo::report;
using bralvo::platform::MemoryStream;
using bralvo::platform::StringList;

TEST(TrpUtils, RectAreaOverlaps)
{
    const TrpRectArea a{0, 0, 10, 10};
    EXPECT_FALSE(a.OverlapsX({10, 0, 20, 10}));
    EXPECT_FALSE(a.OverlapsX({9.99995, 0, 20, 10}));
    EXPECT_TRUE(a.OverlapsX({9, 0, 20, 10}));
    EXPECT_FALSE(a.OverlapsY({0, 10, 5, 20}));
    const auto i = a.IntersectX({5, 3, 20, 4});
    ASSERT_TRUE(i);
    EXPECT_EQ(QRectF(QPointF(i->X, i->Y), QPointF(i->X1, i->Y1)), QRectF(QPointF(5, 0), QPointF(10, 0)));
    EXPECT_FALSE(a.IntersectX({11, 0, 12, 1}));
}

// Numbers as files hold them ("793.7013") and as people type them.
TEST(TrpUtils, LooseFloatsInEveryForm)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {{"793.7013", 793.7013}, {"-12", -12},     {"-0.25", -0.25}, {"0012.50", 12.5},
                 {"12,5", 12.5},         {" 3 ", 3},       {"1e3", 1000},    {"22.4", 22.4},
                 {"0.1", 0.1},           {"123456789.123456789", 123456789.123456789}};
    for (const auto &c : cases)
        EXPECT_EQ(StrToFloatLoose(QString::fromLatin1(c.text)), c.value) << c.text;
    for (const char *bad : {"", "-", "1.2.3", "--1", "x1"})
        EXPECT_THROW(StrToFloatLoose(QString::fromLatin1(bad)), bralvo::platform::ConversionError) << bad;
}

TEST(TrpUtils, NumbersHelpers)
{
    EXPECT_DOUBLE_EQ(RoundTo8Decimals(0.123456785), 0.12345678);
    EXPECT_TRUE(FloatDiffers(1, 1.00011));
    EXPECT_FALSE(FloatDiffers(1, 1.0001));
    EXPECT_DOUBLE_EQ(StrToFloatLoose(QStringLiteral("1 234,5")), 1234.5);
    EXPECT_DOUBLE_EQ(StrToFloatLoose(QStringLiteral("3.25")), 3.25);
    EXPECT_THROW(StrToFloatLoose(QStringLiteral("abc")), bralvo::platform::ConversionError);
    EXPECT_EQ(FloatToTwoDecimalStr(3), QStringLiteral("3"));
    EXPECT_EQ(FloatToTwoDecimalStr(3.14159), QStringLiteral("3.14"));
    EXPECT_EQ(FormatFloatDecimals(2, 3, u','), QStringLiteral("2"));
    EXPECT_EQ(FormatFloatDecimals(2.5, 3, u','), QStringLiteral("2,500"));
    EXPECT_EQ(FloatToFileStr(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(FloatToFileStr(3.77953), QStringLiteral("3.77953"));
    EXPECT_EQ(FloatToFileStr(1e20), QStringLiteral("1e+20"));
}

TEST(TrpUtils, FileFloatsKeepAtMostFifteenSignificantDigits)
{
    const bralvo::platform::ScopedRegionalSettings slovak(bralvo::platform::RegionalSettings::slovak());
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {28.799999999999997, "28.8"},
        {-28.799999999999997, "-28.8"},
        {0.1 + 0.2, "0.3"},
        {2.0 / 3.0, "0.666666666666667"},
        {190.0 / 3.0 * 2.0, "126.666666666667"},
        {123456789.12345679, "123456789.123457"},
        {94.75, "94.75"},
        {-0.5, "-0.5"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatToFileStr(c.value), QString::fromLatin1(c.text)) << c.text;
}

TEST(TrpUtils, Crc32OfAbcAndPositionKept)
{
    MemoryStream s(QByteArray("abc"));
    s.seek(2);
    EXPECT_EQ(StreamCRC32(s), 0x352441C2u);
    EXPECT_EQ(s.position(), 2);
}

TEST(TrpUtils, HexStreams)
{
    MemoryStream s(QByteArray("\x01\xAB\xFF", 3));
    EXPECT_EQ(StreamToHex(s), QStringLiteral("01ABFF"));
    MemoryStream out;
    HexToStream(QStringLiteral("41424"), out);
    EXPECT_EQ(out.data(), QByteArray("AB"));
    EXPECT_THROW(HexToStream(QStringLiteral("zz"), out), bralvo::platform::ConversionError);
}

TEST(TrpUtils, SplitToStringList)
{
    StringList l;
    SplitToStringList(QStringLiteral("a;;b;"), l, u';');
    EXPECT_EQ(l.toStringList(), QStringList({"a", "", "b"}));
    SplitToStringList(QString(), l, u';');
    EXPECT_EQ(l.count(), 0);
}

TEST(TrpUtils, ParsePageNumbers)
{
    struct Case {
        const char *text;
        int last;
        QStringList pages;
    };
    const Case cases[] = {
        {"1, 3,5-7", 10, {"1", "3", "5", "6", "7"}},
        {"8-", 10, {"8", "9", "10"}},
        {"", 10, {}},
        {"5-3", 10, {}},
        {"2,2", 10, {"2", "2"}},
    };
    StringList l;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        ParsePageNumbers(QString::fromLatin1(c.text), l, c.last);
        EXPECT_EQ(l.toStringList(), c.pages);
    }
    EXPECT_THROW(ParsePageNumbers(QStringLiteral("1,x"), l, 10), bralvo::platform::ConversionError);
}

TEST(TrpUtils, ParsePageNumbersClampsHugeRangesToTheLastPage)
{
    StringList l;
    ParsePageNumbers(QStringLiteral("1-2000000000"), l, 3);
    EXPECT_EQ(l.toStringList(), QStringList({"1", "2", "3"}));
    ParsePageNumbers(QStringLiteral("1-2000000000"), l, 0);
    EXPECT_LE(l.count(), 100001);
}

TEST(TrpUtils, BracketedExpressionHonoursQuotes)
{
    const QString text = QStringLiteral("x[a[\"]\"]b]y");
    QString expr;
    int end = 0;
    GetBracketedExpression(text, u'[', u']', expr, end, 1);
    EXPECT_EQ(expr, QStringLiteral("a[\"]\"]b"));
    EXPECT_EQ(end, 9);
    GetBracketedExpression(QStringLiteral("[open"), u'[', u']', expr, end, 0);
    EXPECT_EQ(expr, QStringLiteral("open"));
}

TEST(TrpUtils, ComponentPaths)
{
    bralvo::platform::Component window;
    window.setName(QStringLiteral("fFaktura"));
    auto *report = new TrpReport(&window);
    auto *uds = new bralvo::platform::Component(&window);
    uds->setName(QStringLiteral("rpUDS"));
    EXPECT_EQ(GetComponentPath(report, uds), QStringLiteral("rpUDS"));
    EXPECT_EQ(FindComponentByPath(report, QStringLiteral("rpUDS")), uds);
    EXPECT_EQ(FindComponentByPath(report, QStringLiteral("nothing")), nullptr);
    bralvo::platform::Component module;
    module.setName(QStringLiteral("dmData"));
    auto *q = new bralvo::platform::Component(&module);
    q->setName(QStringLiteral("qBills"));
    registerApplicationComponent(&module);
    EXPECT_EQ(GetComponentPath(report, q), QStringLiteral("dmData.qBills"));
    EXPECT_EQ(FindComponentByPath(report, QStringLiteral("dmData.qBills")), q);
    unregisterApplicationComponent(&module);
    EXPECT_EQ(GetComponentPath(nullptr, nullptr), QString());
}

TEST(TrpUtils, HandleReportErrorByMode)
{
    TrpReport report;
    report.EngineOptions()->SetNewSilentMode(simReThrow);
    try {
        HandleReportError(&report, QStringLiteral("exact text"));
        FAIL();
    } catch (const ReportError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("exact text"));
    }
    report.EngineOptions()->SetNewSilentMode(simSilent);
    EXPECT_NO_THROW(HandleReportError(&report, QStringLiteral("quiet")));
}

TEST(TrpUtils, TempFilesWithPrefix)
{
    QTemporaryDir dir;
    const QString name = MakeTempFileNameIn(dir.path());
    EXPECT_TRUE(QFileInfo(name).fileName().startsWith(QStringLiteral("fr")));
    EXPECT_TRUE(QFileInfo::exists(name));
    EXPECT_THROW(MakeTempFileNameIn(dir.filePath(QStringLiteral("missing"))), ReportError);
}

TEST(TrpUtils, GzipResourceAndZlib)
{
    const QByteArray payload("preview buttons, preview buttons, preview buttons");
    // A gzip member with a stored file name, made by zlib's gzip writer.
    z_stream zs{};
    ASSERT_EQ(deflateInit2(&zs, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    gz_header header{};
    QByteArray name("buttons.bmp");
    header.name = reinterpret_cast<Bytef *>(name.data());
    deflateSetHeader(&zs, &header);
    QByteArray gz(256, '\0');
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(payload.constData()));
    zs.avail_in = uInt(payload.size());
    zs.next_out = reinterpret_cast<Bytef *>(gz.data());
    zs.avail_out = uInt(gz.size());
    ASSERT_EQ(deflate(&zs, Z_FINISH), Z_STREAM_END);
    gz.resize(int(zs.total_out));
    deflateEnd(&zs);
    QString fileName;
    EXPECT_EQ(ReadGzipResource(gz, fileName), payload);
    EXPECT_EQ(fileName, QStringLiteral("buttons.bmp"));
    EXPECT_THROW(ReadGzipResource(gz.left(20), fileName), ReportError);

    MemoryStream src(payload), dest;
    CompressStreamZlib(src, dest, 9);
    uLongf size = 256;
    QByteArray back(256, '\0');
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef *>(back.data()), &size,
                         reinterpret_cast<const Bytef *>(dest.data().constData()), uLong(dest.size())),
              Z_OK);
    back.resize(int(size));
    EXPECT_EQ(back, payload);
}

TEST(TrpUtils, SplitBitmapIntoCells)
{
    QImage strip(64, 16, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QList<QImage> disabled;
    EXPECT_EQ(SplitBitmapIntoImages(strip, 16, 16, nullptr).size(), 4);
    EXPECT_EQ(SplitBitmapIntoImages(strip, 16, 16, &disabled).size(), 2);
    EXPECT_EQ(disabled.size(), 2);
}

// Button images are masked by each cell's transparent colour (its
// bottom-left pixel), so their background does not show.
TEST(TrpUtils, SplitBitmapMasksEachCellByItsTransparentColour)
{
    QImage strip(4, 2, QImage::Format_RGB32);
    strip.fill(Qt::white);
    strip.setPixel(1, 0, qRgb(255, 0, 0)); // drawn in cell 1
    for (int y = 0; y < 2; ++y) {
        strip.setPixel(2, y, qRgb(0, 0, 255)); // cell 2: blue background
        strip.setPixel(3, y, qRgb(0, 0, 255));
    }
    strip.setPixel(3, 0, qRgb(255, 255, 255)); // drawn in cell 2
    const QList<QImage> cells = SplitBitmapIntoImages(strip, 2, 2, nullptr);
    ASSERT_EQ(cells.size(), 2);
    EXPECT_EQ(qAlpha(cells[0].pixel(0, 0)), 0);
    EXPECT_EQ(cells[0].pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(cells[1].pixel(0, 0)), 0);
    EXPECT_EQ(cells[1].pixel(1, 0), qRgb(255, 255, 255));
}

TEST(TrpUtils, DrawingHelpers)
{
    QImage canvas(8, 8, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    {
        QPainter p(&canvas);
        DrawGraphic(p, QRectF(0, 0, 8, 4), red, true);
    }
    EXPECT_EQ(QColor(canvas.pixel(7, 3)), QColor(Qt::red));
    EXPECT_EQ(QColor(canvas.pixel(7, 5)), QColor(Qt::white));
    QImage icon(2, 2, QImage::Format_RGB32);
    icon.fill(Qt::green);
    icon.setPixel(1, 0, qRgb(0, 0, 255));
    icon.setPixel(0, 1, qRgb(0, 0, 255)); // bottom-left: the transparent colour
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        DrawTransparentBitmap(p, 0, 0, icon);
    }
    EXPECT_EQ(QColor(canvas.pixel(0, 0)), QColor(Qt::green));
    EXPECT_EQ(QColor(canvas.pixel(1, 0)), QColor(Qt::white));
}
