// The connection wizard.
#include "report/dataeditors/trpconnectionwizard.h"

#include "report/dataeditors/dataeditorlogic.h"
#include "report/dataeditors/namedwidget.h"
#include "report/dataeditors/trpparamseditor.h"
#include "report/editors/trpsyntaxmemo.h"
#include "report/querybuilder/designer/tqbdialog.h"
#include "report/querybuilder/tqbengine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>

namespace bralvo::report {

namespace {

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    return named(new QLabel(text, parent), name);
}

} // namespace

TrpConnectionWizardForm::TrpConnectionWizardForm(TrpWizardTarget &target, int mode, QWidget *parent)
    : QDialog(parent), m_target(target), m_mode(mode)
{
    setObjectName(QStringLiteral("TrpConnectionWizardForm"));
    setWindowTitle(EditorText(QStringLiteral("5700"), QStringLiteral("Connection Wizard")));
    resize(301, 307);
    auto *grid = new QGridLayout(this);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(connectionPage());
    m_pages->addWidget(tablePage());
    m_pages->addWidget(queryPage());
    grid->addWidget(m_pages, 0, 0, 1, 2);
    auto *ok = named(new QPushButton(EditorText(QStringLiteral("1"), QStringLiteral("OK")), this), "OKB");
    auto *cancel = named(new QPushButton(EditorText(QStringLiteral("2"), QStringLiteral("Cancel")), this), "CancelB");
    grid->addWidget(ok, 1, 0);
    grid->addWidget(cancel, 1, 1);
    connect(ok, &QPushButton::clicked, this, &TrpConnectionWizardForm::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_connType->addItems(m_target.DatabaseClasses());
    const QString none = EditorText(QStringLiteral("prNotAssigned"), QString());
    m_tableClass->addItem(none);
    m_tableClass->addItems(m_target.TableClasses());
    m_queryClass->addItem(none);
    m_queryClass->addItems(m_target.QueryClasses());
    connect(m_connType, &QComboBox::activated, this, &TrpConnectionWizardForm::chooseConnection);
    connect(m_tableClass, &QComboBox::activated, this, &TrpConnectionWizardForm::chooseComponent);
    connect(m_queryClass, &QComboBox::activated, this, &TrpConnectionWizardForm::chooseComponent);
    showMode();
}

QWidget *TrpConnectionWizardForm::connectionPage()
{
    auto *page = named(new QWidget(this), "ConnTS");
    auto *g = new QGridLayout(page);
    const QString typeText = EditorText(QStringLiteral("5702"), QStringLiteral("Connection type"));
    g->addWidget(label(page, "ConnL1", typeText), 0, 0, 1, 3);
    m_connType = named(new QComboBox(page), "ConnCB");
    g->addWidget(m_connType, 1, 0, 1, 3);
    g->addWidget(label(page, "DBL", EditorText(QStringLiteral("5703"), QStringLiteral("Database"))), 2, 0, 1, 3);
    m_database = named(new QLineEdit(page), "DatabaseE");
    auto *choose = named(new QPushButton(QStringLiteral("..."), page), "ChooseB");
    g->addWidget(m_database, 3, 0, 1, 2);
    g->addWidget(choose, 3, 2);
    m_prompt = named(new QRadioButton(EditorText(QStringLiteral("5706"), QStringLiteral("Prompt login")), page), "PromptRB");
    m_loginRB = named(new QRadioButton(EditorText(QStringLiteral("5707"), QStringLiteral("Login")), page), "LoginRB");
    m_prompt->setChecked(true);
    g->addWidget(m_prompt, 4, 0, 1, 3);
    g->addWidget(m_loginRB, 5, 0, 1, 3);
    g->addWidget(label(page, "LoginL", EditorText(QStringLiteral("5704"), QStringLiteral("User name"))), 6, 0);
    m_login = named(new QLineEdit(page), "LoginE");
    g->addWidget(m_login, 6, 1, 1, 2);
    g->addWidget(label(page, "PasswordL", EditorText(QStringLiteral("5705"), QStringLiteral("Password"))), 7, 0);
    m_password = named(new QLineEdit(page), "PasswordE");
    m_password->setEchoMode(QLineEdit::Password);
    g->addWidget(m_password, 7, 1, 1, 2);
    connect(choose, &QPushButton::clicked, this, &TrpConnectionWizardForm::chooseDatabaseName);
    return page;
}

QWidget *TrpConnectionWizardForm::tablePage()
{
    auto *page = named(new QWidget(this), "TableTS");
    auto *g = new QGridLayout(page);
    g->addWidget(label(page, "ConnL2", EditorText(QStringLiteral("5702"), QStringLiteral("Connection type"))), 0, 0);
    m_tableClass = named(new QComboBox(page), "ConnCB1");
    g->addWidget(m_tableClass, 1, 0);
    g->addWidget(label(page, "TableL", EditorText(QStringLiteral("5709"), QStringLiteral("Table name"))), 2, 0);
    m_tableName = named(new QComboBox(page), "TableCB");
    m_tableName->setEditable(true);
    g->addWidget(m_tableName, 3, 0);
    m_filtered = named(new QCheckBox(EditorText(QStringLiteral("5710"), QStringLiteral("Filter")), page), "FilterCB");
    g->addWidget(m_filtered, 4, 0);
    m_filter = named(new QLineEdit(page), "FilterE");
    g->addWidget(m_filter, 5, 0);
    g->setRowStretch(6, 1);
    return page;
}

QWidget *TrpConnectionWizardForm::queryPage()
{
    auto *page = named(new QWidget(this), "QueryTS");
    auto *g = new QGridLayout(page);
    g->addWidget(label(page, "ConnL3", EditorText(QStringLiteral("5702"), QStringLiteral("Connection type"))), 0, 0);
    m_queryClass = named(new QComboBox(page), "ConnCB2");
    g->addWidget(m_queryClass, 1, 0);
    g->addWidget(label(page, "QueryL", EditorText(QStringLiteral("5712"), QStringLiteral("SQL"))), 2, 0);
    auto *bar = named(new QToolBar(page), "ToolBar");
    QAction *build = bar->addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                    EditorText(QStringLiteral("5713"), QStringLiteral("Query builder")));
    build->setObjectName(QStringLiteral("BuildSQLB"));
    QAction *params = bar->addAction(style()->standardIcon(QStyle::SP_FileDialogListView),
                                     EditorText(QStringLiteral("5714"), QStringLiteral("Parameters")));
    params->setObjectName(QStringLiteral("ParamsB"));
    connect(build, &QAction::triggered, this, &TrpConnectionWizardForm::buildSql);
    connect(params, &QAction::triggered, this, &TrpConnectionWizardForm::editParams);
    g->addWidget(bar, 3, 0);
    m_sql = named(new TrpSyntaxMemo(page), "SQLMemo");
    m_sql->SetSyntax(QStringLiteral("SQL"));
    m_sql->SetShowGutter(false);
    g->addWidget(m_sql, 4, 0);
    return page;
}

