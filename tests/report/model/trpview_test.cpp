// Views: display formats, fill and frame drawing (pixel checks), the
// difference coding of frames, and TagStr/URL expansion.
#include "platform/regionalsettings.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdisplayformat.h"
#include "report/model/trpshapeview.h"
#include "testreport.h"

#include <QDate>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;
using bralvo::report::testing::buildExample;
using bralvo::report::testing::quietReport;

namespace {

platform::RegionalSettings dotSettings()
{
    platform::RegionalSettings s = platform::RegionalSettings::slovak();
    s.decimalSeparator = u'.';
    s.thousandSeparator = u',';
    return s;
}

double dayCount(const QDate &d)
{
    return QDate(1899, 12, 30).daysTo(d);
}

} // namespace

TEST(DisplayFormat, WorkedExamples)
{
    struct Case {
        const char *name;
        platform::Variant value;
        TrpFormatKind kind;
        QString formatStr, separator;
        bool dotSystem;
        QString expected;
    };
    const Case cases[] = {
        {"null is empty", platform::Variant::null(), fkNumeric, "%2.2f", "", false, ""},
        {"text keeps the value text", platform::Variant(QStringLiteral("abc")), fkText, "", "", false, "abc"},
        {"printf float with comma", platform::Variant(1.5), fkNumeric, "%2.2f", ",", true, "1,50"},
        {"printf float keeps system separator", platform::Variant(1.5), fkNumeric, "%2.2f", "", true, "1.50"},
        {"integer format", platform::Variant(42.0), fkNumeric, "%d", "", false, "42"},
        {"float pattern", platform::Variant(1234.5), fkNumeric, "#,##0.00", "", false, "1 234,50"},
        {"separator equal to system's changes nothing", platform::Variant(2.25), fkNumeric, "%2.2f", ",", false, "2,25"},
        {"date", platform::Variant::fromDate(dayCount(QDate(2026, 12, 10))), fkDateTime, "dd.mm.yyyy", "", false,
         "10.12.2026"},
        {"time", platform::Variant::fromDate(0.75), fkDateTime, "hh:nn", "", false, "18:00"},
        {"boolean true", platform::Variant(true), fkBoolean, QStringLiteral("nie,áno"), "", false, QStringLiteral("áno")},
        {"boolean false", platform::Variant(false), fkBoolean, QStringLiteral("nie,áno"), "", false, "nie"},
        {"unformattable number gives the text", platform::Variant(QStringLiteral("x1")), fkNumeric, "%2.2f", "", false,
         "x1"},
        {"unformattable date gives the text", platform::Variant(QStringLiteral("zajtra")), fkDateTime, "dd.mm.yyyy", "",
         false, "zajtra"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TrpFormat f;
        f.SetKind(c.kind);
        f.SetFormatStr(c.formatStr);
        f.SetDecimalSeparator(c.separator);
        const platform::RegionalSettings s = c.dotSystem ? dotSettings() : platform::RegionalSettings::slovak();
        EXPECT_EQ(FormatDisplayValue(c.value, f, s), c.expected);
    }
}

TEST(DisplayFormat, FloatPatternWithOwnSeparatorIgnoresTheLocale)
{
    platform::RegionalSettings swapped = platform::RegionalSettings::slovak();
    swapped.decimalSeparator = u'.';
    swapped.thousandSeparator = u'.';
    const platform::RegionalSettings systems[] = {platform::RegionalSettings::slovak(), dotSettings(), swapped};
    const struct {
        const char *pattern, *separator;
        double value;
        const char *expected;
    } cases[] = {
        {"#,##0.00", ",", 1234.5, "1 234,50"},
        {"###,###,##0.00", ",", 1234567.891, "1 234 567,89"},
        {"#,##0.00", ".", 1234.5, "1 234.50"},
        {"#,##0.00", ",", -0.5, "-0,50"},
        {"#0.0", ",", 2.26, "2,3"},
    };
    for (const platform::RegionalSettings &system : systems) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.pattern) + " " + c.separator + " system " +
                         QString(system.decimalSeparator).toStdString());
            TrpFormat f;
            f.SetKind(fkNumeric);
            f.SetFormatStr(QString::fromLatin1(c.pattern));
            f.SetDecimalSeparator(QString::fromLatin1(c.separator));
            EXPECT_EQ(FormatDisplayValue(platform::Variant(c.value), f, system), QString::fromLatin1(c.expected));
        }
    }
}

