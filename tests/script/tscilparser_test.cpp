// TscILParser: the intermediate program each grammar writes, syntax errors
// with their exact texts and positions, units, the language switch and the
// limits that keep hostile input from crashing the parser.
#include "script/scripterror.h"
#include "script/scriptmessages.h"
#include "script/tscilparser.h"

#include <QHash>
#include <gtest/gtest.h>

using namespace bralvo::script;

namespace {

// name:text(children), positions left out.
QString shape(const TscXMLItem &item)
{
    QString s = item.Name();
    const QString text = item.Prop(QStringLiteral("text"));
    if (!text.isEmpty())
        s += QLatin1Char(':') + text;
    if (item.Count() > 0) {
        QStringList children;
        for (int i = 0; i < item.Count(); ++i)
            children << shape(*item.Items(i));
        s += QLatin1Char('(') + children.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return s;
}

struct Result {
    bool ok = false;
    QString error, position, unit, shape;
};

Result compile(const char *language, const QString &text, ILParserOptions options = {}, bool normalize = true)
{
    TscILParser parser(std::move(options));
    parser.LoadLanguageGrammar(QString::fromLatin1(language));
    Result r;
    r.ok = parser.BuildIntermediateProgram(normalize ? NormalizeScriptText(text) : text);
    r.error = parser.ErrorText();
    r.position = parser.ErrorPosition();
    r.unit = parser.ErrorUnitName();
    if (r.ok)
        r.shape = shape(*parser.ILScript().Root());
    return r;
}

// The program's statements only: the main compound statement's children.
QString body(const Result &r)
{
    const QString prefix = QStringLiteral("program(compoundstmt(");
    if (!r.shape.startsWith(prefix))
        return r.shape;
    const int end = r.shape.lastIndexOf(QLatin1String("),types"));
    return r.shape.mid(prefix.size(), end - prefix.size());
}

struct ErrorCase {
    const char *source;
    const char *error;
    const char *position;
};

void expectErrors(const char *language, std::initializer_list<ErrorCase> cases)
{
    for (const ErrorCase &c : cases) {
        SCOPED_TRACE(c.source);
        const Result r = compile(language, QString::fromUtf8(c.source));
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, QString::fromUtf8(c.error));
        EXPECT_EQ(r.position, QString::fromUtf8(c.position));
    }
}

} // namespace

TEST(TscILParser, PascalExampleWithPositions)
{
    TscILParser parser;
    parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
    ASSERT_TRUE(parser.BuildIntermediateProgram(QStringLiteral("begin a := 1 + b; end.")));
    EXPECT_EQ(parser.ErrorText(), QString());
    EXPECT_EQ(parser.ErrorPosition(), QString());
    EXPECT_EQ(parser.ILScript().SaveToText(),
              "<?xml version=\"1.0\"?><program><compoundstmt pos=\"1:1\"><assignstmt pos=\"1:7\">"
              "<dsgn pos=\"1:7\"><node text=\"a\" pos=\"1:8\"/></dsgn>"
              "<expr pos=\"1:12\" pos1=\"1:17\"><number text=\"1\" pos=\"1:13\"/><op text=\"+\" pos=\"1:15\"/>"
              "<dsgn pos=\"1:16\"><node text=\"b\" pos=\"1:17\"/></dsgn></expr>"
              "</assignstmt></compoundstmt><types/></program>");
    EXPECT_TRUE(parser.NeedDeclareVars());
}

