// The report component tree: ownership, parents, names, fonts,
// alignment, difference coding and copying.
#include "testreport.h"

#include "report/model/reporterror.h"
#include "report/model/trpview.h"

#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;
using bralvo::platform::Component;

namespace {

// A report with one page and a band of the given width.
struct Fixture {
    std::unique_ptr<TrpReport> report = quietReport();
    TrpReportPage *page = new TrpReportPage(report.get());
    TrpMasterData *band = new TrpMasterData(page);
    Fixture()
    {
        page->setName(QStringLiteral("Page1"));
        band->setName(QStringLiteral("Band1"));
        band->SetBounds(0, 0, 700, 40);
    }
    TrpMemoView *memo(const QString &name, double left, double top, double width, double height,
                      TrpAlign align = baNone)
    {
        auto *m = new TrpMemoView(band);
        m->setName(name);
        m->SetBounds(left, top, width, height);
        m->SetAlign(align);
        return m;
    }
};

} // namespace

TEST(TrpComponentTree, ObjectsJoinParentAndReportOwnsThem)
{
    Fixture f;
    TrpMemoView *m = f.memo(QStringLiteral("Memo1"), 0, 0, 10, 10);
    EXPECT_EQ(m->Parent(), f.band);
    EXPECT_EQ(m->owner(), f.report.get());
    EXPECT_EQ(m->Report(), f.report.get());
    EXPECT_EQ(m->Page(), f.page);
    EXPECT_EQ(f.report->AllObjects(), (QList<TrpComponent *>{f.page, f.band, m}));
    EXPECT_EQ(f.report->componentCount(), 3);
}

TEST(TrpComponentTree, FreeingAParentFreesChildrenAndLeavesTheOwner)
{
    Fixture f;
    f.memo(QStringLiteral("Memo1"), 0, 0, 10, 10);
    Component::free(f.band);
    EXPECT_TRUE(f.page->Objects().isEmpty());
    EXPECT_EQ(f.report->componentCount(), 1);
    EXPECT_EQ(f.report->FindObject(QStringLiteral("Memo1")), nullptr);
}

TEST(TrpComponentTree, ReparentingMovesBetweenObjectLists)
{
    Fixture f;
    TrpMemoView *m = f.memo(QStringLiteral("Memo1"), 0, 0, 10, 10);
    auto *band2 = new TrpMasterData(f.page);
    m->SetParent(band2);
    EXPECT_TRUE(f.band->Objects().isEmpty());
    EXPECT_EQ(band2->Objects(), QList<TrpComponent *>{m});
}

TEST(TrpComponentTree, ClearKeepsInheritedChildren)
{
    Fixture f;
    TrpMemoView *kept = f.memo(QStringLiteral("Memo1"), 0, 0, 10, 10);
    f.memo(QStringLiteral("Memo2"), 0, 0, 10, 10);
    kept->setState(Component::Ancestor, true);
    f.band->Clear();
    EXPECT_EQ(f.band->Objects(), QList<TrpComponent *>{kept});
}

TEST(TrpComponentTree, AbsolutePositionsAddParents)
{
    Fixture f;
    f.band->SetLeft(10);
    f.band->SetTop(100);
    TrpMemoView *m = f.memo(QStringLiteral("Memo1"), 5, 7, 10, 10);
    EXPECT_DOUBLE_EQ(m->AbsLeft(), 15);
    EXPECT_DOUBLE_EQ(m->AbsTop(), 107);
    EXPECT_EQ(m->GetRealBounds(), QRectF(15, 107, 10, 10));
}

TEST(TrpComponentTree, BeforeAndAfterPrintRestoreBounds)
{
    Fixture f;
    TrpMemoView *m = f.memo(QStringLiteral("Memo1"), 1, 2, 3, 4);
    m->BeforePrint();
    m->SetBounds(9, 9, 9, 9);
    m->AfterPrint();
    EXPECT_EQ(QRectF(m->Left(), m->Top(), m->Width(), m->Height()), QRectF(1, 2, 3, 4));
}

TEST(TrpComponentTree, RestrictionsApplyOnlyWhileDesigning)
{
    Fixture f;
    auto *designed = TrpComponent::CreateDesigning<TrpMemoView>(f.band);
    designed->SetRestrictions(rfDontMove | rfDontSize);
    designed->SetBounds(5, 5, 5, 5);
    EXPECT_EQ(QRectF(designed->Left(), designed->Top(), designed->Width(), designed->Height()), QRectF(0, 0, 0, 0));
    TrpMemoView *plain = f.memo(QStringLiteral("Memo9"), 0, 0, 0, 0);
    plain->SetRestrictions(rfDontMove | rfDontSize);
    plain->SetBounds(5, 5, 5, 5);
    EXPECT_DOUBLE_EQ(plain->Left(), 5);
}

