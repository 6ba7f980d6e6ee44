// The recording canvas: a paint engine that ignores all drawing but
// text, which it keeps with the painter's transform applied.
#include "report/preview/trprecordingcanvas.h"

#include <QPaintEngine>
#include <QTextItem>

namespace bralvo::report {

namespace {

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(TrpRecordingCanvas &canvas) : QPaintEngine(AllFeatures), m_canvas(canvas) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint *, int, PolygonDrawMode) override {}
    void drawRects(const QRectF *, int) override {}
    void drawRects(const QRect *, int) override {}
    void drawLines(const QLineF *, int) override {}
    void drawLines(const QLine *, int) override {}
    void drawEllipse(const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override {}
    // Glyph runs arrive without characters; the text layout reports
    // those itself (TrpTextRunRecorder).
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QString text = item.text();
        if (text.isEmpty())
            return;
        const QRectF box(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        m_canvas.recordTextRun(text, m_transform.mapRect(box));
    }
    Type type() const override { return User; }

private:
    TrpRecordingCanvas &m_canvas;
    QTransform m_transform;
};

} // namespace

TrpRecordingCanvas::TrpRecordingCanvas(const QSize &size)
    : m_size(size), m_engine(std::make_unique<RecordingEngine>(*this))
{
}

TrpRecordingCanvas::~TrpRecordingCanvas() = default;

void TrpRecordingCanvas::recordTextRun(const QString &text, const QRectF &rect)
{
    m_runs.append(TrpTextRun{text, rect});
}

QPaintEngine *TrpRecordingCanvas::paintEngine() const
{
    return m_engine.get();
}

int TrpRecordingCanvas::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * 25.4 / 96);
    case PdmHeightMM:
        return qRound(m_size.height() * 25.4 / 96);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmNumColors:
        return 1 << 24;
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return 0;
    }
}

} // namespace bralvo::report