TEST(TscILParser, PascalShapes)
{
    struct Case { const char *source, *shape; };
    const Case cases[] = {
        {"var a, b: Integer = 5; begin end.",
         "program(var(ident:a,ident:b,type:Integer,init(expr(number:5))),compoundstmt,types)"},
        {"begin f(1, x) end.", "callstmt(dsgn(node:f,expr(number:1),expr(dsgn(node:x))))"},
        {"begin a[i] := $1F end.", "assignstmt(dsgn(node:a,node:[,expr(dsgn(node:i))),expr(number:$1F))"},
        {"begin obj.Items[2].Name end.",
         "callstmt(dsgn(node:obj,node:Items,node:[,expr(number:2),node:Name))"},
        {"begin x := -a * 'b''c' end.",
         "assignstmt(dsgn(node:x),expr(op:unminus,dsgn(node:a),op:*,string:'b'c'))"},
        {"begin x := (a >= 1) and not b end.",
         "assignstmt(dsgn(node:x),expr(op:(,expr(dsgn(node:a),op:>=,number:1),op:),op:and,op:not,dsgn(node:b)))"},
        {"begin x := a in [1, 3..5] end.",
         "assignstmt(dsgn(node:x),expr(dsgn(node:a),op:in,set(expr(number:1),expr(number:3),range:.,expr(number:5))))"},
        {"begin for i := 1 downto 0 do break end.",
         "forstmt(ident:i,expr(number:1),downto:downto,expr(number:0),break)"},
        {"begin case x of 1: a; 2: b; else c end end.",
         "casestmt(expr(dsgn(node:x)),caseselector(set(expr(number:1)),callstmt(dsgn(node:a))),"
         "caseselector(set(expr(number:2)),callstmt(dsgn(node:b))),callstmt(dsgn(node:c)))"},
        {"begin x := <Data.\"Field\"> end.",
         "assignstmt(dsgn(node:x),expr(dsgn(node:Get,expr(string:'Data.\"Field\"'))))"},
        {"begin if a then b else c end.",
         "ifstmt(expr(dsgn(node:a)),thenstmt(callstmt(dsgn(node:b))),elsestmt(callstmt(dsgn(node:c))))"},
        {"begin try a finally b end end.",
         "trystmt(callstmt(dsgn(node:a)),finallystmt(callstmt(dsgn(node:b))))"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        const Result r = compile("PascalScript", QString::fromUtf8(c.source));
        ASSERT_TRUE(r.ok) << r.error.toStdString() << " " << r.position.toStdString();
        const QString got = QString::fromUtf8(c.shape).startsWith(QLatin1String("program(")) ? r.shape : body(r);
        EXPECT_EQ(got.toStdString(), c.shape);
    }
}

TEST(TscILParser, PascalTextAfterFinalDotIsIgnored)
{
    const Result r = compile("PascalScript", QStringLiteral("begin end. garbage"));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.error, QString());
}

TEST(TscILParser, PascalSyntaxErrors)
{
    expectErrors("PascalScript", {
        {"begin a := ; end.", "Expression expected", "1:12"},
        {"begin a : = 1 end.", "'=' expected", "1:11"},
        {"begin a := 1 end", "'.' expected", "2:1"},
        {"x := 1.", "'BEGIN' expected", "1:1"},
        {"begin if a b := 1 end.", "'THEN' expected", "1:12"},
        {"begin while a x; end.", "'DO' expected", "1:15"},
        {"begin for i = 1 to 2 do; end.", "':' expected", "1:13"},
        {"begin for i := 1 2 do; end.", "'TO' or 'DOWNTO' expected", "1:18"},
        {"begin repeat a; end.", "'UNTIL' expected", "1:17"},
        {"begin try a; end.", "'FINALLY' or 'EXCEPT' expected", "1:14"},
        {"begin case x 1: a end; end.", "'OF' expected", "1:14"},
        {"var x: ; begin end.", "Identifier expected", "1:8"},
        {"const a 1; begin end.", "'=' expected", "1:9"},
        {"begin x := (1 + 2; end.", "')' expected", "1:18"},
        {"begin x := a[1; end.", "']' expected", "1:15"},
        {"begin x := <a; end.", "'>' expected", "2:1"},
        {"procedure p; begin end begin end.", "';' expected", "1:24"},
        {"uses a; begin end.", "Identifier expected", "1:6"},
    });
}

