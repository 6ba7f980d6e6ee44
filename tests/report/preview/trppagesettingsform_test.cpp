// The page settings dialog: units, paper choice, orientation, the
// custom size and writing the page only on a complete OK.
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpoptions.h"
#include "report/preview/pagesettingsunits.h"
#include "report/preview/trppagesettingsform.h"
#include "tests/support/scriptedmessageboxes.h"

#include "platform/registryini.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(PageSettingsUnits, ShowsCentimetresOrInches)
{
    struct Case {
        int stored;
        const char *shown210; // a 210 mm length
        const char *label;
    } cases[] = {
        {0, "21", "cm"}, {1, "8.27", "in"}, {2, "21", "cm"}, {3, "21", "cm"},
        // Unknown units show centimetres instead of zeros.
        {4, "21", "cm"}, {-1, "21", "cm"}, {255, "21", "cm"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        const PageSettingsUnits units(c.stored);
        EXPECT_EQ(units.Text(210), QString::fromLatin1(c.shown210));
        EXPECT_EQ(units.Label(), QString::fromLatin1(c.label));
        EXPECT_DOUBLE_EQ(units.ToMm(units.FromMm(123.4)), 123.4);
    }
    EXPECT_DOUBLE_EQ(PageSettingsUnits(1).ToMm(2), 50.8);
    EXPECT_DOUBLE_EQ(PageSettingsUnits(9).ToMm(2), 20);
}

namespace {

// A report whose settings live in a temporary ini file, and one A4
// portrait page with 10 mm margins.
struct PageFixture {
    QTemporaryDir dir;
    TrpReport report{nullptr};
    TrpReportPage *page = new TrpReportPage(&report);
    explicit PageFixture(int units)
    {
        const QString ini = dir.path() + QStringLiteral("/report.ini");
        bralvo::platform::IniFileStore(ini).writeInteger(QStringLiteral("Form.TrpDesignerForm"),
                                                         QStringLiteral("Units"), units);
        report.SetIniFile(ini);
        page->SetOrientation(poPortrait);
        page->SetPaperSize(9);
        page->SetLeftMargin(10);
        page->SetRightMargin(10);
        page->SetTopMargin(10);
        page->SetBottomMargin(10);
    }
};

// Runs the dialog on the fixture's page; Act works on the shown form.
template <typename Act>
int runForm(PageFixture &f, Act act)
{
    TrpPageSettingsForm form;
    form.Page = f.page;
    form.Report = &f.report;
    QTimer::singleShot(0, [&form, act] { act(form); });
    return form.exec();
}

} // namespace

TEST(TrpPageSettingsForm, ShowsThePageInTheDesignerUnits)
{
    PageFixture f(1);
    runForm(f, [](TrpPageSettingsForm &form) {
        EXPECT_EQ(form.WidthE->text(), QStringLiteral("8.27"));
        EXPECT_EQ(form.HeightE->text(), QStringLiteral("11.69"));
        EXPECT_EQ(form.MarginLeftE->text(), QStringLiteral("0.39"));
        EXPECT_EQ(form.UnitL1->text(), QStringLiteral("in"));
        EXPECT_EQ(form.UnitL6->text(), QStringLiteral("in"));
        EXPECT_EQ(form.SizeCB->currentData().toInt(), 9);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Page Settings"));
        EXPECT_TRUE(form.PortraitRB->isChecked());
        EXPECT_TRUE(form.PortraitImg->isVisibleTo(&form));
        EXPECT_FALSE(form.LandscapeImg->isVisibleTo(&form));
        form.reject();
    });
}

TEST(TrpPageSettingsForm, LandscapeA4FillsTheTurnedSize)
{
    PageFixture f(0);
    const int result = runForm(f, [](TrpPageSettingsForm &form) {
        form.LandscapeRB->click();
        EXPECT_EQ(form.WidthE->text(), QStringLiteral("29.70"));
        EXPECT_EQ(form.HeightE->text(), QStringLiteral("21"));
        EXPECT_TRUE(form.LandscapeImg->isVisibleTo(&form));
        QTest::mouseClick(form.OKB, Qt::LeftButton);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(f.page->Orientation(), poLandscape);
    EXPECT_DOUBLE_EQ(f.page->PaperWidth(), 297);
    EXPECT_DOUBLE_EQ(f.page->PaperHeight(), 210);
    EXPECT_EQ(f.page->PaperSize(), 9);
}

TEST(TrpPageSettingsForm, TypingASizeSwitchesToTheCustomPaper)
{
    PageFixture f(0);
    runForm(f, [](TrpPageSettingsForm &form) {
        EXPECT_EQ(form.SizeCB->currentData().toInt(), 9); // opening changes nothing
        form.WidthE->selectAll();
        QTest::keyClicks(form.WidthE, QStringLiteral("15"));
        EXPECT_EQ(form.SizeCB->currentIndex(), 0);
        EXPECT_EQ(form.SizeCB->currentData().toInt(), 256);
        form.HeightE->setText(QStringLiteral("20,5"));
        form.MarginTopE->setText(QStringLiteral("1.5"));
        QTest::mouseClick(form.OKB, Qt::LeftButton);
    });
    EXPECT_EQ(f.page->PaperSize(), 256);
    EXPECT_DOUBLE_EQ(f.page->PaperWidth(), 150);
    EXPECT_DOUBLE_EQ(f.page->PaperHeight(), 205);
    EXPECT_DOUBLE_EQ(f.page->TopMargin(), 15);
}

TEST(TrpPageSettingsForm, CancelOrABadNumberLeavesThePageUnchanged)
{
    PageFixture f(0);
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    const int result = runForm(f, [](TrpPageSettingsForm &form) {
        form.LandscapeRB->click();
        form.MarginLeftE->setText(QStringLiteral("2"));
        form.MarginBottomE->setText(QStringLiteral("abc"));
        QTest::mouseClick(form.OKB, Qt::LeftButton); // refused: the dialog stays
        EXPECT_TRUE(form.isVisible());
        QTest::mouseClick(form.CancelB, Qt::LeftButton);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes().at(0).flags, bralvo::platform::kMbIconError);
    EXPECT_EQ(f.page->Orientation(), poPortrait);
    EXPECT_DOUBLE_EQ(f.page->PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(f.page->LeftMargin(), 10);
}
