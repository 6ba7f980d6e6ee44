// Report XML of the report objects: fresh objects write only what has
// no default, and every new property survives a save and load, with the
// second save byte for byte equal to the first.
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdialogpage.h"
#include "report/model/trplineview.h"
#include "report/model/trppictureview.h"
#include "report/model/trpserializer.h"
#include "platform/classregistry.h"
#include "report/model/trpshapeview.h"
#include "testreport.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

QString textOf(platform::Persistent &obj)
{
    TrpXMLSerializer s(nullptr);
    return s.ObjectToText(&obj, QString(), nullptr);
}

QByteArray bmpBytes()
{
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "BMP");
    return bytes;
}

} // namespace

TEST(ObjectsXml, FreshObjectsWriteOnlyAlwaysStoredValues)
{
    struct Case { std::unique_ptr<platform::Persistent> obj; QString expected; };
    const QString bounds = QStringLiteral(" Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\"");
    const QString bandBounds = QStringLiteral(" Height=\"0\" Left=\"0\" Top=\"0\" Width=\"0\"");
    Case cases[] = {
        {std::make_unique<TrpLineView>(nullptr), bounds},
        {std::make_unique<TrpShapeView>(nullptr), bounds},
        {std::make_unique<TrpPictureView>(nullptr), bounds},
        {std::make_unique<TrpSubreport>(nullptr), bounds},
        {std::make_unique<TrpReportPage>(nullptr), QString()},
        {std::make_unique<TrpMasterData>(nullptr), bandBounds},
        {std::make_unique<TrpGroupHeader>(nullptr), bandBounds},
        {std::make_unique<TrpPageFooter>(nullptr), bandBounds},
        {std::make_unique<TrpOverlay>(nullptr), bandBounds},
        {std::make_unique<TrpDialogPage>(nullptr),
         QStringLiteral(" Font.Name=\"Tahoma\" Font.Size=\"8\" Height=\"0\" Left=\"0\" Top=\"0\" Width=\"0\"")},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.obj->className().toStdString());
        const QString text = textOf(*c.obj);
        EXPECT_EQ(text.toStdString(), c.expected.toStdString());
    }
}

