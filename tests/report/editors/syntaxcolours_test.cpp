// Colour codes: the query builder memo's hard-wired colourings and the
// code editor's lexer colouring (SQL and the script grammars).
#include "report/editors/syntaxcolours.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(QbColourCodes, CodesPerSyntaxType)
{
    struct Case {
        TSyntaxType type;
        QString text, codes;
    };
    const Case cases[] = {
        {TSyntaxType::stSQL, "select 'a' \"b\" 12 -- c", "4444441111155511113333"},
        {TSyntaxType::stSQL, "/* x */from", "33333334444"},
        {TSyntaxType::stSQL, "values call", "11111111111"},
        {TSyntaxType::stPascal, "{x}(*y*)'s'", "33333333555"},
        {TSyntaxType::stPascal, "begin // c", "4444413333"},
        {TSyntaxType::stPascal, "\"q\" 0x1F", "11111111"},
        {TSyntaxType::stCpp, "int /*a*/ \"s\"", "4441333331555"},
        {TSyntaxType::stText, "select -- 'x'", "1111111111111"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(QbColourCodes(c.text, c.type), c.codes) << c.text.toStdString();
}

TEST(QbColourCodes, LineBreaksStayAndCommentsRunToTheEnd)
{
    EXPECT_EQ(QbColourCodes("a\r\n-- b\r\nc", TSyntaxType::stSQL), "1\r\n3333\r\n1");
    // Unclosed block comment, brace comment and string at the very end:
    // the scan stops at the end of the text.
    EXPECT_EQ(QbColourCodes("x /* open", TSyntaxType::stSQL), "113333333");
    EXPECT_EQ(QbColourCodes("{", TSyntaxType::stPascal), "3");
    EXPECT_EQ(QbColourCodes("(*", TSyntaxType::stPascal), "33");
    EXPECT_EQ(QbColourCodes("\"ab\r\ncd", TSyntaxType::stSQL), "555\r\n11");
    EXPECT_EQ(QbColourCodes("-", TSyntaxType::stSQL), "1");
    EXPECT_EQ(QbColourCodes("", TSyntaxType::stSQL), "");
}

TEST(QbColourCodes, SqlKeywordListDropsCallAndValues)
{
    const QStringList words = QbKeywordList(TSyntaxType::stSQL).split(',');
    EXPECT_EQ(words.size(), SqlReservedWords().size() - 2);
    EXPECT_FALSE(words.contains("call"));
    EXPECT_TRUE(words.contains("select"));
    EXPECT_EQ(SqlReservedWords().first(), "active");
    EXPECT_EQ(SqlReservedWords().last(), "work");
    EXPECT_EQ(SqlReservedWords().size(), 128);
}

namespace {

QStringList colour(const QString &syntax, const QStringList &lines)
{
    LexerColouring c;
    c.SetSyntax(syntax);
    c.ColourUpTo(lines, int(lines.size()) - 1);
    return c.CodeLines();
}

} // namespace

TEST(LexerColouring, SqlCommentsStringsNumbersAndKeywords)
{
    // Blanks are skipped material and carry the comment code.
    EXPECT_EQ(colour("sql", {"SELECT x -- c", "/* a */ \"s\" 0x1F select"}),
              QStringList({"4444443133333", "33333333555366663444444"}));
}

TEST(LexerColouring, PascalScriptGrammarAndSwitchingBack)
{
    EXPECT_EQ(colour("PascalScript", {"begin {c} 'x' 12"}), QStringList({"4444433333555366"}));
    LexerColouring c;
    c.SetSyntax("PascalScript");
    c.SetSyntax("SQL");
    c.SetSyntax("PascalScript");
    c.ColourUpTo({"{c} -- x"}, 0);
    EXPECT_EQ(c.CodeLines(), QStringList({"33331131"}));
}

TEST(LexerColouring, UnknownSyntaxOnlyEmptiesTheKeywords)
{
    EXPECT_EQ(colour("Nothing", {"select x"}), QStringList({"11111131"}));
}

TEST(LexerColouring, ColoursLazilyAndRestartsAfterADrop)
{
    const QStringList lines = {"select", "/* open", "still", "*/ from", "where"};
    LexerColouring c;
    c.SetSyntax("SQL");
    c.ColourUpTo(lines, 1);
    EXPECT_EQ(c.CodeLines().size(), 2);
    c.ColourUpTo(lines, 4);
    EXPECT_EQ(c.CodeLines(), QStringList({"444444", "3333333", "33333", "3334444", "44444"}));
    c.DropFrom(4); // keeps two lines; the comment's start is re-read
    EXPECT_EQ(c.CodeLines().size(), 2);
    c.ColourUpTo(lines, 4);
    EXPECT_EQ(c.CodeLines(), QStringList({"444444", "3333333", "33333", "3334444", "44444"}));
}