TEST(TscILParser, CppShapes)
{
    struct Case { const char *source, *shape; };
    const Case cases[] = {
        {"int a[3], b = 1; {}",
         "program(var(type:int,ident:a,array(dim(expr(number:3))),ident:b,init(expr(number:1))),compoundstmt,"
         "types(int,long,void,bool,float))"},
        {"{ x += 2; }", "assignstmt(dsgn(node:x),modificator:+,expr(number:2))"},
        {"{ i++; }", "callstmt(dsgn(node:i),modificator:+)"},
        {"{ do x++; while (a < 3); }",
         "repeatstmt(callstmt(dsgn(node:x),modificator:+),expr(dsgn(node:a),op:<,number:3),inverse)"},
        {"{ if(a) b(); }", "ifstmt(expr(dsgn(node:a)),thenstmt(callstmt(dsgn(node:b))))"},
        {"{ x = a == 1 || !b; }",
         "assignstmt(dsgn(node:x),expr(dsgn(node:a),op:=,number:1,op:or,op:not,dsgn(node:b)))"},
        {"{ x = 0x10 % 3 << 1; }",
         "assignstmt(dsgn(node:x),expr(number:$10,op:mod,number:3,op:shl,number:1))"},
        {"{ x = new TList(); }", "assignstmt(dsgn(node:x),expr(new(dsgn(node:TList))))"},
        {"Variant fr3f1() { return a; } {}",
         "program(function(type:Variant,name:fr3f1,parameters,compoundstmt(return(expr(dsgn(node:a))))),compoundstmt,"
         "types(int,long,void,bool,float))"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        const Result r = compile("C++Script", QString::fromUtf8(c.source));
        ASSERT_TRUE(r.ok) << r.error.toStdString() << " " << r.position.toStdString();
        const QString got = QString::fromUtf8(c.shape).startsWith(QLatin1String("program(")) ? r.shape : body(r);
        EXPECT_EQ(got.toStdString(), c.shape);
    }
}

TEST(TscILParser, CppSyntaxErrors)
{
    expectErrors("C++Script", {
        {"{ a = ; }", "Expression expected", "1:7"},
        {"{ a = 1 }", "';' expected", "1:9"},
        {"{ If (a) b(); }", "';' expected", "1:10"},
        {"{ if a) b(); }", "'(' expected", "1:6"},
        {"{ while (a b(); }", "')' expected", "1:12"},
        {"{ do x++; (a); }", "'WHILE' expected", "1:11"},
        {"{ try { } }", "'FINALLY' or 'EXCEPT' expected", "1:11"},
        {"#foo {}", "'DEFINE' expected", "1:2"},
        {"#define 1 {}", "Identifier expected", "1:9"},
        {"{ x = 1;", "'}' expected", "2:1"},
        {"", "'{' expected", "1:1"},
        // Only PascalScript declares an array without bounds ("array of").
        {"int d[]; {}", "Expression expected", "1:7"},
    });
}

TEST(TscILParser, JScriptShapesAndDeclarations)
{
    TscILParser parser;
    parser.LoadLanguageGrammar(QStringLiteral("JScript"));
    EXPECT_FALSE(parser.NeedDeclareVars());
    struct Case { const char *source, *shape; };
    const Case cases[] = {
        {"x = 1", "assignstmt(dsgn(node:x),expr(number:1))"},
        {"var a = 1, b;", "var(ident:a,init(expr(number:1))),var(ident:b)"},
        {"if (a) { b(); } else c();",
         "ifstmt(expr(dsgn(node:a)),thenstmt(compoundstmt(callstmt(dsgn(node:b)))),elsestmt(callstmt(dsgn(node:c))))"},
        {"function fr3f1() { return a; }",
         "function(name:fr3f1,parameters,compoundstmt(return(expr(dsgn(node:a)))))"},
        {"function f(&a, b) { }",
         "function(name:f,parameters(var(varparam:&,ident:a),var(ident:b)),compoundstmt)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        const Result r = compile("JScript", QString::fromUtf8(c.source));
        ASSERT_TRUE(r.ok) << r.error.toStdString() << " " << r.position.toStdString();
        EXPECT_EQ(body(r).toStdString(), c.shape);
    }
    EXPECT_TRUE(compile("JScript", QString()).ok);
}

TEST(TscILParser, JScriptSyntaxErrors)
{
    expectErrors("JScript", {
        {"x = ;", "Expression expected", "1:5"},
        {"if (a { }", "')' expected", "1:7"},
        {"function (a) {}", "Expression expected", "1:10"},
        {"{ x = 1;", "'}' expected", "2:1"},
        {"do x++; while a;", "'(' expected", "1:15"},
        {"try { } ", "'FINALLY' or 'EXCEPT' expected", "2:1"},
    });
}

TEST(TscILParser, StrayTextReportsStatementExpected)
{
    // Nothing can start here: the rest must not be dropped silently.
    expectErrors("JScript", {
        {"x = 1; }\r\ny = 2;", "Statement expected", "1:8"},
        {"x = 1;\r\n)", "Statement expected", "2:1"},
    });
    expectErrors("BasicScript", {
        {"x = 1\r\n# bad\r\ny = 2\r\n", "End of line expected", "2:1"},
    });
}

TEST(TscILParser, BasicShapes)
{
    struct Case { const char *source, *shape; };
    const Case cases[] = {
        {"If a Then b : c", "ifstmt(expr(dsgn(node:a)),thenstmt(callstmt(dsgn(node:b)),callstmt(dsgn(node:c))))"},
        {"a = 1 : b = 2", "assignstmt(dsgn(node:a),expr(number:1)),assignstmt(dsgn(node:b),expr(number:2))"},
        {"dim a As Integer = 5", "var(ident:a,type:Integer,init(expr(number:5)))"},
        {"x = a & b \\ 2", "assignstmt(dsgn(node:x),expr(dsgn(node:a),op:strcat,dsgn(node:b),op:div,number:2))"},
        {"x = 1 ' note\r\ny = _\r\n 2 rem more",
         "assignstmt(dsgn(node:x),expr(number:1)),assignstmt(dsgn(node:y),expr(number:2))"},
        {"Sub p\r\nEnd Sub", "procedure(name:p,exit)"},
        {"If a Then\r\nb\r\nElse\r\nc\r\nEnd If",
         "ifstmt(expr(dsgn(node:a)),thenstmt(compoundstmt(callstmt(dsgn(node:b)))),elsestmt(compoundstmt(callstmt(dsgn(node:c)))))"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        const Result r = compile("BasicScript", QString::fromUtf8(c.source));
        ASSERT_TRUE(r.ok) << r.error.toStdString() << " " << r.position.toStdString();
        EXPECT_EQ(body(r).toStdString(), c.shape);
    }
}

TEST(TscILParser, BasicSyntaxErrors)
{
    expectErrors("BasicScript", {
        {"a = 1 b = 2", "End of line expected", "1:7"},
        {"If a b", "'THEN' expected", "1:6"},
        {"If a Then\r\nb\r\n", "'END' expected", "3:1"},
        {"If a Then\r\nb\r\nEnd\r\n", "'IF' expected", "3:4"},
        {"For i 1 To 2\r\nNext", "'=' expected", "1:7"},
        {"For i = 1 2\r\nNext", "'TO' expected", "1:11"},
        {"While a\r\nx = 1\r\n", "'WEND' expected", "3:1"},
        {"Select x\r\n", "'CASE' expected", "1:8"},
        {"Sub p\r\nEnd\r\n", "'SUB' expected", "2:4"},
        {"Dim 1", "Identifier expected", "1:5"},
    });
    // Without a line end after the last statement.
    const Result r = compile("BasicScript", QStringLiteral("x = 1"), {}, false);
    EXPECT_EQ(r.error, "End of line expected");
    EXPECT_EQ(r.position, "1:6");
}

TEST(TscILParser, LanguageLineSelectsTheLanguage)
{
    const Result r = compile("PascalScript", QStringLiteral("#language BasicScript\r\nx = 1\r\n"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(body(r), "assignstmt(dsgn(node:x),expr(number:1))");
    // Positions still count the language line.
    TscILParser parser;
    parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
    EXPECT_FALSE(parser.BuildIntermediateProgram(QStringLiteral("#language BasicScript\r\nx = \r\n")));
    EXPECT_EQ(parser.ErrorPosition(), "2:5");
    EXPECT_EQ(parser.LangName(), "BasicScript");
}

TEST(TscILParser, LanguageSwitchResetsEverySetting)
{
    {   // case sensitivity of C++Script must not stay
        TscILParser parser;
        parser.LoadLanguageGrammar(QStringLiteral("C++Script"));
        EXPECT_TRUE(parser.BuildIntermediateProgram(QStringLiteral("#language PascalScript\r\nBEGIN END.\r\n")))
            << parser.ErrorText().toStdString();
        EXPECT_FALSE(parser.Lexer().CaseSensitive);
    }
    {   // BasicScript's "rem" comment must not stay
        TscILParser parser;
        parser.LoadLanguageGrammar(QStringLiteral("BasicScript"));
        ASSERT_TRUE(parser.BuildIntermediateProgram(QStringLiteral("#language JScript\r\nremark = 1;\r\n")));
        EXPECT_EQ(shape(*parser.ILScript().Root()->Items(0)),
                  "compoundstmt(assignstmt(dsgn(node:remark),expr(number:1)))");
    }
    {   // JScript's undeclared variables must not stay
        TscILParser parser;
        parser.LoadLanguageGrammar(QStringLiteral("JScript"));
        EXPECT_FALSE(parser.NeedDeclareVars());
        ASSERT_TRUE(parser.BuildIntermediateProgram(QStringLiteral("#language PascalScript\r\nbegin end.\r\n")));
        EXPECT_TRUE(parser.NeedDeclareVars());
    }
}

TEST(TscILParser, UnknownLanguageRaises)
{
    TscILParser parser;
    try {
        parser.LoadLanguageGrammar(QStringLiteral("Forth"));
        FAIL();
    } catch (const ScriptError &e) {
        EXPECT_EQ(e.userText(), "Language 'Forth' not found");
    }
}

TEST(TscILParser, UnitsIncludedOnceInReverseOrder)
{
    QHash<QString, QString> files{
        {QStringLiteral("a.pas"), QStringLiteral("uses 'b.pas'; procedure pa; begin end; begin end.")},
        {QStringLiteral("b.pas"), QStringLiteral("procedure pb; begin end; begin end.")},
    };
    QStringList asked;
    ILParserOptions options;
    options.unitSource = [&](const QString &name) -> std::optional<QString> {
        asked << name;
        return files.value(name);
    };
    const Result r = compile("PascalScript", QStringLiteral("uses 'a.pas', 'b.pas';\r\nbegin end."), options);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(asked, (QStringList{"b.pas", "a.pas"}));
    EXPECT_EQ(r.shape,
              "program(uses(program(procedure(name:pb,compoundstmt),compoundstmt,types)),"
              "uses(program(procedure(name:pa,compoundstmt),compoundstmt,types)),compoundstmt,types)");
}

TEST(TscILParser, ErrorInUnitNamesTheUnit)
{
    ILParserOptions options;
    options.unitSource = [](const QString &) -> std::optional<QString> { return QStringLiteral("begin a := ; end."); };
    const Result r = compile("PascalScript", QStringLiteral("uses 'u.pas'; begin end."), options);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Expression expected");
    EXPECT_EQ(r.position, "1:12");
    EXPECT_EQ(r.unit, "u.pas");
}

TEST(TscILParser, MissingUnitFileRaises)
{
    TscILParser parser;
    parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
    try {
        parser.BuildIntermediateProgram(QStringLiteral("uses 'no/such/unit.pas'; begin end."));
        FAIL();
    } catch (const ScriptError &e) {
        EXPECT_EQ(e.userText(), "Cannot open file \"no/such/unit.pas\"");
    }
}

TEST(TscILParser, DeepNestingIsASyntaxErrorNotACrash)
{
    const QString deep = QStringLiteral("begin x := ") + QString(10000, QLatin1Char('(')) + QStringLiteral("1")
        + QString(10000, QLatin1Char(')')) + QStringLiteral(" end.");
    const Result r = compile("PascalScript", deep);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Program nested too deeply");
    EXPECT_FALSE(r.position.isEmpty());
    // Ordinary nesting is far from the limit.
    const QString fine = QStringLiteral("begin x := ") + QString(50, QLatin1Char('(')) + QStringLiteral("1")
        + QString(50, QLatin1Char(')')) + QStringLiteral(" end.");
    EXPECT_TRUE(compile("PascalScript", fine).ok);
}

TEST(TscILParser, MessagesCanBeReplaced)
{
    replaceScriptMessages([](const QString &key) -> std::optional<QString> {
        if (key == QLatin1String("SLangNotFound"))
            return QStringLiteral("Jazyk '%s' neexistuje");
        return std::nullopt;
    });
    TscILParser parser;
    QString text;
    try {
        parser.LoadLanguageGrammar(QStringLiteral("Forth"));
    } catch (const ScriptError &e) {
        text = e.userText();
    }
    resetScriptMessages();
    EXPECT_EQ(text, "Jazyk 'Forth' neexistuje");
    EXPECT_EQ(scriptMessage(ScriptMessage::LangNotFound), "Language '%s' not found");
    EXPECT_EQ(scriptMessageKey(ScriptMessage::EventError), "SEventError");
}

TEST(NormalizeScriptText, AllLineEndsBecomeCrLf)
{
    EXPECT_EQ(NormalizeScriptText(QStringLiteral("a\nb\r\nc\rd")), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(NormalizeScriptText(QStringLiteral("a\r\n")), "a\r\n");
    EXPECT_EQ(NormalizeScriptText(QString()), "");
}