namespace {

// The window's dataset lives outside the report, as the program's do.
void buildObjects(TrpReport &report, TrpUserDataSet *ds)
{
    buildExample(report);

    auto *page = static_cast<TrpReportPage *>(report.FindObject(QStringLiteral("Page1")));
    page->SetLeftMargin(7);
    page->SetRightMargin(7);
    page->SetTopMargin(10);
    page->SetBottomMargin(14);
    page->SetOrientation(poLandscape);
    page->SetColumns(2);
    page->SetBin(15);
    page->SetDuplex(dmVertical);
    page->SetColor(65535);
    page->Frame()->SetTyp(ftLeft | ftTop);
    page->SetTitleBeforeHeader(false);
    page->HGuides()->add(QStringLiteral("12"));
    page->SetOnManualBuild(QStringLiteral("Page1OnManualBuild"));

    auto *master = static_cast<TrpMasterData *>(report.FindObject(QStringLiteral("Band1")));
    master->SetDataSet(ds);
    master->SetColumns(3);
    master->SetColumnWidth(200);
    master->SetColumnGap(10.5);
    master->SetStretched(true);
    master->SetRowCount(4);
    master->SetOnMasterDetail(QStringLiteral("M"));
    auto *child = new TrpChild(page);
    child->setName(QStringLiteral("Child1"));
    child->SetBounds(0, 60, 718, 10);
    master->SetChild(child);
    auto *group = new TrpGroupHeader(page);
    group->setName(QStringLiteral("GroupHeader1"));
    group->SetCondition(QStringLiteral("[Polozky.\"skupina\"]"));
    group->SetKeepTogether(true);
    group->SetDrillDown(true);
    auto *footer = new TrpPageFooter(page);
    footer->setName(QStringLiteral("PageFooter1"));
    footer->SetPrintOnLastPage(false);
    auto *overlay = new TrpOverlay(page);
    overlay->setName(QStringLiteral("Overlay1"));
    overlay->SetPrintOnTop(true);

    auto *line = new TrpLineView(master);
    line->setName(QStringLiteral("Line1"));
    line->SetBounds(0, 0, 100, 100);
    line->SetDiagonal(true);
    line->SetArrowEnd(true);
    line->SetArrowLength(12);
    line->SetArrowWidth(3);
    line->Frame()->SetWidth(2.5);
    line->Frame()->SetStyle(fsDash);
    line->Frame()->TopLine()->SetColor(255);
    line->SetTagStr(QStringLiteral("čiara"));

    auto *shape = new TrpShapeView(master);
    shape->setName(QStringLiteral("Shape1"));
    shape->SetAlign(baClient);
    shape->SetShape(skRoundRectangle);
    shape->SetCurve(3);
    shape->SetBrushStyle(bsDiagCross);
    shape->SetColor(12632256);
    shape->SetCursor(-21);
    shape->SetURL(QStringLiteral("@2"));
    shape->Frame()->SetDropShadow(true);
    shape->Frame()->SetShadowWidth(6);

    auto *picture = new TrpPictureView(master);
    picture->setName(QStringLiteral("logoFirmy"));
    picture->SetBounds(5, 5, 40, 30);
    picture->Picture()->SetData(bmpBytes());
    picture->SetKeepAspectRatio(false);
    picture->SetCenter(true);
    picture->SetFileLink(QStringLiteral("[cesta]"));
    picture->SetDataField(QStringLiteral("obrazok"));

    auto *page2 = new TrpReportPage(&report);
    page2->setName(QStringLiteral("Page2"));
    page2->SetPaperWidth(100);
    page2->SetPaperHeight(150);
    auto *sub = new TrpSubreport(master);
    sub->setName(QStringLiteral("Subreport1"));
    sub->SetPage(page2);
    sub->SetPrintOnParent(true);

    auto *dialog = new TrpDialogPage(&report);
    dialog->setName(QStringLiteral("DialogPage1"));
    dialog->SetCaption(QStringLiteral("Výber"));
    dialog->SetBorderStyle(bsDialog);
    dialog->SetPosition(poDesigned);
    dialog->SetBounds(10, 20, 300, 200);
    dialog->SetOnCloseQuery(QStringLiteral("DialogPage1OnCloseQuery"));
}

} // namespace

