// TrpMDEditorForm ("Master-Detail link"): the detail table's fields, the
// master's fields and the links; Add joins the two selected fields, Clear
// drops every link. OK writes the links to the table's MasterFields.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace bralvo::report {

class TrpMasterDetailTarget;

class TrpMDEditorForm : public QDialog {
    Q_OBJECT
public:
    TrpMDEditorForm(TrpMasterDetailTarget &table, QWidget *parent = nullptr);

    QString Links() const { return m_links; }
    QListWidget *DetailList() const { return m_detail; }
    QListWidget *MasterList() const { return m_master; }
    QListWidget *LinksList() const { return m_linksList; }
    QPushButton *AddButton() const { return m_add; }
    void AddLink();
    void ClearLinks();
    void accept() override;

private:
    void refresh();
    void updateAdd();

    TrpMasterDetailTarget &m_table;
    QStringList m_detailFields, m_masterFields;
    QString m_links;
    QListWidget *m_detail;
    QListWidget *m_master;
    QListWidget *m_linksList;
    QPushButton *m_add;
};

} // namespace bralvo::report