TEST(TrpComponentNames, FindObjectIgnoresCase)
{
    Fixture f;
    TrpMemoView *m = f.memo(QStringLiteral("logoFirmy"), 0, 0, 10, 10);
    EXPECT_EQ(f.report->FindObject(QStringLiteral("LOGOFIRMY")), m);
    EXPECT_EQ(f.report->FindObject(QStringLiteral("obrPodpis")), nullptr);
}

TEST(TrpComponentNames, RenameRules)
{
    Fixture f;
    TrpMemoView *m = f.memo(QStringLiteral("Memo1"), 0, 0, 10, 10);
    f.memo(QStringLiteral("Memo2"), 0, 0, 10, 10);
    m->setName(QStringLiteral("MEMO1"));
    EXPECT_EQ(m->name(), QStringLiteral("Memo1"));
    try {
        m->setName(QStringLiteral("memo2"));
        FAIL();
    } catch (const ReportError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("Duplicate name"));
    }
    EXPECT_THROW(m->setName(QStringLiteral("two words")), bralvo::Error);
    m->setState(Component::Ancestor, true);
    try {
        m->setName(QStringLiteral("Other"));
        FAIL();
    } catch (const ReportError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("Could not rename Memo1, it was introduced in the ancestor report"));
    }
}

TEST(TrpComponentNames, UniqueNamesSkipTakenOnesIgnoringCase)
{
    Fixture f;
    f.memo(QStringLiteral("Memo1"), 0, 0, 10, 10);
    f.memo(QStringLiteral("memo2"), 0, 0, 10, 10);
    auto *m = new TrpMemoView(f.band);
    m->CreateUniqueName();
    EXPECT_EQ(m->name(), QStringLiteral("Memo3"));
    auto *page = new TrpReportPage(f.report.get());
    page->CreateUniqueName();
    EXPECT_EQ(page->name(), QStringLiteral("Page2"));
}

TEST(TrpComponentNames, CreateUniqueNameWithoutReportOrParentDoesNotCrash)
{
    TrpMemoView lone(nullptr);
    lone.CreateUniqueName();
    EXPECT_EQ(lone.name(), QStringLiteral("Memo1"));
}

TEST(TrpComponentFonts, FontChangeFlowsToInheritingChildrenOnly)
{
    Fixture f;
    TrpMemoView *follows = f.memo(QStringLiteral("Memo1"), 0, 0, 10, 10);
    TrpMemoView *own = f.memo(QStringLiteral("Memo2"), 0, 0, 10, 10);
    bralvo::platform::Font courier;
    courier.setName(QStringLiteral("Courier New"));
    own->SetFont(&courier);
    EXPECT_FALSE(own->ParentFont());
    f.band->Font()->setSize(14);
    EXPECT_EQ(follows->Font()->size(), 14);
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_EQ(own->Font()->size(), 10);
    EXPECT_FALSE(f.band->ParentFont());
}

TEST(TrpComponentAlign, LeftAlignedViewsOnOneRowPackToTheLeft)
{
    Fixture f;
    TrpMemoView *a = f.memo(QStringLiteral("A"), 50, 0, 30, 10, baLeft);
    TrpMemoView *b = f.memo(QStringLiteral("B"), 10, 0, 20, 10, baLeft);
    TrpMemoView *below = f.memo(QStringLiteral("C"), 300, 20, 20, 10, baLeft);
    f.band->AlignChildren();
    EXPECT_DOUBLE_EQ(b->Left(), 0);
    EXPECT_DOUBLE_EQ(a->Left(), 20);
    EXPECT_DOUBLE_EQ(below->Left(), 0);
}

TEST(TrpComponentAlign, WidthViewSpansTheGap)
{
    Fixture f;
    f.memo(QStringLiteral("L"), 0, 0, 100, 10);
    TrpMemoView *w = f.memo(QStringLiteral("W"), 150, 0, 10, 10, baWidth);
    f.memo(QStringLiteral("R"), 400, 0, 50, 10);
    f.band->AlignChildren();
    EXPECT_DOUBLE_EQ(w->Left(), 100);
    EXPECT_DOUBLE_EQ(w->Width(), 300);

    Fixture g;
    TrpMemoView *alone = g.memo(QStringLiteral("W"), 150, 0, 10, 10, baWidth);
    g.band->AlignChildren();
    EXPECT_DOUBLE_EQ(alone->Left(), 0);
    EXPECT_DOUBLE_EQ(alone->Width(), 700);
}

