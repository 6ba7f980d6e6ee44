// The connection-string dialog of the database components: an SQLite
// file, or an ODBC driver or data source (offered when unixODBC's lists
// exist), user and password, and the raw string, which stays editable;
// "Test connection" tries the string. It stands where a Windows system
// would show its data-link dialog.
#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace bralvo::report {

// The parts the dialog shows. Provider "SQLite" uses dataSource; "ODBC"
// uses driver and dsn.
struct ConnectionParts {
    QString provider = QStringLiteral("SQLite");
    QString dataSource, driver, dsn, user, password;
    bool operator==(const ConnectionParts &) const = default;
};

// "Provider=SQLite;Data Source=FILE" or "Provider=MSDASQL;Driver={D};DSN=N",
// then ";User ID=U;Password=P" when a user is given. Values holding ";"
// or quotes are quoted.
QString BuildConnectionString(const ConnectionParts &parts);
// The reverse, for a string written by hand or by BuildConnectionString.
ConnectionParts ParseConnectionString(const QString &text);
// A "Key=Value" part: the value quoted when it needs it.
QString ConnectionPart(const QString &key, const QString &value);

// unixODBC's drivers and data sources (sections of odbcinst.ini and
// odbc.ini: ODBCSYSINI or /etc, and the user's ~/.odbc.ini); empty
// lists when unixODBC is not installed.
QStringList OdbcDrivers();
QStringList OdbcDataSources();

class TrpConnectionStringDialog : public QDialog {
    Q_OBJECT
public:
    explicit TrpConnectionStringDialog(const QString &connection, QWidget *parent = nullptr);

    QString ConnectionString() const;
    void SetConnectionString(const QString &text);
    // Tries the string; a message box tells the outcome.
    void TestConnection();

    // Opens a connection string or throws with the reason; the data
    // layer installs its own. The default opens SQLite files only.
    static std::function<void(const QString &)> &ConnectionTester();

private:
    void partsChanged();
    void chooseFile();

    QRadioButton *m_sqlite, *m_odbc;
    QLineEdit *m_file;
    QComboBox *m_driver, *m_dsn;
    QLineEdit *m_user, *m_password, *m_raw;
    bool m_updating = false;
};

} // namespace bralvo::report
