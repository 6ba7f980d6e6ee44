// The scrolling base of the preview's page areas.
#include "report/preview/trpscrollwin.h"

#include "report/preview/bandedscrollbarstyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace bralvo::report {

namespace {

int clampPosition(int value, int range, int page)
{
    const int upper = range - page;
    if (upper < 0)
        return 0;
    return qBound(0, value, upper);
}

// One style for every page area's bars, living as long as the application.
QStyle *scrollBarStyle()
{
    static QPointer<BandedScrollBarStyle> style;
    if (!style) {
        style = new BandedScrollBarStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

TrpScrollWin::TrpScrollWin(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalScrollBar()->setStyle(scrollBarStyle());
    verticalScrollBar()->setStyle(scrollBarStyle());
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_color = palette().color(QPalette::Window);
    SetSmallChange(1);
    SetLargeChange(10);
}

void TrpScrollWin::SetLargeChange(int v)
{
    m_largeChange = v;
    horizontalScrollBar()->setPageStep(v);
    verticalScrollBar()->setPageStep(v);
}

void TrpScrollWin::SetSmallChange(int v)
{
    m_smallChange = v;
    horizontalScrollBar()->setSingleStep(v);
    verticalScrollBar()->setSingleStep(v);
}

void TrpScrollWin::SetBorderStyle(BorderStyle style)
{
    m_borderStyle = style;
    setFrameStyle(style == bsSingle ? int(QFrame::StyledPanel) | int(QFrame::Sunken) : int(QFrame::NoFrame));
}

// The Qt bar runs 0 .. range - page: its positions are exactly the ones
// our setter accepts. The page step stays LargeChange (the bar's "page
// up" moves by it).
void TrpScrollWin::applyBar(Qt::Orientation o)
{
    const bool horz = o == Qt::Horizontal;
    QScrollBar *bar = horz ? horizontalScrollBar() : verticalScrollBar();
    const int range = horz ? m_horzRange : m_vertRange;
    const int page = horz ? m_horzPage : m_vertPage;
    m_applying = true;
    bar->setRange(0, qMax(0, range - page));
    bar->setValue(horz ? m_horzPosition : m_vertPosition);
    m_applying = false;
}

void TrpScrollWin::SetHorzPage(int value)
{
    m_horzPage = value;
    SetHorzRange(m_horzRange);
}

void TrpScrollWin::SetVertPage(int value)
{
    m_vertPage = value;
    SetVertRange(m_vertRange);
}

void TrpScrollWin::SetHorzRange(int value)
{
    m_horzRange = value;
    applyBar(Qt::Horizontal);
}

void TrpScrollWin::SetVertRange(int value)
{
    m_vertRange = value;
    applyBar(Qt::Vertical);
}

void TrpScrollWin::SetHorzPosition(int value)
{
    const int v = clampPosition(value, m_horzRange, m_horzPage);
    if (v == m_horzPosition)
        return;
    m_horzPosition = v;
    applyBar(Qt::Horizontal);
    HorzScrolled();
}

void TrpScrollWin::SetVertPosition(int value)
{
    const int v = clampPosition(value, m_vertRange, m_vertPage);
    if (v == m_vertPosition)
        return;
    m_vertPosition = v;
    applyBar(Qt::Vertical);
    VertScrolled();
}

// The bars report the user's scrolling here; our own moves are ignored.
void TrpScrollWin::scrollContentsBy(int, int)
{
    if (m_applying)
        return;
    SetHorzPosition(horizontalScrollBar()->value());
    SetVertPosition(verticalScrollBar()->value());
}

void TrpScrollWin::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), m_color);
}

void TrpScrollWin::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

void TrpScrollWin::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const QSize s = viewport()->size();
    m_horzPage = s.width();
    m_vertPage = s.height();
    SetHorzRange(m_horzRange);
    SetVertRange(m_vertRange);
    SetHorzPosition(m_horzPosition);
    SetVertPosition(m_vertPosition);
}

} // namespace bralvo::report
