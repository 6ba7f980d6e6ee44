// TrpAliasesEditorForm ("Edit Aliases"): the dataset's alias and one row
// per field: a check box (visible or hidden), the alias (editable with
// Enter or F2) and the field name; Reset and Update (F5) read the fields
// again. OK writes the alias and the lines back.
#pragma once

#include "report/dataeditors/dataeditorlogic.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace bralvo::report {

class TrpAliasesTarget;

class TrpAliasesEditorForm : public QDialog {
    Q_OBJECT
public:
    TrpAliasesEditorForm(TrpAliasesTarget &dataset, QWidget *parent = nullptr);

    QList<AliasRow> Rows() const;
    void SetRows(const QList<AliasRow> &rows);
    void Reset();
    void Update();
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The fields without aliases (the dataset's aliases set aside meanwhile).
    QStringList plainFieldNames();

    TrpAliasesTarget &m_dataset;
    QLineEdit *m_alias;
    QTreeWidget *m_list;
};

} // namespace bralvo::report