// Only the page of the mode shows.
void TrpConnectionWizardForm::showMode()
{
    m_pages->setCurrentIndex(m_mode);
    if (m_mode == 0) {
        const int edited = m_target.EditedDatabaseClass();
        if (edited >= 0) {
            m_connType->setCurrentIndex(edited);
            m_connType->setEnabled(false);
            m_database->setText(m_target.DatabaseName());
        } else {
            m_connType->setCurrentIndex(m_connType->count() >= 2 ? 1 : 0);
            chooseConnection(m_connType->currentIndex());
        }
        return;
    }
    QComboBox *combo = m_mode == 1 ? m_tableClass : m_queryClass;
    combo->setCurrentIndex(m_remembered >= 0 ? m_remembered : (combo->count() >= 2 ? 1 : 0));
    m_remembered = -1;
    chooseComponent(combo->currentIndex());
}

void TrpConnectionWizardForm::chooseConnection(int index)
{
    if (index >= 0)
        m_target.NewDatabase(index);
}

void TrpConnectionWizardForm::chooseComponent(int index)
{
    const bool table = m_mode == 1;
    const bool connected = table ? m_target.NewTable(index - 1) : m_target.NewQuery(index - 1);
    if (index <= 0)
        return;
    if (!connected) {
        m_returnMode = m_mode;
        m_remembered = index;
        m_mode = 0;
        return showMode();
    }
    if (table) {
        m_tableName->clear();
        m_tableName->addItems(m_target.TableNames());
    }
}

void TrpConnectionWizardForm::chooseDatabaseName()
{
    m_target.EditConnection(this);
    m_database->setText(m_target.DatabaseName());
    m_database->setFocus();
}

void TrpConnectionWizardForm::buildSql()
{
    TrpQueryTarget *query = m_target.Query();
    if (!query)
        return;
    std::unique_ptr<TqbEngine> engine = query->CreateQBEngine();
    TqbDialog builder;
    builder.SetEngine(engine.get());
    builder.SetSchemaInsideSQL(false);
    builder.SetSQL(m_sql->Text());
    builder.SetSQLSchema(query->SQLSchema());
    if (builder.Execute(this)) {
        m_sql->SetLines(builder.SQL().split(QStringLiteral("\r\n")));
        query->SetSQLSchema(builder.SQLSchema());
    }
    builder.SetEngine(nullptr);
}

void TrpConnectionWizardForm::editParams()
{
    TrpQueryTarget *query = m_target.Query();
    if (!query)
        return;
    query->SetSQL(m_sql->Lines());
    if (query->Params().isEmpty())
        return;
    TrpParamsEditorForm params(query->Params(), this);
    if (params.exec() == QDialog::Accepted) {
        query->SetParams(params.Params());
        query->ApplyParams();
    }
}

void TrpConnectionWizardForm::accept()
{
    if (m_mode == 0) {
        m_target.SetDatabaseName(m_database->text());
        m_target.SetLogin(m_prompt->isChecked(), m_login->text(), m_password->text());
    } else if (m_mode == 1) {
        m_target.SetTable(m_tableName->currentText(), m_filter->text(), m_filtered->isChecked());
    } else if (TrpQueryTarget *query = m_target.Query()) {
        query->SetSQL(m_sql->Lines());
    }
    if (m_returnMode != 0) {
        // The new connection stays; back to the table or query.
        m_target.NameResult(m_mode);
        m_mode = m_returnMode;
        m_returnMode = 0;
        return showMode();
    }
    QDialog::accept();
}

void TrpConnectionWizardForm::done(int result)
{
    if (!m_finished) {
        m_finished = true;
        m_target.Finish(m_mode, result == QDialog::Accepted);
    }
    QDialog::done(result);
}

} // namespace bralvo::report
