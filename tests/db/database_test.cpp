// Opening and creating the bill database: the exact schema, the demo
// rows, the settings it follows, and what it must leave alone.
#include "tests/support/qstringprint.h"
#include "db/database.h"
#include "db/esqliteexception.h"
#include "db/schema.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/globals.h"
#include "services/settings.h"
#include "services/uitexts.h"
#include "tests/db/fakedatabaseui.h"
#include "tests/support/filecontent.h"
#include "tests/support/programfolders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace bralvo::db;
using bralvo::test::FakeDatabaseUi;
using bralvo::test::fileContent;

namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void TearDown() override { CloseDatabase(); }

    QString defaultFile() const { return m_folders.dataRoot() + "Data/bralvo_data.txs"; }
    QStringList column(const QString &sql)
    {
        QStringList values;
        auto table = DbConnection->GetTable(sql);
        for (; !table->IsEof(); table->NextRow())
            values << table->FieldAsString(0);
        return values;
    }
    QString value(const QString &sql) { return column(sql).value(0, "<none>"); }
    QString sqlite3(const QString &file, const QString &command)
    {
        QProcess process;
        process.start("sqlite3", {file, command});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    bralvo::test::ProgramFolders m_folders;
    FakeDatabaseUi m_ui;
};

// CREATE text as the program writes it: CR LF between the lines.
QString created(const QStringList &lines)
{
    return lines.join("\r\n");
}

} // namespace

TEST_F(DatabaseTest, NewDatabaseKeepsTheCreateTextExactly)
{
    ASSERT_TRUE(OpenDatabase());
    EXPECT_EQ(DbFilePath, defaultFile());
    EXPECT_TRUE(QFile::exists(defaultFile()));
    EXPECT_EQ(value("SELECT sql FROM sqlite_master WHERE name = 'firma'"),
              created({"CREATE TABLE firma (", "[ID] INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE,",
                       "[nazov] TEXT,", "[ulica] TEXT,", "[psc] TEXT,", "[mesto] TEXT,", "[stat] TEXT,",
                       "[platcadph] INTEGER,", "[ico] TEXT,", "[dic] TEXT,", "[icdph] TEXT,",
                       "[obr_logo] TEXT,", "[existuje] INTEGER", ")"}));
    EXPECT_EQ(value("SELECT sql FROM sqlite_master WHERE name = 'kategorie_poloziek'"),
              created({"CREATE TABLE kategorie_poloziek (",
                       "[ID] INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE,", "[nazov] TEXT UNIQUE,",
                       "[interna_poznamka] TEXT", ")"}));
    EXPECT_EQ(value("SELECT sql FROM sqlite_master WHERE name = 'uhrady'"),
              created({"CREATE TABLE uhrady (", "[ID] INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE,",
                       "[datum] DATE,", "[bankovy_prevod] INTEGER,", "[hotovost] INTEGER,",
                       "[suma_domaca] FLOAT,", "[suma_zahranicna] FLOAT,", "[kurz] FLOAT,",
                       "[interna_poznamka] TEXT,", "[id_faktura] INTEGER", ")"}));
}

