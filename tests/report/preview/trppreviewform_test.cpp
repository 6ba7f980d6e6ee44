// The preview window over a test store: buttons by the report's
// options, the export menu from the registered filters, the zoom and
// page boxes, the status bar, the right-click menu, full screen and Esc
// during a preparation, the tool bar's pictures and MDI sub-windows.
#include "teststore.h"

#include "platform/registryini.h"
#include "report/model/trpoptions.h"
#include "report/model/trpresources.h"
#include "report/preview/trpcombobox.h"
#include "report/preview/trppreviewform.h"
#include "report/preview/trptbpanel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::report::testing::StoreReport;

namespace {

// An export filter known by a class name of our choosing.
class NamedFilter : public TrpCustomExportFilter {
public:
    NamedFilter(const QString &className, const QString &description) : m_description(description)
    {
        m_info.name = className;
        m_info.parent = &TrpCustomExportFilter::staticClass();
    }
    const bralvo::platform::ClassInfo &classInfo() const override { return m_info; }
    QString GetDescription() const override { return m_description; }
    void ExportObject(TrpReportComponent *) override {}

private:
    bralvo::platform::ClassInfo m_info;
    QString m_description;
};

constexpr int programButtons = (1 << pbPrint) | (1 << pbExport) | (1 << pbZoom) | (1 << pbFind) |
                               (1 << pbPageSetup) | (1 << pbTools) | (1 << pbNavigator) | (1 << pbExportQuick) |
                               (1 << pbNoFullScreen);

std::unique_ptr<NamedFilter> pdfFilter()
{
    return std::make_unique<NamedFilter>(QStringLiteral("TrpPDFExport"), QStringLiteral("PDF file"));
}

std::unique_ptr<NamedFilter> dotMatrixFilter()
{
    return std::make_unique<NamedFilter>(QStringLiteral("TrpDotMatrixExport"), QStringLiteral("Dot-matrix"));
}

struct FormFixture {
    QTemporaryDir dir;
    StoreReport r;
    std::unique_ptr<TrpPreviewForm> form;
    FormFixture(int pages, int buttons, const QString &iniFile = QString())
    {
        // Window state goes to a file of the test, not the user's store.
        r.report->SetIniFile(iniFile.isEmpty() ? dir.path() + QStringLiteral("/preview.ini") : iniFile);
        r.store->addPages(pages);
        r.report->PreviewOptions()->SetButtons(buttons);
        r.report->PreviewOptions()->SetMaximized(false);
        form = std::make_unique<TrpPreviewForm>(r.report.get());
        form->PreviewControl()->SetReport(r.report.get(), r.store);
        form->Init();
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    TrpPreview &preview() { return *form->PreviewControl(); }
};

QStringList visibleButtons(const TrpPreviewForm &form)
{
    QStringList names;
    for (QToolButton *b : form.ToolBar->findChildren<QToolButton *>()) {
        if (!b->isHidden())
            names << b->objectName();
    }
    names.sort();
    return names;
}

QStringList menuTexts(const QMenu *menu, int from = 0)
{
    QStringList texts;
    const QList<QAction *> actions = menu->actions();
    for (int i = from; i < actions.size(); ++i)
        texts << actions.at(i)->text();
    return texts;
}

} // namespace

TEST(TrpPreviewForm, ProgramButtonSetShowsOnlyItsCommands)
{
    auto pdf = pdfFilter();
    auto dmp = dotMatrixFilter();
    FormFixture f(3, programButtons);
    QStringList expected = {"CancelB", "ExportB", "FindB", "FirstB", "LastB", "NextB", "PageSettingsB",
                            "PdfB",    "PrintB",  "PriorB", "ZoomMinusB", "ZoomPlusB"};
    expected.sort();
    EXPECT_EQ(visibleButtons(*f.form), expected);
    EXPECT_FALSE(f.form->Sep3->isHidden()); // the zoom box
    EXPECT_FALSE(f.form->Sep4->isHidden()); // the page box
    EXPECT_EQ(menuTexts(f.form->ExportPopup), QStringList{QStringLiteral("PDF file...")});
    EXPECT_EQ(f.form->PdfExport(), pdf.get());
    // No full-screen button, but F11 still switches, and a double click
    // on the pages switches back.
    QTest::keyClick(f.form->PreviewControl(), Qt::Key_F11);
    EXPECT_TRUE(f.form->FullScreen());
    EXPECT_TRUE(f.form->ToolBar->isHidden());
    EXPECT_TRUE(f.form->StatusBar->isHidden());
    QTest::mouseDClick(f.preview().Workspace()->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(f.form->FullScreen());
    EXPECT_FALSE(f.form->ToolBar->isHidden());
}

TEST(TrpPreviewForm, ExportButtonNeedsAFilterBesideTheDotMatrixOne)
{
    struct Case {
        const char *name;
        bool pdf, dotMatrix;
        bool exportShown, pdfShown;
    } cases[] = {
        {"none", false, false, false, false},
        {"dot-matrix only", false, true, false, false},
        {"pdf", true, false, true, true},
        {"both", true, true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto pdf = c.pdf ? pdfFilter() : nullptr;
        auto dmp = c.dotMatrix ? dotMatrixFilter() : nullptr;
        FormFixture f(1, programButtons);
        EXPECT_EQ(!f.form->ExportB->isHidden(), c.exportShown);
        EXPECT_EQ(!f.form->PdfB->isHidden(), c.pdfShown);
    }
    // Without pbExportQuick the PDF filter is listed but has no button.
    auto pdf = pdfFilter();
    FormFixture f(1, programButtons & ~(1 << pbExportQuick));
    EXPECT_TRUE(f.form->PdfB->isHidden());
    EXPECT_FALSE(f.form->ExportB->isHidden());
}

TEST(TrpPreviewForm, ExportMenuAndQuickPdfExportThroughThePreview)
{
    auto pdf = pdfFilter();
    FormFixture f(2, programButtons);
    f.form->ExportPopup->actions().at(0)->trigger();
    EXPECT_EQ(f.r.store->exportCalls, 1);
    f.form->PdfB->click();
    EXPECT_EQ(f.r.store->exportCalls, 2);
}

TEST(TrpPreviewForm, ZoomBoxTakesPercentagesAndModes)
{
    FormFixture f(2, programButtons);
    QLineEdit *edit = f.form->ZoomCB->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("150 %"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(f.preview().Zoom(), 1.5);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.form->ZoomCB->currentText(), QStringLiteral("150%"));
    f.form->ZoomCB->setCurrentIndex(7);
    f.form->ZoomCBClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.preview().ZoomMode(), zmWholePage);
    const long percent = std::lround(f.preview().Zoom() * 100);
    EXPECT_EQ(f.form->ZoomCB->currentText(), QString::number(percent) + QStringLiteral("%"));
    const double before = f.preview().Zoom();
    f.form->ZoomPlusB->click();
    EXPECT_DOUBLE_EQ(f.preview().Zoom(), before + 0.25);
    EXPECT_EQ(f.preview().ZoomMode(), zmDefault);
}

TEST(TrpPreviewForm, CtrlWheelZoomsTheView)
{
    FormFixture f(2, programButtons);
    f.preview().SetZoom(1.0);
    QWidget *vp = f.preview().Workspace()->viewport();
    QWheelEvent up(QPointF(20, 20), vp->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(vp, &up);
    EXPECT_DOUBLE_EQ(f.preview().Zoom(), 1.1);
    QWheelEvent down(QPointF(20, 20), vp->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    f.preview().Workspace()->SetVertPosition(100);
    QApplication::sendEvent(vp, &down);
    EXPECT_EQ(f.preview().Workspace()->VertPosition(), 120);
}

TEST(TrpPreviewForm, StatusBarAndPageBoxFollowThePage)
{
    FormFixture f(12, programButtons);
    f.preview().GoToPage(3);
    EXPECT_EQ(f.form->StatusPanel0->text(), QStringLiteral("Page 3 of 12"));
    EXPECT_EQ(f.form->PageE->text(), QStringLiteral("3"));
    f.form->PageE->setText(QStringLiteral("7"));
    QTest::keyClick(f.form->PageE, Qt::Key_Return);
    EXPECT_EQ(f.preview().CurrentPage(), 7);
    f.form->LastB->click();
    EXPECT_EQ(f.form->StatusPanel0->text(), QStringLiteral("Page 12 of 12"));
}

TEST(TrpPreviewForm, EscDuringPreparationCancelsAndKeepsTheWindow)
{
    FormFixture f(0, programButtons);
    f.preview().BeginProgress();
    EXPECT_EQ(f.form->CancelB->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(f.form->PrintB->isEnabled());
    QTest::keyClick(f.form->PreviewControl(), Qt::Key_Escape);
    EXPECT_TRUE(f.r.report->Terminated());
    EXPECT_TRUE(f.form->isVisible());
    f.form->close(); // refused while running
    EXPECT_TRUE(f.form->isVisible());
    f.r.store->addPages(1);
    f.preview().StepProgress(0);
    f.preview().EndProgress();
    EXPECT_EQ(f.form->CancelB->text(), QStringLiteral("Close"));
    EXPECT_TRUE(f.form->PrintB->isEnabled());
    bool closed = false;
    f.r.report->OnClosePreview = [&closed](TrpReport *) { closed = true; };
    QTest::keyClick(f.form->PreviewControl(), Qt::Key_Escape);
    EXPECT_FALSE(f.form->isVisible());
    EXPECT_TRUE(closed);
}

TEST(TrpPreviewForm, RightMenuMirrorsTheToolBarUpToTheSecondSeparator)
{
    auto pdf = pdfFilter();
    FormFixture f(2, programButtons);
    const QStringList expected = {QStringLiteral("Print"),         QStringLiteral("Export"),
                                  QStringLiteral("Export to PDF"), QStringLiteral("Find"),
                                  QString(),                       QStringLiteral("Zoom In"),
                                  QStringLiteral("Zoom Out")};
    EXPECT_EQ(menuTexts(f.form->RightMenu, 3), expected);
    QAction *exportItem = f.form->RightMenu->actions().at(4);
    ASSERT_NE(exportItem->menu(), nullptr);
    EXPECT_EQ(menuTexts(exportItem->menu()), QStringList{QStringLiteral("PDF file...")});
    exportItem->menu()->actions().at(0)->trigger();
    EXPECT_EQ(f.r.store->exportCalls, 1);
    // No drill-down groups: the collapse and expand items are hidden.
    EXPECT_FALSE(f.form->ExpandMI->isVisible());
    // Buttons and their items are enabled together.
    f.preview().BeginProgress();
    EXPECT_FALSE(f.form->RightMenu->actions().at(3)->isEnabled());
    f.preview().EndProgress();
}

TEST(TrpPreviewForm, ClosingKeepsTheWindowsPlaceForTheNextWindow)
{
    QTemporaryDir dir;
    const QString ini = dir.path() + QStringLiteral("/state.ini");
    {
        FormFixture f(1, programButtons, ini);
        f.form->setGeometry(30, 40, 900, 500);
        f.form->close();
    }
    bralvo::platform::IniFileStore store(ini);
    EXPECT_EQ(store.readInteger(QStringLiteral("Form4.TrpPreviewForm"), QStringLiteral("Width"), 0), 900);
    FormFixture next(1, programButtons, ini);
    EXPECT_EQ(next.form->size(), QSize(900, 500));
}

TEST(TrpPreviewForm, EveryToolButtonShowsItsOwnPicture)
{
    auto pdf = pdfFilter();
    const int everyButton = programButtons | (1 << pbLoad) | (1 << pbSave) | (1 << pbOutline) | (1 << pbEdit);
    FormFixture f(2, everyButton & ~(1 << pbNoFullScreen));
    const QList<QImage> &images = GetResources().GetPreviewButtonImages();
    ASSERT_EQ(images.size(), 25);
    QStringList without;
    QList<QImage> pictures;
    for (QToolButton *b : f.form->ToolBar->findChildren<QToolButton *>()) {
        if (b == f.form->CancelB)
            continue; // a caption button by design
        const int index = b->property("imageIndex").toInt();
        const QImage picture = images.value(index);
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                opaque += qAlpha(picture.pixel(x, y)) > 128;
        if (b->icon().isNull() || opaque < 30 || b->toolButtonStyle() != Qt::ToolButtonIconOnly)
            without << b->objectName();
        EXPECT_FALSE(pictures.contains(picture)) << b->objectName().toStdString() << " repeats a picture";
        pictures << picture;
    }
    EXPECT_TRUE(without.isEmpty()) << without.join(u' ').toStdString();
    EXPECT_FALSE(f.form->CollapseMI->icon().isNull());
    EXPECT_FALSE(f.form->ExpandMI->icon().isNull());
}

TEST(TrpPreviewForm, ZoomBoxShowsTheWholeZoomText)
{
    FormFixture f(1, programButtons);
    QLineEdit *edit = f.form->ZoomCB->lineEdit();
    for (const QString zoom : {QStringLiteral("100%"), QStringLiteral("200%")}) {
        f.form->ZoomCB->setEditText(zoom);
        QCoreApplication::processEvents();
        // The line edit keeps 2 pixels on each side of its text.
        const QMargins margins = edit->textMargins();
        const int room = edit->contentsRect().width() - margins.left() - margins.right() - 4;
        EXPECT_GE(room, edit->fontMetrics().horizontalAdvance(zoom)) << zoom.toStdString();
    }
}

TEST(TrpPreviewForm, MdiChildPreviewOpensAsSubWindowOfTheProgramsArea)
{
    QMdiArea area;
    area.resize(1000, 750);
    area.show();
    SetPreviewMdiArea(&area);
    QTemporaryDir dir;
    for (const bool mdiChild : {true, false}) {
        SCOPED_TRACE(mdiChild ? "MDI child" : "own window");
        StoreReport r;
        r.report->SetIniFile(dir.path() + QStringLiteral("/preview.ini"));
        r.store->addPages(2);
        r.report->PreviewOptions()->SetButtons(programButtons);
        r.report->PreviewOptions()->SetMDIChild(mdiChild);
        int closed = 0;
        r.report->OnClosePreview = [&closed](TrpReport *) { ++closed; };
        QPointer<TrpPreviewForm> form = new TrpPreviewForm(r.report.get());
        form->PreviewControl()->SetReport(r.report.get(), r.store);
        form->Init();
        form->Show(false, false);
        EXPECT_EQ(area.subWindowList().size(), mdiChild ? 1 : 0);
        EXPECT_EQ(form->SubWindow() != nullptr, mdiChild);
        EXPECT_EQ(form->isWindow(), !mdiChild);
        EXPECT_TRUE(form->isVisible());
        // The close button closes the sub-window with the preview.
        form->CancelB->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(form.isNull());
        EXPECT_EQ(closed, 1);
        EXPECT_TRUE(area.subWindowList().isEmpty());
    }
    SetPreviewMdiArea(nullptr);
}
