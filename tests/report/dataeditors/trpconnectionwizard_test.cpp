// The connection wizard's three modes over a plain report side.
#include "report/dataeditors/trpconnectionwizard.h"

#include "plaintargets.h"
#include "report/editors/trpsyntaxmemo.h"
#include "tests/support/qstringprint.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

class PlainReport : public TrpWizardTarget {
public:
    QStringList DatabaseClasses() override { return {"Custom", "ADO database"}; }
    QStringList TableClasses() override { return {"ADO table"}; }
    QStringList QueryClasses() override { return {"ADO query"}; }
    int EditedDatabaseClass() override { return edited; }
    void NewDatabase(int cls) override { log << QString("db %1").arg(cls); }
    QString DatabaseName() override { return name; }
    void SetDatabaseName(const QString &n) override { name = n; }
    void SetLogin(bool prompt, const QString &u, const QString &p) override
    {
        log << QString("login %1 %2 %3").arg(prompt).arg(u, p);
    }
    bool EditConnection(QWidget *) override
    {
        name = "Provider=SQLite;Data Source=/x.db";
        return true;
    }
    bool NewTable(int cls) override
    {
        log << QString("table %1").arg(cls);
        return cls < 0 || connected;
    }
    QStringList TableNames() override { return {"Customer", "Orders"}; }
    void SetTable(const QString &n, const QString &f, bool on) override { log << QString("set %1 %2 %3").arg(n, f).arg(on); }
    bool NewQuery(int cls) override { return cls < 0 || connected; }
    TrpQueryTarget *Query() override { return &query; }
    void NameResult(int mode) override
    {
        log << QString("name %1").arg(mode);
        connected = true;
    }
    void Finish(int mode, bool ok) override { log << QString("finish %1 %2").arg(mode).arg(ok); }

    int edited = -1;
    bool connected = true;
    QString name;
    QStringList log;
    PlainQuery query;
};

} // namespace

TEST(ConnectionWizard, NewConnectionWithLogin)
{
    PlainReport r;
    TrpConnectionWizardForm w(r, 0);
    EXPECT_EQ(w.ConnectionType()->currentIndex(), 1);
    EXPECT_TRUE(w.PromptButton()->isChecked());
    w.findChild<QPushButton *>("ChooseB")->click();
    EXPECT_EQ(w.DatabaseEdit()->text(), "Provider=SQLite;Data Source=/x.db");
    w.LoginButton()->setChecked(true);
    w.LoginEdit()->setText("u");
    w.PasswordEdit()->setText("p");
    w.accept();
    EXPECT_EQ(r.log, QStringList({"db 1", "login 0 u p", "finish 0 1"}));
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(ConnectionWizard, EditingAnExistingConnectionLocksItsType)
{
    PlainReport r;
    r.edited = 0;
    r.name = "Provider=SQLite;Data Source=/old.db";
    TrpConnectionWizardForm w(r, 0);
    EXPECT_FALSE(w.ConnectionType()->isEnabled());
    EXPECT_EQ(w.DatabaseEdit()->text(), "Provider=SQLite;Data Source=/old.db");
    w.reject();
    EXPECT_EQ(r.log, QStringList({"finish 0 0"}));
}

TEST(ConnectionWizard, TableWithoutConnectionGoesThroughTheConnectionPageFirst)
{
    PlainReport r;
    r.connected = false;
    TrpConnectionWizardForm w(r, 1);
    EXPECT_EQ(w.Mode(), 0);
    EXPECT_EQ(w.ReturnMode(), 1);
    w.DatabaseEdit()->setText("Provider=SQLite;Data Source=/n.db");
    w.accept(); // the connection is named and the wizard returns to the table
    EXPECT_EQ(w.Mode(), 1);
    EXPECT_EQ(w.TableName()->count(), 2);
    w.TableName()->setCurrentIndex(1);
    w.accept();
    EXPECT_EQ(r.log, QStringList({"table 0", "db 1", "login 1  ", "name 0", "table 0", "set Orders  0",
                                  "finish 1 1"}));
}

TEST(ConnectionWizard, QueryModeWritesTheSqlText)
{
    PlainReport r;
    TrpConnectionWizardForm w(r, 2);
    EXPECT_EQ(w.QueryClass()->currentIndex(), 1);
    w.QueryEditor()->SetLines({"select * from Orders"});
    w.accept();
    EXPECT_EQ(r.query.sql, QStringList({"select * from Orders"}));
}