TEST_F(DatabaseTest, NewDatabaseHasElevenTablesWithTheirColumnsInOrder)
{
    ASSERT_TRUE(OpenDatabase());
    // Column lists after ID as the schema lays them down (type TEXT unless given).
    const QList<QPair<QString, QString>> tables = {
        {"firma", "nazov,ulica,psc,mesto,stat,platcadph INTEGER,ico,dic,icdph,obr_logo,existuje INTEGER"},
        {"uzivatelia", "uzivatel,telefon,fax,email,id_hlavnyucet INTEGER,id_hlavnapoznamka INTEGER,"
                       "admin INTEGER,username,password,obr_podpis,text_podpis,interna_poznamka,"
                       "pravo_menitpolozky INTEGER,pravo_mazatfaktury INTEGER,pravo_menitfaktury INTEGER,"
                       "pravo_mazatuzivatela INTEGER,pravo_menituzivatela INTEGER,"
                       "pravo_menitnastavenia INTEGER,pravo_menitprava INTEGER,id_firma INTEGER,existuje INTEGER"},
        {"odberatelia", "nazov,meno,ulica,psc,mesto,stat,platcadph INTEGER,zahranicny INTEGER,ico,dic,"
                        "icdph,telefon,fax,email,id_hlavnyucet INTEGER,id_hlavnapoznamka INTEGER,"
                        "fakturovat_bezdph INTEGER,fakturovat_vcudzejmene INTEGER,"
                        "fakturovat_vdvochmenach INTEGER,cudzia_menaZobr,cudzia_menaIso,"
                        "jehlavna_cudziamena INTEGER,interna_poznamka,jazyk,dni_splatnosti INTEGER,"
                        "predvoleny_vs,existuje INTEGER"},
        {"kategorie_poloziek", "nazov TEXT UNIQUE,interna_poznamka"},
        {"polozky", "kod,nazov,id_kategoria INTEGER,merna_jednotka,dph FLOAT,cena FLOAT,za_mj FLOAT,"
                    "interna_poznamka,existuje INTEGER"},
        {"ucty", "nazov,nazov_banky,cislo_uctu,iban,swift,interna_poznamka,je_uzivatelsky INTEGER,"
                 "id_odberatel INTEGER,existuje INTEGER"},
        {"poznamky", "nazov,poznamka,interna_poznamka,existuje INTEGER"},
        {"faktury", "cislo,cislo_objednavky,vs,ks,ss,forma_uhrady,opravnenie,datum_vystavenia DATE,"
                    "datum_splatnosti DATE,datum_dodania DATE,datum_platby DATE,id_ucet INTEGER,"
                    "id_poznamka INTEGER,id_uzivatel INTEGER,id_odberatel INTEGER,jazyk,"
                    "fakturovat_bezdph INTEGER,fakturovat_vcudzejmene INTEGER,"
                    "fakturovat_vdvochmenach INTEGER,domaca_menaZobr,domaca_menaIso,cudzia_menaZobr,"
                    "cudzia_menaIso,hlavna_mena,jehlavna_cudziamena INTEGER,kurz FLOAT,kurz_domaca FLOAT,"
                    "kurz_cudzia FLOAT,zaokruhlovanie FLOAT,suma_celkom FLOAT,suma_kuhrade FLOAT,"
                    "suma1_left,suma2_right,interna_poznamka,typ INTEGER,uhradena INTEGER,existuje INTEGER"},
        {"sp_polozky", "id_faktura INTEGER,id_polozka INTEGER,cena FLOAT,pocet FLOAT,zlava FLOAT,"
                       "zaratat_dph INTEGER"},
        {"sp_zalfaktury", "id_faktura INTEGER,id_zalfaktura INTEGER"},
        {"uhrady", "datum DATE,bankovy_prevod INTEGER,hotovost INTEGER,suma_domaca FLOAT,"
                   "suma_zahranicna FLOAT,kurz FLOAT,interna_poznamka,id_faktura INTEGER"},
    };
    QStringList names;
    for (const auto &[name, columns] : tables) {
        SCOPED_TRACE(name.toStdString());
        names << name;
        QStringList lines{"CREATE TABLE " + name + " (", "[ID] INTEGER PRIMARY KEY AUTOINCREMENT UNIQUE,"};
        const QStringList list = columns.split(',');
        for (int i = 0; i < list.size(); ++i) {
            const QString column = list[i].contains(' ') ? list[i] : list[i] + " TEXT";
            const int blank = column.indexOf(' ');
            lines << "[" + column.left(blank) + "]" + column.mid(blank) + (i + 1 < list.size() ? "," : "");
        }
        lines << ")";
        EXPECT_EQ(value("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = '" + name + "'"),
                  created(lines));
    }
    names.sort();
    EXPECT_EQ(column("SELECT name FROM sqlite_master WHERE type = 'table' AND name <> 'sqlite_sequence' "
                     "ORDER BY name"),
              names);
}

TEST_F(DatabaseTest, NewDatabaseHasTheIndexesOfTheSchema)
{
    ASSERT_TRUE(OpenDatabase());
    EXPECT_EQ(column("SELECT tbl_name || ': ' || sql FROM sqlite_master WHERE type = 'index' "
                     "AND sql IS NOT NULL ORDER BY tbl_name, name"),
              (QStringList{
                  "faktury: CREATE INDEX id_odberatelF ON faktury (id_odberatel)",
                  "faktury: CREATE INDEX id_poznamka ON faktury (id_poznamka)",
                  "faktury: CREATE INDEX id_ucet ON faktury (id_ucet)",
                  "faktury: CREATE INDEX id_uzivatelF ON faktury (id_uzivatel)",
                  "odberatelia: CREATE INDEX id_hlavnapoznamka ON odberatelia (id_hlavnapoznamka)",
                  "odberatelia: CREATE INDEX id_hlavnyucet ON odberatelia (id_hlavnyucet)",
                  "polozky: CREATE INDEX id_kategoria ON polozky (id_kategoria)",
                  "sp_polozky: CREATE INDEX id_faktura ON sp_polozky (id_faktura)",
                  "sp_polozky: CREATE INDEX id_polozka ON sp_polozky (id_polozka)",
                  "ucty: CREATE INDEX id_odberatel ON ucty (id_odberatel)",
                  "uhrady: CREATE INDEX id_fakturaU ON uhrady (id_faktura)",
                  "uzivatelia: CREATE INDEX id_firma ON uzivatelia (id_firma)",
              }));
}

