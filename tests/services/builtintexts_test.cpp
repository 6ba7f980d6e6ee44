// Every built-in text, compared with the data file generated from the same
// list as the compiled tables, plus the worked examples of the lookups.
#include "services/builtintexts.h"
#include "services/uitexts.h"

#include <QFile>
#include <QMap>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace bralvo::services;

namespace {

struct ExpectedTexts {
    QMap<int, QString> ui;
    QMap<int, QString> report;
};

ExpectedTexts readDataFile()
{
    ExpectedTexts expected;
    QFile file(QStringLiteral(BRALVO_TEST_DATA_DIR "/builtintexts.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "cannot open " << file.fileName().toStdString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 3) {
            ADD_FAILURE() << "bad line " << line.toStdString();
            continue;
        }
        auto &table = fields[0] == QLatin1String("ui") ? expected.ui : expected.report;
        table.insert(fields[1].toInt(), fields[2]);
    }
    return expected;
}

class BuiltInTexts : public ::testing::Test {
protected:
    void SetUp() override { LoadDefaultTexts(); }
};

} // namespace

TEST_F(BuiltInTexts, EveryUiTextMatchesTheList)
{
    const ExpectedTexts expected = readDataFile();
    ASSERT_EQ(expected.ui.size(), 226);
    ASSERT_EQ(UiTextTable().size(), UiTextCount);
    for (int i = 0; i < UiTextCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(UiTextTable().at(i), expected.ui.value(i));
        EXPECT_EQ(BuiltInUiText(i), expected.ui.value(i));
    }
}

TEST_F(BuiltInTexts, EveryReportTextMatchesTheList)
{
    const ExpectedTexts expected = readDataFile();
    ASSERT_EQ(expected.report.size(), ReportTextCount);
    ASSERT_EQ(ReportTextTable().size(), ReportTextCount);
    for (int i = 0; i < ReportTextCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ReportTextTable().at(i), expected.report.value(i));
    }
}

TEST_F(BuiltInTexts, LookupsOfTheDefaults)
{
    struct Case {
        int number;
        const char *text;
    };
    const Case ui[] = {
        {264, "Späť (ESC)"},
        {168, "Cannot delete category because category is in use."},
        {268, "-"},
        {9, ""},
        {17, ""},
        {22, ""},
        {50, ""},
        {99, ""},
        {105, "Users managment"},
        {122, "Administrator's rights was successfully set to "},
        {3, "Prosím stiahnite si inštalačku programu \"%s\" znova zo stránky ( %s )."},
        {270, "0008 - Platby za tovar"},
    };
    for (const Case &c : ui) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(MessageText(c.number), QString::fromUtf8(c.text));
    }
    const Case report[] = {
        {1, "FAKTÚRA"}, {13, "základ pre "}, {50, ""}, {165, ""}, {172, ""},
        {29, "cena za jedn.|bez DPH"}, {176, ""}, {0, "{error language file}"},
    };
    for (const Case &c : report) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(ReportText(c.number), QString::fromUtf8(c.text));
    }
}

TEST_F(BuiltInTexts, EmptyRangeStaysEmptyAndSizesAreFixed)
{
    for (int i = 22; i <= 99; ++i)
        EXPECT_TRUE(MessageText(i).isEmpty()) << i;
    UiTextTable()[30] = QStringLiteral("%changed%");
    LoadDefaultTexts();  // a second fill brings the defaults back
    EXPECT_EQ(MessageText(30), QString());
    EXPECT_EQ(UiTextTable().size(), UiTextCount);
    EXPECT_EQ(ReportTextTable().size(), ReportTextCount);
}

TEST_F(BuiltInTexts, InitDefaultMessagesSetsOnlyTheFirstEntries)
{
    UiTextTable()[5] = QStringLiteral("%x%");
    UiTextTable()[100] = QStringLiteral("%y%");
    InitDefaultMessages();
    EXPECT_EQ(MessageText(5),
              QString::fromUtf8("Pre uloženie všetkých zmien prosím reštartujte program."));
    EXPECT_EQ(MessageText(100), QStringLiteral("y"));
}
