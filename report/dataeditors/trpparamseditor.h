// TrpParamsEditorForm ("Parameters editor"): one row per query parameter
// with its name, data type and value expression; the type list and the
// value edit sit over the selected row. OK writes types and expressions
// back (a type text that names no type leaves the type as it was).
#pragma once

#include "report/dataeditors/dataeditortargets.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace bralvo::report {

class TrpParamsEditorForm : public QDialog {
    Q_OBJECT
public:
    explicit TrpParamsEditorForm(const QList<TrpParamRow> &params, QWidget *parent = nullptr);

    QList<TrpParamRow> Params() const { return m_params; }
    QTreeWidget *List() const { return m_list; }
    QComboBox *TypeBox() const { return m_type; }
    QLineEdit *ValueEdit() const { return m_value; }
    void accept() override;

    // The designer's expression editor: takes and returns a text (an
    // empty answer keeps the old one). None here by default.
    static std::function<QString(const QString &)> &ExpressionEditor();

private:
    void rowChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);

    QList<TrpParamRow> m_params;
    QTreeWidget *m_list;
    QComboBox *m_type;
    QLineEdit *m_value;
};

} // namespace bralvo::report
