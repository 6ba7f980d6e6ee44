// The two lists of the query builder window: the tables the engine
// offers (a drag source; a double click inserts at the cascade position)
// and the field list inside a table box ("*" first, then "Name (Type)"
// items with check boxes; a drag source and a drop target for links).
#pragma once

#include "report/querybuilder/designer/qbdrag.h"

#include <QListWidget>
#include <functional>

namespace bralvo::report {

namespace ui {
class TqbTable;
}

class TqbTableListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TqbTableListBox(QWidget *parent = nullptr);

    // Called with a table name on a double click.
    std::function<void(const QString &)> OnInsert;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QbDragTracker m_drag;
};

class TqbCheckListBox : public QListWidget, public QbDropTarget {
    Q_OBJECT
public:
    explicit TqbCheckListBox(ui::TqbTable *box);

    ui::TqbTable *Box() const { return m_box; }
    bool CanDrop(QWidget *source, QPoint local) override;
    void Drop(QWidget *source, QPoint local) override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ui::TqbTable *m_box;
    QbDragTracker m_drag;
};

} // namespace bralvo::report