TEST_F(DatabaseTest, NewDatabaseHoldsTheDemoRowsAndVersion2)
{
    ASSERT_TRUE(OpenDatabase());
    EXPECT_TRUE(DbOpen);
    EXPECT_EQ(value("PRAGMA user_version;"), QStringLiteral("2"));
    EXPECT_EQ(column("SELECT nazov || '|' || ulica || '|' || psc || '|' || mesto || '|' || stat || '|' || "
                     "platcadph || '|' || ico || '|' || dic || '|' || icdph || '|' || obr_logo || '|' || "
                     "existuje FROM firma"),
              QStringList{"- DEMO -|Hradna 1|850 01|Bratislava|Slovakia|1|11111111|11111111|SK11111111||1"});
    EXPECT_EQ(column("SELECT u.uzivatel || '|' || u.telefon || '|' || u.fax || '|' || u.username || '|' || "
                     "u.password || '|' || u.admin || '|' || (u.id_hlavnyucet IS NULL) || '|' || "
                     "u.text_podpis || '|' || u.interna_poznamka || '|' || "
                     "(u.pravo_menitpolozky + u.pravo_mazatfaktury + u.pravo_menitfaktury + "
                     "u.pravo_mazatuzivatela + u.pravo_menituzivatela + u.pravo_menitnastavenia + "
                     "u.pravo_menitprava) || '|' || (u.id_firma = f.ID) || '|' || u.existuje "
                     "FROM uzivatelia u, firma f"),
              QStringList{"- DEMO user -|0900123456||demo||0|1|My demo company.|"
                          "This is demo company. You can try use the program with this company.|0|1|1"});
    EXPECT_EQ(column("SELECT nazov || '|' || nazov_banky || '|' || cislo_uctu || '|' || iban || '|' || "
                     "swift || '|' || interna_poznamka || '|' || je_uzivatelsky || '|' || "
                     "(id_odberatel IS NULL) || '|' || existuje FROM ucty"),
              QStringList{"Demo account|Demo Bank|123123123|112233112233|112233112233|Main account.|1|1|1"});
    EXPECT_EQ(column("SELECT nazov || '|' || poznamka || '|' || interna_poznamka || '|' || existuje FROM poznamky"),
              QStringList{"Demo note|Thanks for order.|This is my internal note to this note.|1"});
    for (const char *empty : {"odberatelia", "kategorie_poloziek", "polozky", "faktury", "sp_polozky",
                              "sp_zalfaktury", "uhrady"}) {
        EXPECT_EQ(value(QStringLiteral("SELECT count(*) FROM %1").arg(empty)), QStringLiteral("0")) << empty;
    }
}

TEST_F(DatabaseTest, DemoAccountTextWithQuoteIsEscaped)
{
    struct TextOverride {
        QString &entry = bralvo::services::UiTextTable()[128];
        const QString saved = entry;
        ~TextOverride() { entry = saved; }
    } override;
    override.entry = "%Main's account.%";
    ASSERT_TRUE(OpenDatabase());
    EXPECT_EQ(value("SELECT interna_poznamka FROM ucty"), QStringLiteral("Main's account."));
}

TEST_F(DatabaseTest, SafeModeChoosesTheSynchronousMode)
{
    struct Case {
        const char *setting;  // nullptr: key missing
        const char *synchronous;
    };
    for (const Case c : {Case{nullptr, "2"}, Case{"1", "2"}, Case{"0", "0"}, Case{"true", "2"}}) {
        SCOPED_TRACE(c.setting ? c.setting : "missing");
        if (c.setting)
            bralvo::services::WriteSetting("General", "SafeMode", c.setting);
        ASSERT_TRUE(OpenDatabase());
        EXPECT_EQ(value("PRAGMA synchronous;"), QString::fromUtf8(c.synchronous));
        CloseDatabase();
    }
}

TEST_F(DatabaseTest, DirectorySettingChoosesTheFolder)
{
    bralvo::services::WriteSetting("General", "Directory", "");
    ASSERT_TRUE(OpenDatabase());
    EXPECT_EQ(DbFilePath, defaultFile());
    CloseDatabase();
    const QString folder = m_folders.path() + "firmy/druha";  // no trailing "/", not there yet
    bralvo::services::WriteSetting("General", "Directory", folder);
    ASSERT_TRUE(OpenDatabase());
    EXPECT_EQ(DbFilePath, folder + "/bralvo_data.txs");
    EXPECT_TRUE(QFile::exists(DbFilePath));
}

