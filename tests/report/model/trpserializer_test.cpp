// The report XML serializer: attribute texts, dotted names, references,
// unknown classes, component texts and extra property data.
#include "testreport.h"

#include "platform/classregistry.h"
#include "platform/regionalsettings.h"
#include "report/model/trpdataset.h"
#include "report/model/trpserializer.h"
#include "platform/valuecodec.h"
#include "report/model/trpstyles.h"
#include "report/model/trpvariables.h"
#include "report/model/trpxml.h"

#include <QRectF>
#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

// A view with a reference to a dataset, for reference tests.
class LinkView : public TrpView {
    BRALVO_CLASS(LinkView)
public:
    explicit LinkView(bralvo::platform::Component *owner) : TrpView(owner) {}
    TrpDataSet *Link() const { return m_link; }
    void SetLink(TrpDataSet *ds) { m_link = ds; }
    bralvo::platform::StringList *Lines() const { return m_lines.get(); }
    void SetLines(const bralvo::platform::StringList *l) { m_lines->assign(*l); }

private:
    TrpDataSet *m_link = nullptr;
    std::unique_ptr<bralvo::platform::StringList> m_lines = std::make_unique<bralvo::platform::StringList>();
};

const bralvo::platform::ClassInfo &LinkView::staticClass()
{
    static const bralvo::platform::ClassInfo info = bralvo::platform::makeClassInfo(
        "TrpLinkView", &TrpView::staticClass(), [](bralvo::platform::Component *o) { return new LinkView(o); },
        [](bralvo::platform::PropertyTable &t) {
            bralvo::platform::PropertyBuilder<LinkView> b(t);
            b.reference<TrpDataSet>("Link", &LinkView::Link, &LinkView::SetLink);
            b.object<bralvo::platform::StringList>("Lines", &LinkView::Lines, &LinkView::SetLines);
        });
    return info;
}

class NamedDataSet : public TrpDataSet {
    BRALVO_CLASS(NamedDataSet)
public:
    explicit NamedDataSet(bralvo::platform::Component *owner) : TrpDataSet(owner) {}
};

const bralvo::platform::ClassInfo &NamedDataSet::staticClass()
{
    static const bralvo::platform::ClassInfo info = bralvo::platform::makeClassInfo(
        "TrpNamedDataSet", &TrpDataSet::staticClass(),
        [](bralvo::platform::Component *o) { return new NamedDataSet(o); }, [](bralvo::platform::PropertyTable &) {});
    return info;
}

struct Registered {
    Registered()
    {
        bralvo::platform::registerClass(LinkView::staticClass());
        bralvo::platform::registerClass(NamedDataSet::staticClass());
    }
};

} // namespace

TEST(TrpXMLSerializer, MemoWithoutReferenceWritesFloatsChangedValuesAndText)
{
    TrpMemoView memo(nullptr);
    memo.SetBounds(1, 2, 3, 4);
    memo.SetAlign(baRight);
    memo.SetText(QStringLiteral("a\r\nb"));
    TrpXMLSerializer s(nullptr);
    EXPECT_EQ(s.ObjectToText(&memo), QStringLiteral(" Align=\"baRight\" Left=\"1\" Top=\"2\" Width=\"3\" Height=\"4\""
                                                     " Text=\"a&#13;&#10;b\""));
    s.SetSerializeDefaultValues(true);
    const QString all = s.ObjectToText(&memo);
    for (const char *name : {" Tag=\"0\"", " Printable=\"True\"", " ShiftMode=\"smAlways\"", " GroupIndex=\"0\"",
                             " Restrictions=\"0\"", " Visible=\"True\"", " ParentFont=\"True\"", " Description=\"\""})
        EXPECT_TRUE(all.contains(QString::fromLatin1(name))) << name;
}

TEST(TrpXMLSerializer, FloatsAreWrittenWithFifteenDigitsAndAPoint)
{
    const bralvo::platform::ScopedRegionalSettings slovak(bralvo::platform::RegionalSettings::slovak());
    TrpMemoView memo(nullptr);
    memo.SetBounds(0.1 + 0.2, 1.0 / 3.0, 28.799999999999997, 1234.5);
    TrpXMLSerializer s(nullptr);
    EXPECT_EQ(s.ObjectToText(&memo), QStringLiteral(" Left=\"0.3\" Top=\"0.333333333333333\" Width=\"28.8\""
                                                     " Height=\"1234.5\""));
}

