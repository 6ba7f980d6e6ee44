// Export of pages the real prepared-pages store holds: its pages and
// outline through the export driver, and a prepared report file through
// rptool.
#include "pdftools.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/export/trppdfexport.h"
#include "tests/report/engine/storefixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

class PdfFromStore : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        installMemoTextLayout();
    }

    // One page per text, each with an outline item at the band.
    void prepare(const QStringList &texts)
    {
        pages->AddSourceObjects(page);
        for (const QString &t : texts) {
            pages->AddPage(page);
            memos[0]->SetText(t);
            pages->AddObject(band);
            pages->Outline()->LevelRoot();
            pages->Outline()->AddItem(t, 20);
        }
        pages->Outline()->LevelRoot();
    }

    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

private:
    QTemporaryDir m_dir;
};

TEST_F(PdfFromStore, PagesAndOutlineOfTheStore)
{
    prepare({QStringLiteral("Faktúra 1"), QStringLiteral("Faktúra 2")});
    TrpPDFExport filter;
    filter.SetShowDialog(false);
    filter.SetShowProgress(false);
    filter.SetOutline(true);
    filter.SetFileName(path(QStringLiteral("store.pdf")));
    ASSERT_TRUE(pages->Export(&filter)) << report->ErrorList().text().toStdString();
    expectQpdfClean(filter.FileName());
    const QString text = pdftotext(filter.FileName());
    EXPECT_TRUE(text.contains(QStringLiteral("Faktúra 1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Faktúra 2")));
    const ToolRun json = runTool(QStringLiteral("qpdf"),
                                 {QStringLiteral("--json"), QStringLiteral("--json-key=outlines"), filter.FileName()});
    EXPECT_TRUE(json.output.contains(QStringLiteral("\"title\": \"Faktúra 2\"")))
        << json.output.toStdString();
    EXPECT_TRUE(json.output.contains(QStringLiteral("\"destpageposfrom1\": 2"))) << json.output.toStdString();
}

TEST_F(PdfFromStore, RptoolExportsAPreparedReportFile)
{
    prepare({QStringLiteral("Prvá strana"), QStringLiteral("Druhá strana")});
    const QString rp3 = path(QStringLiteral("report.rp3"));
    pages->SaveToFile(rp3);
    const QString pdf = path(QStringLiteral("report.pdf"));
    const ToolRun run = runTool(QStringLiteral(BRALVO_RPTOOL), {QStringLiteral("pdf"), rp3, pdf});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    expectQpdfClean(pdf);
    EXPECT_TRUE(pdfinfo(pdf).simplified().contains(QLatin1String("Pages: 2")));
    const QString text = pdftotext(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Prvá strana")));
    EXPECT_TRUE(text.contains(QStringLiteral("Druhá strana")));

    // A file that is no prepared report: an error, no PDF.
    const QString broken = path(QStringLiteral("broken.rp3"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a report");
    f.close();
    const QString none = path(QStringLiteral("none.pdf"));
    EXPECT_NE(runTool(QStringLiteral(BRALVO_RPTOOL), {QStringLiteral("pdf"), broken, none}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(none));
}

} // namespace