TEST(ObjectsXml, EveryNewPropertySurvivesSaveAndLoad)
{
    TrpUserDataSet ds(nullptr);
    ds.SetUserName(QStringLiteral("Polozky"));
    auto report = quietReport();
    buildObjects(*report, &ds);
    const QByteArray first = saveToBytes(*report);
    auto copy = quietReport();
    loadFromBytes(*copy, first);
    ASSERT_EQ(copy->ErrorList().count(), 0) << copy->ErrorList().text().toStdString();
    EXPECT_EQ(saveToBytes(*copy), first);

    auto *page = static_cast<TrpReportPage *>(copy->FindObject(QStringLiteral("Page1")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Orientation(), poLandscape);
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 297);
    EXPECT_EQ(page->PaperSize(), 9);
    EXPECT_DOUBLE_EQ(page->LeftMargin(), 10);
    EXPECT_DOUBLE_EQ(page->BottomMargin(), 7);
    EXPECT_EQ(page->Columns(), 2);
    EXPECT_EQ(page->ColumnPositions()->count(), 2);
    EXPECT_EQ(page->Bin(), 15);
    EXPECT_EQ(page->Duplex(), dmVertical);
    EXPECT_EQ(page->Color(), 65535);
    EXPECT_EQ(page->Frame()->Typ(), ftLeft | ftTop);
    EXPECT_FALSE(page->TitleBeforeHeader());
    EXPECT_EQ(page->HGuides()->count(), 1);

    auto *master = static_cast<TrpMasterData *>(copy->FindObject(QStringLiteral("Band1")));
    EXPECT_EQ(master->DataSetName(), QStringLiteral("Polozky"));
    EXPECT_EQ(master->DataSet(), &ds);
    EXPECT_DOUBLE_EQ(master->ColumnGap(), 10.5);
    EXPECT_EQ(master->RowCount(), 4);
    EXPECT_EQ(master->VirtualDataSet()->RangeEndCount(), 4);
    EXPECT_EQ(master->Child(), copy->FindObject(QStringLiteral("Child1")));
    auto *group = static_cast<TrpGroupHeader *>(copy->FindObject(QStringLiteral("GroupHeader1")));
    EXPECT_EQ(group->Condition(), QStringLiteral("[Polozky.\"skupina\"]"));
    EXPECT_TRUE(group->KeepTogether());
    EXPECT_FALSE(static_cast<TrpPageFooter *>(copy->FindObject(QStringLiteral("PageFooter1")))->PrintOnLastPage());
    EXPECT_TRUE(static_cast<TrpOverlay *>(copy->FindObject(QStringLiteral("Overlay1")))->PrintOnTop());

    auto *line = static_cast<TrpLineView *>(copy->FindObject(QStringLiteral("Line1")));
    EXPECT_TRUE(line->Diagonal());
    EXPECT_EQ(line->ArrowLength(), 12);
    EXPECT_DOUBLE_EQ(line->Frame()->Width(), 2.5);
    EXPECT_EQ(line->Frame()->TopLine()->Color(), 255);
    EXPECT_EQ(line->Frame()->LeftLine()->Style(), fsDash);
    EXPECT_EQ(line->TagStr(), QStringLiteral("čiara"));

    auto *shape = static_cast<TrpShapeView *>(copy->FindObject(QStringLiteral("Shape1")));
    EXPECT_EQ(shape->Align(), baClient);
    EXPECT_EQ(shape->Shape(), skRoundRectangle);
    EXPECT_EQ(shape->BrushStyle(), bsDiagCross);
    EXPECT_EQ(shape->Cursor(), -21);
    EXPECT_EQ(shape->URL(), QStringLiteral("@2"));
    EXPECT_DOUBLE_EQ(shape->Frame()->ShadowWidth(), 6);

    auto *picture = static_cast<TrpPictureView *>(copy->FindObject(QStringLiteral("logoFirmy")));
    EXPECT_EQ(picture->Picture()->Data(), bmpBytes());
    EXPECT_FALSE(picture->KeepAspectRatio());
    EXPECT_TRUE(picture->Center());
    EXPECT_EQ(picture->FileLink(), QStringLiteral("[cesta]"));

    auto *page2 = static_cast<TrpReportPage *>(copy->FindObject(QStringLiteral("Page2")));
    auto *sub = static_cast<TrpSubreport *>(copy->FindObject(QStringLiteral("Subreport1")));
    EXPECT_EQ(sub->Page(), page2);
    EXPECT_TRUE(page2->IsSubReport());
    EXPECT_TRUE(sub->PrintOnParent());
    EXPECT_EQ(page2->PaperSize(), 256);
    EXPECT_DOUBLE_EQ(page2->PaperHeight(), 150);

    auto *dialog = static_cast<TrpDialogPage *>(copy->FindObject(QStringLiteral("DialogPage1")));
    EXPECT_EQ(dialog->Caption(), QStringLiteral("Výber"));
    EXPECT_EQ(dialog->BorderStyle(), bsDialog);
    EXPECT_EQ(dialog->Position(), poDesigned);
    EXPECT_DOUBLE_EQ(dialog->Width(), 300);
    EXPECT_EQ(dialog->OnCloseQuery(), QStringLiteral("DialogPage1OnCloseQuery"));
}

TEST(ObjectsXml, EveryClassNamedForReadingIsRegistered)
{
    registerReportClasses();
    const char *names[] = {
        "TrpChild", "TrpColumnFooter", "TrpColumnHeader", "TrpCustomMemoView", "TrpMasterData",
        "TrpDetailData", "TrpSubdetailData", "TrpDataBand4", "TrpDataBand5", "TrpDataBand6",
        "TrpDialogPage", "TrpFooter", "TrpFrame", "TrpGroupFooter", "TrpGroupHeader", "TrpHeader",
        "TrpHighlight", "TrpLineView", "TrpMemoView", "TrpOverlay", "TrpPageFooter", "TrpPageHeader",
        "TrpPictureView", "TrpReport", "TrpReportPage", "TrpReportSummary", "TrpReportTitle",
        "TrpShapeView", "TrpSubreport", "TrpSysMemoView", "TrpStyleItem", "TrpNullBand",
        "TrpCustomLineView", "TrpDataPage"};
    for (const char *name : names)
        EXPECT_NE(platform::findClass(QString::fromLatin1(name)), nullptr) << name;
}

