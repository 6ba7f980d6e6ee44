// Screenshots of the preview for docs/screenshots/ when
// BRALVO_SCREENSHOT_DIR names a folder (run under xvfb-run for real
// rendering): a search hit highlighted in the window on a multi-page
// prepared report with the thumbnail strip, and the page settings dialog,
// both in the program's shipped Slovak texts. The plain window comes from
// the program's own set-up (tests/app/reportwindowslanguage_test.cpp).
#include "realstorereport.h"
#include "textpagestore.h"

#include "report/model/trpoptions.h"
#include "report/model/trpresources.h"
#include "report/preview/trppagesettingsform.h"
#include "report/preview/trppreviewform.h"
#include "report/preview/trpsearchdialog.h"
#include "report/preview/trptextsearch.h"
#include "tests/support/screenshotfolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::report::testing::invoiceLines;
using bralvo::report::testing::RealStoreReport;

namespace {

class Screenshots : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!m_shots.wanted())
            GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
        GetResources().LoadFromFile(QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.flng"));
        ASSERT_NE(GetResources().Get(QStringLiteral("100")), QStringLiteral("Preview"));
    }
    void TearDown() override { GetResources().LoadEnglish(); }
    void save(QWidget &window, const QString &name) { m_shots.save(window, name); }
    bralvo::test::ScreenshotFolder m_shots;
};

constexpr int programButtons = (1 << pbPrint) | (1 << pbExport) | (1 << pbZoom) | (1 << pbFind) |
                               (1 << pbPageSetup) | (1 << pbTools) | (1 << pbNavigator) | (1 << pbExportQuick) |
                               (1 << pbNoFullScreen);

} // namespace

TEST_F(Screenshots, PreviewWindowSearchAndPageSettings)
{
    RealStoreReport r;
    std::vector<QStringList> pageLines;
    for (int i = 1; i <= 12; ++i)
        pageLines.push_back(invoiceLines(i, 45));
    r.preparePages(pageLines);
    TrpPreviewOptions *o = r.report->PreviewOptions();
    o->SetButtons(programButtons);
    o->SetMaximized(false);
    o->SetThumbnailVisible(true);
    o->SetZoom(0.75);
    TrpPreviewForm form(r.report.get());
    form.resize(1000, 700);
    form.PreviewControl()->SetReport(r.report.get(), r.pages);
    form.Init();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.PreviewControl()->GoToPage(2);

    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<TrpSearchDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->TextE->setText(QStringLiteral("Položka číslo 312"));
        d->TopCB->setChecked(true);
        QTest::mouseClick(d->OkB, Qt::LeftButton);
    });
    form.PreviewControl()->FindDialog();
    ASSERT_TRUE(searchState().TextFound);
    save(form, QStringLiteral("preview-search-hit.png"));

    TrpPageSettingsForm settings(&form);
    settings.Page = r.pages->GetPage(0);
    settings.Report = r.report.get();
    QTimer::singleShot(0, [this, &settings] {
        save(settings, QStringLiteral("preview-page-settings.png"));
        settings.reject();
    });
    settings.exec();
}