TEST(TrpComponentAlign, RightCenterBottomAndClient)
{
    Fixture f;
    TrpMemoView *r = f.memo(QStringLiteral("R"), 0, 0, 100, 10, baRight);
    TrpMemoView *c = f.memo(QStringLiteral("C"), 0, 20, 100, 10, baCenter);
    TrpMemoView *b = f.memo(QStringLiteral("B"), 0, 0, 10, 15, baBottom);
    f.band->AlignChildren();
    EXPECT_DOUBLE_EQ(r->Left(), 600);
    EXPECT_DOUBLE_EQ(c->Left(), 300);
    EXPECT_DOUBLE_EQ(b->Top(), 25);

    Fixture g;
    TrpMemoView *client = g.memo(QStringLiteral("K"), 5, 5, 1, 1, baClient);
    g.band->AlignChildren();
    EXPECT_EQ(QRectF(client->Left(), client->Top(), client->Width(), client->Height()), QRectF(0, 0, 700, 40));
}

TEST(TrpComponentDiff, ItemsOnlyForWhatDiffers)
{
    Fixture f;
    TrpMemoView *m = f.memo(QStringLiteral("M"), 10, 20, 30, 40);
    TrpMemoView copy(nullptr);
    copy.SetBounds(10, 20, 30, 40);
    // A memo always carries its text, even when nothing else differs.
    EXPECT_EQ(m->Diff(copy), QStringLiteral(" u=\"\""));
    EXPECT_EQ(m->TrpComponent::Diff(copy), QString());
    m->SetLeft(12.5);
    m->SetVisible(false);
    m->setTag(7);
    bralvo::platform::Font f2;
    f2.setName(QStringLiteral("Tahoma"));
    f2.setStyle(bralvo::platform::fsBold | bralvo::platform::fsUnderline);
    m->SetFont(&f2);
    EXPECT_EQ(m->Diff(copy),
              QStringLiteral(" l=\"12.5\" Visible=\"0\" Font.Name=\"Tahoma\" Font.Style=\"5\" ParentFont=\"0\" Tag=\"7\" u=\"\""));
}

TEST(TrpComponentDiff, ABandAlwaysCarriesItsTop)
{
    Fixture f;
    TrpMasterData copy(nullptr);
    copy.SetBounds(0, 0, 700, 40);
    EXPECT_EQ(f.band->Diff(copy), QStringLiteral(" t=\"0\""));
}

TEST(TrpComponentCopy, AssignCopiesPropertiesButNotChildren)
{
    Fixture f;
    TrpMemoView *m = f.memo(QStringLiteral("M"), 1, 2, 3, 4);
    m->SetText(QStringLiteral("a"));
    TrpMasterData other(nullptr);
    other.assign(*f.band);
    EXPECT_DOUBLE_EQ(other.Width(), 700);
    EXPECT_TRUE(other.Objects().isEmpty());
    TrpMasterData all(nullptr);
    all.AssignAll(*f.band);
    ASSERT_EQ(all.Objects().size(), 1);
    EXPECT_EQ(static_cast<TrpMemoView *>(all.Objects()[0])->Text(), QStringLiteral("a"));
}

// Copying goes through a load, which clears first: onto itself it must
// leave the object and its children as they are.
TEST(TrpComponentCopy, AssignOntoItselfKeepsChildren)
{
    Fixture f;
    TrpMemoView *m = f.memo(QStringLiteral("M"), 1, 2, 3, 4);
    f.band->assign(*f.band);
    f.band->AssignAll(*f.band);
    ASSERT_EQ(f.band->Objects().size(), 1);
    EXPECT_EQ(f.band->Objects()[0], m);
    EXPECT_DOUBLE_EQ(f.band->Width(), 700);
}

TEST(TrpComponentCopy, AssignCopiesClearedTexts)
{
    Fixture f;
    TrpMemoView *source = f.memo(QStringLiteral("S"), 1, 2, 3, 4);
    TrpMemoView target(nullptr);
    target.SetText(QStringLiteral("old"));
    target.SetDescription(QStringLiteral("old"));
    target.SetOnBeforePrint(QStringLiteral("OldProc"));
    target.SetAlign(baClient);
    target.assign(*source);
    EXPECT_EQ(target.Text(), QString());
    EXPECT_EQ(target.Description(), QString());
    EXPECT_EQ(target.OnBeforePrint(), QString());
    EXPECT_EQ(target.Align(), baNone);
    EXPECT_DOUBLE_EQ(target.Height(), 4);
}

TEST(TrpComponentCopy, AssignFromAnotherKindOfObjectFails)
{
    TrpMemoView m(nullptr);
    bralvo::platform::Font font;
    EXPECT_THROW(m.assign(font), bralvo::platform::AssignError);
}

TEST(TrpComponentDescription, LibraryTexts)
{
    Fixture f;
    EXPECT_EQ(f.page->GetDescription(), QStringLiteral("Report page"));
    // The fixture's band is a master data band, described as a data band.
    EXPECT_EQ(f.band->GetDescription(), QStringLiteral("Data band"));
    EXPECT_EQ(f.memo(QStringLiteral("M"), 0, 0, 1, 1)->BaseName(), QStringLiteral("Memo"));
}
