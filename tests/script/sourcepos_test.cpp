// Positions and unit names as run-time objects keep them: whatever text
// an intermediate program gave must come back unchanged, in error
// messages, to a line hook and in the code lines.
#include "script/sourcepos.h"
#include "script/tscscript.h"

#include <gtest/gtest.h>

using namespace bralvo::script;

TEST(SourcePos, EveryTextComesBackAsItWasGiven)
{
    const struct {
        const char *text;
        bool numbers; // kept as two numbers
    } cases[] = {
        {"1:1", true},        {"0:0", true},          {"123:45", true},      {"2147483647:9", true},
        {"08:1", false},      {"1:01", false},        {"2147483648:1", false}, {"L9:2", false},
        {"1:2:3", false},     {" 1:1", false},        {"1:", false},         {":1", false},
        {"-1:1", false},      {"\u00e91:1", false},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        SCOPED_TRACE(c.text);
        const TscSourcePos pos = TscSourcePos::fromText(text);
        EXPECT_FALSE(pos.isEmpty());
        EXPECT_EQ(pos.isNumbers(), c.numbers);
        EXPECT_EQ(pos.text(), text);
        EXPECT_EQ(TscSourcePos::fromText(text), pos);
    }
    EXPECT_TRUE(TscSourcePos::fromText(QString()).isEmpty());
    EXPECT_TRUE(TscSourcePos::fromText(QStringLiteral("")).isEmpty());
    EXPECT_TRUE(TscSourcePos().text().isNull());
    EXPECT_EQ(TscSourcePos::numbers(12, 3).text(), QStringLiteral("12:3"));
    EXPECT_EQ(TscSourcePos::numbers(12, 3), TscSourcePos::fromText(QStringLiteral("12:3")));
    EXPECT_FALSE(TscSourcePos::fromText(QStringLiteral("L9:2")) == TscSourcePos::fromText(QStringLiteral("L9:3")));
}

TEST(SourcePos, UnitNamesComeBackAsTheyWereGiven)
{
    EXPECT_TRUE(TscUnitRef().isEmpty());
    EXPECT_TRUE(TscUnitRef().text().isNull());
    EXPECT_TRUE(TscUnitRef(QString()).isEmpty());
    EXPECT_TRUE(TscUnitRef(QStringLiteral("")).isEmpty());
    const TscUnitRef lib(QStringLiteral("lib.pas"));
    EXPECT_FALSE(lib.isEmpty());
    EXPECT_EQ(lib.text(), QStringLiteral("lib.pas"));
    EXPECT_EQ(TscUnitRef(QStringLiteral("lib.pas")), lib);
    EXPECT_FALSE(TscUnitRef(QStringLiteral("Lib.pas")) == lib);
}

namespace {

// The main program, using a unit whose intermediate program holds
// statements.
struct UnitProgram {
    explicit UnitProgram(const char *statements)
        : il(QStringLiteral("<?xml version=\"1.0\"?><program><compoundstmt pos=\"1:1\">")
             + QString::fromUtf8(statements) + QStringLiteral("</compoundstmt></program>"))
    {
        script.AddRTTI();
        script.OnGetUnit = [](TscScript *, const QString &, QString &text) { text = QStringLiteral("begin end."); };
        script.OnGetILUnit = [this](TscScript *, const QString &, QString &text) { text = il; };
        script.OnRunLine = [this](TscScript *, const QString &unit, const QString &pos) {
            lines.append(unit + QLatin1Char('@') + pos);
        };
        script.SetLines({QStringLiteral("uses 'lib.pas';"), QStringLiteral("begin"), QStringLiteral("  v := 3"),
                         QStringLiteral("end.")});
    }

    QString il;
    TscScript script;
    QStringList lines;
};

const char *const declaration = R"(<var pos="1:1"><ident text="v" pos="1:2"/><type text="Integer" pos="1:5"/></var>)";

QString assignment(const char *pos, const char *value)
{
    return QStringLiteral("<assignstmt pos=\"%1\"><dsgn pos=\"%1\"><node text=\"v\" pos=\"%1\"/></dsgn>"
                          "<expr pos=\"%1\"><number text=\"%2\" pos=\"%1\"/></expr></assignstmt>")
        .arg(QLatin1String(pos), QLatin1String(value));
}

} // namespace

TEST(SourcePos, StatementsOfAUnitReportItAndTheirPositionsToTheLineHook)
{
    const QString statements = QLatin1String(declaration) + assignment("08:1", "1") + assignment("L9:2", "2")
        + assignment("12:1", "3") + assignment("1&#50;:4", "4");
    UnitProgram p(statements.toUtf8().constData());
    ASSERT_TRUE(p.script.Compile()) << p.script.ErrorText.toStdString();
    EXPECT_EQ(p.script.CodeLines, (QStringList{QStringLiteral("lib.pas=08,L9,12,"), QStringLiteral("=3,")}));
    p.script.Execute();
    EXPECT_EQ(p.lines, (QStringList{QStringLiteral("lib.pas@08:1"), QStringLiteral("lib.pas@L9:2"),
                                    QStringLiteral("lib.pas@12:1"), QStringLiteral("lib.pas@12:4"),
                                    QStringLiteral("@3:3")}));
}

TEST(SourcePos, AnErrorAtAnUnusualPositionReportsItsText)
{
    const char *const positions[] = {"08:1", "L9:2", "7:07", "x"};
    for (const char *pos : positions) {
        SCOPED_TRACE(pos);
        const QString statements = QStringLiteral("<callstmt pos=\"2:1\"><dsgn pos=\"2:1\"><node text=\"Nothing\" "
                                                  "pos=\"%1\"/></dsgn></callstmt>")
                                       .arg(QLatin1String(pos));
        UnitProgram p(statements.toUtf8().constData());
        EXPECT_FALSE(p.script.Compile());
        EXPECT_EQ(p.script.ErrorText, QStringLiteral("Undeclared identifier: 'Nothing'"));
        EXPECT_EQ(p.script.ErrorPosition, QString::fromUtf8(pos));
        EXPECT_EQ(p.script.ErrorUnitName, QStringLiteral("lib.pas"));
    }
}