TEST_F(DatabaseTest, ReopeningChangesNothingAndTheDumpStaysTheSame)
{
    ASSERT_TRUE(OpenDatabase());
    CloseDatabase();
    const QByteArray before = fileContent(defaultFile());
    const QString dump = sqlite3(defaultFile(), ".dump");
    ASSERT_TRUE(dump.contains("INSERT INTO firma VALUES(1,'- DEMO -'")) << dump.toStdString();
    EXPECT_EQ(sqlite3(defaultFile(), "PRAGMA integrity_check;"), QStringLiteral("ok\n"));

    ASSERT_TRUE(OpenDatabase());
    CloseDatabase();
    EXPECT_EQ(sqlite3(defaultFile(), ".dump"), dump);
    EXPECT_EQ(fileContent(defaultFile()), before);
}

TEST_F(DatabaseTest, FirstStatementFailingShowsDbErrorAndLeavesNothingOpen)
{
    QDir().mkpath(m_folders.dataRoot() + "Data");
    QFile file(defaultFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray garbage = QByteArray("this is not a database file\n").repeated(200);
    file.write(garbage);
    file.close();
    EXPECT_FALSE(OpenDatabase());
    EXPECT_FALSE(DbOpen);
    EXPECT_EQ(DbConnection, nullptr);
    EXPECT_EQ(m_ui.calls, QStringList{"showDatabaseError"});
    EXPECT_EQ(fileContent(defaultFile()), garbage);
    EXPECT_TRUE(CloseDatabase());
}

TEST_F(DatabaseTest, FileThatCannotBeOpenedThrowsTheOpenFailure)
{
    // The folder setting names a path below a plain file.
    QFile blocker(m_folders.path() + "subor");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    bralvo::services::WriteSetting("General", "Directory", m_folders.path() + "subor/Data/");
    try {
        OpenDatabase();
        FAIL() << "opened";
    } catch (const ESQLiteException &e) {
        EXPECT_EQ(e.userText(), "Failed to open database \"" + m_folders.path() +
                                    "subor/Data/bralvo_data.txs\" : unable to open database file");
    }
    EXPECT_FALSE(DbOpen);
}

TEST_F(DatabaseTest, MissingUsersTableGetsADemoUserLinkedToTheFirstLiveCompany)
{
    struct Case {
        const char *prepare;
        const char *idFirma;
    };
    for (const Case c : {Case{"INSERT INTO firma (nazov, existuje) VALUES ('druha', 1);", "1"},
                         Case{"UPDATE firma SET existuje = 0;", "<null>"}}) {
        SCOPED_TRACE(c.prepare);
        ASSERT_TRUE(OpenDatabase());
        DbConnection->ExecSql("DROP TABLE uzivatelia;");
        DbConnection->ExecSql(QString::fromUtf8(c.prepare));
        CloseDatabase();
        ASSERT_TRUE(OpenDatabase());
        EXPECT_EQ(value("SELECT coalesce(id_firma, '<null>') FROM uzivatelia WHERE username = 'demo'"),
                  QString::fromUtf8(c.idFirma));
        EXPECT_EQ(value("SELECT count(*) FROM sqlite_master WHERE name = 'id_firma'"), QStringLiteral("1"));
        CloseDatabase();
        QFile::remove(defaultFile());
    }
}

TEST_F(DatabaseTest, TableWhoseDemoRowFailsIsRolledBackWhole)
{
    // A foreign firma table without existuje: the demo user's company
    // lookup fails, so the users table must not stay half made.
    QDir().mkpath(m_folders.dataRoot() + "Data");
    {
        TSQLiteDatabase db(defaultFile());
        db.ExecSql("CREATE TABLE firma (nazov TEXT);");
    }
    EXPECT_THROW(OpenDatabase(), ESQLiteException);
    EXPECT_FALSE(DbConnection->TableExists("uzivatelia"));
    EXPECT_FALSE(DbConnection->InTransaction());
    CloseDatabase();
    EXPECT_EQ(sqlite3(defaultFile(), "SELECT name FROM sqlite_master ORDER BY name;"), QStringLiteral("firma\n"));
}

TEST_F(DatabaseTest, CloseDatabaseTwiceIsHarmless)
{
    ASSERT_TRUE(OpenDatabase());
    EXPECT_TRUE(CloseDatabase());
    EXPECT_TRUE(CloseDatabase());
    EXPECT_FALSE(DbOpen);
    EXPECT_EQ(DbConnection, nullptr);
}
