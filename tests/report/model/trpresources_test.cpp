// Library texts: the English table, lookups, language files, help.
#include "report/model/trpresources.h"

#include "platform/stream.h"
#include "script/scriptmessages.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(TrpResources, EnglishTable)
{
    TrpResources res;
    struct Case {
        const char *key, *text;
    };
    const Case cases[] = {
        {"mbError", "Error"},       {"MBERROR", "Error"},   {"207", "Other"},
        {"poReverse", "Reverse (9-1)"}, {"clDSNotExist", "Dataset \"%s\" does not exist"},
        {"SIdRedeclared", "Identifier redeclared:"}, {"600", "Expand all"}, {"noSuchKey", "noSuchKey"},
        {"!bang", "bang"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(res.Get(QString::fromUtf8(c.key)), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(res.GetResourceTextById(5), QStringLiteral("Pages:"));
    EXPECT_EQ(englishResourceText().count(QStringLiteral("\r\n")), 195);
}

TEST(TrpResources, KeysTheLibraryAsksForHaveEnglishTexts)
{
    TrpResources res;
    for (const char *key : {"prDupl", "clDecryptError", "prInvProp", "obReport", "obDataPage", "5000", "5001",
                            "3600", "5714", "wzDBTable"}) {
        SCOPED_TRACE(key);
        EXPECT_NE(res.Get(QString::fromLatin1(key)), QString::fromLatin1(key));
    }
    EXPECT_EQ(res.Get(QStringLiteral("prDupl")), QStringLiteral("Duplicate name"));
}

TEST(TrpResources, AddStringsRules)
{
    TrpResources res;
    res.Clear();
    res.AddStrings(QStringLiteral("======== Heading ========\r\n\r\n=NoKey\r\nNoText=\r\na=b=c\r\nk=v"));
    EXPECT_EQ(res.Get(QStringLiteral("a")), QStringLiteral("b=c"));
    EXPECT_EQ(res.Get(QStringLiteral("k")), QStringLiteral("v"));
    EXPECT_EQ(res.Get(QStringLiteral("NoText")), QStringLiteral("NoText"));
    res.Add(QStringLiteral("K"), QStringLiteral("w"));
    EXPECT_EQ(res.Get(QStringLiteral("k")), QStringLiteral("w"));
}

TEST(TrpResources, PartialLanguageFileKeepsEnglishForMissingKeys)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("slovak.flng"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1=Áno, potvrdiť\r\n");
    f.close();
    TrpResources res;
    res.LoadFromFile(path);
    EXPECT_EQ(res.Get(QStringLiteral("1")), QStringLiteral("Áno, potvrdiť"));
    EXPECT_EQ(res.Get(QStringLiteral("2")), QStringLiteral("Cancel"));
    res.LoadFromFile(dir.filePath(QStringLiteral("missing.flng")));
    EXPECT_EQ(res.Get(QStringLiteral("1")), QStringLiteral("Áno, potvrdiť"));
}

TEST(TrpResources, LanguageFileInWindows1250)
{
    bralvo::platform::MemoryStream s(QByteArray("mbError=Chyba \xE8\x9A\r\n"));
    TrpResources res;
    res.LoadFromStream(s);
    EXPECT_EQ(res.Get(QStringLiteral("mbError")), QStringLiteral("Chyba čš"));
}

TEST(TrpResources, HelpTopics)
{
    EXPECT_EQ(TrpResources::HelpTopic(QStringLiteral("trpdialogpage")), QStringLiteral("Dialogue_forms.htm"));
    EXPECT_EQ(TrpResources::HelpTopic(QStringLiteral("TfFaktura")), QString());
    TrpResources res;
    EXPECT_TRUE(res.HelpPath(QStringLiteral("TfFaktura")).endsWith(QStringLiteral("help/index.htm")));
    EXPECT_TRUE(res.HelpPath(QStringLiteral("TrpSQLEditorForm")).endsWith(QStringLiteral("help/TrpADOQuery.htm")));
    res.ShowHelp(QStringLiteral("TfFaktura")); // no help folder: nothing happens
}

TEST(TrpResources, LanguageFileReachesTheScriptEngineMessages)
{
    TrpResources &res = GetResources();
    EXPECT_EQ(bralvo::script::scriptMessage(bralvo::script::ScriptMessage::IdUndeclared),
              QStringLiteral("Undeclared identifier:"));
    bralvo::platform::MemoryStream s(QStringLiteral("SIdUndeclared=Nedeklarovaný identifikátor:\r\n").toUtf8());
    res.LoadFromStream(s);
    EXPECT_EQ(bralvo::script::scriptMessage(bralvo::script::ScriptMessage::IdUndeclared),
              QStringLiteral("Nedeklarovaný identifikátor:"));
    res.LoadEnglish();
    res.UpdateScriptMessages();
}
