// Rows a StringGrid shows without holding a QString per cell: a block of
// rows kept in whatever compact form its maker chose, read as texts.
#pragma once

#include <QString>

namespace bralvo::platform {

class GridRowSource {
public:
    virtual ~GridRowSource() = default;
    virtual int rowCount() const = 0;
    // The text of one cell, row counted from the block's first row; ""
    // for a column the block does not have.
    virtual QString text(int col, int row) const = 0;
};

} // namespace bralvo::platform
