// The preview over the real prepared-pages store: pages drawn, text
// found in the memos, a prepared report saved and loaded back.
#include "realstorereport.h"
#include "textpagestore.h"

#include "report/preview/trppreview.h"
#include "report/preview/trpsearchdialog.h"
#include "report/preview/trptextsearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::report::testing::invoiceLines;
using bralvo::report::testing::RealStoreReport;

namespace {

void findFromTop(TrpPreview &preview, const QString &text)
{
    QTimer::singleShot(0, [text] {
        auto *d = qobject_cast<TrpSearchDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->TextE->setText(text);
        d->TopCB->setChecked(true);
        QTest::mouseClick(d->OkB, Qt::LeftButton);
    });
    preview.FindDialog();
}

} // namespace

TEST(PreviewOverTheStore, ShowsAndSearchesPreparedPages)
{
    RealStoreReport r;
    r.preparePages({invoiceLines(1, 20), invoiceLines(2, 20), invoiceLines(3, 20)});
    ASSERT_EQ(r.pages->GetCount(), 3);
    TrpPreview preview;
    preview.resize(900, 700);
    preview.SetReport(r.report.get(), r.pages);
    preview.Init();
    EXPECT_EQ(preview.Workspace()->PageList().Count(), 3);
    const QImage page = preview.Workspace()->PageImage(0);
    int inked = 0;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2)
            inked += qAlpha(page.pixel(x, y)) > 0 ? 1 : 0;
    EXPECT_GT(inked, 100); // the memos drew their text

    searchState() = TrpSearchState{};
    findFromTop(preview, QStringLiteral("číslo 305"));
    ASSERT_TRUE(searchState().TextFound);
    EXPECT_EQ(preview.Workspace()->SearchPage(), 2);
    // Line 5 of the page sits at 10 + 5 * 20 pixels below the top margin.
    const double marginTop = 10 * 3.77953;
    EXPECT_NEAR(searchState().FoundRect.top(), marginTop + 110, 6);
}

TEST(PreviewOverTheStore, SavesAndLoadsAPreparedReport)
{
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/faktury.rp3");
    {
        RealStoreReport r;
        r.preparePages({invoiceLines(1, 5), invoiceLines(2, 5)});
        TrpPreview preview;
        preview.SetReport(r.report.get(), r.pages);
        preview.Init();
        preview.SaveToFile(file);
        EXPECT_FALSE(preview.Locked());
    }
    RealStoreReport r;
    TrpPreview preview;
    preview.resize(900, 700);
    preview.SetReport(r.report.get(), r.pages);
    preview.Init();
    preview.LoadFromFile(file);
    EXPECT_EQ(preview.PageCount(), 2);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(preview.Workspace()->PageList().Count(), 2);
}
