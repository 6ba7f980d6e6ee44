// The shipped Slovak language file: it names itself, and its message
// texts are Slovak (the built-in ones where those are Slovak already).
#include "app/slovakmessages.h"
#include "platform/inifile.h"
#include "services/builtintexts.h"
#include "services/uitexts.h"
#include "tests/services/qstringprint.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <gtest/gtest.h>

using bralvo::platform::IniFile;

namespace {

const QString kFile = QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.lng");

TEST(SlovakLanguageFile, NamesItselfSlovak)
{
    const IniFile file(kFile);
    EXPECT_EQ(file.readString("-main-", "tag", ""), "SK");
    EXPECT_EQ(file.readString("-main-", "name", ""), "Slovenčina");
    EXPECT_EQ(file.sections().first(), "-main-");
}

// Window captions and message boxes were English in the Slovak file:
// every message whose built-in text is English now has its Slovak
// wording, every other one is the built-in text.
TEST(SlovakLanguageFile, MessagesAreSlovak)
{
    bralvo::services::LoadDefaultTexts();
    QHash<int, QString> slovak;
    for (const bralvo::app::SlovakMessage &message : bralvo::app::SlovakMessages())
        slovak.insert(message.number, "%" + QString::fromUtf8(message.text) + "%");
    const IniFile file(kFile);
    const QRegularExpression english(
        "\\b(the|is|are|was|you|your|this|not|please|successfully|already|missing|managment|"
        "doesn't|cannot|exists?|selected|want|sure|number|customer|item|note|user|bralvos)\\b",
        QRegularExpression::CaseInsensitiveOption);
    for (int i = 0; i < bralvo::services::UiTextCount; ++i) {
        SCOPED_TRACE(i);
        const QString stored = file.readString("-msg-", QString::number(i), "<missing>");
        EXPECT_EQ(stored, slovak.value(i, bralvo::services::UiTextTable().at(i)));
        EXPECT_FALSE(english.match(stored).hasMatch()) << stored.toStdString();
    }
    EXPECT_EQ(file.readString("-msg-", "146", ""), "%Správa odberateľov%");
}

TEST(SlovakLanguageFile, CoversTheShellWindows)
{
    const IniFile file(kFile);
    for (const char *section : {"fMain", "fMenu", "fLogin", "fSettings"})
        EXPECT_TRUE(file.sectionExists(section)) << section;
    EXPECT_EQ(file.readString("fMenu", "bitKoniec", ""), "%Koniec%");
    EXPECT_EQ(file.readString("fLogin", "bitOK", ""), "%Prihlásiť%");
}

} // namespace

namespace {

// F1 and Nápoveda opened nothing: no help page was shipped. Every topic a
// window asks for (ShowHelpTopic("...") or a settings page) has a Slovak
// page, and the licence the settings window shows exists.
TEST(HelpPages, EveryTopicTheWindowsOpenHasASlovakPage)
{
    const QDir app(QStringLiteral(BRALVO_SOURCE_DIR "/app"));
    const QRegularExpression topic(QStringLiteral("\"((?:sprava|nastavenia|hlavne|vystavovanie|pridavanie|vyber|tabulkove|grafove)_[a-z_]+)\""));
    QStringList topics{"index"};
    for (const QString &name : app.entryList({"*.cpp"}, QDir::Files)) {
        QFile source(app.filePath(name));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(source.readAll());
        for (auto it = topic.globalMatch(text); it.hasNext();)
            topics << it.next().captured(1);
    }
    topics.removeDuplicates();
    EXPECT_GE(topics.size(), 25);
    for (const QString &name : topics) {
        QFile page(app.filePath("help/" + name + ".htm"));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString html = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(html.contains("<html lang=\"sk\">")) << name.toStdString();
    }
    EXPECT_TRUE(QFile::exists(QStringLiteral(BRALVO_SOURCE_DIR "/LICENSE")));
    EXPECT_TRUE(QFile::exists(app.filePath("Bralvo-changelog.txt")));
}

} // namespace

namespace {

// No print language was shipped, so "Jazyk faktúry" and the customer's
// print language list were empty and no bill could be printed for a
// foreign customer. Four complete print languages ship with the program.
TEST(PrintLanguageFiles, SlovakCzechEnglishAndGermanAreComplete)
{
    bralvo::services::LoadDefaultTexts();
    struct Case { const char *tag; const char *name; const char *invoice; };
    for (const Case &c : {Case{"SK", "Slovenčina", "%FAKTÚRA%"}, Case{"CS", "Čeština", "%FAKTURA%"},
                          Case{"EN", "English", "%INVOICE%"}, Case{"DE", "Deutsch", "%RECHNUNG%"}}) {
        SCOPED_TRACE(c.tag);
        const IniFile file(QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - %1.ilng").arg(c.tag));
        EXPECT_EQ(file.readString("-main-", "tag", ""), c.tag);
        EXPECT_EQ(file.readString("-main-", "name", ""), QString::fromUtf8(c.name));
        EXPECT_EQ(file.readString("Bralvo", "1", ""), QString::fromUtf8(c.invoice));
        for (int i = 1; i < bralvo::services::ReportTextCount; ++i) {
            const QString builtIn = bralvo::services::StripPercent(bralvo::services::ReportTextTable().at(i));
            if (builtIn.isEmpty() && i != 172)
                continue;
            const QString text = file.readString("Bralvo", QString::number(i), "");
            EXPECT_TRUE(text.size() > 2 && text.startsWith('%') && text.endsWith('%')) << i;
        }
    }
}

} // namespace
