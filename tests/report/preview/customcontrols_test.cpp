// The scrolling base, the colour blend, the flat combo box and the
// saved window state.
#include "platform/registryini.h"
#include "report/model/trpview.h"
#include "report/preview/bandedscrollbarstyle.h"
#include "report/preview/trpcombobox.h"
#include "report/preview/trpcontrolutils.h"
#include "report/preview/trpformstate.h"
#include "report/preview/trpscrollwin.h"

#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

class CountingScrollWin : public TrpScrollWin {
public:
    int vertScrolled = 0;
    int horzScrolled = 0;

protected:
    void VertScrolled() override { ++vertScrolled; }
    void HorzScrolled() override { ++horzScrolled; }
};

// A window with a fixed page of 100 x 200 pixels.
void setPages(CountingScrollWin &w, int horzRange, int vertRange)
{
    w.SetHorzPage(100);
    w.SetVertPage(200);
    w.SetHorzRange(horzRange);
    w.SetVertRange(vertRange);
}

// A scroll bar of that shape drawn into an image, with or without the
// banded style.
QImage drawnBar(Qt::Orientation orientation, QSize size, int value, QStyle *style)
{
    QScrollBar bar(orientation);
    if (style)
        bar.setStyle(style);
    bar.setRange(0, 1000);
    bar.setPageStep(100);
    bar.setValue(value);
    bar.resize(size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    bar.render(&image);
    return image;
}

} // namespace

TEST(BandedScrollBarStyle, DrawsTheSamePixelsAsThePlainBar)
{
    BandedScrollBarStyle banded;
    const struct {
        Qt::Orientation orientation;
        QSize size;
        int value;
    } cases[] = {
        {Qt::Vertical, QSize(16, 700), 0},
        {Qt::Vertical, QSize(16, 700), 900},
        {Qt::Vertical, QSize(16, BandedScrollBarStyle::kBandRows * 3 + 1), 450},
        {Qt::Vertical, QSize(16, BandedScrollBarStyle::kBandRows), 10},
        {Qt::Horizontal, QSize(900, 16), 300},
        {Qt::Horizontal, QSize(40, 120), 0},
    };
    for (const auto &c : cases) {
        const QImage plain = drawnBar(c.orientation, c.size, c.value, nullptr);
        const QImage inBands = drawnBar(c.orientation, c.size, c.value, &banded);
        EXPECT_EQ(inBands, plain) << c.size.width() << "x" << c.size.height() << " at " << c.value;
    }
}

TEST(BandedScrollBarStyle, PageAreasDrawTheirBarsInBands)
{
    TrpScrollWin w;
    EXPECT_NE(qobject_cast<BandedScrollBarStyle *>(w.verticalScrollBar()->style()), nullptr);
    EXPECT_NE(qobject_cast<BandedScrollBarStyle *>(w.horizontalScrollBar()->style()), nullptr);
}

TEST(TrpScrollWin, ClampsPositionsToRangeMinusPage)
{
    struct Case {
        int range, wanted, position, barMaximum;
    } cases[] = {
        {1000, -5, 0, 1000},
        {1000, 300, 300, 1000},
        {1000, 5000, 800, 1000}, // range - page
        {150, 40, 0, 0},         // range smaller than the page
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.wanted);
        CountingScrollWin w;
        setPages(w, 0, c.range);
        w.SetVertPosition(c.wanted);
        EXPECT_EQ(w.VertPosition(), c.position);
        EXPECT_EQ(w.VertScrollMaximum(), c.barMaximum);
    }
}

TEST(TrpScrollWin, NotifiesOncePerRealChange)
{
    CountingScrollWin w;
    setPages(w, 500, 1000);
    w.SetVertPosition(50);
    w.SetVertPosition(50);
    w.SetVertPosition(-10); // 0: a change
    w.SetVertPosition(0);
    EXPECT_EQ(w.vertScrolled, 2);
    w.SetHorzPosition(1000); // clamped to 400
    w.SetHorzPosition(999);
    EXPECT_EQ(w.HorzPosition(), 400);
    EXPECT_EQ(w.horzScrolled, 1);
    EXPECT_EQ(w.vertScrolled, 2);
}

TEST(TrpScrollWin, ScrollBarMovesThePosition)
{
    CountingScrollWin w;
    w.resize(300, 300);
    setPages(w, 500, 1000);
    w.SetSmallChange(8);
    w.SetLargeChange(300);
    QScrollBar *bar = w.verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(w.VertPosition(), 8);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(w.VertPosition(), 308);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(w.VertPosition(), 800);
    EXPECT_EQ(w.vertScrolled, 3);
}

