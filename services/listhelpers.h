// Text and list helpers the windows share: padding, transliteration,
// searching lists and grid columns, stepping a selection after a delete.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

namespace bralvo::platform { class StringGrid; }

namespace bralvo::services {

// Pads or cuts text to width characters. Mode 'L' keeps the text left
// (pads after, cuts the end), 'R' keeps it right, 'C' centres it (the
// extra pad goes after); any other mode counts as 'R'.
QString PadString(const QString &text, QChar pad, QChar mode, int width);

// A copy with the accented and typographic characters of Windows-1250
// replaced by plain ASCII ("Žltý kôň" gives "Zlty kon"). Characters
// outside that code page are kept.
QString RemoveDiacritics(const QString &text);

// The first index whose item contains text (partial: case-sensitive, an
// empty text never matches) or equals it ignoring case (not partial);
// -1 when none.
int IndexInStringList(const QString &text, const QStringList &list, bool partial);
int IndexInStrings(const QString &text, const QComboBox &combo, bool partial);
int IndexInStrings(const QString &text, const QListWidget &list, bool partial);

// The first row, titles included, whose cell in col contains text
// (partial) or equals it ignoring the case of A-Z only; -1 when none.
int IndexInGridColumn(const QString &text, int col, const platform::StringGrid &grid,
                      bool partial);

// Selects the entry that follows a deleted one: index is where the
// deleted entry stood, |delta| how many rows after the data the list
// keeps (0 for lists, 1 for a grid with a totals row).
void StepListBoxSelection(QListWidget &list, int index, int delta);
void StepComboSelection(QComboBox &combo, int index, int delta);
void StepGridRow(platform::StringGrid &grid, int row, int delta);

// The index the step rule picks among count entries (-1 for none).
int SteppedIndex(int count, int index, int delta);

} // namespace bralvo::services
