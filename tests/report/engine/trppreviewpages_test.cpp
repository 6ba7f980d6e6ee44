// The prepared-pages store: source objects and aliases, pages written as
// differences and rebuilt, the page cache and file cache, passes and
// logical page numbers, keep-together moves, outline and anchors.
#include "storefixture.h"

#include "report/engine/trpoutline.h"
#include "report/model/trppictureview.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

namespace bralvo::report::testing {
namespace {

using PreparedPages = StoreFixture;

TEST_F(PreparedPages, EveryNewReportGetsTheStore)
{
    TrpReport other(nullptr);
    EXPECT_NE(dynamic_cast<TrpPreviewPages *>(other.PreparedPages()), nullptr);
    EXPECT_NE(dynamic_cast<TrpOutline *>(other.PreparedPages()->Outline()), nullptr);
}

TEST_F(PreparedPages, AliasesFollowObjectOrderAndBandsStartWithB)
{
    pages->AddSourceObjects(page);
    EXPECT_EQ(band->AliasName(), QStringLiteral("b1"));
    EXPECT_EQ(memos[0]->AliasName(), QStringLiteral("m1"));
    EXPECT_EQ(memos[1]->AliasName(), QStringLiteral("m2"));
    EXPECT_EQ(memos[2]->AliasName(), QStringLiteral("m3"));
    EXPECT_EQ(pages->Dictionary().GetSourceName(QStringLiteral("m2")), QStringLiteral("Page0.Memo2"));
    TrpComponent *copy = pages->Dictionary().GetObject(QStringLiteral("M2"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->name(), QStringLiteral("Memo2"));
    EXPECT_EQ(memos[1]->SourceComponent(), copy);
    EXPECT_EQ(copy->SourceComponent(), memos[1]);
    EXPECT_NE(copy, memos[1]);
    // A second page's objects get the next free numbers.
    auto *page2 = new TrpReportPage(report.get());
    page2->setName(QStringLiteral("Page2"));
    auto *memo = new TrpMemoView(page2);
    memo->setName(QStringLiteral("Other"));
    pages->AddSourceObjects(page2);
    EXPECT_EQ(memo->AliasName(), QStringLiteral("m4"));
    EXPECT_EQ(pages->Dictionary().GetSourceName(QStringLiteral("m4")), QStringLiteral("Page1.Other"));
}

TEST_F(PreparedPages, UniqueNamesHalveDownThenCountUp)
{
    TrpDictionary d;
    EXPECT_EQ(d.CreateUniqueName(QStringLiteral("b")), QStringLiteral("b1"));
    for (const char *n : {"b1", "b2", "b3"})
        d.Add(QString::fromLatin1(n), QString(), nullptr);
    EXPECT_EQ(d.CreateUniqueName(QStringLiteral("b")), QStringLiteral("b4"));
    d.Add(QStringLiteral("x5000"), QString(), nullptr);
    EXPECT_EQ(d.CreateUniqueName(QStringLiteral("x")), QStringLiteral("x5001"));
}

TEST_F(PreparedPages, ObjectsAreStoredAsDifferencesAndRebuilt)
{
    preparePages({QStringLiteral("first"), QStringLiteral("second")}, 33.5);
    ASSERT_EQ(pages->GetCount(), 2);
    const TrpXMLItem *element = pages->PagesElement()->Items(1);
    EXPECT_EQ(element->Name, QStringLiteral("page0"));
    ASSERT_EQ(element->Count(), 1);
    EXPECT_EQ(element->Items(0)->Name, QStringLiteral("b1"));
    ASSERT_EQ(element->Items(0)->Count(), 3);
    // Unchanged memos carry only their text.
    EXPECT_EQ(element->Items(0)->Items(1)->Text, QStringLiteral("u=\"text 2\""));

    TrpCustomMemoView *m = rebuiltMemo(1, QStringLiteral("Memo1"));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Text(), QStringLiteral("second"));
    EXPECT_DOUBLE_EQ(m->Left(), 10);
    EXPECT_DOUBLE_EQ(m->Parent()->Top(), 33.5);
    EXPECT_EQ(rebuiltMemo(0, QStringLiteral("Memo1"))->Text(), QStringLiteral("first"));
    EXPECT_EQ(rebuiltMemo(0, QStringLiteral("Memo3"))->Text(), QStringLiteral("text 3"));
    // The rebuilt page carries the source page's paper and margins.
    EXPECT_DOUBLE_EQ(pages->GetPage(0)->LeftMargin(), 10);
}

TEST_F(PreparedPages, WhatIsStoredDependsOnPassVisibilityAndSource)
{
    struct Case {
        const char *what;
        bool finalPass;
        bool visible;
        bool foreign; // an object made at run time, without source copy
        int elements;
        const char *text;
    };
    const Case cases[] = {
        {"final pass stores the text", true, true, false, 1, "changed"},
        {"first pass stores only position and size", false, true, false, 1, "text 1"},
        {"invisible objects are left out", true, false, false, 0, nullptr},
        {"objects without source are stored whole", true, true, true, 1, "changed"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        pages->Clear();
        pages->AddSourceObjects(page);
        engine->SetFinalPass(c.finalPass);
        pages->AddPage(page);
        TrpMemoView *memo = memos[0];
        std::unique_ptr<TrpMemoView> foreign;
        if (c.foreign) {
            foreign = std::make_unique<TrpMemoView>(nullptr);
            foreign->setName(QStringLiteral("Runtime"));
            memo = foreign.get();
        }
        memo->SetText(QStringLiteral("changed"));
        memo->SetVisible(c.visible);
        memo->SetLeft(55);
        pages->AddObject(memo);
        memo->SetVisible(true);
        memo->SetText(QStringLiteral("text 1"));
        memo->SetLeft(10);
        ASSERT_EQ(pages->PagesElement()->Items(0)->Count(), c.elements);
        if (!c.text)
            continue;
        const TrpComponent *rebuilt = pages->GetPage(0)->Objects().value(0);
        ASSERT_NE(rebuilt, nullptr);
        EXPECT_EQ(dynamic_cast<const TrpCustomMemoView *>(rebuilt)->Text(), QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(rebuilt->Left(), 55);
        EXPECT_EQ(pages->PagesElement()->Items(0)->Items(0)->Name,
                  c.foreign ? QStringLiteral("TrpMemoView") : QStringLiteral("m1"));
    }
}

TEST_F(PreparedPages, PageSizesComeFromTheSourcePage)
{
    page->SetPaperSize(256);
    page->SetPaperWidth(100);
    page->SetPaperHeight(50);
    preparePages({QStringLiteral("a")});
    const struct {
        int index;
        QPoint size;
    } cases[] = {{0, QPoint(378, 189)}, {-1, QPoint(0, 0)}, {1, QPoint(0, 0)}};
    for (const auto &c : cases)
        EXPECT_EQ(pages->GetPageSize(c.index), c.size) << c.index;
    pages->SetSourcePageSize(page, 1000, 500);
    EXPECT_EQ(pages->GetPageSize(0), QPoint(500, 1000));
    EXPECT_EQ(pages->GetPage(0)->PaperSize(), 256);
}

TEST_F(PreparedPages, EmptyStoreAnswersSafely)
{
    EXPECT_EQ(pages->GetCount(), 0);
    EXPECT_EQ(pages->GetPage(0), nullptr);
    EXPECT_EQ(pages->GetCurPosition(), 0);
    EXPECT_EQ(pages->GetLastY(), 0);
    EXPECT_EQ(pages->GetAnchorCur(), -1);
    pages->AddObject(band); // no page yet: nothing
    pages->AddEmptyPage(0);
    pages->DeletePage(0);
    EXPECT_EQ(pages->GetCount(), 0);
    EXPECT_FALSE(pages->Print());
}

TEST_F(PreparedPages, OverwriteModeWritesOntoTheExistingPage)
{
    preparePages({QStringLiteral("a"), QStringLiteral("b")});
    pages->SetWritePage(-1);
    pages->AddPage(page); // page 0 exists: written over
    EXPECT_EQ(pages->GetCount(), 2);
    EXPECT_EQ(pages->WritePage(), 0);
    pages->AddObject(memos[1]);
    EXPECT_EQ(pages->GetCurPosition(), 2);
    pages->SetAddPageMode(1);
    pages->AddPage(page); // append mode: a new page
    EXPECT_EQ(pages->GetCount(), 3);
    EXPECT_EQ(pages->WritePage(), 2);
    EXPECT_EQ(pages->AddPageMode(), 0);
}

TEST_F(PreparedPages, PageCacheKeepsAtMostPagesInCache)
{
    report->PreviewOptions()->SetPagesInCache(2);
    preparePages({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    TrpReportPage *first = pages->GetPage(0);
    EXPECT_EQ(pages->GetPage(0), first); // cached
    pages->GetPage(1);
    pages->GetPage(2);
    EXPECT_EQ(pages->CachedPageCount(), 2);
    EXPECT_EQ(rebuiltMemo(0, QStringLiteral("Memo1"))->Text(), QStringLiteral("a"));
    // While the engine runs a page is rebuilt on every request.
    engine->SetRunning(true);
    pages->GetPage(3);
    EXPECT_EQ(pages->CachedPageCount(), 2);
    engine->SetRunning(false);
}

TEST_F(PreparedPages, FileCacheMovesOldPagesOutAndBringsThemBack)
{
    QTemporaryDir temp;
    report->EngineOptions()->SetUseFileCache(true);
    report->EngineOptions()->SetMaxMemSize(0);
    report->EngineOptions()->SetTempDir(temp.path());
    report->PreviewOptions()->SetPagesInCache(1);
    report->SetShowProgress(false);
    pages->Initialize();
    QStringList texts;
    for (int i = 0; i < 6; ++i)
        texts.append(QStringLiteral("page %1").arg(i));
    preparePages(texts);
    const TrpXMLItem *el = pages->PagesElement();
    EXPECT_TRUE(el->Items(0)->Loaded); // the first two never leave memory
    EXPECT_TRUE(el->Items(1)->Loaded);
    EXPECT_FALSE(el->Items(2)->Loaded);
    EXPECT_FALSE(el->Items(3)->Loaded);
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files).size(), 1);
    for (int i = 5; i >= 0; --i)
        EXPECT_EQ(rebuiltMemo(i, QStringLiteral("Memo1"))->Text(), texts[i]);
    EXPECT_FALSE(el->Items(3)->Loaded); // dropped from the cache again
    pages->Clear();
    EXPECT_TRUE(QDir(temp.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(PreparedPages, LogicalPageNumbersPerGroup)
{
    pages->AddSourceObjects(page);
    pages->BeginPass();
    const struct {
        bool resetBefore;
        int pageNo;
    } steps[] = {{false, 1}, {false, 2}, {false, 3}, {true, 1}, {false, 2}};
    for (const auto &s : steps) {
        if (s.resetBefore)
            pages->ResetLogicalPageNumber();
        pages->AddPage(page);
        EXPECT_EQ(pages->GetLogicalPageNo(), s.pageNo);
    }
    pages->ResetLogicalPageNumber();
    const int totals[] = {3, 3, 3, 2, 2};
    for (int i = 0; i < 5; ++i) {
        pages->SetWritePage(i);
        EXPECT_EQ(pages->GetLogicalTotalPages(), totals[i]) << i;
    }
    // Without stored numbers: WritePage - NumberingBase + 1 and the
    // engine's TotalPages.
    pages->SetWritePage(7);
    pages->SetNumberingBase(2);
    engine->SetTotalPages(9);
    EXPECT_EQ(pages->GetLogicalPageNo(), 6);
    EXPECT_EQ(pages->GetLogicalTotalPages(), 7);
}

TEST_F(PreparedPages, DoublePassKeepsTheFirstPassNumbers)
{
    report->EngineOptions()->SetDoublePass(true);
    pages->AddSourceObjects(page);
    engine->SetFinalPass(false);
    pages->BeginPass();
    for (int i = 0; i < 3; ++i) {
        pages->AddPage(page);
        pages->AddObject(band);
    }
    // The engine clears the first pass before the final one begins.
    pages->ClearFirstPassPages();
    engine->SetFinalPass(true);
    EXPECT_EQ(pages->GetCount(), 0);
    EXPECT_EQ(pages->WritePage(), -1);
    for (int i = 0; i < 3; ++i) {
        pages->AddPage(page);
        EXPECT_EQ(pages->GetLogicalPageNo(), i + 1);
        EXPECT_EQ(pages->GetLogicalTotalPages(), 3);
    }
    EXPECT_EQ(pages->Document().Root()->FindItem(QStringLiteral("logicalpagenumbers"))->Count(), 3);
}

TEST_F(PreparedPages, SecondPassAfterExistingPagesDropsOnlyItsOwnObjects)
{
    preparePages({QStringLiteral("kept")});
    pages->BeginPass();
    EXPECT_EQ(pages->FirstPageIndex(), 0);
    EXPECT_EQ(pages->FirstObjectIndex(), 1);
    pages->AddObject(memos[1]);
    pages->AddPage(page);
    pages->AddObject(band);
    pages->ClearFirstPassPages();
    EXPECT_EQ(pages->GetCount(), 1);
    EXPECT_EQ(pages->PagesElement()->Items(0)->Count(), 1);
    EXPECT_EQ(pages->WritePage(), 0);
}

TEST_F(PreparedPages, CutAndPasteMovesABlockToTheNextPage)
{
    pages->AddSourceObjects(page);
    pages->AddPage(page);
    band->SetTop(100);
    pages->AddObject(band);
    const int mark = pages->GetCurPosition();
    band->SetTop(140);
    pages->AddObject(band);
    band->SetTop(180);
    pages->AddObject(band);
    EXPECT_EQ(pages->CutObjects(mark), 1);
    EXPECT_DOUBLE_EQ(pages->GetLastY(), 140);
    pages->AddPage(page);
    pages->PasteObjects(0, 30);
    EXPECT_EQ(pages->GetCurPosition(), 2);
    EXPECT_EQ(pages->Document().Root()->Find(QStringLiteral("cutted")), -1);
    const TrpReportPage *p = pages->GetPage(1);
    ASSERT_EQ(p->Objects().size(), 2);
    EXPECT_DOUBLE_EQ(p->Objects()[0]->Top(), 30);
    EXPECT_DOUBLE_EQ(p->Objects()[1]->Top(), 70);
    EXPECT_DOUBLE_EQ(pages->GetLastY(), 110);
}

TEST_F(PreparedPages, BandExistsByOriginOrFooterKind)
{
    auto *footer = new TrpPageFooter(page);
    footer->setName(QStringLiteral("Footer1"));
    auto *otherFooter = new TrpPageFooter(page);
    otherFooter->setName(QStringLiteral("Footer2"));
    pages->AddSourceObjects(page);
    pages->AddPage(page);
    EXPECT_FALSE(pages->BandExists(band));
    pages->AddObject(band);
    pages->AddObject(footer);
    EXPECT_TRUE(pages->BandExists(band));
    EXPECT_TRUE(pages->BandExists(otherFooter));
    EXPECT_DOUBLE_EQ(pages->GetLastY(), 60); // footers do not count
}

TEST_F(PreparedPages, OutlineNestsAndShiftsItems)
{
    preparePages({QStringLiteral("a")});
    TrpCustomOutline *outline = pages->Outline();
    outline->LevelRoot();
    outline->AddItem(QStringLiteral("Group <1>"), 10);
    outline->AddItem(QStringLiteral("Row"), 20);
    outline->LevelUp();
    outline->LevelUp();
    outline->AddItem(QStringLiteral("Group 2"), 300);
    outline->LevelRoot();
    EXPECT_EQ(outline->ItemCount(), 2);
    QString text;
    int pageNo = -1, top = -1;
    outline->GetItemInfo(0, text, pageNo, top);
    EXPECT_EQ(text, QStringLiteral("Group <1>"));
    EXPECT_EQ(pageNo, 0);
    EXPECT_EQ(top, 10);
    outline->ShiftItems(outline->CurrentItem()->Items(0), 5);
    outline->GetItemInfo(1, text, pageNo, top);
    EXPECT_EQ(pageNo, 1);
    EXPECT_EQ(top, 5);
    outline->DescendTo(0);
    EXPECT_EQ(outline->ItemCount(), 1);
    EXPECT_EQ(outline->GetCurPosition()->Prop(QStringLiteral("text")), QStringLiteral("Row"));
    outline->DescendTo(5); // outside: stays
    EXPECT_EQ(outline->ItemCount(), 1);
    EXPECT_EQ(outline->GetCurPosition()->Prop(QStringLiteral("page")), QStringLiteral("0"));
}

TEST_F(PreparedPages, AnchorsFindLastOfATextAndShift)
{
    preparePages({QStringLiteral("a"), QStringLiteral("b")});
    pages->SetWritePage(0);
    engine->SetCurY(40.5);
    pages->AddAnchor(QStringLiteral("Intro"));
    pages->SetWritePage(1);
    engine->SetCurY(99);
    pages->AddAnchor(QStringLiteral("intro"));
    pages->AddAnchor(QStringLiteral("Next"));
    EXPECT_EQ(pages->GetAnchorCur(), 2);
    EXPECT_EQ(pages->GetAnchorPage(QStringLiteral("INTRO")), 2);
    EXPECT_EQ(pages->GetAnchorPage(QStringLiteral("missing")), 1);
    EXPECT_EQ(pages->FindAnchor(QStringLiteral("Intro"))->Prop(QStringLiteral("top")), QStringLiteral("99"));
    pages->ShiftAnchors(0, 10);
    EXPECT_EQ(pages->GetAnchorPage(QStringLiteral("Next")), 3);
    EXPECT_EQ(pages->FindAnchor(QStringLiteral("Next"))->Prop(QStringLiteral("top")), QStringLiteral("10"));
    pages->SetWritePage(0);
    EXPECT_EQ(pages->Document().Root()->FindItem(QStringLiteral("anchors"))->Items(0)->Prop(QStringLiteral("top")),
              QStringLiteral("40")); // rounded half to even
}

TEST_F(PreparedPages, ClearUnlinksReportObjects)
{
    preparePages({QStringLiteral("a")});
    pages->Outline()->AddItem(QStringLiteral("x"), 0);
    pages->Clear();
    EXPECT_EQ(memos[0]->SourceComponent(), nullptr);
    EXPECT_TRUE(memos[0]->AliasName().isEmpty());
    EXPECT_EQ(pages->GetCount(), 0);
    EXPECT_EQ(pages->WritePage(), -1);
    EXPECT_EQ(pages->SourcePageCount(), 0);
    // The outline starts again at its root.
    pages->Outline()->AddItem(QStringLiteral("y"), 0);
    pages->Outline()->LevelRoot();
    EXPECT_EQ(pages->Outline()->ItemCount(), 1);
}

TEST_F(PreparedPages, EditingPages)
{
    preparePages({QStringLiteral("a"), QStringLiteral("b")});
    pages->AddEmptyPage(1);
    ASSERT_EQ(pages->GetCount(), 3);
    EXPECT_EQ(pages->PagesElement()->Items(1)->Name, QStringLiteral("page0"));
    EXPECT_TRUE(pages->GetPage(1)->Objects().isEmpty());

    TrpReportPage *p = pages->GetPage(2);
    dynamic_cast<TrpCustomMemoView *>(p->FindObject(QStringLiteral("Memo1")))->SetText(QStringLiteral("edited"));
    pages->ModifyPage(2, p);
    EXPECT_EQ(pages->PagesElement()->Items(2)->Name, QStringLiteral("TrpReportPage"));
    EXPECT_EQ(rebuiltMemo(2, QStringLiteral("Memo1"))->Text(), QStringLiteral("edited"));

    for (int i = 0; i < 5; ++i)
        pages->DeletePage(0);
    EXPECT_EQ(pages->GetCount(), 1); // the last page stays
    EXPECT_EQ(rebuiltMemo(0, QStringLiteral("Memo1"))->Text(), QStringLiteral("edited"));
}

TEST_F(PreparedPages, AddFromAppendsAnotherReportsPagesWhole)
{
    preparePages({QStringLiteral("mine")});
    TrpReport other(nullptr);
    auto *otherPages = dynamic_cast<TrpPreviewPages *>(other.PreparedPages());
    auto *otherPage = new TrpReportPage(&other);
    otherPage->setName(QStringLiteral("P"));
    auto *memo = new TrpMemoView(otherPage);
    memo->setName(QStringLiteral("Their"));
    memo->SetText(QStringLiteral("theirs"));
    otherPages->AddSourceObjects(otherPage);
    otherPages->AddPage(otherPage);
    otherPages->AddObject(memo);
    pages->AddFrom(&other);
    ASSERT_EQ(pages->GetCount(), 2);
    EXPECT_EQ(rebuiltMemo(1, QStringLiteral("Their"))->Text(), QStringLiteral("theirs"));
    EXPECT_FALSE(pages->PagesElement()->Items(1)->Unloadable);
}

TEST_F(PreparedPages, PicturesGoThroughThePictureCache)
{
    auto *pic = new TrpPictureView(band);
    pic->setName(QStringLiteral("Picture1"));
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "BMP");
    pic->Picture()->SetData(png);
    preparePages({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(pages->PictureCache().Count(), 1); // unchanged picture: one entry
    auto *rebuilt = dynamic_cast<TrpPictureView *>(pages->GetPage(2)->FindObject(QStringLiteral("Picture1")));
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->Picture()->Data(), png);
    // The source copy was made without the picture data.
    EXPECT_TRUE(dynamic_cast<TrpPictureView *>(pages->Dictionary().GetObject(pic->AliasName()))
                    ->Picture()
                    ->IsEmpty());
    EXPECT_TRUE(pic->PictureStored());
}

TEST_F(PreparedPages, DamagedPictureBytesRestoreAsEmpty)
{
    TrpPictureCache cache;
    TrpXMLItem element;
    element.Name = QStringLiteral("picturecache");
    element.Text.clear();
    TrpXMLItem *item = element.Add();
    item->Name = QStringLiteral("item");
    item->Text = QStringLiteral("stream=\"89504E470D0A1A0A00000000\"");
    TrpXMLItem *bad = element.Add();
    bad->Name = QStringLiteral("item");
    bad->Text = QStringLiteral("stream=\"ZZ\"");
    cache.LoadFromXML(element);
    ASSERT_EQ(cache.Count(), 2);
    EXPECT_TRUE(cache.Stream(1).isEmpty());
    TrpPictureView view(nullptr);
    for (int index : {1, 2, 3, 0, -4}) {
        view.Picture()->SetData(QByteArray("x"));
        view.SetImageIndex(index);
        cache.RestoreGraphic(view);
        EXPECT_TRUE(view.Picture()->IsEmpty()) << index;
    }
}

} // namespace
} // namespace bralvo::report::testing
