// TqbDesigner: the query builder window: a tool bar (Open, Save, Clear,
// Cancel, Ok) over three pages: "Model" (work area, column grid, table
// list), "SQL" (the generated text, read-only) and "Result" (the rows of
// the generated query, when the engine can run it). It edits the model
// of qbCore through the core's engine.
#pragma once

#include <QDialog>

class QTableView;
class QTabWidget;
class QToolBar;

namespace bralvo::report {

class TqbGrid;
class TqbSyntaxMemo;
class TqbTableArea;
class TqbTableListBox;

class TqbDesigner : public QDialog {
    Q_OBJECT
public:
    explicit TqbDesigner(QWidget *parent = nullptr);
    ~TqbDesigner() override;

    TqbTableArea *TableArea() const { return m_area; }
    TqbGrid *Grid() const { return m_grid; }
    TqbTableListBox *TableList() const { return m_tables; }
    TqbSyntaxMemo *Memo() const { return m_memo; }
    QTableView *ResultGrid() const { return m_result; }
    QTabWidget *Pages() const { return m_pages; }

    // The table list again from the engine.
    void FillTableList();
    void OpenModel();   // "Load from file"
    void SaveModel();   // "Save to file"
    void ClearModel();

    // The section and key path of the saved window position.
    static QString SettingsKeyPath();

private:
    QToolBar *makeToolBar();
    QWidget *makeModelPage();
    void pageChanged(int index);
    void showResult();
    void closeResult();
    void insertTable(const QString &name, const QPoint *at);
    void restorePosition();
    void savePosition() const;

    TqbTableArea *m_area;
    TqbGrid *m_grid;
    TqbTableListBox *m_tables;
    TqbSyntaxMemo *m_memo;
    QTableView *m_result;
    QTabWidget *m_pages;
    int m_lastPage = 0;
};

} // namespace bralvo::report
