// Print languages, report texts from the language file, the report
// engine's texts, and the first choice of a language.
#include "languagefixture.h"

#include "platform/process.h"
#include "services/languagechooser.h"
#include "services/printlanguages.h"
#include "services/reportenginetexts.h"
#include "services/settings.h"

#include <QCoreApplication>

using namespace bralvo::services;
using bralvo::test::fileContent;
using bralvo::test::writeFileContent;

namespace {

class PrintLanguages : public bralvo::test::LanguageFixture {};

struct RecordingEngineTexts : ReportEngineTexts {
    QStringList loaded;
    void loadFromFile(const QString &path) override { loaded.append(path); }
};

struct RecordingRestart : bralvo::platform::RestartSeam {
    RecordingRestart() { bralvo::platform::setRestartSeam(this); }
    ~RecordingRestart() override { bralvo::platform::setRestartSeam(nullptr); }
    QList<QStringList> restarts;
    bool restartProgram(const QStringList &arguments) override
    {
        restarts.append(arguments);
        return true;
    }
};

// The settings window as the user leaves it: with a tag chosen or not.
struct FakeChooser : LanguageChooser {
    QString choice;  // written when not empty
    int shown = 0;
    void chooseLanguage() override
    {
        ++shown;
        if (!choice.isEmpty())
            WriteSetting(QStringLiteral("Language"), QStringLiteral("tag"), choice);
    }
};

const char *const EnglishPrint =
    "[-main-]\ntag=EN\nname=English\n"
    "[Bralvo]\n"
    "1=%INVOICE%\n"
    "3=Invoice number\n"
    "41=%Bill list%\n"
    "300=%beyond%\n"
    "abc=%not a number%\n"
    "2.5=%not a whole number%\n"
    "-1=%negative%\n"
    "172=%No.%\n"
    "8=\n";

} // namespace

TEST_F(PrintLanguages, ListShowsTagAndNameSorted)
{
    writeLanguage(QStringLiteral("Bralvo - SK.ilng"),
                  QString::fromUtf8("[-main-]\ntag=SK\nname=Slovenčina\n"));
    writeLanguage(QStringLiteral("Bralvo - EN.ilng"), QStringLiteral("[-MAIN-]\nTag=EN\nName=English\n"));
    writeLanguage(QStringLiteral("Bralvo - x.ilng"), QStringLiteral("[-main-]\nname=Nameless tag\n"));
    writeLanguage(QStringLiteral("broken.ilng"), QStringLiteral("no sections at all\n"));
    writeLanguage(QStringLiteral("Bralvo - CZ.ilng"), QString::fromUtf8("[-main-]\ntag=cz\nname=Čeština\n"));
    writeLanguage(QStringLiteral("Bralvo - SK.lng"), QStringLiteral("[-main-]\ntag=XX\nname=not listed\n"));
    // The same file name in the data root wins over the program folder.
    writeFileContent(userLanguages() + QStringLiteral("Bralvo - EN.ilng"),
               "[-main-]\ntag=EN\nname=British English\n");
    EXPECT_EQ(ListPrintLanguages(),
              (QStringList{QString::fromUtf8("cz - Čeština"), "EN - British English",
                           "error - error", "error - Nameless tag",
                           QString::fromUtf8("SK - Slovenčina")}));
}

TEST_F(PrintLanguages, ListIsEmptyWithoutFiles)
{
    EXPECT_TRUE(ListPrintLanguages().isEmpty());
}

