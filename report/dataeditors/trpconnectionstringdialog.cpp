// The connection-string dialog's window.
#include "report/dataeditors/trpconnectionstring.h"

#include "platform/messageboxseam.h"
#include "report/dataeditors/dataeditorlogic.h"
#include "report/dataeditors/namedwidget.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace bralvo::report {

TrpConnectionStringDialog::TrpConnectionStringDialog(const QString &connection, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TrpConnectionStringDialog"));
    setWindowTitle(QStringLiteral("Connection"));
    auto *grid = new QGridLayout(this);
    m_sqlite = named(new QRadioButton(QStringLiteral("SQLite database file"), this), "SQLiteRB");
    m_file = named(new QLineEdit(this), "FileE");
    auto *choose = named(new QPushButton(QStringLiteral("..."), this), "ChooseB");
    m_odbc = named(new QRadioButton(QStringLiteral("ODBC driver or data source"), this), "OdbcRB");
    m_driver = named(new QComboBox(this), "DriverCB");
    m_dsn = named(new QComboBox(this), "DsnCB");
    m_driver->addItem(QString());
    m_driver->addItems(OdbcDrivers());
    m_dsn->addItem(QString());
    m_dsn->addItems(OdbcDataSources());
    // Without unixODBC's lists there is nothing to choose from.
    m_odbc->setEnabled(m_driver->count() > 1 || m_dsn->count() > 1);
    m_user = named(new QLineEdit(this), "UserE");
    m_password = named(new QLineEdit(this), "PasswordE");
    m_password->setEchoMode(QLineEdit::Password);
    m_raw = named(new QLineEdit(this), "ConnectionE");
    auto *test = named(new QPushButton(QStringLiteral("Test connection"), this), "TestB");
    auto *ok = named(new QPushButton(EditorText(QStringLiteral("1"), QStringLiteral("OK")), this), "OkB");
    auto *cancel = named(new QPushButton(EditorText(QStringLiteral("2"), QStringLiteral("Cancel")), this), "CancelB");
    int row = 0;
    grid->addWidget(m_sqlite, row++, 0, 1, 3);
    grid->addWidget(m_file, row, 0, 1, 2);
    grid->addWidget(choose, row++, 2);
    grid->addWidget(m_odbc, row++, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Driver"), this), row, 0);
    grid->addWidget(m_driver, row++, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Data source"), this), row, 0);
    grid->addWidget(m_dsn, row++, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("User name"), this), row, 0);
    grid->addWidget(m_user, row++, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Password"), this), row, 0);
    grid->addWidget(m_password, row++, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Connection string"), this), row, 0);
    grid->addWidget(m_raw, row++, 1, 1, 2);
    grid->addWidget(test, row, 0);
    grid->addWidget(ok, row, 1);
    grid->addWidget(cancel, row, 2);
    for (QLineEdit *e : {m_file, m_user, m_password})
        connect(e, &QLineEdit::textEdited, this, &TrpConnectionStringDialog::partsChanged);
    for (QComboBox *c : {m_driver, m_dsn})
        connect(c, &QComboBox::currentIndexChanged, this, &TrpConnectionStringDialog::partsChanged);
    for (QRadioButton *r : {m_sqlite, m_odbc})
        connect(r, &QRadioButton::toggled, this, &TrpConnectionStringDialog::partsChanged);
    connect(m_raw, &QLineEdit::textEdited, this, [this](const QString &text) { SetConnectionString(text); });
    connect(choose, &QPushButton::clicked, this, &TrpConnectionStringDialog::chooseFile);
    connect(test, &QPushButton::clicked, this, &TrpConnectionStringDialog::TestConnection);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(420, 300);
    SetConnectionString(connection);
}

QString TrpConnectionStringDialog::ConnectionString() const
{
    return m_raw->text();
}

// The raw string is taken as written; the fields show what it holds.
void TrpConnectionStringDialog::SetConnectionString(const QString &text)
{
    m_updating = true;
    const ConnectionParts p = ParseConnectionString(text);
    const bool odbc = p.provider == QLatin1String("ODBC");
    (odbc ? m_odbc : m_sqlite)->setChecked(true);
    m_file->setText(odbc ? QString() : p.dataSource);
    for (auto [combo, value] : {std::pair{m_driver, p.driver}, std::pair{m_dsn, p.dsn}}) {
        if (combo->findText(value) < 0)
            combo->addItem(value);
        combo->setCurrentIndex(combo->findText(value));
    }
    m_user->setText(p.user);
    m_password->setText(p.password);
    if (m_raw->text() != text)
        m_raw->setText(text);
    m_updating = false;
}

void TrpConnectionStringDialog::partsChanged()
{
    if (m_updating)
        return;
    ConnectionParts p;
    p.provider = m_odbc->isChecked() ? QStringLiteral("ODBC") : QStringLiteral("SQLite");
    p.dataSource = m_file->text();
    p.driver = m_driver->currentText();
    p.dsn = m_dsn->currentText();
    p.user = m_user->text();
    p.password = m_password->text();
    m_raw->setText(BuildConnectionString(p));
}

void TrpConnectionStringDialog::chooseFile()
{
    platform::FileDialogRequest r;
    r.caption = QStringLiteral("SQLite database file");
    r.fileName = m_file->text();
    r.filter = QStringLiteral("SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)");
    if (const std::optional<QString> file = platform::messageBoxSeam().openFileName(r)) {
        m_sqlite->setChecked(true);
        m_file->setText(*file);
        partsChanged();
    }
}

void TrpConnectionStringDialog::TestConnection()
{
    const QString caption = QCoreApplication::applicationName();
    try {
        ConnectionTester()(ConnectionString());
    } catch (const std::exception &e) {
        platform::messageBoxSeam().messageBox(QString::fromUtf8(e.what()), caption, 16);
        return;
    }
    platform::messageBoxSeam().messageBox(QStringLiteral("Test connection succeeded."), caption, 64);
}

} // namespace bralvo::report
