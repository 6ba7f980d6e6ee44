// The bill lines grid as the view of the bill's lines.
#include "app/billlinecells.h"

#include "app/billlines.h"
#include "platform/conversionerror.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/stringgrid.h"
#include "services/numbers.h"

namespace bralvo::app {

namespace {

QString money(double value)
{
    return services::FormatMoney(value);
}

QString percent(double value)
{
    return platform::FormatFloat(QStringLiteral("##0.##"), value, platform::regionalSettings()) + QLatin1Char('%');
}

void showLine(platform::StringGrid &grid, int row, const BillLineValues &line, const QString &mainCurrency)
{
    const QString symbol = QLatin1Char(' ') + mainCurrency;
    grid.setCell(kColCode, row, line.code);
    grid.setCell(kColName, row, line.name);
    grid.setCell(kColQuantity, row, money(line.quantity) + QLatin1Char(' ') + line.unit);
    grid.setCell(kColDiscount, row, percent(line.discount));
    grid.setCell(kColUnitPrice, row, money(line.unitPrice) + symbol);
    grid.setCell(kColVat, row, percent(line.vat));
    grid.setCell(kColTotal, row, money(line.total) + symbol);
    grid.setCell(kColUnit, row, line.unit);
    grid.setCell(kColAddsVat, row, line.addsVat ? QStringLiteral("1") : QStringLiteral("0"));
    for (int col = kColItemId; col < grid.columnCount(); ++col)
        grid.setCell(col, row, col == grid.columnCount() - 1 ? line.itemId : QString());
}

} // namespace

double CellTextNumber(const QString &text)
{
    QString number = text.trimmed();
    // What follows the number after a blank is a unit or a symbol, unless
    // the blank groups thousands ("1 234,50 Sk").
    const QChar group = platform::regionalSettings().thousandSeparator;
    int end = 0;
    while (end < number.size()) {
        const QChar c = number[end];
        const bool grouping = c == group && end + 1 < number.size() && number[end + 1].isDigit();
        if (!(c.isDigit() || c == u',' || c == u'.' || c == u'-' || c == u'+' || grouping))
            break;
        ++end;
    }
    number.truncate(end);
    number.remove(group);
    try {
        return services::ParseNumber(number);
    } catch (const platform::ConversionError &) {
        return 0;
    }
}

void ShowBillLines(platform::StringGrid &grid, const BillLines &lines, const QString &mainCurrency)
{
    const platform::StringGrid::BulkUpdate once(grid);
    grid.setRowCount(lines.count() + 2);
    for (int index = 0; index < lines.count(); ++index)
        showLine(grid, index + 1, lines.at(index), mainCurrency);
    const int input = grid.rowCount() - 1;
    for (int col = 0; col < grid.columnCount(); ++col)
        grid.setCell(col, input, QString());
}

} // namespace bralvo::app
