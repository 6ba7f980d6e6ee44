// The preview control's file, page and outline operations: saving and
// loading prepared reports through the dialog seam, never staying
// locked after a failure, page set-up for one page or all, adding and
// clearing pages, the outline tree and the left pane.
#include "teststore.h"

#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/preview/trppagesettingsform.h"
#include "report/preview/trppreview.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::report::testing::StoreReport;

namespace {

struct OpsFixture {
    StoreReport r;
    TrpPreview preview;
    explicit OpsFixture(int count)
    {
        r.store->addPages(count);
        preview.resize(900, 700);
        preview.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&preview));
        preview.SetReport(r.report.get(), r.store);
        preview.Init();
    }
};

// A two-level outline: "Odberatelia" (page 0) with "A" (page 1, top 40)
// and "B" (page 2, top 80).
class TestOutline : public TrpCustomOutline {
public:
    using TrpCustomOutline::TrpCustomOutline;
    struct Node {
        QString text;
        int page, top;
        std::vector<Node> children;
    };
    Node root{QString(), 0, 0, {{QStringLiteral("Odberatelia"), 0, 0,
                                 {{QStringLiteral("A"), 1, 40, {}}, {QStringLiteral("B"), 2, 80, {}}}}}};
    std::vector<Node *> path;

    Node &level() { return path.empty() ? root : *path.back(); }
    int ItemCount() override { return int(level().children.size()); }
    void AddItem(const QString &, int) override {}
    void DescendTo(int index) override { path.push_back(&level().children.at(size_t(index))); }
    void LevelRoot() override { path.clear(); }
    void LevelUp() override
    {
        if (!path.empty())
            path.pop_back();
    }
    void GetItemInfo(int index, QString &text, int &page, int &top) override
    {
        const Node &n = level().children.at(size_t(index));
        text = n.text;
        page = n.page;
        top = n.top;
    }
    void ShiftItems(TrpXMLItem *, int) override {}
    TrpXMLItem *GetCurPosition() override { return nullptr; }
};

} // namespace

TEST(TrpPreviewOps, SaveDialogGivesTheFileTheRp3Extension)
{
    OpsFixture f(2);
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerSaveFile(QStringLiteral("/tmp/faktury/marec.txt"));
    boxes.answerSaveFile(std::nullopt);
    f.preview.SaveToFileDialog();
    f.preview.SaveToFileDialog(); // cancelled: nothing saved
    EXPECT_EQ(f.r.store->savedFiles, QStringList{QStringLiteral("/tmp/faktury/marec.rp3")});
    EXPECT_EQ(boxes.calls().at(0).request.filter, QStringLiteral("Prepared Report (*.rp3)"));
    EXPECT_FALSE(f.preview.Locked());
    EXPECT_TRUE(f.preview.MessagePanel()->isHidden());
}

TEST(TrpPreviewOps, LoadingShowsTheFirstPageAndAFailureUnlocks)
{
    OpsFixture f(0);
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerOpenFile(QStringLiteral("/tmp/a.rp3"));
    f.preview.LoadFromFileDialog();
    EXPECT_EQ(f.preview.PageCount(), 2);
    EXPECT_EQ(f.preview.CurrentPage(), 1);
    EXPECT_EQ(f.preview.Workspace()->PageList().Count(), 2);
    f.r.store->failLoading = true;
    EXPECT_THROW(f.preview.LoadFromFile(QStringLiteral("/tmp/broken.rp3")), bralvo::Error);
    EXPECT_FALSE(f.preview.Locked());
    EXPECT_FALSE(f.preview.Workspace()->Locked());
    EXPECT_TRUE(f.preview.MessagePanel()->isHidden());
    EXPECT_EQ(f.preview.CurrentPage(), 1);
}