// A page number in a system memo, a plain custom memo and a custom line:
// none may be dropped as an unknown class.
TEST(ObjectsXml, SystemMemoAndCustomViewsAreRead)
{
    const QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<TrpReport Version=\"4.3\">\n"
        "  <TrpReportPage Name=\"Page1\">\n"
        "    <TrpPageFooter Name=\"PageFooter1\" Height=\"20\" Left=\"0\" Top=\"100\" Width=\"718\">\n"
        "      <TrpSysMemoView Name=\"SysMemo1\" Left=\"600\" Top=\"0\" Width=\"100\" Height=\"18\""
        " HAlign=\"haRight\" Highlight.Condition=\"[Page#] = 1\" Highlight.Color=\"65280\""
        " Text=\"[Page#] / [TotalPages#]\"/>\n"
        "      <TrpCustomMemoView Name=\"Custom1\" Left=\"0\" Top=\"0\" Width=\"50\" Height=\"18\""
        " TagStr=\"x\"/>\n"
        "      <TrpCustomLineView Name=\"Line1\" Left=\"0\" Top=\"0\" Width=\"718\" Height=\"0\""
        " TagStr=\"rule\"/>\n"
        "    </TrpPageFooter>\n"
        "  </TrpReportPage>\n"
        "</TrpReport>\n";
    auto report = quietReport();
    loadFromBytes(*report, xml);
    EXPECT_EQ(report->ErrorList().count(), 0) << report->ErrorList().text().toStdString();
    auto *sys = dynamic_cast<TrpSysMemoView *>(report->FindObject(QStringLiteral("SysMemo1")));
    ASSERT_NE(sys, nullptr);
    EXPECT_EQ(sys->Text(), QStringLiteral("[Page#] / [TotalPages#]"));
    EXPECT_EQ(sys->HAlign(), haRight);
    EXPECT_EQ(sys->Highlight()->Condition(), QStringLiteral("[Page#] = 1"));
    EXPECT_EQ(sys->Highlight()->Color(), 65280);
    EXPECT_NE(dynamic_cast<TrpCustomMemoView *>(report->FindObject(QStringLiteral("Custom1"))), nullptr);
    auto *line = dynamic_cast<TrpCustomLineView *>(report->FindObject(QStringLiteral("Line1")));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->TagStr(), QStringLiteral("rule"));

    auto copy = quietReport();
    loadFromBytes(*copy, saveToBytes(*report));
    EXPECT_EQ(copy->ErrorList().count(), 0);
    EXPECT_NE(dynamic_cast<TrpSysMemoView *>(copy->FindObject(QStringLiteral("SysMemo1"))), nullptr);
}

// A dialog component keeps its place in the window definition as whole
// pixels "pLeft" and "pTop"; outside a report it writes neither.
TEST(ObjectsXml, DialogComponentKeepsItsPlaceInsideAReport)
{
    auto report = quietReport();
    auto *data = new TrpDataPage(report.get());
    data->setName(QStringLiteral("Data"));
    auto *ds = new TrpUserDataSet(data);
    ds->setName(QStringLiteral("Polozky"));
    ds->SetLeft(124.4);
    ds->SetTop(20.6);
    const QByteArray first = saveToBytes(*report);
    // pLeft 124 (hexadecimal 7C) and pTop 21 (15) as 8-bit integers
    EXPECT_TRUE(first.contains("PropData=\"05704C656674027C0470546F700215\"")) << first.constData();
    auto copy = quietReport();
    loadFromBytes(*copy, first);
    EXPECT_EQ(copy->ErrorList().count(), 0) << copy->ErrorList().text().toStdString();
    auto *read = dynamic_cast<TrpUserDataSet *>(copy->FindObject(QStringLiteral("Polozky")));
    ASSERT_NE(read, nullptr);
    EXPECT_DOUBLE_EQ(read->Left(), 124);
    EXPECT_DOUBLE_EQ(read->Top(), 21);
    EXPECT_EQ(saveToBytes(*copy), first);

    TrpUserDataSet loose(nullptr);
    loose.SetLeft(50);
    EXPECT_FALSE(textOf(loose).contains(QStringLiteral("PropData")));
}
