// Window helpers: link labels, money columns, focus colours, centred
// panels, column widths, cell drawing and grid row stepping.
#include "services/gridhelpers.h"
#include "services/listhelpers.h"
#include "services/windowhelpers.h"

#include "platform/regionalsettings.h"
#include "platform/widgets/stringgrid.h"

#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryFile>
#include <QUrl>
#include <gtest/gtest.h>

using namespace bralvo::services;

namespace {

// Stands in for the browser and mail program: records every URL the
// desktop was asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char *scheme : {"http", "https", "mailto", "file", "ftp", "javascript", "smb"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlRecorder() override
    {
        for (const char *scheme : {"http", "https", "mailto", "file", "ftp", "javascript", "smb"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QStringList opened;

public slots:
    void open(const QUrl &url) { opened << url.toString(); }
};

TEST(OpenControlLink, OnlyWebMailAndExistingLocalFiles)
{
    QTemporaryFile existing;
    ASSERT_TRUE(existing.open());
    struct Case {
        QString hint;
        QString caption;
        bool opened;
    };
    const Case cases[] = {
        {"http://www.example.com/", "", true},
        {"https://www.iso.org/iso-4217-currency-codes.html", "", true},
        {"mailto:info@example.com?subject=Program Bralvo&body=", "", true},
        {"", "https://www.example.com/", true},  // the caption when there is no hint
        {existing.fileName(), "", true},
        {"/no/such/file.txt", "", false},
        {"ftp://example.com/", "", false},
        {"javascript:alert(1)", "", false},
        {"smb://server/share", "", false},
        {"/bin/sh -c reboot", "", false},
        {"", "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.hint + " | " + c.caption).toStdString());
        UrlRecorder recorder;
        QLabel label(c.caption);
        label.setToolTip(c.hint);
        OpenControlLink(label);
        EXPECT_EQ(recorder.opened.size(), c.opened ? 1 : 0);
    }
}

TEST(FormatGridMoneyColumns, RewritesDataRowsOfListedColumns)
{
    bralvo::platform::RegionalSettings slovak = bralvo::platform::regionalSettings();
    slovak.decimalSeparator = QLatin1Char(',');
    slovak.thousandSeparator = QLatin1Char(' ');
    const bralvo::platform::ScopedRegionalSettings scoped(slovak);
    bralvo::platform::StringGrid grid;
    grid.setColumnCount(3);
    grid.setRowCount(4);
    const char *cells[4][3] = {{"Názov", "Suma", "DPH"},
                               {"a", "1234.5", "19"},
                               {"b", "1,2,3", "0.125"},
                               {"Spolu", "99", "7"}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            grid.setCell(col, row, cells[row][col]);
    FormatGridMoneyColumns(grid, "1;2");
    EXPECT_EQ(grid.cell(1, 0), "Suma");        // titles untouched
    EXPECT_EQ(grid.cell(1, 1), "1 234,50");
    EXPECT_EQ(grid.cell(2, 1), "19,00");
    EXPECT_EQ(grid.cell(1, 2), "1,2,3");       // no number: left as it was
    EXPECT_EQ(grid.cell(2, 2), "0,13");
    EXPECT_EQ(grid.cell(1, 3), "99");          // totals row untouched
    EXPECT_EQ(grid.cell(0, 1), "a");
}

TEST(FormatGridMoneyColumns, GridOfTwoRowsIsLeftAlone)
{
    bralvo::platform::StringGrid grid;
    grid.setColumnCount(1);
    grid.setRowCount(2);
    grid.setCell(0, 1, "5");
    FormatGridMoneyColumns(grid, "0");
    EXPECT_EQ(grid.cell(0, 1), "5");
}

// Fields take the focus colour, buttons a maroon font; leaving gives back
// what the window's slot kept. Grids are no input field and stay as they are.
TEST(HighlightOnEnter, FieldsAndButtonsAndTheSlot)
{
    MainColor = QColor(0xCF, 0xE6, 0xFE);
    SavedControlColors = {QColor()};
    QLineEdit edit;
    QPalette yellow = edit.palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    edit.setPalette(yellow);
    HighlightOnEnter(edit, 1, 3);
    EXPECT_EQ(SavedControlColors.size(), 3);
    EXPECT_EQ(SavedControlColors[2], QColor(Qt::yellow));
    EXPECT_EQ(edit.palette().color(QPalette::Base), MainColor);
    RestoreColorOnExit(edit, 3);
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(Qt::yellow));

    QPushButton button("OK");
    const QColor text = button.palette().color(QPalette::ButtonText);
    HighlightOnEnter(button, 1, 3);
    EXPECT_EQ(button.palette().color(QPalette::ButtonText), QColor(128, 0, 0));
    RestoreColorOnExit(button, 3);
    EXPECT_EQ(button.palette().color(QPalette::ButtonText), text);

    QListWidget list;
    HighlightOnEnter(list, 1, 4);
    EXPECT_EQ(list.palette().color(QPalette::Base), MainColor);

    const QColor listSaved = SavedControlColors[3];
    bralvo::platform::StringGrid grid;
    const QColor gridBase = grid.palette().color(QPalette::Base);
    HighlightOnEnter(grid, 1, 4);
    EXPECT_EQ(grid.palette().color(QPalette::Base), gridBase);
    EXPECT_EQ(SavedControlColors[3], listSaved);
}

TEST(RestoreColorOnExit, SlotNeverFilledGivesTheDefaultColour)
{
    SavedControlColors = {QColor()};
    QLineEdit edit;
    const QColor base = edit.palette().color(QPalette::Base);
    QPalette odd = edit.palette();
    odd.setColor(QPalette::Base, Qt::red);
    edit.setPalette(odd);
    RestoreColorOnExit(edit, 9);
    EXPECT_EQ(edit.palette().color(QPalette::Base), base);
}

TEST(CenterPanels, CentresOnlyPanelsNamedPnl)
{
    QWidget window;
    window.resize(400, 300);
    QWidget panel(&window), other(&window);
    panel.setObjectName("pnlMain");
    other.setObjectName("Panel1");
    panel.resize(101, 50);
    other.setGeometry(7, 9, 100, 50);
    CenterPanels(window);
    EXPECT_EQ(panel.pos(), QPoint(149, 125));
    EXPECT_EQ(other.pos(), QPoint(7, 9));
    window.resize(50, 30);  // smaller than the panel: negative, toward zero
    CenterPanels(window);
    EXPECT_EQ(panel.pos(), QPoint(-25, -10));
}

TEST(SetGridColWidths, ListedWidthsAndHiddenColumns)
{
    bralvo::platform::StringGrid grid;
    grid.setColumnCount(4);
    grid.setRowCount(2);
    SetGridColWidths(grid, "70;100;-1;-1", false);
    EXPECT_EQ(grid.colWidth(0), 70);
    EXPECT_EQ(grid.colWidth(1), 100);
    EXPECT_TRUE(grid.isColumnHidden(2));
    EXPECT_TRUE(grid.isColumnHidden(3));
    SetGridColWidths(grid, "", false);
    EXPECT_EQ(grid.colWidth(0), 70);
    SetGridColWidths(grid, "55;10", true);
    for (int col = 0; col < 4; ++col)
        EXPECT_EQ(grid.colWidth(col), 55) << col;
}

// A centred text wider than its column starts left of the cell and is
// clipped there: the cell's own first pixels carry ink, nothing outside.
TEST(DrawGridCell, WideCentredTextIsClippedToTheCell)
{
    bralvo::platform::StringGrid grid;
    grid.setColumnCount(2);
    grid.setRowCount(1);
    grid.setColumnWidth(1, 40);
    grid.setRowHeight(0, 20);
    grid.setCell(1, 0, "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");
    QImage image(120, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setBrush(Qt::white);
    const QRect cell(40, 0, 40, 20);
    DrawGridCell(painter, grid, 0, 1, QFont::Normal, false, 2, AlignCenter, Qt::black, 10, QString(), cell);
    painter.end();
    auto inkInColumns = [&](int from, int to) {
        for (int x = from; x <= to; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(x, y) != QColor(Qt::white))
                    return true;
        return false;
    };
    EXPECT_TRUE(inkInColumns(40, 42));  // a left-aligned text would start at +4
    EXPECT_FALSE(inkInColumns(0, 39));
    EXPECT_FALSE(inkInColumns(80, 119));
}

TEST(StepGridRow, RowAfterTheDeletedOneOrTheLastDataRow)
{
    bralvo::platform::StringGrid grid;
    grid.setColumnCount(1);
    grid.setRowCount(6);  // titles, four lines, the totals row
    StepGridRow(grid, 2, 1);
    EXPECT_EQ(grid.currentRowIndex(), 3);
    StepGridRow(grid, 4, 1);  // the last line went: the one before the totals
    EXPECT_EQ(grid.currentRowIndex(), 4);
}

} // namespace

#include "windowhelpers_test.moc"

namespace {

// A message box closing hands the focus back without a focus-out first,
// and the window's one slot was shared by fields and buttons: the saved
// colour became the highlight itself or another control's colour, and
// fields stayed blue or turned black, buttons stayed maroon.
TEST(HighlightOnEnter, ColoursStayPairedAcrossMessageBoxFocusMoves)
{
    SavedControlColors = {QColor()};
    QLineEdit name;
    QLineEdit other;
    QPushButton button("OK");
    const QColor base = name.palette().color(QPalette::Base);
    const QColor text = button.palette().color(QPalette::ButtonText);

    HighlightOnEnter(name, 1, 1);
    HighlightOnEnter(button, 1, 1);   // the slot now holds the button's font
    HighlightOnEnter(name, 1, 1);     // focus back after the box, no exit before
    RestoreColorOnExit(name, 1);
    RestoreColorOnExit(button, 1);
    RestoreColorOnExit(other, 1);     // an exit without an enter
    EXPECT_EQ(name.palette().color(QPalette::Base), base);
    EXPECT_EQ(button.palette().color(QPalette::ButtonText), text);
    EXPECT_EQ(other.palette().color(QPalette::Base), base);

    HighlightOnEnter(name, 1, 1);
    RestoreColorOnExit(name, 1);
    RestoreColorOnExit(name, 1);      // a second exit changes nothing
    EXPECT_EQ(name.palette().color(QPalette::Base), base);
}

} // namespace