TEST(DisplayFormat, AssignCopiesAllThreeAndHighlightKeepsActive)
{
    TrpFormat a, b;
    a.SetKind(fkDateTime);
    a.SetFormatStr(QStringLiteral("dd.mm.yyyy"));
    a.SetDecimalSeparator(QStringLiteral(","));
    b.assign(a);
    EXPECT_EQ(b.Kind(), fkDateTime);
    EXPECT_EQ(b.FormatStr(), QStringLiteral("dd.mm.yyyy"));
    EXPECT_EQ(b.DecimalSeparator(), QStringLiteral(","));

    TrpHighlight h1, h2;
    EXPECT_EQ(h1.Font()->name(), QStringLiteral("Arial"));
    EXPECT_EQ(h1.Font()->size(), 10);
    EXPECT_EQ(h1.Font()->color(), 255);
    EXPECT_EQ(h1.Color(), clNone);
    h1.SetActive(true);
    h1.SetColor(65280);
    h1.SetCondition(QStringLiteral("[x] > 1"));
    h2.assign(h1);
    EXPECT_FALSE(h2.Active());
    EXPECT_EQ(h2.Color(), 65280);
    EXPECT_EQ(h2.Condition(), QStringLiteral("[x] > 1"));
}

// --- drawing

namespace {

struct Canvas {
    QImage image{40, 40, QImage::Format_RGB32};
    Canvas() { image.fill(Qt::white); }
    QRgb at(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }
    bool white(int x, int y) const { return at(x, y) == 0xFFFFFF; }
    void draw(TrpView &v)
    {
        QPainter p(&image);
        v.Draw(p, 1, 1, 0, 0);
    }
};

constexpr QRgb kBlack = 0x000000, kRed = 0xFF0000;

// A shape view used as a plain view: TrpView::Draw is what is tested.
struct PlainView : TrpView {
    explicit PlainView(platform::Component *o) : TrpView(o) {}
};

} // namespace

TEST(ViewDrawing, NoColourNoFrameDrawsNothing)
{
    PlainView v(nullptr);
    v.SetBounds(10, 10, 10, 10);
    Canvas c;
    c.draw(v);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_TRUE(c.white(x, y)) << x << "," << y;
}

TEST(ViewDrawing, FillCoversXToX1Exclusive)
{
    PlainView v(nullptr);
    v.SetBounds(10, 10, 10, 10);
    v.SetColor(255); // red in Windows colour order
    Canvas c;
    c.draw(v);
    EXPECT_EQ(c.at(10, 10), kRed);
    EXPECT_EQ(c.at(19, 19), kRed);
    EXPECT_TRUE(c.white(20, 20));
    EXPECT_TRUE(c.white(9, 9));
}