TEST_F(PrintLanguages, LoadPrintTextsAppliesTheBillLanguage)
{
    writeLanguage(QStringLiteral("Bralvo - EN.ilng"), QString::fromUtf8(EnglishPrint));
    LoadPrintTexts(QStringLiteral("EN - English"));
    struct Case {
        int number;
        const char *text;
    };
    const Case cases[] = {
        {1, "INVOICE"},
        {3, "Invoice number"},       // marks are optional
        {41, "Bill list"},           // any number of the table may be set
        {172, "No."},
        {8, "Dodávateľ"},            // an empty value keeps the label
        {2, "ZÁLOHOVÁ FAKTÚRA"},     // missing in the file: built-in
        {0, "{error language file}"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(ReportText(c.number), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(ReportTextTable().size(), ReportTextCount);
}

// A key like "abc" once counted as number 0 and replaced the fallback
// text of every unknown report text.
TEST_F(PrintLanguages, IlngKeyThatIsNotANumberIsSkipped)
{
    writeLanguage(QStringLiteral("Bralvo - EN.ilng"), QStringLiteral(
        "[Bralvo]\nabc=%bad%\n1x=%bad too%\n=%no key%\n1=%INVOICE%\n"));
    LoadPrintTexts(QStringLiteral("EN - English"));
    EXPECT_EQ(ReportText(0), QStringLiteral("{error language file}"));
    EXPECT_EQ(ReportText(1), QStringLiteral("INVOICE"));
}

TEST_F(PrintLanguages, LoadPrintTextsResetsTheBillLabelsFirst)
{
    for (int number : {1, 40, 51, 84, 171, 175, 41, 50})
        ReportTextTable()[number] = QStringLiteral("%translated%");
    LoadPrintTexts(QStringLiteral("SK - Slovenčina"));  // no such file
    struct Case {
        int number;
        const char *text;
    };
    const Case cases[] = {
        {1, "FAKTÚRA"},    {40, "Dátum platby"}, {51, "zaokrúhlenie"}, {84, "Kurz"},
        {171, "kód"},      {172, "p.č."},        {175, "Dátum objednávky"},
        {41, "translated"}, {50, "translated"},  // not bill labels: untouched
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(ReportText(c.number), QString::fromUtf8(c.text));
    }
}

TEST_F(PrintLanguages, ItemWithoutSeparatorLooksForAnEmptyTag)
{
    writeLanguage(QStringLiteral("Bralvo - EN.ilng"), QString::fromUtf8(EnglishPrint));
    LoadPrintTexts(QStringLiteral("EN"));
    EXPECT_EQ(ReportText(1), QString::fromUtf8("FAKTÚRA"));
    writeLanguage(QStringLiteral("Bralvo - .ilng"), QStringLiteral("[Bralvo]\n1=%untagged%\n"));
    LoadPrintTexts(QStringLiteral("EN"));
    EXPECT_EQ(ReportText(1), QStringLiteral("untagged"));
}

TEST_F(PrintLanguages, BillLanguageWinsOverTheReportSectionOnlyForItsLabels)
{
    writeSettings(QStringLiteral("[Language]\ntag=DE\n"));
    writeLanguage(QStringLiteral("Bralvo - DE.lng"), QStringLiteral(
        "[-report-]\n1=%RECHNUNG%\n2=%ANZAHLUNGSRECHNUNG%\n41=%Rechnungsliste%\n"));
    writeLanguage(QStringLiteral("Bralvo - EN.ilng"), QStringLiteral("[Bralvo]\n1=%INVOICE%\n"));
    LoadReportLanguage(nullptr, nullptr);
    EXPECT_EQ(ReportText(2), QStringLiteral("ANZAHLUNGSRECHNUNG"));
    LoadPrintTexts(QStringLiteral("EN - English"));
    EXPECT_EQ(ReportText(1), QStringLiteral("INVOICE"));
    EXPECT_EQ(ReportText(2), QString::fromUtf8("ZÁLOHOVÁ FAKTÚRA"));  // built-in, not "-report-"
    EXPECT_EQ(ReportText(41), QStringLiteral("Rechnungsliste"));
}

TEST_F(PrintLanguages, ReportLanguageLoadsAllThreeSources)
{
    writeSettings(QStringLiteral("[Language]\ntag=EN\n"));
    writeLanguage(QStringLiteral("Bralvo - EN.lng"), QStringLiteral(
        "[-msg-]\n103=%Exit?%\n"
        "[-report-]\n"
        "1=%INVOICE%\n"
        "007=%seven%\n"
        "177=%beyond%\n"
        "x=%not a number%\n"
        "41=\n"));
    writeLanguage(QStringLiteral("Bralvo - EN.flng"), QStringLiteral("preview=Preview\n"));
    RecordingEngineTexts engine;
    LoadReportLanguage(nullptr, &engine);
    EXPECT_EQ(CurrentLanguageTag(), QStringLiteral("EN"));
    EXPECT_EQ(MessageText(103), QStringLiteral("Exit?"));
    EXPECT_EQ(ReportText(1), QStringLiteral("INVOICE"));
    EXPECT_EQ(ReportText(7), QStringLiteral("seven"));
    EXPECT_EQ(ReportText(41), QString::fromUtf8("Zoznam faktúr"));
    EXPECT_EQ(ReportText(0), QStringLiteral("{error language file}"));
    EXPECT_EQ(engine.loaded, QStringList{programLanguages() + QStringLiteral("Bralvo - EN.flng")});
}

TEST_F(PrintLanguages, ReportLanguageWithoutFilesChangesNothing)
{
    writeSettings(QStringLiteral("[Language]\ntag=EN\n"));
    RecordingEngineTexts engine;
    LoadReportLanguage(nullptr, &engine);
    EXPECT_EQ(CurrentLanguageTag(), QStringLiteral("SK"));
    EXPECT_TRUE(engine.loaded.isEmpty());
    EXPECT_EQ(ReportText(1), QString::fromUtf8("FAKTÚRA"));
}

TEST_F(PrintLanguages, EnsureLanguageChosen)
{
    struct Case {
        const char *settings;
        const char *choice;  // what the user picks in the window
        bool goesOn;
        int shown;
        int restarts;
    };
    const Case cases[] = {
        {"[Language]\ntag=EN\n", "", true, 0, 0},    // chosen and present
        {"[Language]\ntag=FR\n", "EN", false, 1, 1}, // file gone: choose again
        {"", "EN", false, 1, 1},
        {"", "", false, 1, 0},                       // closed without choosing: just end
        {"[Language]\ntag=\n", "", false, 1, 0},
    };
    writeLanguage(QStringLiteral("Bralvo - EN.lng"), QStringLiteral("[-main-]\ntag=EN\n"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.settings);
        writeSettings(QString::fromUtf8(c.settings));
        RecordingRestart restart;
        FakeChooser chooser;
        chooser.choice = QString::fromUtf8(c.choice);
        EXPECT_EQ(EnsureLanguageChosen(chooser), c.goesOn);
        EXPECT_EQ(chooser.shown, c.shown);
        EXPECT_EQ(restart.restarts.size(), c.restarts);
    }
}

TEST_F(PrintLanguages, RestartPassesTheFirstArgumentOn)
{
    const QStringList arguments = QCoreApplication::arguments();
    const QStringList expected = arguments.size() > 1 && !arguments.at(1).isEmpty()
                                     ? QStringList{arguments.at(1)}
                                     : QStringList{};
    RecordingRestart restart;
    FakeChooser chooser;
    chooser.choice = QStringLiteral("SK");
    EXPECT_FALSE(EnsureLanguageChosen(chooser));
    ASSERT_EQ(restart.restarts.size(), 1);
    EXPECT_EQ(restart.restarts.first(), expected);
}
