// TqbGrid: the column grid of the query builder window. One row per grid
// record of the model: the field, then Visible, Where, Sort, Function and
// Group. Five in-place editors sit over the selected row and write back
// into the row's record; a popup menu moves rows up and down.
#pragma once

#include <QLineEdit>
#include <QTreeWidget>

class QComboBox;
class QFrame;
class QToolButton;

namespace bralvo::report {

class TqbModel;
class TqbTableArea;

// An edit box with an optional button panel on its right.
class TqbEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TqbEdit(QWidget *parent = nullptr);
    bool PanelVisible() const { return m_panelVisible; }
    void SetPanelVisible(bool visible);
    QToolButton *Button() const { return m_button; }

signals:
    void ButtonClick();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutPanel();

    QFrame *m_panel;
    QToolButton *m_button;
    bool m_panelVisible = false;
};

class TqbGrid : public QTreeWidget {
    Q_OBJECT
public:
    explicit TqbGrid(QWidget *parent = nullptr);

    void SetArea(TqbTableArea *area) { m_area = area; }
    TqbModel &Model() const;
    // Every row's cells again from the records.
    void UpdateGrid();
    // The editor of column 1..5 (tag), or nullptr.
    QWidget *Editor(int tag) const;
    // Fits the columns to the width, as on every resize.
    void FitColumns();
    void MoveRow(int delta);
    // The texts a row shows, columns 0..5.
    QStringList RowCells(int row) const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QComboBox *makeList(int tag, const QStringList &items);
    void placeEditors();
    void editorChanged(int tag);
    void rowSelected();

    TqbTableArea *m_area = nullptr;
    QWidget *m_editors[6] = {};
    bool m_updating = false;
};

} // namespace bralvo::report
