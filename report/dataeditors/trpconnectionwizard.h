// TrpConnectionWizardForm ("Connection Wizard") in its three modes: 0 a
// database connection (type, connection string, login), 1 a table of a
// connection (table name, filter), 2 a query (SQL text, query builder,
// parameters). A table or query made where the report has no connection
// yet sends the wizard to the connection page first and then back.
#pragma once

#include "report/dataeditors/dataeditortargets.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

namespace bralvo::report {

class TrpSyntaxMemo;

// The report side of the wizard: the registered component classes and
// the components it makes on the report's data page.
class TrpWizardTarget {
public:
    virtual ~TrpWizardTarget() = default;
    // Descriptions of the registered classes of each kind, in registry order.
    virtual QStringList DatabaseClasses() = 0;
    virtual QStringList TableClasses() = 0;
    virtual QStringList QueryClasses() = 0;
    // The class of the database being edited; -1 when a new one is made.
    virtual int EditedDatabaseClass() = 0;
    // Frees the previous new database, makes one of class cls.
    virtual void NewDatabase(int cls) = 0;
    virtual QString DatabaseName() = 0;
    virtual void SetDatabaseName(const QString &name) = 0;
    virtual void SetLogin(bool prompt, const QString &user, const QString &password) = 0;
    // The connection-string dialog on the database; true when changed.
    virtual bool EditConnection(QWidget *parent) = 0;
    // Free the previous new table or query and make one of class cls
    // (none for -1); false when it found no connection (it is freed then).
    virtual bool NewTable(int cls) = 0;
    virtual QStringList TableNames() = 0;
    virtual void SetTable(const QString &name, const QString &filter, bool filtered) = 0;
    virtual bool NewQuery(int cls) = 0;
    virtual TrpQueryTarget *Query() = 0;
    // The component of mode gets a unique name and stays.
    virtual void NameResult(int mode) = 0;
    // The end: OK names the result and tells the designer, Cancel frees it.
    virtual void Finish(int mode, bool ok) = 0;
};

class TrpConnectionWizardForm : public QDialog {
    Q_OBJECT
public:
    TrpConnectionWizardForm(TrpWizardTarget &target, int mode, QWidget *parent = nullptr);

    int Mode() const { return m_mode; }
    int ReturnMode() const { return m_returnMode; }
    void accept() override;
    void done(int result) override;

    QComboBox *ConnectionType() const { return m_connType; }
    QLineEdit *DatabaseEdit() const { return m_database; }
    QRadioButton *PromptButton() const { return m_prompt; }
    QRadioButton *LoginButton() const { return m_loginRB; }
    QLineEdit *LoginEdit() const { return m_login; }
    QLineEdit *PasswordEdit() const { return m_password; }
    QComboBox *TableClass() const { return m_tableClass; }
    QComboBox *TableName() const { return m_tableName; }
    QComboBox *QueryClass() const { return m_queryClass; }
    TrpSyntaxMemo *QueryEditor() const { return m_sql; }

private:
    QWidget *connectionPage();
    QWidget *tablePage();
    QWidget *queryPage();
    void showMode();
    void chooseConnection(int index);
    void chooseComponent(int index);
    void chooseDatabaseName();
    void buildSql();
    void editParams();

    TrpWizardTarget &m_target;
    int m_mode;
    int m_returnMode = 0;
    int m_remembered = -1;
    bool m_finished = false;
    QStackedWidget *m_pages;
    QComboBox *m_connType, *m_tableClass, *m_tableName, *m_queryClass;
    QLineEdit *m_database, *m_login, *m_password, *m_filter;
    QRadioButton *m_prompt, *m_loginRB;
    QCheckBox *m_filtered;
    TrpSyntaxMemo *m_sql;
};

} // namespace bralvo::report
