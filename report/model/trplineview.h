// Straight lines with optional arrow heads. The line's colour, width and
// style are those of its frame: an axis-parallel line is the left (or
// top) side of a frame of zero width (height), a diagonal runs from the
// top-left to the bottom-right corner. Lines are kept in prepared pages
// by their Diff, not as full text.
#pragma once

#include "report/model/trpstretcheable.h"

namespace bralvo::report {

// The base of the report line and of the dot-matrix line.
class TrpCustomLineView : public TrpStretcheable {
    BRALVO_CLASS(TrpCustomLineView)
public:
    explicit TrpCustomLineView(platform::Component *owner);

    bool Diagonal() const { return m_diagonal; }
    void SetDiagonal(bool v) { m_diagonal = v; }
    bool ArrowEnd() const { return m_arrowEnd; }
    void SetArrowEnd(bool v) { m_arrowEnd = v; }
    int ArrowLength() const { return m_arrowLength; }     // pixels
    void SetArrowLength(int v) { m_arrowLength = v; }
    bool ArrowSolid() const { return m_arrowSolid; }
    void SetArrowSolid(bool v) { m_arrowSolid = v; }
    bool ArrowStart() const { return m_arrowStart; }
    void SetArrowStart(bool v) { m_arrowStart = v; }
    int ArrowWidth() const { return m_arrowWidth; }       // pixels
    void SetArrowWidth(int v) { m_arrowWidth = v; }

    // A line that is not diagonal is first made vertical (Width <=
    // Height: Width 0, frame [ftLeft]) or horizontal (Height 0, frame
    // [ftTop]); then the line and its arrow heads are drawn.
    void Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
    QString GetDescription() const override;

    // The two base corners of an arrow head with tip T for a line from F
    // at the given scale (exposed for tests and the exports).
    void ArrowCorners(QPoint tip, QPoint from, double scaleX, QPoint &c1, QPoint &c2) const;

private:
    void drawArrow(QPoint tip, QPoint from);

    bool m_diagonal = false;
    bool m_arrowEnd = false;
    int m_arrowLength = 20;
    bool m_arrowSolid = false;
    bool m_arrowStart = false;
    int m_arrowWidth = 5;
};

class TrpLineView : public TrpCustomLineView {
    BRALVO_CLASS(TrpLineView)
public:
    // Created by CreateDesigning with Flags: Diagonal when Flags is not
    // 0, ArrowEnd for 2 and 4, ArrowStart for 3 and 4.
    explicit TrpLineView(platform::Component *owner);
};

} // namespace bralvo::report
