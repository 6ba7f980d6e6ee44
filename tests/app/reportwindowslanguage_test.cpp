// The shipped Slovak texts of the report library: the file translates
// every key of the library's table, and every report window opened under
// it shows no English caption, hint or list entry. With
// BRALVO_SCREENSHOT_DIR set, the preview and the PDF export dialog are
// saved as screenshots in those texts.
#include "report/engine/trpengine.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trppreviewpages.h"
#include "report/export/trpdmpexport.h"
#include "report/export/trpdmpexportdialog.h"
#include "report/export/trppdfexport.h"
#include "report/export/trppdfexportdialog.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/preview/reportwindows.h"
#include "report/preview/trppagesettingsform.h"
#include "report/preview/trppasswordform.h"
#include "report/preview/trpprintdialog.h"
#include "report/preview/trppreviewform.h"
#include "report/preview/trpprogress.h"
#include "report/preview/trpsearchdialog.h"
#include "tests/platform/printers/cupstestserver.h"
#include "tests/support/screenshotfolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;

namespace {

const QString kFile = QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.flng");

QSet<QString> words(const QStringList &texts)
{
    static const QRegularExpression word(QStringLiteral("\\p{L}{3,}"));
    QSet<QString> out;
    for (const QString &text : texts)
        for (const QRegularExpressionMatch &m : word.globalMatch(text))
            out.insert(m.captured().toLower());
    return out;
}

QStringList tableTexts()
{
    QStringList texts;
    for (const QString &key : GetResources().Keys())
        texts << GetResources().Get(key);
    return texts;
}

// Every text a window shows: caption, labels, buttons, group titles,
// list entries, hints and menu items.
QStringList windowTexts(QWidget &window)
{
    QStringList texts{window.windowTitle()};
    for (QWidget *w : window.findChildren<QWidget *>()) {
        texts << w->toolTip();
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            texts << b->text();
        if (auto *l = qobject_cast<QLabel *>(w))
            texts << l->text();
        if (auto *g = qobject_cast<QGroupBox *>(w))
            texts << g->title();
        if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        if (auto *m = qobject_cast<QMenu *>(w))
            for (QAction *a : m->actions())
                texts << a->text();
    }
    return texts;
}

// Slovak texts run longer than English ones: every visible label and
// button must have room for its whole text.
QStringList cutTexts(QWidget &window)
{
    QStringList cut;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        const auto *label = qobject_cast<QLabel *>(w);
        const auto *button = qobject_cast<QAbstractButton *>(w);
        QString text;
        QSize need;
        if (label && !label->text().isEmpty()) {
            text = label->text();
            need = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->minimumSizeHint();
        } else if (button && !button->text().isEmpty()) {
            const auto *tool = qobject_cast<const QToolButton *>(button);
            if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
                continue; // the picture shows, the text is its hint
            text = button->text();
            need = QSize(button->fontMetrics().horizontalAdvance(QString(text).remove(u'&')), 0);
        } else {
            continue;
        }
        if (w->width() < need.width() || w->height() < need.height())
            cut << QStringLiteral("%1: \"%2\" in %3 x %4, needs %5 x %6")
                       .arg(window.objectName(), text)
                       .arg(w->width())
                       .arg(w->height())
                       .arg(need.width())
                       .arg(need.height());
    }
    return cut;
}

class ReportWindowsInSlovak : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_cups = new test::CupsTestServer;
        installMemoTextLayout();
        installReportEngine();
        installPreviewPages();
        installReportWindows();
        installPreviewWindow();
    }
    static void TearDownTestSuite()
    {
        delete s_cups;
        s_cups = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_cups->error().isEmpty()) << s_cups->error().toStdString();
        // The words only the English table uses give an English caption away.
        GetResources().LoadEnglish();
        AddPdfExportTexts();
        m_englishKeys = GetResources().Keys();
        const QSet<QString> english = words(tableTexts());
        GetResources().LoadFromFile(kFile);
        m_englishOnly = english - words(tableTexts());
    }
    void TearDown() override { GetResources().LoadEnglish(); }

    // The texts of window that hold an English-only word.
    QStringList englishIn(QWidget &window) const
    {
        QStringList found;
        for (const QString &text : windowTexts(window))
            if (!(words({text}) & m_englishOnly).isEmpty())
                found << window.objectName() + QStringLiteral(": ") + text;
        return found;
    }

    static test::CupsTestServer *s_cups;
    QStringList m_englishKeys;
    QSet<QString> m_englishOnly;
};

