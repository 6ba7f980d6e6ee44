// The builder takes the line starts the lexer found instead of scanning the
// text again. Both ways must agree, and where they are used shows: the
// source texts of the arguments a macro method is given.
#include "script/programbuilder.h"
#include "script/tscilparser.h"
#include "script/tscparser.h"
#include "script/tscscript.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

using namespace bralvo::script;

namespace {

// The line starts as the builder finds them by itself.
std::vector<int> scannedLineStarts(const QString &text)
{
    std::vector<int> starts{0};
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\n'))
            starts.push_back(i + 1);
    return starts;
}

const char *const kTrickyTexts[] = {
    "", "a", "\n", "a\n", "\n\n", "ab\r\ncd\r\n", "a\rb", "x\n\n\ty\n", "\n  last",
};

// The argument texts Show was given, built with the line starts given (or,
// when none, with those the builder finds).
QStringList shownSources(TscILParser &parser, const std::vector<int> &lineStarts)
{
    QStringList sources;
    TscScript script;
    script.AddRTTI();
    script.AddMethod(QStringLiteral("macroprocedure Show(A: Variant; B: Variant)"),
                     [&sources](bralvo::platform::HandleTarget *, const QString &, const QString &,
                                TscMethodHelper &h) {
                         sources << h.GetParamValue(0).toString() << h.GetParamValue(1).toString();
                         return bralvo::platform::Variant::null();
                     });
    ProgramBuilder builder(script, parser.Grammar().Root(), parser.NeedDeclareVars(), parser.Lexer().Text(),
                           lineStarts);
    builder.BuildProgramItems(parser.ILScript().Root());
    EXPECT_TRUE(script.ErrorText.isEmpty()) << script.ErrorText.toStdString();
    script.Execute();
    return sources;
}

} // namespace

TEST(LineStarts, LexerFindsTheSameLineStartsAsAScan)
{
    for (const char *text : kTrickyTexts) {
        SCOPED_TRACE(text);
        TscParser lexer;
        lexer.SetText(QString::fromUtf8(text));
        EXPECT_EQ(lexer.LineStarts(), scannedLineStarts(QString::fromUtf8(text)));
        lexer.TrackLines = false;
        lexer.SetText(QString::fromUtf8(text));
        EXPECT_TRUE(lexer.LineStarts().empty());
    }
}

TEST(LineStarts, MacroArgumentSourcesAgreeWithTheLexersLineStartsAndWithout)
{
    const struct {
        const char *source;
        const char *shown; // the argument texts, joined by '|' (lines end in CR LF)
    } cases[] = {
        {"begin\n  Show(1 + 2, 'x')\nend.", "1 + 2|'x'"},
        {"begin Show(3, 4) end.", "3|4"},
        {"begin\r\n\tShow(1,\r\n\t  2 * 3)\r\nend.", "1|2 * 3"},
        {"var i: Integer;\nbegin\n\n  for i := 1 to 2 do\n    Show(i,\n      i\n      + 1)\nend.",
         "i|i\r\n      + 1|i|i\r\n      + 1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        TscILParser parser{ILParserOptions()};
        parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
        ASSERT_TRUE(parser.BuildIntermediateProgram(NormalizeScriptText(QString::fromUtf8(c.source))))
            << parser.ErrorText().toStdString();
        const QStringList fromLexer = shownSources(parser, parser.Lexer().LineStarts());
        EXPECT_EQ(fromLexer.join(QLatin1Char('|')), QString::fromUtf8(c.shown));
        EXPECT_EQ(fromLexer, shownSources(parser, {}));
    }
}
