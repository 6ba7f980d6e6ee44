// A paint device that wants the text drawn on it as runs of characters
// with their rectangles, in drawing order. Glyph runs carry no text, so
// the text layout reports each run it paints to a device of this kind
// (the preview's text search records pages this way).
#pragma once

#include <QRectF>
#include <QString>

namespace bralvo::report {

class TrpTextRunRecorder {
public:
    virtual ~TrpTextRunRecorder() = default;
    // Rect is in device pixels (the painter's transform applied).
    virtual void recordTextRun(const QString &text, const QRectF &rect) = 0;
};

} // namespace bralvo::report