test::CupsTestServer *ReportWindowsInSlovak::s_cups = nullptr;

TEST_F(ReportWindowsInSlovak, FileTranslatesEveryKeyOfTheTable)
{
    TrpResources slovak;
    slovak.LoadFromFile(kFile);
    // The file's own keys, without the English table underneath.
    TrpResources fileOnly;
    fileOnly.Clear();
    QFile file(kFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    fileOnly.AddStrings(QString::fromUtf8(file.readAll()));
    QStringList missing;
    for (const QString &key : m_englishKeys)
        if (!fileOnly.Keys().contains(key, Qt::CaseInsensitive))
            missing << key;
    EXPECT_TRUE(missing.isEmpty()) << missing.join(u' ').toStdString();
    EXPECT_EQ(slovak.Get(QStringLiteral("clPageOf")), QString::fromUtf8("Strana %d z %d"));
    EXPECT_EQ(slovak.Get(QStringLiteral("207")), QString::fromUtf8("Ostatné"));
}

TEST_F(ReportWindowsInSlovak, EveryReportWindowShowsSlovakCaptions)
{
    QTemporaryDir dir;
    TrpPDFExport pdf;
    TrpDotMatrixExport dotMatrix;
    TrpReport report(nullptr);
    report.SetIniFile(dir.path() + QStringLiteral("/report.ini"));
    report.EngineOptions()->SetNewSilentMode(simSilent);
    auto *page = new TrpReportPage(&report);
    page->setName(QStringLiteral("Page1"));
    auto *footer = new TrpPageFooter(page);
    footer->setName(QStringLiteral("PageFooter1"));
    footer->SetBounds(0, 0, 700, 20);
    auto *memo = new TrpMemoView(footer);
    memo->setName(QStringLiteral("Memo1"));
    memo->SetBounds(0, 0, 300, 20);
    memo->SetText(QStringLiteral("Strana [Page#] z [TotalPages#]"));
    TrpPreviewOptions *options = report.PreviewOptions();
    int every = 0;
    for (TrpPreviewButton b : {pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline, pbPageSetup, pbEdit,
                               pbNavigator, pbExportQuick})
        every |= 1 << b;
    options->SetButtons(every);
    options->SetModal(false);
    ASSERT_TRUE(report.PrepareReport());
    report.ShowPreparedPages();
    auto *preview = dynamic_cast<TrpPreviewForm *>(report.PreviewWindow());
    ASSERT_NE(preview, nullptr);

    TrpPrintDialog print(report, report.PreparedPages());
    TrpSearchDialog search;
    TrpPageSettingsForm settings;
    settings.Page = page;
    settings.Report = &report;
    settings.show(); // its texts are set when it shows
    TrpDMPExportDialog dotMatrixDialog(dotMatrix);
    TrpPDFExportDialog pdfDialog;
    TrpProgress progress;
    progress.Execute(10, GetResources().Get(QStringLiteral("prRunning")).replace(QStringLiteral("%d"), QStringLiteral("1")), true, true);
    TrpPasswordForm password;

    QStringList english;
    QStringList cut;
    for (QWidget *window : std::initializer_list<QWidget *>{preview, &print, &search, &settings, &dotMatrixDialog,
                                                            &pdfDialog, &progress, &password}) {
        english << englishIn(*window);
        window->show();
        QCoreApplication::processEvents();
        cut << cutTexts(*window);
    }
    EXPECT_TRUE(english.isEmpty()) << english.join(u'\n').toStdString();
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
    EXPECT_EQ(preview->StatusPanel0->text(), QString::fromUtf8("Strana 1 z 1"));
    EXPECT_EQ(preview->windowTitle(), QString::fromUtf8("Náhľad"));
    settings.hide();
    progress.hide();
    preview->close();
}

class SlovakReportScreenshots : public ReportWindowsInSlovak {
protected:
    void SetUp() override
    {
        if (!m_shots.wanted())
            GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
        ReportWindowsInSlovak::SetUp();
    }
    test::ScreenshotFolder m_shots;
};

// The program's preview (its buttons, the PDF export, thumbnails) over a
// few pages of bill lines, then the PDF export dialog it opens.
TEST_F(SlovakReportScreenshots, PreviewAndPdfExportDialog)
{
    QTemporaryDir dir;
    TrpPDFExport pdf;
    TrpReport report(nullptr);
    report.SetIniFile(dir.path() + QStringLiteral("/report.ini"));
    report.EngineOptions()->SetNewSilentMode(simSilent);
    auto *lines = new TrpUserDataSet(&report);
    lines->setName(QStringLiteral("Lines"));
    lines->SetRangeEnd(reCount);
    lines->SetRangeEndCount(150);
    report.DataSets()->Add(lines);
    auto *page = new TrpReportPage(&report);
    page->setName(QStringLiteral("Page1"));
    auto addMemo = [](TrpBand *band, const char *name, double left, double width, const QString &text) {
        auto *memo = new TrpMemoView(band);
        memo->setName(QLatin1String(name));
        memo->SetBounds(left, 0, width, 18);
        memo->SetText(text);
    };
    auto *header = new TrpPageHeader(page);
    header->setName(QStringLiteral("PageHeader1"));
    header->SetBounds(0, 0, 700, 30);
    addMemo(header, "Title", 0, 500, QString::fromUtf8("Faktúra č. 20260002"));
    auto *data = new TrpMasterData(page);
    data->setName(QStringLiteral("MasterData1"));
    data->SetBounds(0, 40, 700, 18);
    data->SetDataSet(lines);
    addMemo(data, "Line", 0, 500, QString::fromUtf8("Položka číslo [Line#], tovar a služby podľa objednávky"));
    auto *footer = new TrpPageFooter(page);
    footer->setName(QStringLiteral("PageFooter1"));
    footer->SetBounds(0, 1000, 700, 20);
    addMemo(footer, "PageNo", 500, 200, QStringLiteral("Strana [Page#] z [TotalPages#]"));
    TrpPreviewOptions *options = report.PreviewOptions();
    options->SetButtons((1 << pbPrint) | (1 << pbExport) | (1 << pbZoom) | (1 << pbFind) | (1 << pbPageSetup) |
                        (1 << pbTools) | (1 << pbNavigator) | (1 << pbExportQuick) | (1 << pbNoFullScreen));
    options->SetModal(false);
    options->SetMaximized(false);
    options->SetThumbnailVisible(true);
    options->SetZoom(0.75);
    ASSERT_TRUE(report.PrepareReport());
    ASSERT_GT(report.PreparedPages()->GetCount(), 2);
    report.ShowPreparedPages();
    auto *preview = dynamic_cast<TrpPreviewForm *>(report.PreviewWindow());
    ASSERT_NE(preview, nullptr);
    preview->resize(1000, 700);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    preview->PreviewControl()->GoToPage(2);
    EXPECT_TRUE(preview->PrintB->isEnabled());
    EXPECT_TRUE(preview->PdfB->isEnabled());
    m_shots.save(*preview, QStringLiteral("preview-window.png"));

    TrpPDFExportDialog dialog(preview);
    QTimer::singleShot(0, [this, &dialog] {
        m_shots.save(dialog, QStringLiteral("pdf-export-dialog.png"));
        dialog.reject();
    });
    dialog.exec();
    preview->close();
}

} // namespace
