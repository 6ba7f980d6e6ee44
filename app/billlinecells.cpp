// The bill lines grid: numbers beside texts, the line writer, formatting.
#include "app/billlinecells.h"

#include "platform/conversionerror.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/stringgrid.h"
#include "services/numbers.h"
#include "services/roundtostep.h"

#include <set>

namespace bralvo::app {

namespace {

constexpr int kNumberRole = Qt::UserRole + 1;

QString money(double value)
{
    return services::FormatMoney(value);
}

QString percent(double value)
{
    return platform::FormatFloat(QStringLiteral("##0.##"), value, platform::regionalSettings()) + QLatin1Char('%');
}

bool isNumberColumn(int col)
{
    return col >= kColQuantity && col <= kColTotal;
}

// Text of an SQL number written with ".": "12.5".
QString sqlNumberText(double value)
{
    return QString::number(value, 'f', 8);
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

double LineNumber(const platform::StringGrid &grid, int col, int row)
{
    const QVariant stored = grid.cellData(col, row, kNumberRole);
    if (stored.isValid())
        return stored.toDouble();
    return CellTextNumber(grid.cell(col, row));
}

void SetLineNumber(platform::StringGrid &grid, int col, int row, double value)
{
    grid.setCellData(col, row, kNumberRole, value);
}

void CaptureLineNumbers(platform::StringGrid &grid)
{
    for (int row = 1; row <= grid.rowCount() - 2; ++row) {
        for (int col = kColQuantity; col <= kColTotal; ++col) {
            if (!grid.cellData(col, row, kNumberRole).isValid())
                SetLineNumber(grid, col, row, CellTextNumber(grid.cell(col, row)));
        }
    }
}

double NetPrice(double typed, double vat, bool typedWithVat)
{
    return typedWithVat ? typed / (vat + 100.0) * 100.0 : typed;
}

void WriteBillLine(platform::StringGrid &grid, int row, const NewBillLine &line)
{
    const double perUnits = line.perUnits > 0 ? line.perUnits : 1.0;
    const double unitPrice = services::RoundToStep(0, line.netPrice / perUnits, 0.01);
    double u = unitPrice;
    if (line.addsVat)
        u += line.vat / 100.0 * u;
    double amount = u * line.quantity;
    amount -= line.discount / 100.0 * amount;
    grid.setCell(kColCode, row, line.code);
    grid.setCell(kColName, row, line.name);
    grid.setCell(kColQuantity, row, money(line.quantity) + QLatin1Char(' ') + line.unit);
    grid.setCell(kColDiscount, row, money(line.discount) + QLatin1Char('%'));
    grid.setCell(kColUnitPrice, row, money(unitPrice));
    grid.setCell(kColVat, row, line.vatText + QLatin1Char('%'));
    grid.setCell(kColTotal, row, money(amount));
    grid.setCell(kColUnit, row, line.unit);
    grid.setCell(kColAddsVat, row, line.addsVat ? QStringLiteral("1") : QStringLiteral("0"));
    grid.setCell(grid.columnCount() - 1, row, line.itemId);
    SetLineNumber(grid, kColQuantity, row, line.quantity);
    SetLineNumber(grid, kColDiscount, row, line.discount);
    SetLineNumber(grid, kColUnitPrice, row, unitPrice);
    SetLineNumber(grid, kColVat, row, line.vat);
    SetLineNumber(grid, kColTotal, row, services::RoundToStep(0, amount, 0.01));
}

void FormatLineCells(platform::StringGrid &grid, const QString &mainCurrency)
{
    for (int row = 1; row <= grid.rowCount() - 2; ++row) {
        grid.setCell(kColQuantity, row,
                     money(LineNumber(grid, kColQuantity, row)) + QLatin1Char(' ') + grid.cell(kColUnit, row));
        grid.setCell(kColDiscount, row, percent(LineNumber(grid, kColDiscount, row)));
        grid.setCell(kColVat, row, percent(LineNumber(grid, kColVat, row)));
    }
    FormatLineMoneyCells(grid, mainCurrency);
}

void FormatLineMoneyCells(platform::StringGrid &grid, const QString &mainCurrency)
{
    for (int row = 1; row <= grid.rowCount() - 2; ++row) {
        for (int col : {int(kColUnitPrice), int(kColTotal)})
            grid.setCell(col, row, money(LineNumber(grid, col, row)) + QLatin1Char(' ') + mainCurrency);
    }
}

void RemoveLineRow(platform::StringGrid &grid, int from)
{
    for (int row = from; row <= grid.rowCount() - 2; ++row) {
        for (int col = 0; col < grid.columnCount(); ++col) {
            grid.setCell(col, row, grid.cell(col, row + 1));
            grid.setCellData(col, row, kNumberRole, grid.cellData(col, row + 1, kNumberRole));
        }
    }
    grid.setRowCount(grid.rowCount() - 1);
}

void AppendInputRow(platform::StringGrid &grid)
{
    grid.setRowCount(grid.rowCount() + 1);
    const int last = grid.rowCount() - 1;
    for (int col = 0; col < grid.columnCount(); ++col) {
        grid.setCell(col, last, QString());
        grid.setCellData(col, last, kNumberRole, QVariant());
    }
}

std::vector<db::BillLine> BillLinesOf(const platform::StringGrid &grid)
{
    std::vector<db::BillLine> lines;
    for (int row = 1; row <= grid.rowCount() - 2; ++row) {
        db::BillLine line;
        line.quantity = sqlNumberText(LineNumber(grid, kColQuantity, row));
        line.discount = sqlNumberText(LineNumber(grid, kColDiscount, row));
        line.unitPrice = sqlNumberText(LineNumber(grid, kColUnitPrice, row));
        line.addsVat = grid.cell(kColAddsVat, row) == QLatin1String("1");
        line.itemId = grid.cell(grid.columnCount() - 1, row);
        lines.push_back(line);
    }
    return lines;
}

int DistinctVatRates(const platform::StringGrid &grid, bool withoutVat)
{
    std::set<double> rates;
    for (int row = 1; row <= grid.rowCount() - 2; ++row)
        rates.insert(withoutVat ? 0.0 : LineNumber(grid, kColVat, row));
    return int(rates.size());
}

NewBillLine NewBillLineFromTexts(const LineFieldTexts &texts)
{
    NewBillLine line;
    line.name = texts.name;
    line.code = texts.code;
    line.unit = texts.unit;
    line.vatText = texts.vat;
    line.vat = CellTextNumber(texts.vat);
    line.quantity = CellTextNumber(texts.quantity);
    line.discount = CellTextNumber(texts.discount);
    line.perUnits = CellTextNumber(texts.perUnits);
    return line;
}

} // namespace bralvo::app