TEST(TrpPreviewOps, PageSetupModifiesTheCurrentPageOrAllPages)
{
    OpsFixture f(3);
    auto *definition = new TrpReportPage(f.r.report.get());
    definition->SetPaperSize(9);
    f.preview.GoToPage(2);
    QTimer::singleShot(0, [] {
        auto *form = qobject_cast<TrpPageSettingsForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->LandscapeRB->click();
        form->OKB->click();
    });
    f.preview.PageSetup();
    EXPECT_EQ(f.r.store->modifiedPages, std::vector<int>{1});
    EXPECT_EQ(f.r.store->GetPage(1)->Orientation(), poLandscape);
    EXPECT_EQ(definition->Orientation(), poPortrait);
    EXPECT_FALSE(f.preview.Locked());

    QTimer::singleShot(0, [] {
        auto *form = qobject_cast<TrpPageSettingsForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->MarginLeftE->setText(QStringLiteral("2,5"));
        form->ApplyToAllRB->click();
        form->OKB->click();
    });
    definition->setName(QStringLiteral("Page1"));
    f.preview.PageSetup();
    // The run reloads the definition: look the page up again.
    definition = dynamic_cast<TrpReportPage *>(f.r.report->FindObject(QStringLiteral("Page1")));
    ASSERT_NE(definition, nullptr);
    EXPECT_EQ(definition->Orientation(), poLandscape); // copied to the definition
    EXPECT_DOUBLE_EQ(definition->LeftMargin(), 25);
    EXPECT_EQ(f.r.store->modifiedPages.size(), 1u);
}

TEST(TrpPreviewOps, AddingAndClearingPages)
{
    OpsFixture f(2);
    f.preview.GoToPage(2);
    f.preview.AddEmptyPage();
    EXPECT_EQ(f.preview.PageCount(), 3);
    EXPECT_EQ(f.preview.CurrentPage(), 2);
    EXPECT_EQ(f.preview.Workspace()->PageList().Count(), 3);
    f.preview.ClearPages();
    EXPECT_EQ(f.preview.PageCount(), 0);
    EXPECT_EQ(f.preview.CurrentPage(), 0);
    EXPECT_EQ(f.preview.Workspace()->PageList().Count(), 0);
    EXPECT_EQ(f.preview.Workspace()->VertRange(), 0);
}

TEST(TrpPreviewOps, OutlineTreeFollowsTheStoreAndScrollsToItsPlaces)
{
    OpsFixture f(3);
    f.r.store->SetOutline(std::make_unique<TestOutline>(f.r.store));
    f.preview.UpdateOutline();
    QTreeWidget *tree = f.preview.Outline();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *top = tree->topLevelItem(0);
    EXPECT_EQ(top->text(0), QStringLiteral("Odberatelia"));
    ASSERT_EQ(top->childCount(), 2);
    EXPECT_TRUE(top->isExpanded()); // OutlineExpand is on by default
    f.preview.SetOutlineVisible(true);
    tree->setCurrentItem(top->child(1));
    emit tree->itemClicked(top->child(1), 0);
    const TrpPageItem &page3 = f.preview.Workspace()->PageList().Items(2);
    // Top 80 below a zero top margin, at zoom 1.
    EXPECT_EQ(f.preview.Workspace()->VertPosition(), page3.Top + 80 - 10);
}

TEST(TrpPreviewOps, OutlineAndThumbnailsShareTheLeftPane)
{
    OpsFixture f(2);
    f.preview.SetOutlineVisible(true);
    EXPECT_TRUE(f.preview.OutlineVisible());
    f.preview.SetThumbnailVisible(true);
    EXPECT_TRUE(f.preview.ThumbnailVisible());
    EXPECT_FALSE(f.preview.OutlineVisible());
    EXPECT_EQ(f.preview.Thumbnails()->PageList().Count(), 2);
    EXPECT_DOUBLE_EQ(f.preview.Thumbnails()->Zoom(), 0.1);
    f.preview.SetThumbnailVisible(false);
    EXPECT_FALSE(f.preview.ThumbnailVisible());
    EXPECT_FALSE(f.preview.OutlineVisible());
}

TEST(TrpPreviewOps, MessagePanelSitsAThirdDown)
{
    OpsFixture f(1);
    f.preview.ShowMessagePanel(QStringLiteral("Saving file..."));
    const QRect r = f.preview.MessagePanel()->geometry();
    EXPECT_EQ(r, QRect((900 - 260) / 2, (700 - 75) / 3, 260, 75));
    EXPECT_FALSE(f.preview.MessagePanel()->isHidden());
    f.preview.HideMessagePanel();
    EXPECT_TRUE(f.preview.MessagePanel()->isHidden());
}