TEST(BlendColors, MixesPercentOrPerMilleOfTheFirstColour)
{
    struct Case {
        int c1, c2, a, result;
    } cases[] = {
        {0x0000FF, 0xFFFFFF, 30, 0xB3B3FF}, // 70 % white: 178.5 rounds up
        {0x0000FF, 0xFFFFFF, 50, 0x8080FF},
        {0xFF0000, 0x000000, 100, 0x1A0000}, // per mille from 100 on
        {0x000000, 0x00FF00, 999, 0x000000},
        {0x123456, 0x654321, 0, 0x654321},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.a);
        EXPECT_EQ(BlendColors(c.c1, c.c2, c.a), c.result);
    }
}

TEST(BlendColors, ResolvesSystemColoursFirst)
{
    const QColor highlight = ColorToQColor(clHighlight);
    const QColor window = ColorToQColor(clWindow);
    const int blended = BlendColors(clHighlight, clWindow, 30);
    EXPECT_EQ(blended & 0xFF, (window.red() * 70 + highlight.red() * 30 + 50) / 100);
    EXPECT_EQ((blended >> 16) & 0xFF, (window.blue() * 70 + highlight.blue() * 30 + 50) / 100);
}

TEST(TrpComboBox, PaintsTheButtonByState)
{
    TrpComboBox box;
    box.addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%")});
    EXPECT_EQ(box.ButtonWidth(), 11);
    EXPECT_EQ(box.ListHeight(), box.ItemHeight() * 3 + 2);
    EXPECT_EQ(box.CurrentButtonState(), TrpComboBox::ButtonState::Normal);
    EXPECT_EQ(TrpComboBox::ButtonFillColor(TrpComboBox::ButtonState::Normal), clBtnFace);
    EXPECT_EQ(TrpComboBox::ButtonFillColor(TrpComboBox::ButtonState::Hot), BlendColors(clHighlight, clWindow, 30));
    EXPECT_EQ(TrpComboBox::ButtonFillColor(TrpComboBox::ButtonState::Pressed),
              BlendColors(clHighlight, clWindow, 50));
    box.setEnabled(false);
    EXPECT_EQ(box.CurrentButtonState(), TrpComboBox::ButtonState::Disabled);
    box.SetReadOnly(true);
    EXPECT_TRUE(box.lineEdit()->isReadOnly());
    TrpComboBox empty;
    EXPECT_EQ(empty.ListHeight(), empty.ItemHeight() + 2);
}

namespace {

class TrpSampleForm : public QDialog {
    Q_OBJECT
};

struct IniFixture {
    QTemporaryDir dir;
    bralvo::platform::IniFileStore store{dir.path() + QStringLiteral("/state.ini")};
};

} // namespace

TEST(FormState, SavesAndRestoresBounds)
{
    IniFixture ini;
    TrpSampleForm saved;
    saved.setGeometry(40, 50, 320, 240);
    ASSERT_TRUE(rpSaveFormState(ini.store, &saved));
    const QString section = QStringLiteral("Form4.TrpSampleForm");
    EXPECT_EQ(ini.store.readInteger(section, QStringLiteral("Width"), 0), 320);
    EXPECT_EQ(ini.store.readString(section, QStringLiteral("Maximized"), QString()), QStringLiteral("0"));
    EXPECT_EQ(ini.store.readString(section, QStringLiteral("Visible"), QString()), QStringLiteral("0"));
    TrpSampleForm restored;
    restored.setGeometry(0, 0, 100, 100);
    ini.store.writeBool(section, QStringLiteral("Visible"), true);
    rpRestoreFormState(ini.store, &restored);
    EXPECT_EQ(restored.geometry(), QRect(40, 50, 320, 240));
    EXPECT_TRUE(restored.isVisible());
}

TEST(FormState, MaximizedWinsOverStoredBoundsAndDockIsIgnored)
{
    IniFixture ini;
    const QString section = QStringLiteral("Form4.TrpSampleForm");
    ini.store.writeInteger(section, QStringLiteral("Left"), 5);
    ini.store.writeInteger(section, QStringLiteral("Width"), 77);
    ini.store.writeBool(section, QStringLiteral("Maximized"), true);
    ini.store.writeString(section, QStringLiteral("Dock4"), QStringLiteral("NoSuchSite"));
    TrpSampleForm form;
    form.setGeometry(10, 20, 300, 200);
    rpRestoreFormState(ini.store, &form);
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_NE(form.normalGeometry().width(), 77);
    EXPECT_TRUE(form.isVisible());
}

#include "customcontrols_test.moc"
