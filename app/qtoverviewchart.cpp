#include "app/qtoverviewchart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QPieSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QtGlobal>
#include <algorithm>

namespace bralvo::app {

void QtOverviewChart::clear()
{
    m_chart.removeAllSeries();
    // A removed axis is no longer the chart's to free.
    for (QAbstractAxis *axis : m_chart.axes()) {
        m_chart.removeAxis(axis);
        delete axis;
    }
    m_bars.clear();
    m_valueMin = 0;
    m_valueMax = 5000;
}

void QtOverviewChart::setAxisRange(db::ChartAxis axis, double minimum, double maximum)
{
    // The category axis sizes itself to the rows; depth has no meaning here.
    if (axis != db::ChartAxis::Left)
        return;
    m_valueMin = minimum;
    m_valueMax = maximum;
    rebuildBars();
}

void QtOverviewChart::addPieSeries(const std::vector<db::ChartSlice> &slices)
{
    auto *series = new QPieSeries;
    for (const db::ChartSlice &s : slices)
        series->append(s.label, s.value);
    m_chart.addSeries(series);
}

void QtOverviewChart::addBarSeries(double x, double y, const QString &xLabel, const QString &title)
{
    m_bars.push_back({std::max(0, int(x) - 1), y, xLabel, title});
    rebuildBars();
}

// One stacked series whose set i is non-zero only in slot i: one bar per
// slot, one legend entry per bar.
void QtOverviewChart::rebuildBars()
{
    m_chart.removeAllSeries();
    // A removed axis is no longer the chart's to free.
    for (QAbstractAxis *axis : m_chart.axes()) {
        m_chart.removeAxis(axis);
        delete axis;
    }
    int slotCount = kMinimumSlots;
    for (const Bar &b : m_bars)
        slotCount = std::max(slotCount, b.slot + 1);
    QStringList categories;
    for (int i = 0; i < slotCount; ++i)
        categories << QString(i + 1, QLatin1Char(' '));  // distinct blank slotCount
    auto *series = new QStackedBarSeries;
    for (const Bar &b : m_bars) {
        // The axis drops a repeated category: shorten-alike labels get
        // invisible marks to stay apart.
        QString label = b.label;
        while (categories.contains(label))
            label += QChar(0x200B);
        categories[b.slot] = label;
        auto *set = new QBarSet(b.title);
        for (int i = 0; i < slotCount; ++i)
            *set << (i == b.slot ? b.y : 0.0);
        series->append(set);
    }
    m_chart.addSeries(series);
    auto *categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    auto *valueAxis = new QValueAxis;
    valueAxis->setRange(m_valueMin, m_valueMax);
    m_chart.addAxis(categoryAxis, Qt::AlignBottom);
    m_chart.addAxis(valueAxis, Qt::AlignLeft);
    series->attachAxis(categoryAxis);
    series->attachAxis(valueAxis);
}

} // namespace bralvo::app
