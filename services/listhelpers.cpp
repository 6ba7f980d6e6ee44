// Padding, transliteration, list searches and selection stepping.
#include "services/listhelpers.h"

#include "platform/widgets/stringgrid.h"

#include <QComboBox>
#include <QHash>
#include <QListWidget>
#include <QStringDecoder>

namespace bralvo::services {

namespace {

// Targets of the Windows-1250 bytes 0x80-0xFF, sixteen to a line.
const char kTransliteration[] =
    "@@,f\".@@^%S<STZZ"
    " ''\"\".__\"@s>stzz"
    " ^\"L A|@\"@S\"  @Z"
    "\"+,l'm .,as\"L\"lz"
    "RAAAALCCCEEEEIID"
    "DNNOOOOxRUUUUYT@"
    "raaaalccceeeeiid"
    "dnnoooo/ruuuuyt ";

const QHash<QChar, QChar> &transliterationTable()
{
    static const QHash<QChar, QChar> table = [] {
        QHash<QChar, QChar> t;
        QStringDecoder decode("windows-1250");
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char raw = char(byte);
            const QString ch = decode(QByteArrayView(&raw, 1));
            if (ch.size() == 1 && ch[0] != QChar::ReplacementCharacter)
                t.insert(ch[0], QLatin1Char(kTransliteration[byte - 0x80]));
        }
        return t;
    }();
    return table;
}

bool matches(const QString &text, const QString &item, bool partial)
{
    if (partial)
        return !text.isEmpty() && item.contains(text, Qt::CaseSensitive);
    return item.compare(text, Qt::CaseInsensitive) == 0;
}

bool equalsIgnoringAsciiCase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        QChar x = a[i], y = b[i];
        if (x.unicode() < 128)
            x = x.toUpper();
        if (y.unicode() < 128)
            y = y.toUpper();
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

QString PadString(const QString &text, QChar pad, QChar mode, int width)
{
    const QChar m = (mode == 'L' || mode == 'C') ? mode : QChar('R');
    const int n = int(text.size());
    if (n == width)
        return text;
    if (n > width) {
        if (m == 'L')
            return text.left(width);
        if (m == 'R')
            return text.right(width);
        return text.mid((n - width + 2) / 2 - 1, width);
    }
    const int k = width - n;
    if (m == 'L')
        return text + QString(k, pad);
    if (m == 'R')
        return QString(k, pad) + text;
    return QString(k / 2, pad) + text + QString(k - k / 2, pad);
}

QString RemoveDiacritics(const QString &text)
{
    const auto &table = transliterationTable();
    QString out = text;
    for (QChar &c : out) {
        if (c.unicode() >= 0x80)
            c = table.value(c, c);
    }
    return out;
}

int IndexInStringList(const QString &text, const QStringList &list, bool partial)
{
    for (int i = 0; i < list.size(); ++i)
        if (matches(text, list[i], partial))
            return i;
    return -1;
}

int IndexInStrings(const QString &text, const QComboBox &combo, bool partial)
{
    for (int i = 0; i < combo.count(); ++i)
        if (matches(text, combo.itemText(i), partial))
            return i;
    return -1;
}

int IndexInStrings(const QString &text, const QListWidget &list, bool partial)
{
    for (int i = 0; i < list.count(); ++i)
        if (matches(text, list.item(i)->text(), partial))
            return i;
    return -1;
}

int IndexInGridColumn(const QString &text, int col, const platform::StringGrid &grid,
                      bool partial)
{
    for (int row = 0; row < grid.rowCount(); ++row) {
        const QString cell = grid.cell(col, row);
        const bool hit = partial ? (!text.isEmpty() && cell.contains(text))
                                 : equalsIgnoringAsciiCase(cell, text);
        if (hit)
            return row;
    }
    return -1;
}

int SteppedIndex(int count, int index, int delta)
{
    const int d = qAbs(delta);
    const int target = index + d;
    if (target <= count - 1)
        return target;
    return count - 1 - (count > d + 1 ? 1 : 0);
}

void StepListBoxSelection(QListWidget &list, int index, int delta)
{
    list.setCurrentRow(SteppedIndex(list.count(), index, delta));
}

void StepComboSelection(QComboBox &combo, int index, int delta)
{
    combo.setCurrentIndex(SteppedIndex(combo.count(), index, delta));
}

void StepGridRow(platform::StringGrid &grid, int row, int delta)
{
    const int d = qAbs(delta);
    const int target = row + d;
    const int count = grid.rowCount();
    if (target <= count - 1 - grid.fixedRows())
        grid.setCurrentRowIndex(target);
    else
        grid.setCurrentRowIndex(count - 1 - (count > d + 1 ? 1 : 0));
}

} // namespace bralvo::services
