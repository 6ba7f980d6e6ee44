// Syntax errors and nesting limits where the parser passes over grammar
// alternatives that the next token cannot start: the error text, its
// position and the nesting limit must come out as if every alternative had
// been interpreted. Cases: errors right after a token that ends an operand,
// a statement or a list; every language; the limit at its exact boundary.
#include "script/scriptmessages.h"
#include "script/tscilparser.h"

#include <gtest/gtest.h>

#include <string>

using namespace bralvo::script;

namespace {

// "ok", or "line:col text" of the error.
std::string outcome(const char *language, const QString &source)
{
    ILParserOptions options;
    options.unitSource = [](const QString &) -> std::optional<QString> {
        return QStringLiteral("function U1: Integer; begin Result := 1; end;\nbegin end.");
    };
    TscILParser parser(options);
    parser.LoadLanguageGrammar(QString::fromLatin1(language));
    if (parser.BuildIntermediateProgram(NormalizeScriptText(source)))
        return "ok";
    return (parser.ErrorPosition() + QLatin1Char(' ') + parser.ErrorText()).toStdString();
}

TEST(ParserAlternatives, ErrorsAreThoseOfAFullInterpretation)
{
    struct Case {
        const char *language, *source, *expected;
    };
    const Case cases[] = {
        {"PascalScript", "begin x :+ 1 end.", "1:10 '=' expected"},
        {"PascalScript", "begin if a then end.", "ok"},
        {"PascalScript", "begin if a then", "2:1 ';' expected"},
        {"PascalScript", "begin case x of 1: ; else end.", "1:30 ';' expected"},
        {"PascalScript", "begin case x of 1: y := 2; else z := 3 end end.", "ok"},
        {"PascalScript", "begin case x of 1: y := 2; else end", "2:1 ';' expected"},
        {"PascalScript", "var x: Integer; begin x := (1 + ; end.", "1:31 ')' expected"},
        {"PascalScript", "begin x := a[1; end.", "1:15 ']' expected"},
        {"PascalScript", "begin f(1, ); end.", "ok"},
        {"PascalScript", "begin x := not ; end.", "1:16 Expression expected"},
        {"PascalScript", "begin while do x := 1; end.", "1:13 Expression expected"},
        {"PascalScript", "begin for i := 1 too 3 do ; end.", "1:18 'TO' or 'DOWNTO' expected"},
        {"PascalScript", "begin try x := 1; end.", "1:19 'FINALLY' or 'EXCEPT' expected"},
        {"PascalScript", "begin repeat x := 1 end.", "1:21 'UNTIL' expected"},
        {"PascalScript", "procedure P(var a: Integer; ; begin end; begin end.", "1:29 ')' expected"},
        {"PascalScript", "begin x := <Data.'F' ; end.", "2:1 '>' expected"},
        {"PascalScript", "var a, : Integer; begin end.", "ok"},
        {"PascalScript", "const c = ; begin end.", "1:11 Expression expected"},
        {"PascalScript", "begin x := 1 > = 2; end.", "1:14 ';' expected"},
        {"PascalScript", "begin x := 1 <> 2 xor 3 shl 4 in [1..2, 3]; end.", "ok"},
        {"PascalScript", "uses 'u1.pas' begin end.", "1:15 ';' expected"},
        {"BasicScript", "dim x\nx = \n", "2:5 Expression expected"},
        {"BasicScript", "if a then\nx = 1\n", "3:1 'END' expected"},
        {"BasicScript", "x = (1 + 2\n", "1:11 ')' expected"},
        {"BasicScript", "x = 1 y = 2\n", "1:7 End of line expected"},
        {"JScript", "x = ;", "1:5 Expression expected"},
        {"JScript", "if (a) { x = 1;", "2:1 '}' expected"},
        {"JScript", "for (i = 0; i < 3; i++) x += ;", "1:30 Expression expected"},
        {"JScript", "function f(a, { return a; }", "1:15 ')' expected"},
        {"C++Script", "{ int x = ; }", "1:11 Expression expected"},
        {"C++Script", "{ if (a) x = 1 else }", "1:16 ';' expected"},
        {"C++Script", "{ x = a[1; }", "1:10 ']' expected"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(outcome(c.language, QString::fromUtf8(c.source)), c.expected)
            << c.language << ": " << c.source;
}

TEST(ParserAlternatives, NestingLimitStaysAtItsBoundary)
{
    // prefix, opening * depth, middle, closing * depth, suffix; the deepest
    // depth that still compiles and where the next one stops.
    struct Case {
        const char *prefix, *open, *middle, *close, *suffix;
        int deepestOk;
        const char *failsAt;
    };
    const Case cases[] = {
        {"begin x := ", "(", "1", ")", " end.", 147, "1:160"},
        {"begin x := ", "not ", "a", "", " end.", 367, "1:1484"},
        {"begin ", "if a then ", "x := 1", "", " end.", 133, "1:1352"},
    };
    const auto program = [](const Case &c, int depth) {
        return QString::fromLatin1(c.prefix) + QString::fromLatin1(c.open).repeated(depth)
            + QString::fromLatin1(c.middle) + QString::fromLatin1(c.close).repeated(depth)
            + QString::fromLatin1(c.suffix);
    };
    const std::string tooDeep = scriptMessage(ScriptMessage::NestingTooDeep).toStdString();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.open);
        EXPECT_EQ(outcome("PascalScript", program(c, c.deepestOk - 1)), "ok");
        EXPECT_EQ(outcome("PascalScript", program(c, c.deepestOk)), "ok");
        EXPECT_EQ(outcome("PascalScript", program(c, c.deepestOk + 1)), std::string(c.failsAt) + ' ' + tooDeep);
    }
}

} // namespace