TEST(TrpXMLSerializer, FontAndEnumerationsReadBack)
{
    TrpMemoView memo(nullptr);
    TrpXMLSerializer s(nullptr);
    s.TextToObject(QStringLiteral("Font.Name=\"Tahoma\" Font.Style=\"3\" Align=\"baCenter\" ShiftMode=\"2\""
                                  " ParentFont=\"False\""),
                   &memo);
    EXPECT_EQ(s.ErrorTexts().count(), 0);
    EXPECT_EQ(memo.Font()->name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(memo.Font()->style(), bralvo::platform::fsBold | bralvo::platform::fsItalic);
    EXPECT_EQ(memo.Align(), baCenter);
    EXPECT_EQ(memo.ShiftMode(), smWhenOverlapped);
    const QString written = s.ObjectToText(&memo);
    EXPECT_TRUE(written.contains(QStringLiteral(" Font.Name=\"Tahoma\" Font.Size=\"10\" Font.Style=\"3\"")));
}

TEST(TrpXMLSerializer, BadValuesCostOnlyTheirProperty)
{
    TrpMemoView memo(nullptr);
    TrpXMLSerializer s(nullptr);
    s.TextToObject(QStringLiteral("Left=\"x1\" Align=\"baNowhere\" Top=\"7,5\" Unknown=\"1\""), &memo);
    EXPECT_DOUBLE_EQ(memo.Top(), 7.5);
    EXPECT_EQ(s.ErrorTexts().count(), 2);
    EXPECT_TRUE(s.ErrorTexts().contains(QStringLiteral("'x1' is not a valid floating point value")));
}

// A source object's text taken apart once and read with each copy's own
// attributes gives what reading the two texts joined gives, down to the
// errors, whatever state the source text is in.
TEST(TrpXMLSerializer, TextTakenApartOnceReadsAsTheJoinedText)
{
    const QString diff = QStringLiteral("l=\"12.5\" t=\"7\" u=\"Strana 1\"");
    const QString bases[] = {
        QStringLiteral("TrpMemoView Left=\"0\" Width=\"95\" Height=\"18\" Text=\"[Rows.&#34;F0&#34;]\""),
        QStringLiteral("TrpMemoView Font.Name=\"Tahoma\" Align=\"baNowhere\" Top=\"x1\""),
        QStringLiteral("TrpMemoView"),
        QStringLiteral("  TrpMemoView   Width=\"20\"  "),
        QStringLiteral("TrpMemoView Width=\"20"), // cut short: the copy's text continues it
        QStringLiteral("TrpMemoView Width"),
    };
    auto report = quietReport(); // owns what is read
    for (const QString &base : bases) {
        TrpXMLSerializer joined(nullptr), parted(nullptr);
        TrpComponent *a = joined.ReadComponentText(report.get(), base + u' ' + diff, true);
        const TrpXMLSerializer::ComponentText text = TrpXMLSerializer::ParseComponentText(base);
        TrpComponent *b = parted.ReadComponentText(report.get(), text, diff, true);
        ASSERT_TRUE(a && b) << base.toStdString();
        EXPECT_EQ(parted.WriteComponentText(b), joined.WriteComponentText(a)) << base.toStdString();
        EXPECT_EQ(parted.ErrorTexts().text(), joined.ErrorTexts().text()) << base.toStdString();
    }
    const TrpXMLSerializer::ComponentText unknown =
        TrpXMLSerializer::ParseComponentText(QStringLiteral("TrpNoSuchView Left=\"1\""));
    TrpXMLSerializer s(nullptr);
    EXPECT_THROW(s.ReadComponentText(report.get(), unknown, diff, true), bralvo::Error);
}

TEST(TrpXMLSerializer, StringListAsOneTextAttribute)
{
    Registered r;
    LinkView v(nullptr);
    v.Lines()->setText(QStringLiteral("first\r\nsecond"));
    TrpXMLSerializer s(nullptr);
    const QString text = s.ObjectToText(&v);
    EXPECT_TRUE(text.contains(QStringLiteral(" Lines.Text=\"first&#13;&#10;second\"")));
    LinkView back(nullptr);
    s.TextToObject(text, &back);
    EXPECT_EQ(back.Lines()->toStringList(), QStringList({"first", "second"}));
}

TEST(TrpXMLSerializer, ClearedTextIsWrittenAgainstAReference)
{
    TrpMemoView reference(nullptr);
    reference.SetDescription(QStringLiteral("old"));
    reference.SetText(QStringLiteral("old"));
    TrpMemoView cleared(nullptr);
    TrpXMLSerializer s(nullptr);
    const QString text = s.ObjectToText(&cleared, QString(), &reference);
    EXPECT_TRUE(text.contains(QStringLiteral(" Description=\"\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(" Text=\"\""))) << text.toStdString();
}

TEST(TrpXMLSerializer, ReferencesResolveByNameAndNilClears)
{
    Registered r;
    auto report = quietReport();
    auto *data = new TrpDataPage(report.get());
    data->setName(QStringLiteral("Data"));
    auto *ds = new NamedDataSet(data);
    ds->setName(QStringLiteral("uds"));
    auto *view = new LinkView(data);
    view->setName(QStringLiteral("v"));
    view->SetLink(ds);
    const QByteArray bytes = saveToBytes(*report);
    EXPECT_TRUE(bytes.contains("Link=\"uds\""));

    auto copy = quietReport();
    loadFromBytes(*copy, bytes);
    auto *v2 = static_cast<LinkView *>(copy->FindObject(QStringLiteral("v")));
    ASSERT_NE(v2, nullptr);
    EXPECT_EQ(v2->Link(), copy->FindObject(QStringLiteral("uds")));

    TrpXMLSerializer s(nullptr);
    s.SetOwner(copy.get());
    s.TextToObject(QStringLiteral("Link=\"nil\""), v2);
    s.FixupReferences();
    EXPECT_EQ(v2->Link(), nullptr);

    v2->SetLink(static_cast<TrpDataSet *>(copy->FindObject(QStringLiteral("uds"))));
    s.TextToObject(QStringLiteral("Link=\"nowhere\""), v2);
    s.FixupReferences();
    EXPECT_NE(v2->Link(), nullptr);
}

TEST(TrpXMLSerializer, UnknownClassIsReportedAndSkippedWithChildren)
{
    auto report = quietReport();
    loadFromBytes(*report, "<?xml?><TrpReport><TrpReportPage Name=\"P\"><TrpBogus Name=\"X\">"
                           "<TrpMemoView Name=\"Inner\"/></TrpBogus></TrpReportPage></TrpReport>");
    EXPECT_EQ(report->ErrorList().toStringList(), QStringList{QStringLiteral("Cannot find class TrpBogus")});
    EXPECT_EQ(report->FindObject(QStringLiteral("Inner")), nullptr);
    EXPECT_NE(report->FindObject(QStringLiteral("P")), nullptr);
}

TEST(TrpXMLSerializer, InheritedElementWithoutMatchIsSkippedQuietly)
{
    auto report = quietReport();
    loadFromBytes(*report, "<?xml?><TrpReport><inherited Name=\"Ghost\"/><TrpDataPage Name=\"Data\"/></TrpReport>");
    EXPECT_EQ(report->ErrorList().count(), 0);
    EXPECT_EQ(report->GetPagesCount(), 1);
}

TEST(TrpXMLSerializer, ComponentTextRoundTripWithShortNames)
{
    auto report = quietReport();
    TrpXMLSerializer s(nullptr);
    TrpComponent *c = s.ReadComponentText(report.get(), QStringLiteral("TrpMemoView l=\"10,5\" t=\"20\" w=\"30\" h=\"40\""
                                                                        " u=\"Suma: &#8364;\""),
                                          false);
    auto *memo = dynamic_cast<TrpMemoView *>(c);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(QRectF(memo->Left(), memo->Top(), memo->Width(), memo->Height()), QRectF(10.5, 20, 30, 40));
    EXPECT_EQ(memo->Text(), QStringLiteral("Suma: €"));
    EXPECT_EQ(s.WriteComponentText(memo),
              QStringLiteral("TrpMemoView Left=\"10.5\" Top=\"20\" Width=\"30\" Height=\"40\" Text=\"Suma: €\""));
    EXPECT_EQ(s.ReadComponentText(report.get(), QStringLiteral("   "), false), nullptr);
    EXPECT_THROW(s.ReadComponentText(report.get(), QStringLiteral("TrpNothing l=\"1\""), false),
                 bralvo::platform::ClassNotFoundError);
}

TEST(TrpXMLSerializer, FailureInsidePropDataIsRecorded)
{
    auto report = quietReport();
    // "Datasets" followed by a value tag that is no list.
    loadFromBytes(*report, "<?xml?><TrpReport PropData=\"08446174617365747302\"/>");
    ASSERT_EQ(report->ErrorList().count(), 1);
    EXPECT_TRUE(report->ErrorList()[0].startsWith(QStringLiteral("Error reading TrpReport.PropData: ")));
}

TEST(TrpXMLSerializer, StylesKeepFontAndFrame)
{
    auto report = quietReport();
    TrpStyleItem *style = report->Styles()->Add();
    style->SetName(QStringLiteral("Bold"));
    style->Font()->setStyle(bralvo::platform::fsBold);
    style->Frame()->SetTyp(ftLeft | ftBottom);
    style->Frame()->SetWidth(2);
    auto copy = quietReport();
    loadFromBytes(*copy, saveToBytes(*report));
    ASSERT_EQ(copy->Styles()->count(), 1);
    TrpStyleItem *back = copy->Styles()->Items(0);
    EXPECT_EQ(back->Font()->style(), bralvo::platform::fsBold);
    EXPECT_EQ(back->Frame()->Typ(), ftLeft | ftBottom);
    EXPECT_DOUBLE_EQ(back->Frame()->Width(), 2);
    EXPECT_DOUBLE_EQ(back->Frame()->LeftLine()->Width(), 2);
}

TEST(TrpXMLSerializer, NestedPictureTravelsAsItsOwnPropData)
{
    auto report = quietReport();
    const QByteArray png("\x89PNG\r\n\x1a\n-fake", 13);
    report->ReportOptions()->Picture()->SetData(png);
    const QByteArray bytes = saveToBytes(*report);
    EXPECT_TRUE(bytes.contains(" ReportOptions.Picture.PropData=\"0444617461"));
    auto copy = quietReport();
    loadFromBytes(*copy, bytes);
    EXPECT_EQ(copy->ReportOptions()->Picture()->Data(), png);
}

TEST(TrpXMLSerializer, CharacterOneSurvivesTheStandardCollectionForm)
{
    // Only 8-bit strings of older definitions hold characters above 127 as
    // 1 followed by c - 128; a name written now keeps its character 1.
    TrpVariables variables;
    const QString name = QStringLiteral("a") + QChar(1) + QStringLiteral("ok");
    variables.Add()->SetName(name);
    bralvo::platform::MemoryStream stream;
    bralvo::platform::ValueWriter writer(stream);
    WriteReportCollection(variables, writer, nullptr);
    stream.seek(0);
    bralvo::platform::ValueReader reader(stream);
    TrpVariables back;
    ReadReportCollection(back, reader, nullptr);
    ASSERT_EQ(back.count(), 1);
    EXPECT_EQ(back.Items(0)->Name(), name);

    // Collection, item, "Name", short 8-bit string "\x01o": U+00EF.
    bralvo::platform::MemoryStream old(QByteArray("\x0E\x01\x04Name\x06\x02\x01o\x00\x00", 13));
    bralvo::platform::ValueReader oldReader(old);
    TrpVariables fromOld;
    ReadReportCollection(fromOld, oldReader, nullptr);
    ASSERT_EQ(fromOld.count(), 1);
    EXPECT_EQ(fromOld.Items(0)->Name(), QString(QChar(0xEF)));
}