TEST(ViewDrawing, SingleFrameOnAllSides)
{
    PlainView v(nullptr);
    v.SetBounds(10, 10, 10, 10);
    v.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    Canvas c;
    c.draw(v);
    struct P { int x, y; bool black; };
    for (const P &p : {P{10, 10, true}, P{10, 19, true}, P{20, 10, true}, P{20, 19, true}, P{19, 10, true},
                       P{10, 20, true}, P{20, 20, true}, P{15, 15, false}, P{21, 15, false}, P{15, 21, false},
                       P{9, 15, false}}) {
        SCOPED_TRACE(::testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(c.at(p.x, p.y) == kBlack, p.black);
    }
}

TEST(ViewDrawing, FrameThinnerThanAPixelDrawsLikeWidthOne)
{
    for (const TrpFrameStyle style : {fsSolid, fsDouble}) {
        PlainView reference(nullptr);
        reference.SetBounds(10, 10, 10, 10);
        reference.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
        reference.Frame()->SetStyle(style);
        Canvas expected;
        expected.draw(reference);
        for (const double width : {0.2, 0.5}) {
            SCOPED_TRACE(::testing::Message() << "style " << int(style) << " width " << width);
            PlainView v(nullptr);
            v.SetBounds(10, 10, 10, 10);
            v.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
            v.Frame()->SetStyle(style);
            v.Frame()->SetWidth(width);
            Canvas c;
            c.draw(v);
            EXPECT_TRUE(c.image == expected.image);
            if (style == fsSolid)
                EXPECT_EQ(c.at(20, 20), kBlack); // the bottom side's extra pixel
        }
    }
}

TEST(ViewDrawing, LeftSideOfWidthTwoStartsOnePixelHigher)
{
    PlainView v(nullptr);
    v.SetBounds(10, 10, 10, 10);
    v.Frame()->SetTyp(ftLeft);
    v.Frame()->SetWidth(2);
    Canvas c;
    c.draw(v);
    EXPECT_EQ(c.at(9, 9), kBlack);
    EXPECT_EQ(c.at(10, 9), kBlack);
    EXPECT_EQ(c.at(10, 19), kBlack);
    EXPECT_TRUE(c.white(11, 15));
    EXPECT_TRUE(c.white(10, 8));
}

TEST(ViewDrawing, DoubleFrameOuterStrokesMeetInnerStopShort)
{
    PlainView v(nullptr);
    v.SetBounds(10, 10, 10, 10);
    v.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    v.Frame()->SetStyle(fsDouble);
    Canvas c;
    c.draw(v);
    EXPECT_EQ(c.at(9, 9), kBlack);   // outer left and top meet
    EXPECT_EQ(c.at(9, 15), kBlack);  // outer left
    EXPECT_EQ(c.at(11, 15), kBlack); // inner left
    EXPECT_TRUE(c.white(10, 15));    // the edge: no view colour
    EXPECT_EQ(c.at(11, 11), kBlack); // inner corner
    EXPECT_TRUE(c.white(11, 10));    // inner strokes stop w short
    EXPECT_EQ(c.at(21, 20), kBlack); // outer right, lengthened by w
    EXPECT_EQ(c.at(20, 21), kBlack); // outer bottom, lengthened by w
}

TEST(ViewDrawing, DropShadowShrinksFillAndDrawsShadow)
{
    PlainView v(nullptr);
    v.SetBounds(10, 10, 20, 20);
    v.SetColor(255);
    v.Frame()->SetDropShadow(true);
    Canvas c;
    c.draw(v);
    EXPECT_EQ(v.PixelRect(), QRect(10, 10, 16, 16));
    EXPECT_EQ(c.at(25, 25), kRed);
    EXPECT_EQ(c.at(27, 20), kBlack);  // right shadow
    EXPECT_EQ(c.at(20, 27), kBlack);  // bottom shadow
    EXPECT_TRUE(c.white(27, 12));     // the shadow starts 4 below the top
    EXPECT_TRUE(c.white(12, 27));
}

TEST(ViewDrawing, HatchUsesFrameColour)
{
    PlainView v(nullptr);
    v.SetBounds(10, 10, 16, 16);
    v.SetBrushStyle(bsHorizontal);
    v.Frame()->SetColor(16711680); // blue
    Canvas c;
    {
        QPainter p(&c.image);
        p.setPen(Qt::NoPen);
        v.Draw(p, 1, 1, 0, 0);
    }
    int blue = 0;
    for (int y = 10; y < 26; ++y)
        for (int x = 10; x < 26; ++x)
            blue += c.at(x, y) == 0x0000FF;
    EXPECT_GT(blue, 0);
    EXPECT_TRUE(c.white(5, 5));
}

// --- difference coding

TEST(ViewDiff, FrameWideColourWrittenOnceLinesFollowIt)
{
    TrpShapeView def(nullptr), v(nullptr);
    v.Frame()->LeftLine()->SetColor(255);
    v.Frame()->SetColor(255);
    const QString d = v.Diff(def);
    EXPECT_TRUE(d.contains(QStringLiteral(" Frame.Color=\"255\""))) << d.toStdString();
    EXPECT_FALSE(d.contains(QStringLiteral("LeftLine"))) << d.toStdString();
}

TEST(ViewDiff, LineOwnValuesAndOrder)
{
    TrpShapeView def(nullptr), v(nullptr);
    v.Frame()->LeftLine()->SetColor(255);
    v.Frame()->SetTyp(ftLeft | ftTop);
    v.SetColor(65535);
    v.SetTagStr(QStringLiteral("a\"b"));
    v.SetPrintable(false);
    const QString d = v.Diff(def);
    const qsizetype color = d.indexOf(QStringLiteral(" Color=\"65535\""));
    const qsizetype typ = d.indexOf(QStringLiteral(" Frame.Typ=\"5\""));
    const qsizetype line = d.indexOf(QStringLiteral(" Frame.LeftLine.Color=\"255\""));
    const qsizetype printable = d.indexOf(QStringLiteral(" Printable=\"0\""));
    const qsizetype tag = d.indexOf(QStringLiteral(" TagStr=\"a&#34;b\""));
    EXPECT_GE(color, 0);
    EXPECT_LT(color, typ);
    EXPECT_LT(typ, line);
    EXPECT_LT(line, printable);
    EXPECT_LT(printable, tag);
}

TEST(ViewOutput, TagStrExpandedDuringOutputAndRestoredAfter)
{
    auto report = quietReport();
    buildExample(*report);
    // Values come through the host's value event; an inserted value that
    // looks bracketed is not expanded again.
    report->OnGetValue = [](const QString &name, platform::Variant &value) {
        if (name == u"suma")
            value = platform::Variant(3);
        else if (name == u"strana")
            value = platform::Variant(QStringLiteral("[suma]"));
    };
    auto *band = report->FindObject(QStringLiteral("Band1"));
    auto *v = new TrpShapeView(band);
    v->SetTagStr(QStringLiteral("sum [suma] and [strana]"));
    v->SetURL(QStringLiteral("@[suma]"));
    v->BeforePrint();
    v->GetData();
    EXPECT_EQ(v->TagStr(), QStringLiteral("sum 3 and [suma]"));
    EXPECT_EQ(v->URL(), QStringLiteral("@3"));
    v->AfterPrint();
    EXPECT_EQ(v->TagStr(), QStringLiteral("sum [suma] and [strana]"));
    EXPECT_EQ(v->URL(), QStringLiteral("@[suma]"));
}

TEST(ViewOutput, DataSetLinkClearedWhenDatasetDestroyed)
{
    auto report = quietReport();
    buildExample(*report);
    auto *ds = new TrpUserDataSet(report->FindObject(QStringLiteral("Data")));
    ds->SetUserName(QStringLiteral("Polozky"));
    TrpShapeView v(nullptr);
    v.SetDataSet(ds);
    v.SetDataField(QStringLiteral("cena"));
    EXPECT_TRUE(v.IsDataField());
    EXPECT_EQ(v.DataSetName(), QStringLiteral("Polozky"));
    delete ds;
    EXPECT_EQ(v.DataSet(), nullptr);
    EXPECT_FALSE(v.IsDataField());
}

TEST(ViewDrawing, DashedFrameGapsShowViewColour)
{
    PlainView v(nullptr);
    v.SetBounds(2, 10, 30, 10);
    v.SetColor(255);
    v.Frame()->SetTyp(ftTop);
    v.Frame()->SetStyle(fsDash);
    Canvas c;
    c.draw(v);
    int black = 0, red = 0;
    for (int x = 2; x < 32; ++x) {
        black += c.at(x, 10) == kBlack;
        red += c.at(x, 10) == kRed;
    }
    EXPECT_GT(black, 0);
    EXPECT_GT(red, 0);
    EXPECT_EQ(black + red, 30);
}
