// A canvas that draws nothing and keeps the text drawn on it: every text
// run with its rectangle, in drawing order. The preview's text search
// records a page on it at scale 1.0 and looks through the runs.
#pragma once

#include "report/engine/trptextrunrecorder.h"

#include <QList>
#include <QPaintDevice>
#include <QRectF>
#include <QString>
#include <memory>

class QPaintEngine;

namespace bralvo::report {

struct TrpTextRun {
    QString text;
    QRectF rect; // page pixels at zoom 1.0
};

class TrpRecordingCanvas : public QPaintDevice, public TrpTextRunRecorder {
public:
    // Size: the page in pixels at 96 per inch.
    explicit TrpRecordingCanvas(const QSize &size);
    ~TrpRecordingCanvas() override;

    const QList<TrpTextRun> &Runs() const { return m_runs; }
    void recordTextRun(const QString &text, const QRectF &rect) override;

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    QList<TrpTextRun> m_runs;
    std::unique_ptr<QPaintEngine> m_engine;
};

} // namespace bralvo::report
