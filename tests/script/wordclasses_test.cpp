// Words the parser classifies with one look-up in the grammar's word table
// must come out as the lexer's reserved-word test and the grammar's word ids
// say; keywords read in any case parse as written in lower case.
#include "script/grammarrules.h"
#include "script/languageregistry.h"
#include "script/tscilparser.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

using namespace bralvo::script;

namespace {

// Reserved words in the cases a script may write them, and words near them.
QStringList trickyWords(const QStringList &keywords)
{
    QStringList words{QStringLiteral("x"), QStringLiteral("_"), QStringLiteral("a1"), QStringLiteral("Result"),
                      QStringLiteral("brea\u212A"), QStringLiteral("BREA\u212A"), QStringLiteral("b\u00E9gin"),
                      QStringLiteral("\u010Daj"), QStringLiteral("beginx"), QStringLiteral("begi"),
                      QStringLiteral("ElseIf"), QStringLiteral("DownTo"), QStringLiteral("REM"), QStringLiteral("new")};
    for (const QString &k : keywords) {
        const QString mixed = k.left(1).toUpper() + k.mid(1).toLower();
        words << k << k.toLower() << k.toUpper() << mixed << k + QLatin1Char('x') << k.left(k.size() - 1);
    }
    return words;
}

TEST(WordClasses, OneLookUpAgreesWithTheSeparateTests)
{
    for (const QString &language : GetScriptLanguageNames()) {
        TscXMLDocument grammar;
        grammar.LoadFromText(GetScriptLanguageGrammar(language));
        const GrammarRules rules(*grammar.Root());
        TscILParser parser;
        parser.LoadLanguageGrammar(language);
        TscParser &lexer = parser.Lexer();
        for (const bool caseSensitive : {false, true}) {
            lexer.CaseSensitive = caseSensitive;
            for (const QString &word : trickyWords(rules.settings().keywords)) {
                int id = -3;
                bool reserved = false;
                const auto where = [&] { return (language + QLatin1Char(' ') + word).toStdString(); };
                if (!rules.classifyWord(word, caseSensitive, id, reserved)) {
                    EXPECT_FALSE(caseSensitive) << where();
                    EXPECT_EQ(rules.wordId(word, caseSensitive), TokenAhead::kUnknownWord) << where();
                    continue;
                }
                EXPECT_EQ(id, rules.wordId(word, caseSensitive)) << where() << " case " << caseSensitive;
                EXPECT_EQ(reserved, lexer.IsKeyword(word)) << where() << " case " << caseSensitive;
            }
        }
    }
}

// The intermediate program as text, or "error line:col text".
QString programXml(const char *language, const QString &source, bool highCharIdents)
{
    TscILParser parser(ILParserOptions{highCharIdents, {}});
    parser.LoadLanguageGrammar(QString::fromLatin1(language));
    if (!parser.BuildIntermediateProgram(NormalizeScriptText(source)))
        return QStringLiteral("error ") + parser.ErrorPosition() + QLatin1Char(' ') + parser.ErrorText();
    return parser.ILScript().SaveToText();
}

TEST(WordClasses, KeywordsInAnyCaseParseAsInLowerCase)
{
    struct Case {
        const char *language, *written, *lower;
        bool highCharIdents;
    };
    // Same lengths, so that positions agree too.
    const Case cases[] = {
        {"PascalScript", "BEGIN WHILE a DO Break; END.", "begin while a do break; end.", false},
        {"PascalScript", "Var x: Integer; Begin x := 1 Div 2 MOD 3; eNd.", "var x: Integer; begin x := 1 div 2 mod 3; end.", false},
        {"PascalScript", "begin while a do brea\u212A; end.", "begin while a do break; end.", true},
        {"PascalScript", "begin while a do BREA\u212A; end.", "begin while a do break; end.", true},
        {"BasicScript", "DIM x\nIF x THEN\nx = 1\nEND IF\n", "dim x\nif x then\nx = 1\nend if\n", false},
        {"BasicScript", "Dim x 'note\nx = 1 rem more\n", "dim x 'note\nx = 1 rem more\n", false},
    };
    for (const Case &c : cases) {
        const QString written = programXml(c.language, QString::fromUtf8(c.written), c.highCharIdents);
        EXPECT_FALSE(written.startsWith(QLatin1String("error"))) << c.written << ": " << written.toStdString();
        EXPECT_EQ(written.toStdString(), programXml(c.language, QString::fromUtf8(c.lower), c.highCharIdents).toStdString())
            << c.written;
    }
}

TEST(WordClasses, CaseSensitiveLanguagesKeepTheirKeywordsLowerCase)
{
    // "If" is a name there: a call followed by a stray name.
    EXPECT_TRUE(programXml("C++Script", QStringLiteral("{ If (a) x = 1; }"), false).startsWith(QLatin1String("error")));
    EXPECT_FALSE(programXml("C++Script", QStringLiteral("{ if (a) x = 1; }"), false).startsWith(QLatin1String("error")));
    // Without letters beyond ASCII in names the Kelvin sign ends the word.
    EXPECT_TRUE(programXml("PascalScript", QStringLiteral("begin while a do brea\u212A; end."), false)
                    .startsWith(QLatin1String("error")));
}

} // namespace
