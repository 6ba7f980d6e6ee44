// The overview window's chart over Qt Charts. A pie is drawn flat (the
// 3D switch is only remembered). Bars stand one per row in their own slot
// of a category axis of at least 35 slots, so every row has a place and
// each bar keeps its own legend entry.
#pragma once

#include "db/overviews.h"

#include <QString>
#include <vector>

class QChart;

namespace bralvo::app {

class QtOverviewChart : public db::OverviewChart {
public:
    explicit QtOverviewChart(QChart &chart) : m_chart(chart) {}

    // Empties the series list and the axes.
    void clear();
    void setView3D(bool on) override { m_view3D = on; }
    void setAxisRange(db::ChartAxis axis, double minimum, double maximum) override;
    void addPieSeries(const std::vector<db::ChartSlice> &slices) override;
    void addBarSeries(double x, double y, const QString &xLabel, const QString &title) override;

    bool view3D() const { return m_view3D; }
    // Slot count of the bar chart's category axis.
    static constexpr int kMinimumSlots = 35;

private:
    struct Bar {
        int slot;
        double y;
        QString label, title;
    };
    void rebuildBars();

    QChart &m_chart;
    bool m_view3D = false;
    double m_valueMin = 0, m_valueMax = 5000;
    std::vector<Bar> m_bars;
};

} // namespace bralvo::app
