// Link labels and money columns: what OpenControlLink hands to the
// desktop, and how FormatGridMoneyColumns rewrites grid cells.
#include "services/gridhelpers.h"
#include "services/windowhelpers.h"

#include "platform/regionalsettings.h"
#include "platform/widgets/stringgrid.h"

#include <QDesktopServices>
#include <QLabel>
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

} // namespace

#include "windowhelpers_test.moc"
