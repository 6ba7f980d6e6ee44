// Drawing and shaping the string grids and list boxes of the windows.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <initializer_list>

class QComboBox;
class QListWidget;
class QPainter;
class QRect;
class QWidget;

namespace bralvo::platform { class StringGrid; }

namespace bralvo::services {

// widths: "70;100;-1;-1"; -1 hides a column, an empty text changes
// nothing. same: the first width goes to every column.
void SetGridColWidths(platform::StringGrid &grid, const QString &widths, bool same);

// A column title: UI text number `text`, or with text -1 the `fixed`
// text (hidden columns are titled with their field's name).
struct GridTitle {
    int text;
    const char *fixed;
};

// One column per title, titles in row 0, at least two rows (the title
// and an empty data row; more rows stay), then SetGridColWidths(grid,
// widths, false).
void SetupGridColumns(platform::StringGrid &grid, std::initializer_list<GridTitle> titles, const QString &widths);

// Rewrites the cells of the listed columns ("4;5") as money, skipping the
// title row and the last (totals) row; a grid under 3 rows is left alone.
void FormatGridMoneyColumns(platform::StringGrid &grid, const QString &columns);

// How the text of a cell sits in its rectangle.
enum GridAlignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

// Paints cell (col, row): fills rect with the painter's brush (the caller
// chose the background), then writes the text clipped to rect at
// vOffset below the top of a full-height row. An empty font name or a
// size of 0 keeps the painter's font; any other alignment writes no text.
void DrawGridCell(QPainter &painter, const platform::StringGrid &grid, int row, int col,
                  QFont::Weight weight, bool italic, int vOffset, int alignment,
                  const QColor &fontColor, int fontSize, const QString &fontName,
                  const QRect &rect);
void DrawGridCellPlain(QPainter &painter, const platform::StringGrid &grid, int row, int col,
                       int alignment, const QColor &fontColor, int fontSize,
                       const QString &fontName, const QRect &rect);

// Paints item index of a list box: 'L' at x = indent, 'R' and 'P' right
// aligned with room kept for a scroll bar; then SyncListBoxTops.
void DrawListBoxItem(QPainter &painter, QListWidget &list, const QRect &rect, QChar alignment,
                     QWidget &window, int index, int indent);

// Lists of the window sharing the list's "tag" property scroll to the
// same top row, unless their selection lies above the list's selection.
void SyncListBoxTops(QListWidget &list, QWidget &window);

// The drop-down is at least as wide as the widest item + 24 pixels.
void SetComboDropDownWidth(QComboBox &combo);

} // namespace bralvo::services
