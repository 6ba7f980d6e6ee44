// TqbTableArea: the work area of the query builder window. It holds the
// table boxes (in the model's table order) and draws the links between
// their fields; it is the drop target of the table list. All changes go
// through the model (tables, links and grid rows of qbCore) and the area
// keeps its boxes in step with it.
#pragma once

#include "report/querybuilder/designer/qbdrag.h"

#include <QList>
#include <QWidget>
#include <functional>

class QMenu;

namespace bralvo::report {

class TqbGrid;
class TqbModel;
namespace ui {
class TqbTable;
}
class TqbTableListBox;

class TqbTableArea : public QWidget, public QbDropTarget {
    Q_OBJECT
public:
    explicit TqbTableArea(QWidget *parent = nullptr);

    void SetGrid(TqbGrid *grid) { m_grid = grid; }
    TqbModel &Model() const;

    // A box for the table at x, y; the engine gives its fields.
    ui::TqbTable *InsertTable(int x, int y, const QString &tableName);
    // At the cascade position, which then moves on.
    ui::TqbTable *InsertTableCascade(const QString &tableName);
    QPoint CascadePosition() const { return m_cascade; }

    const QList<ui::TqbTable *> &Boxes() const { return m_boxes; }
    int IndexOf(const ui::TqbTable *box) const { return int(m_boxes.indexOf(box)); }
    ui::TqbTable *FindBox(const QString &tableName, const QString &alias) const;
    // Removes a box with its links and its grid rows (matched by table
    // name and alias, so another box of the same table keeps its rows).
    void RemoveBox(ui::TqbTable *box);
    // Boxes, ticks and links again from the model (after loading).
    void Rebuild();
    // Empties the model and the area.
    void ClearAll();

    // A field of one box ticked or unticked by the user.
    void FieldTicked(ui::TqbTable *box, int field, bool ticked);
    // A link from a field of one box to a field of another.
    void AddLink(ui::TqbTable *source, int sourceField, ui::TqbTable *dest, int destField);
    void BoxGeometryChanged(ui::TqbTable *box);
    int SelectedLink() const { return m_selectedLink; }
    // The link under a point of the area, -1 for none.
    int LinkAt(QPoint p) const;
    // The points a link is drawn through.
    QList<QPoint> LinkPoints(int link) const;
    void DeleteLink(int link);
    // The link options dialog; true when confirmed.
    bool EditLink(int link);

    bool CanDrop(QWidget *source, QPoint local) override;
    void Drop(QWidget *source, QPoint local) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    ui::TqbTable *createBox(int table);
    void refreshGrid();

    QList<ui::TqbTable *> m_boxes;
    TqbGrid *m_grid = nullptr;
    QPoint m_cascade{15, 15};
    int m_selectedLink = -1;
};

} // namespace bralvo::report
