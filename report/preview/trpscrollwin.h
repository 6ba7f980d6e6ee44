// TrpScrollWin: a custom-painted control with its own scroll positions
// and ranges in pixels. The page areas of the preview derive from it.
//
// Positions are clamped to 0 .. range - page (0 when the range is
// smaller than the page). A position change from code or from the
// scroll bars stores the new value, moves the bar and then calls
// HorzScrolled / VertScrolled, once per real change.
#pragma once

#include <QAbstractScrollArea>

namespace bralvo::report {

class TrpScrollWin : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum BorderStyle { bsNone, bsSingle };

    explicit TrpScrollWin(QWidget *parent = nullptr);

    int HorzPage() const { return m_horzPage; }
    int HorzPosition() const { return m_horzPosition; }
    int HorzRange() const { return m_horzRange; }
    int VertPage() const { return m_vertPage; }
    int VertPosition() const { return m_vertPosition; }
    int VertRange() const { return m_vertRange; }
    void SetHorzPage(int value);
    void SetVertPage(int value);
    void SetHorzRange(int value);
    void SetVertRange(int value);
    void SetHorzPosition(int value);
    void SetVertPosition(int value);

    // Page and line steps of both scroll bars.
    int LargeChange() const { return m_largeChange; }
    void SetLargeChange(int v);
    int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int v);

    BorderStyle borderStyle() const { return m_borderStyle; }
    void SetBorderStyle(BorderStyle style);

    // The fill of the client area.
    QColor Color() const { return m_color; }
    void SetColor(const QColor &c) { m_color = c; viewport()->update(); }

    // The maximum the scroll bar was given: the range, or 0 when the
    // range is smaller than the page.
    int VertScrollMaximum() const { return m_vertRange < m_vertPage ? 0 : m_vertRange; }
    int HorzScrollMaximum() const { return m_horzRange < m_horzPage ? 0 : m_horzRange; }

protected:
    virtual void HorzScrolled() {}
    virtual void VertScrolled() {}
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Wheel events go to the parent: the window decides what they do.
    void wheelEvent(QWheelEvent *event) override;
    // The page size follows the visible client area.
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyBar(Qt::Orientation o);

    int m_horzPage = 0, m_horzPosition = 0, m_horzRange = 0;
    int m_vertPage = 0, m_vertPosition = 0, m_vertRange = 0;
    int m_largeChange = 10, m_smallChange = 1;
    BorderStyle m_borderStyle = bsNone;
    QColor m_color;
    bool m_applying = false;
};

} // namespace bralvo::report
