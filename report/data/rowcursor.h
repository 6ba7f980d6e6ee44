// The result of a running statement read one row at a time, so a walk
// that only goes forward keeps no rows. A provider that cannot step its
// statements this way gives no cursor and the dataset fetches all rows.
#pragma once

#include "report/data/rowset.h"

namespace bralvo::data {

class RowCursor {
public:
    virtual ~RowCursor() = default;

    // The result's columns. A column whose type the statement does not
    // declare takes the type of the first non-null value read; it stays
    // ftUnknown until then.
    virtual const QList<ColumnInfo> &columns() const = 0;
    // Moves to the next row; false once the rows are done (further calls
    // keep answering false). Throws DataError when the statement fails.
    virtual bool step() = 0;
    // Appends the current row to rows, whose columns are this cursor's.
    virtual void read(RowSet &rows) = 0;
    // Ends the statement's run (and the locks it holds): the next step
    // runs it again and gives its first row.
    virtual void rewind() = 0;
};

} // namespace bralvo::data
