// TqbTable: a table box on the work area: a title "table - alias" with
// an icon, close and minimise buttons, and the field list. The box is the
// view of one table of the model (its index in the area's box list is
// the table's number); moving or resizing it writes its geometry back.
#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

namespace bralvo::report {

class TqbCheckListBox;
class TqbTableArea;
struct TqbField;

// In a namespace of its own: the model's record of a table is TqbTable too.
namespace ui {

class TqbTable : public QFrame {
    Q_OBJECT
public:
    TqbTable(TqbTableArea *area, const QString &tableName, const QString &alias,
             const QList<TqbField> &fields);

    QString TableName() const { return m_tableName; }
    QString Alias() const { return m_alias; }
    TqbCheckListBox *FieldList() const { return m_list; }
    QLabel *Title() const { return m_title; }
    QToolButton *CloseButton() const { return m_close; }
    QToolButton *MinimiseButton() const { return m_minimise; }
    TqbTableArea *Area() const { return m_area; }
    // The model index of the list's current field, -1 for none.
    int SelectedField() const;
    // Ticks or unticks a field without running the tick handling.
    void SetTicked(int field, bool ticked);
    bool IsTicked(int field) const;
    bool Minimised() const { return m_savedHeight >= 0; }
    void ToggleMinimised();
    // The y (in the area's coordinates) where a link to field attaches.
    int AttachY(int field) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillList(const QList<TqbField> &fields);
    void layoutParts();

    TqbTableArea *m_area;
    QString m_tableName, m_alias;
    QLabel *m_title;
    QLabel *m_icon;
    QToolButton *m_close;
    QToolButton *m_minimise;
    TqbCheckListBox *m_list;
    int m_savedHeight = -1;
    QPoint m_grab;
    bool m_moving = false;
    bool m_resizing = false;
};

} // namespace ui
} // namespace bralvo::report
