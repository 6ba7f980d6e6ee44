// TscParser, the lexer, configured as each language configures it.
#include "script/scripterror.h"
#include "script/tscilparser.h"
#include "tests/support/errortext.h"

#include <gtest/gtest.h>

using namespace bralvo::script;
using bralvo::test::errorTextOf;

namespace {

// A lexer with a language's settings, over the given text.
class Lexer {
public:
    Lexer(const char *language, const QString &text)
    {
        m_parser.LoadLanguageGrammar(QString::fromLatin1(language));
        lex().SetText(text);
    }
    TscParser &lex() { return m_parser.Lexer(); }
    TscParser *operator->() { return &lex(); }

private:
    TscILParser m_parser;
};

} // namespace

TEST(TscParser, CommentsAreSkipped)
{
    struct Case { const char *language; QString text; QString word; };
    const Case cases[] = {
        {"PascalScript", QStringLiteral("{ a } (* b *) // c\r\nx"), QStringLiteral("x")},
        {"PascalScript", QStringLiteral("{ never closed x"), QString()},
        {"C++Script", QStringLiteral("/* a */ // b\r\n/* c */x"), QStringLiteral("x")},
        {"C++Script", QStringLiteral("{ x"), QString()}, // "{" is no comment here
        {"JScript", QStringLiteral("/* a\r\n b */y"), QStringLiteral("y")},
        {"BasicScript", QStringLiteral("/\\ block /\\z"), QStringLiteral("z")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Lexer l(c.language, c.text);
        EXPECT_EQ(l->GetWord(), c.word);
    }
}

TEST(TscParser, StringLiterals)
{
    struct Case { const char *language; QString text; QString value; };
    const Case cases[] = {
        {"PascalScript", QStringLiteral("'It''s'"), QStringLiteral("'It's'")},
        {"PascalScript", QStringLiteral("#13#10"), QStringLiteral("'\r\n'")},
        {"PascalScript", QStringLiteral("'a'#9'b'"), QStringLiteral("'a\tb'")},
        {"PascalScript", QStringLiteral("#$41'b'"), QStringLiteral("'Ab'")},
        {"PascalScript", QStringLiteral("#269"), QStringLiteral("'č'")},
        {"PascalScript", QStringLiteral("''"), QStringLiteral("''")},
        {"PascalScript", QStringLiteral("'a\\nb'"), QStringLiteral("'a\\nb'")},
        {"C++Script", QStringLiteral("\"a\\nb\""), QStringLiteral("'a\nb'")},
        {"C++Script", QStringLiteral("\"a\"\"b\""), QStringLiteral("'ab'")},
        {"C++Script", QStringLiteral("\"q\\\"\\t\""), QStringLiteral("'q\"t'")},
        {"C++Script", QStringLiteral("\"\\x41\\x\""), QStringLiteral("'A'")},
        {"JScript", QStringLiteral("\"it's\""), QStringLiteral("'it's'")},
        {"BasicScript", QStringLiteral("#0x41"), QStringLiteral("'A'")},
        {"PascalScript", QStringLiteral("'not\r\nclosed'"), QString()},
        {"PascalScript", QStringLiteral("x"), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Lexer l(c.language, c.text);
        EXPECT_EQ(l->GetString(), c.value);
    }
}

TEST(TscParser, UnterminatedStringRestoresPosition)
{
    Lexer l("PascalScript", QStringLiteral("  'abc\r\n'"));
    EXPECT_EQ(l->GetString(), QString());
    EXPECT_EQ(l->Position(), 3);
}

TEST(TscParser, CharacterCodeOutOfRangeRaisesNotOverflows)
{
    struct Case { const char *language; QString text; QString error; };
    const Case cases[] = {
        {"PascalScript", QStringLiteral("#99999999999"), QStringLiteral("'99999999999' is not a valid integer value")},
        {"PascalScript", QStringLiteral("#1114112"), QStringLiteral("'1114112' is not a valid integer value")},
        {"PascalScript", QStringLiteral("#$FFFFFFFFFFFFFFFFFFFF"), QStringLiteral("'$FFFFFFFFFFFFFFFFFFFF' is not a valid integer value")},
        {"C++Script", QStringLiteral("\"\\x110000\""), QStringLiteral("'$110000' is not a valid integer value")},
        {"C++Script", QStringLiteral("\"\\xD800\""), QStringLiteral("'$D800' is not a valid integer value")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Lexer l(c.language, c.text);
        EXPECT_EQ(errorTextOf([&] { l->GetString(); }), c.error);
    }
}

TEST(TscParser, Numbers)
{
    struct Case { const char *language; QString text; QString number; QString rest; };
    const Case cases[] = {
        {"C++Script", QStringLiteral("0x1F"), QStringLiteral("$1F"), QString()},
        {"C++Script", QStringLiteral("0X1F"), QStringLiteral("0"), QStringLiteral("X1F")},
        {"PascalScript", QStringLiteral("$ff"), QStringLiteral("$ff"), QString()},
        {"PascalScript", QStringLiteral("1.5e3"), QStringLiteral("1.5e3"), QString()},
        {"PascalScript", QStringLiteral("1.5E-3"), QStringLiteral("1.5E-3"), QString()},
        {"PascalScript", QStringLiteral("1.e3"), QStringLiteral("1"), QString()},
        {"PascalScript", QStringLiteral("1e"), QStringLiteral("1"), QStringLiteral("e")},
        {"PascalScript", QStringLiteral("2e5"), QStringLiteral("2e5"), QString()},
        {"PascalScript", QStringLiteral("1..5"), QStringLiteral("1"), QString()},
        {"PascalScript", QStringLiteral("abc"), QString(), QStringLiteral("abc")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Lexer l(c.language, c.text);
        EXPECT_EQ(l->GetNumber(), c.number);
        EXPECT_EQ(l->GetWord(), c.rest);
    }
}

TEST(TscParser, WordsIdentsAndReservedWords)
{
    Lexer pas("PascalScript", QStringLiteral("begin BEGIN Begin x1 _y 1z"));
    EXPECT_EQ(pas->GetIdent(), QString());
    pas->SetPosition(1);
    EXPECT_EQ(pas->GetWord(), "begin");
    EXPECT_TRUE(pas->IsKeyword(QStringLiteral("BEGIN")));
    EXPECT_TRUE(pas->IsKeyword(QStringLiteral("Begin")));
    pas->SetPosition(19);
    EXPECT_EQ(pas->GetIdent(), "x1");
    EXPECT_EQ(pas->GetIdent(), "_y");
    EXPECT_EQ(pas->GetWord(), QString()); // a digit cannot start a word

    Lexer cpp("C++Script", QStringLiteral("If if"));
    EXPECT_EQ(cpp->GetIdent(), "If");
    EXPECT_EQ(cpp->GetIdent(), QString());
    EXPECT_FALSE(cpp->IsKeyword(QStringLiteral("While")));
}

TEST(TscParser, ReservedWordsBeyondAscii)
{
    // Letters outside ASCII are compared as lower case text, so the Kelvin
    // sign counts as a "k"; an accented letter stays a letter of its own.
    Lexer pas("PascalScript", QString());
    EXPECT_TRUE(pas->IsKeyword(QStringLiteral("brea\u212A")));
    EXPECT_FALSE(pas->IsKeyword(QStringLiteral("b\u00E9gin")));
    EXPECT_FALSE(pas->IsKeyword(QStringLiteral("begi")));
    EXPECT_FALSE(pas->IsKeyword(QStringLiteral("beginx")));
    Lexer cpp("C++Script", QString());
    EXPECT_FALSE(cpp->IsKeyword(QStringLiteral("brea\u212A")));
}

TEST(TscParser, PunctuationAndWhiteSpace)
{
    Lexer l("PascalScript", QStringLiteral(" :=\u010D"));
    EXPECT_EQ(l->GetChar(), QString()); // no skipping of blanks
    l->SkipSpaces();
    EXPECT_EQ(l->GetChar(), ":");
    EXPECT_EQ(l->GetChar(), "=");
    EXPECT_EQ(l->GetChar(), QString());  // a letter is no punctuation
    EXPECT_EQ(l->GetWord(), QString());  // nor an identifier without HighCharIdents
}

TEST(TscParser, HighCharIdents)
{
    TscILParser parser(ILParserOptions{true, {}});
    parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
    parser.Lexer().SetText(QStringLiteral("čaj1 x"));
    EXPECT_EQ(parser.Lexer().GetIdent(), QStringLiteral("čaj1"));
}

TEST(TscParser, BasicScriptLineEnds)
{
    Lexer l("BasicScript", QStringLiteral("a _\r\n b\r\nc"));
    EXPECT_EQ(l->GetWord(), "a");
    EXPECT_FALSE(l->GetEOL()); // the continuation hides this line end
    EXPECT_EQ(l->GetWord(), "b");
    EXPECT_TRUE(l->GetEOL());
    EXPECT_EQ(l->GetWord(), "c");
    EXPECT_FALSE(l->GetEOL());

    Lexer rem("BasicScript", QStringLiteral("remark\r\nx"));
    EXPECT_EQ(rem->GetWord(), QString()); // "rem" opens a comment even here
    EXPECT_TRUE(rem->GetEOL());
    EXPECT_EQ(rem->GetWord(), "x");
}

TEST(TscParser, LineCommentKeepsLineEndInBasicScript)
{
    Lexer l("BasicScript", QStringLiteral("x ' note\r\ny rem more\r\nz"));
    EXPECT_EQ(l->GetWord(), "x");
    EXPECT_TRUE(l->GetEOL());
    EXPECT_EQ(l->GetWord(), "y");
    EXPECT_TRUE(l->GetEOL());
    EXPECT_EQ(l->GetWord(), "z");
}

TEST(TscParser, ReportReference)
{
    struct Case { QString text; QString reference; };
    const Case cases[] = {
        {QStringLiteral("Data.\"a>b\"> + 1"), QStringLiteral("Data.\"a>b\"")},
        {QStringLiteral("a[<b>]> x"), QStringLiteral("a[<b>]")},
        {QStringLiteral("'>'\">\"> x"), QStringLiteral("'>'\">\"")},
        {QStringLiteral("unclosed"), QStringLiteral("unclosed")},
    };
    for (const Case &c : cases) {
        Lexer l("PascalScript", c.text);
        EXPECT_EQ(l->GetReportReference(), c.reference);
    }
}

TEST(TscParser, LineColumnPositions)
{
    Lexer l("PascalScript", QStringLiteral("ab\r\n\tcd\r\n"));
    EXPECT_EQ(l->GetLineColumn(), "1:1");
    EXPECT_EQ(l->GetWord(), "ab");
    EXPECT_EQ(l->GetLineColumn(), "1:3");
    l->SetPosition(4); // the LF belongs to line 1
    EXPECT_EQ(l->GetLineColumn(), "1:4");
    l->SetPosition(5);
    EXPECT_EQ(l->GetLineColumn(), "2:1");
    EXPECT_EQ(l->GetWord(), "cd");
    EXPECT_EQ(l->GetLineColumn(), "2:4"); // a tab is one column
    EXPECT_EQ(l->GetPositionOf(1, 2), 5);
    EXPECT_EQ(l->GetPositionOf(1, 4), -1);
}

TEST(TscParser, LineColumnOfPositionsInAnyOrder)
{
    // Table: position, its line:column; asked jumping back and forth.
    struct Case { int position; const char *lineColumn; };
    const Case cases[] = {
        {10, "4:4"}, {1, "1:1"}, {7, "4:1"}, {3, "2:1"}, {6, "3:1"},
        {2, "1:2"}, {5, "2:3"}, {9, "4:3"}, {4, "2:2"}, {1, "1:1"},
    };
    Lexer l("PascalScript", QStringLiteral("a\nbb\n\nccc"));
    for (const Case &c : cases)
        EXPECT_EQ(l->LineColumnOf(c.position), c.lineColumn) << c.position;
    // A new text forgets the lines of the old one.
    l->SetText(QStringLiteral("x\ny"));
    EXPECT_EQ(l->LineColumnOf(4), "2:2");
    EXPECT_EQ(l->LineColumnOf(2), "1:2");
}

TEST(TscParser, TextEndsWhereItsSourceEndsEvenWithoutItsOwnTerminator)
{
    // The lexer reads one past the last character; a text that only refers
    // to characters (here followed by more letters) must still end there.
    struct Case { const char *language; int length; QString words; };
    static const char16_t chars[] = u"abc defgh";
    const Case cases[] = {
        {"PascalScript", 3, QStringLiteral("abc|")},
        {"PascalScript", 6, QStringLiteral("abc|de|")},
        {"C++Script", 5, QStringLiteral("abc|d|")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.length);
        const QString raw = QString::fromRawData(reinterpret_cast<const QChar *>(chars), c.length);
        Lexer l(c.language, raw);
        QString words;
        for (int i = 0; i < 3 && l->Position() <= l->Size(); ++i) {
            l->SkipSpaces();
            words += l->GetWord() + QLatin1Char('|');
        }
        EXPECT_EQ(words, c.words);
        EXPECT_EQ(l->Text(), raw);
    }
}
