// The script runtime: type rules and conversions, the script object with
// its lookup, running and registration, and the build errors with their
// positions. Scripts run whole, through TscScript, as a host runs them.
#include "platform/conversionerror.h"
#include "platform/handleregistry.h"
#include "script/runtimeerror.h"
#include "script/statements.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"
#include "script/typerules.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

using namespace bralvo;
using namespace bralvo::script;
using platform::Variant;

namespace {

// A script with the core names and Emit(V) collecting into a list.
struct Runner {
    TscScript script;
    QStringList emitted;

    explicit Runner(const QString &language = QStringLiteral("PascalScript"))
    {
        script.AddRTTI();
        script.SyntaxType = language;
        script.AddMethod(QStringLiteral("procedure Emit(V: Variant)"),
                         [this](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &h) {
                             emitted.append(h.GetParamValue(0).toString());
                             return Variant::null();
                         });
    }
    bool compile(const QString &text)
    {
        script.SetLines(text.split(QLatin1Char('\n')));
        return script.Compile();
    }
    QStringList run(const QString &text)
    {
        EXPECT_TRUE(compile(text)) << script.ErrorPosition.toStdString() << " " << script.ErrorText.toStdString();
        emitted.clear();
        script.Execute();
        return emitted;
    }
};

std::string str(const QString &text)
{
    return text.toStdString();
}

} // namespace

TEST(TypeRules, CompatibilityFollowsTheTable)
{
    struct Case {
        int target, source;
        bool compatible;
    };
    const Case cases[] = {
        {tcInteger, tcFloat, true},   {tcInteger, tcEnum, true},   {tcInteger, tcString, false},
        {tcBoolean, tcInteger, false}, {tcBoolean, tcVariant, true}, {tcFloat, tcInteger, true},
        {tcFloat, tcBoolean, false},  {tcString, tcChar, true},    {tcChar, tcInteger, false},
        {tcArray, tcVariant, true},   {tcArray, tcInteger, false}, {tcVariant, tcClass, true},
        {tcEnum, tcInteger, true},    {tcConstructor, tcVariant, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.target) + " <- " + std::to_string(c.source));
        EXPECT_EQ(TypesCompatible(c.target, QString(), c.source, QString(), nullptr), c.compatible);
    }
    EXPECT_TRUE(TypesCompatible(tcEnum, QStringLiteral("TAlign"), tcEnum, QStringLiteral("talign"), nullptr));
    EXPECT_FALSE(TypesCompatible(tcEnum, QStringLiteral("TAlign"), tcEnum, QStringLiteral("TColorKind"), nullptr));
}

TEST(TypeRules, IntegerVariableRefusesFloatButFloatAcceptsInteger)
{
    TscVariable integer(QStringLiteral("i"), tcInteger, QString());
    TscVariable real(QStringLiteral("x"), tcFloat, QString());
    EXPECT_FALSE(AssignCompatible(integer, real, nullptr));
    EXPECT_TRUE(AssignCompatible(real, integer, nullptr));
}

TEST(TypeRules, ClassesAcceptDerivedClassesOnly)
{
    TscScript script;
    script.AddClass(QStringLiteral("TComponent"), QString());
    script.AddClass(QStringLiteral("TButton"), QStringLiteral("TComponent"));
    const QString component = QStringLiteral("TComponent"), button = QStringLiteral("TButton");
    EXPECT_TRUE(TypesCompatible(tcClass, component, tcClass, button, &script));
    EXPECT_FALSE(TypesCompatible(tcClass, button, tcClass, component, &script));
    EXPECT_FALSE(TypesCompatible(tcClass, component, tcClass, QStringLiteral("TUnknown"), &script));
}

TEST(TypeRules, MethodDeclarationsGiveTypedParameters)
{
    TscScript script;
    script.AddRTTI();
    auto pos = ParseMethodSyntax(QStringLiteral("function Pos(substr, s: String): Integer"), &script);
    EXPECT_EQ(str(pos->Name), "Pos");
    EXPECT_EQ(str(pos->TypeName), "Integer");
    ASSERT_EQ(pos->Count(), 2);
    EXPECT_EQ(pos->GetParam(1)->TypeCode, tcString);

    auto randomize = ParseMethodSyntax(QStringLiteral("procedure Randomize"), &script);
    EXPECT_EQ(randomize->Count(), 0);
    EXPECT_TRUE(randomize->TypeName.isEmpty());

    auto format = ParseMethodSyntax(QStringLiteral("function Format(Fmt: String; Args: array): String"), &script);
    EXPECT_EQ(format->GetParam(1)->TypeCode, tcArray);

    auto inc = ParseMethodSyntax(QStringLiteral("procedure Inc(var i: Integer; incr: Integer = 1)"), &script);
    EXPECT_TRUE(inc->GetParam(0)->ByRef);
    EXPECT_TRUE(inc->GetParam(1)->Optional);
    EXPECT_EQ(inc->GetParam(1)->DefaultValue.toInt(), 1);
    EXPECT_EQ(inc->RequiredParamCount(), 1);

    auto decode = ParseMethodSyntax(
        QStringLiteral("procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)"), &script);
    ASSERT_EQ(decode->Count(), 4);
    EXPECT_FALSE(decode->GetParam(0)->ByRef);
    EXPECT_TRUE(decode->GetParam(1)->ByRef && decode->GetParam(2)->ByRef && decode->GetParam(3)->ByRef);

    auto sum = ParseMethodSyntax(
        QStringLiteral("macrofunction SUM(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant"), &script);
    EXPECT_TRUE(sum->TakesSourceText);
    EXPECT_EQ(sum->RequiredParamCount(), 1);
    EXPECT_EQ(str(sum->Name), "SUM");

    auto negative = ParseMethodSyntax(QStringLiteral("procedure P(a: Integer = -5)"), &script);
    EXPECT_EQ(negative->GetParam(0)->DefaultValue.toInt(), -5);
}

TEST(TypeRules, MalformedDeclarationRaises)
{
    EXPECT_THROW(ParseMethodSyntax(QStringLiteral("function (x: Integer"), nullptr), ScriptError);
    EXPECT_THROW(ParseMethodSyntax(QStringLiteral("procedure P(a b)"), nullptr), ScriptError);
}

TEST(TypeRules, LiteralsOfTheIntermediateProgram)
{
    EXPECT_EQ(str(ParserStringToVariant(QStringLiteral("'It's'")).toString()), "It's");
    const Variant big = ParserStringToVariant(QStringLiteral("3000000000"));
    EXPECT_EQ(big.kind(), platform::varInt64);
    EXPECT_EQ(big.toInt64(), 3000000000LL);
    EXPECT_DOUBLE_EQ(ParserStringToVariant(QStringLiteral("1.5")).toDouble(), 1.5);
    EXPECT_EQ(ParserStringToVariant(QStringLiteral("$FF")).toInt(), 255);
    EXPECT_EQ(ParserStringToVariant(QStringLiteral("7")).kind(), platform::varInteger);
    EXPECT_TRUE(ParserStringToVariant(QString()).isNull());
    EXPECT_EQ(ParserStringToVariant(QStringLiteral("-1")).toInt(), -1);
}

TEST(TypeRules, StrToXYSplitsLineAndColumn)
{
    // Table: text, point (column, line); a field that is no number reads 0.
    struct Case { const char *text; QPoint point; };
    const Case cases[] = {
        {"12:5", QPoint(5, 12)},   {"", QPoint(0, 0)},          {"7", QPoint(0, 7)},
        {"3:4:9", QPoint(4, 3)},   {"x:2", QPoint(2, 0)},       {"+4:-2", QPoint(-2, 4)},
        {"1:", QPoint(0, 1)},      {"1234567890:1", QPoint(1, 1234567890)},
        {"99999999999:1", QPoint(1, 0)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(StrToXY(QString::fromLatin1(c.text)), c.point) << c.text;
}

TEST(TypeRules, FormatArgumentsAreNotCutTo255Characters)
{
    const QString longText(300, QLatin1Char('x'));
    Variant values = Variant::createArray({platform::VarArrayBound{0, 2}}, platform::varVariant);
    values.setElement(0, Variant(longText));
    values.setElement(1, Variant(3));
    values.setElement(2, Variant(2.5));
    const VarRecArray args = VariantToVarRecArray(values);
    ASSERT_EQ(args.size(), 3);
    EXPECT_EQ(args[0].tag, VarRec::Tag::String);
    EXPECT_EQ(args[0].string.size(), 300);
    EXPECT_EQ(args[1].integer, 3);
    EXPECT_EQ(args[2].tag, VarRec::Tag::Extended);
    EXPECT_EQ(VarRecToVariant(args[0]).toString().size(), 300);
}

TEST(Script, LookupFindsTheNewestItemThenParents)
{
    TscScript parent;
    TscScript child;
    child.ParentScript = &parent;
    auto *first = new TscVariable(QStringLiteral("x"), tcInteger, QString());
    auto *second = new TscVariable(QStringLiteral("X"), tcInteger, QString());
    parent.Add(QStringLiteral("x"), first);
    parent.Add(QStringLiteral("X"), second);
    EXPECT_EQ(parent.Find(QStringLiteral("x")), second);
    EXPECT_EQ(child.Find(QStringLiteral("x")), second);
    EXPECT_EQ(child.FindLocal(QStringLiteral("x")), nullptr);
}

TEST(Script, ChildScriptSeesParentProceduresAndVariables)
{
    Runner parent;
    ASSERT_TRUE(parent.compile(QStringLiteral("var Total: Integer;\n"
                                              "function Twice(n: Integer): Integer; begin Result := n * 2 end;\n"
                                              "begin Total := 5 end.")));
    parent.script.Execute();
    TscScript child;
    child.ParentScript = &parent.script;
    child.SetLines({QStringLiteral("begin Emit(Twice(Total) + 1) end.")});
    ASSERT_TRUE(child.Compile()) << str(child.ErrorText);
    child.Execute();
    EXPECT_EQ(parent.emitted, QStringList{QStringLiteral("11")});
}

TEST(Script, ClearKeepsModuleNamesAndClearRTTIRemovesThem)
{
    TscScript script;
    script.AddRTTI();
    script.AddVariable(QStringLiteral("Mine"), QStringLiteral("Integer"), Variant(1));
    script.Clear();
    EXPECT_NE(script.Find(QStringLiteral("True")), nullptr);
    EXPECT_EQ(script.Find(QStringLiteral("Mine")), nullptr);
    script.AddRTTI(); // a second call registers nothing
    script.ClearRTTI();
    EXPECT_EQ(script.Find(QStringLiteral("True")), nullptr);
    script.AddRTTI();
    EXPECT_NE(script.Find(QStringLiteral("True")), nullptr);
}

TEST(Script, RegistrationOfKnownNamesReturnsTheExistingItem)
{
    TscScript script;
    script.AddRTTI();
    TscCustomVariable *first = script.AddVariable(QStringLiteral("V"), QStringLiteral("Integer"), Variant(1));
    TscCustomVariable *again = script.AddVariable(QStringLiteral("v"), QStringLiteral("Integer"), Variant(2));
    EXPECT_EQ(first, again);
    EXPECT_EQ(again->GetValue().toInt(), 1);
    EXPECT_EQ(script.AddConst(QStringLiteral("True"), QStringLiteral("Boolean"), Variant(false)),
              script.Find(QStringLiteral("True")));
    EXPECT_EQ(script.AddType(QStringLiteral("Integer"), tcString)->TypeCode, tcInteger);
    script.AddEnum(QStringLiteral("TAb"), QStringLiteral("a, b ,c"));
    EXPECT_EQ(script.Find(QStringLiteral("c"))->GetValue().toInt(), 2);
    script.AddEnumSet(QStringLiteral("TSet"), QStringLiteral("x, y, z"));
    EXPECT_EQ(script.Find(QStringLiteral("z"))->GetValue().toInt(), 4);
}

TEST(Script, ClearAndClearItemsAllowCompilingAgain)
{
    Runner r;
    const QString text = QStringLiteral("var x: Integer; begin x := 4 end.");
    r.run(text);
    r.script.Clear(); // frees what the host registered untagged as well
    EXPECT_EQ(r.script.Find(QStringLiteral("Emit")), nullptr);
    r.run(text); // no "Identifier redeclared"
    EXPECT_EQ(r.script.Find(QStringLiteral("x"))->GetValue().toInt(), 4);

    TscScript owned;
    owned.AddRTTI();
    int report = 0;
    owned.OwnerTag = &report;
    owned.AddVariable(QStringLiteral("Value"), QStringLiteral("Integer"), Variant(1));
    owned.SetLines({QStringLiteral("var y: Integer; begin y := Value end.")});
    ASSERT_TRUE(owned.Compile());
    owned.OwnerTag = nullptr;
    owned.ClearItems(&report);
    EXPECT_EQ(owned.Find(QStringLiteral("Value")), nullptr);
    EXPECT_EQ(owned.Find(QStringLiteral("y")), nullptr);
    EXPECT_EQ(owned.MainBlock->Count(), 0);
    EXPECT_NE(owned.Find(QStringLiteral("Integer")), nullptr);
}

TEST(Script, CallFunctionRunsOnlyOwnProcedures)
{
    Runner r;
    ASSERT_TRUE(r.compile(QStringLiteral("var V: Integer;\n"
                                         "function Add(a, b: Integer): Integer; begin Result := a + b end;\n"
                                         "procedure Bump(var n: Integer); begin n := n + 1 end;\n"
                                         "begin end.")));
    Variant args = Variant::createArray({platform::VarArrayBound{0, 1}}, platform::varVariant);
    args.setElement(0, Variant(2));
    args.setElement(1, Variant(3));
    EXPECT_EQ(r.script.CallFunction(QStringLiteral("Add"), args).toInt(), 5);
    EXPECT_TRUE(r.script.CallFunction(QStringLiteral("V")).isNull());
    Variant one = Variant::createArray({platform::VarArrayBound{0, 0}}, platform::varVariant);
    one.setElement(0, Variant(41));
    r.script.CallFunctionVarParams(QStringLiteral("Bump"), one);
    EXPECT_EQ(one.element(0).toInt(), 42);
}

TEST(Script, CallFunctionWithTooManyArgumentsRaises)
{
    Runner r;
    ASSERT_TRUE(r.compile(QStringLiteral("procedure P(a: Integer); begin end; begin end.")));
    Variant args = Variant::createArray({platform::VarArrayBound{0, 1}}, platform::varVariant);
    try {
        r.script.CallFunction(QStringLiteral("P"), args);
        FAIL() << "no error";
    } catch (const bralvo::Error &e) {
        EXPECT_EQ(str(e.userText()), "Too many actual parameters");
    }
}

TEST(Script, BreakOutsideLoopDoesNotLeakIntoTheNextRun)
{
    Runner r;
    ASSERT_TRUE(r.compile(QStringLiteral("begin Emit(1); Emit(2); break; Emit(3) end.")));
    r.script.Execute();
    EXPECT_EQ(r.emitted, (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    r.emitted.clear();
    r.script.Execute();
    EXPECT_EQ(r.emitted, (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_FALSE(r.script.BreakFlag || r.script.ContinueFlag || r.script.ExitFlag);
}

TEST(Script, FlagsAreResetAfterARunEndsInAnError)
{
    Runner r;
    ASSERT_TRUE(r.compile(QStringLiteral("var v: Variant; begin Emit(1); v := 1 div 0 end.")));
    EXPECT_THROW(r.script.Execute(), bralvo::Error);
    EXPECT_FALSE(r.script.RunningFlag || r.script.ExitFlag || r.script.TerminateFlag);
}

TEST(Script, TerminateFromAHostCallStopsTheRun)
{
    Runner r;
    r.script.AddMethod(QStringLiteral("procedure Stop"),
                       [&r](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &) {
                           r.script.Terminate();
                           return Variant::null();
                       });
    ASSERT_TRUE(r.compile(QStringLiteral("procedure P; begin Emit('p'); Stop; Emit('not p') end;\n"
                                         "begin while True do P; Emit('not main') end.")));
    r.script.Execute();
    EXPECT_EQ(r.emitted, QStringList{QStringLiteral("p")});
    r.emitted.clear();
    r.script.CallFunction(QStringLiteral("P")); // a later call runs normally up to its own Stop
    EXPECT_EQ(r.emitted, QStringList{QStringLiteral("p")});
}

// A host's stop check (Cancel, a time limit) reaches every loop form and
// a recursion that would outlast the universe; the next run is whole.
TEST(Script, AStopCheckEndsProgramsThatNeverEnd)
{
    struct Case {
        const char *language;
        const char *text;
    };
    const Case cases[] = {
        {"PascalScript", "begin Emit('a'); while True do ; Emit('b') end."},
        {"PascalScript", "var i: Integer; begin Emit('a'); repeat i := i + 1 until False; Emit('b') end."},
        {"PascalScript", "var i: Integer; begin Emit('a'); for i := 0 to 2000000000 do ; Emit('b') end."},
        {"PascalScript", "procedure D(n: Integer); begin if n < 200 then begin D(n + 1); D(n + 1) end end;\n"
                         "begin Emit('a'); D(0); Emit('b') end."},
        {"C++Script", "int i; { Emit(\"a\"); for (i = 0; i >= 0; i = 0) {} Emit(\"b\"); }"},
        {"BasicScript", "Emit(\"a\")\nDo\nLoop While True\nEmit(\"b\")"},
        {"JScript", "Emit(\"a\"); while (true) {} Emit(\"b\");"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        Runner r(QString::fromLatin1(c.language));
        int checks = 0;
        r.script.OnStopCheck = [&checks] { return ++checks == 20; }; // once only
        EXPECT_EQ(r.run(QString::fromLatin1(c.text)), QStringList{QStringLiteral("a")});
        EXPECT_EQ(checks, 20);
        EXPECT_FALSE(r.script.RunningFlag || r.script.TerminateFlag);
    }
    // Checks that answer false leave a finite run alone; one that said stop
    // before holds only for its own run.
    Runner r;
    bool stop = true;
    r.script.OnStopCheck = [&stop] { return stop; };
    ASSERT_TRUE(r.compile(QStringLiteral("var i, n: Integer; begin n := 0; for i := 1 to 5000 do n := n + 1; Emit(n) end.")));
    r.script.Execute();
    EXPECT_EQ(r.emitted, QStringList());
    stop = false;
    r.script.Execute();
    EXPECT_EQ(r.emitted, QStringList{QStringLiteral("5000")});
}

// Memory a script cannot have ends its run with a script error, which its
// host reports; a script's try..except does not swallow it.
TEST(Script, RunningOutOfMemoryIsAnError)
{
    Runner r;
    r.script.AddMethod(QStringLiteral("procedure Grow"),
                       [](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &) -> Variant {
                           throw std::bad_alloc();
                       });
    ASSERT_TRUE(r.compile(QStringLiteral("procedure P; begin try Grow except Emit('caught') end end;\n"
                                         "begin Emit('a'); P; Emit('b') end.")));
    for (const bool asCall : {false, true}) {
        r.emitted.clear();
        try {
            if (asCall)
                r.script.CallFunction(QStringLiteral("P"));
            else
                r.script.Execute();
            ADD_FAILURE() << "no error";
        } catch (const ScriptRuntimeError &e) {
            EXPECT_EQ(e.userText(), QStringLiteral("Out of memory"));
        }
        EXPECT_FALSE(r.emitted.contains(QStringLiteral("caught")));
        EXPECT_FALSE(r.script.RunningFlag);
    }
}

TEST(Script, RecursionDepthIsCapped)
{
    Runner r;
    ASSERT_TRUE(r.compile(QStringLiteral("procedure P; begin P end; begin P end.")));
    try {
        r.script.Execute();
        FAIL() << "no error";
    } catch (const ScriptRuntimeError &e) {
        EXPECT_EQ(str(e.className()), "EStackOverflow");
        EXPECT_EQ(str(e.userText()), "Stack overflow");
    }
    // The script is usable again afterwards.
    ASSERT_TRUE(r.compile(QStringLiteral("begin Emit('again') end.")));
}

TEST(Script, RecursiveCallsRestoreLocalsAndParameters)
{
    Runner r;
    const QStringList out = r.run(QStringLiteral(
        "function F(n: Integer): Integer; var k: Integer;\n"
        "begin k := n; if n > 0 then F(n - 1); Emit(k); Result := k end;\n"
        "begin F(3) end."));
    EXPECT_EQ(out, (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
}

TEST(Script, ByReferenceResultSurvivesTheRecursiveRestore)
{
    Runner r;
    const QStringList out = r.run(QStringLiteral(
        "procedure Fill(var x: Integer; n: Integer); var mine: Integer;\n"
        "begin if n = 0 then x := 42 else begin mine := 0; Fill(mine, n - 1); x := mine + 1 end end;\n"
        "var r: Integer; begin Fill(r, 2); Emit(r) end."));
    EXPECT_EQ(out, QStringList{QStringLiteral("44")});
}

TEST(Script, HostFunctionWritesBackByReferenceArguments)
{
    Runner r;
    r.script.AddMethodParamArray(QStringLiteral("procedure Twice(var n: Integer)"),
                                 [](platform::HandleTarget *, const QString &, const QString &, Variant &args) {
                                     args.setElement(0, Variant(args.element(0).toInt() * 2));
                                     return Variant::null();
                                 });
    EXPECT_EQ(r.run(QStringLiteral("var x: Integer; begin x := 21; Twice(x); Emit(x) end.")),
              QStringList{QStringLiteral("42")});
}

TEST(Script, AssignmentKeepsStrcatAsConcatenation)
{
    Runner r(QStringLiteral("BasicScript"));
    EXPECT_EQ(r.run(QStringLiteral("Dim s\ns = \"1\"\ns = s & 1\nEmit(s)\n")), QStringList{QStringLiteral("11")});
}

TEST(Script, ShortCircuitOnlyForBooleans)
{
    Runner r;
    r.script.AddMethod(QStringLiteral("function Touch: Boolean"),
                       [&r](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &) {
                           r.emitted.append(QStringLiteral("touched"));
                           return Variant(true);
                       });
    EXPECT_EQ(r.run(QStringLiteral("begin if False and Touch then Emit('x'); Emit(6 and 3) end.")),
              QStringList{QStringLiteral("2")});
}

TEST(Script, MacroFunctionsReceiveTheArgumentSourceText)
{
    Runner r;
    r.script.AddMethod(QStringLiteral("macrofunction Src(E: Variant): String"),
                       [](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &h) {
                           return h.GetParamValue(0);
                       });
    EXPECT_EQ(r.run(QStringLiteral("begin Emit(Src(1 +  2)) end.")), QStringList{QStringLiteral("1 +  2")});
}

TEST(Script, UnitsComeFromOnGetUnitAndRecordTheirLines)
{
    Runner r;
    r.script.OnGetUnit = [](TscScript *, const QString &name, QString &text) {
        if (name == QLatin1String("lib.pas"))
            text = QStringLiteral("function Three: Integer; begin Result := 3 end;\nbegin end.");
    };
    EXPECT_EQ(r.run(QStringLiteral("uses 'lib.pas';\nbegin\n  Emit(Three)\nend.")),
              QStringList{QStringLiteral("3")});
    EXPECT_TRUE(r.script.CodeLines.contains(QStringLiteral("=3,")));
    EXPECT_TRUE(r.script.CodeLines.contains(QStringLiteral("lib.pas=1,")));
}

TEST(Script, RunLineReportsEveryStatementToTheFirstHandlerUpTheChain)
{
    Runner parent;
    QStringList lines;
    parent.script.OnRunLine = [&lines](TscScript *, const QString &unit, const QString &pos) {
        lines.append(unit + QLatin1Char('@') + pos);
    };
    TscScript child;
    child.ParentScript = &parent.script;
    child.SetLines({QStringLiteral("begin"), QStringLiteral("  Emit(1);"), QStringLiteral("  Emit(2)"),
                    QStringLiteral("end.")});
    ASSERT_TRUE(child.Compile()) << str(child.ErrorText);
    child.Execute();
    EXPECT_EQ(lines, (QStringList{QStringLiteral("@2:3"), QStringLiteral("@3:3")}));
}

TEST(Script, UndeclaredNamesBecomeMainProgramVariablesInJScript)
{
    Runner r(QStringLiteral("JScript"));
    EXPECT_EQ(r.run(QStringLiteral("function f() { counter = 7; }\nf();\nEmit(counter);")),
              QStringList{QStringLiteral("7")});
    EXPECT_NE(r.script.FindLocal(QStringLiteral("counter")), nullptr);
}

TEST(Designators, OutOfRangeIndicesRaiseRangeErrors)
{
    const char *sources[] = {
        "var s: String; c: String; begin s := 'abc'; c := s[4] end.",
        "var s: String; begin s := 'abc'; s[0] := 'x' end.",
        "var s: String; begin s := 'abc'; s[1] := '' end.",
        "var v: Variant; c: Variant; begin v := 'abc'; c := v[9] end.",
        "var a: array[1..3] of Integer; begin a[4] := 1 end.",
        "var a: array[1..3] of Integer; i: Integer; begin i := a[0] end.",
        "var v: Variant; i: Variant; begin v := [1, 2]; i := v[2] end.",
    };
    for (const char *source : sources) {
        SCOPED_TRACE(source);
        Runner r;
        ASSERT_TRUE(r.compile(QString::fromUtf8(source))) << str(r.script.ErrorText);
        try {
            r.script.Execute();
            FAIL() << "no error";
        } catch (const ScriptRuntimeError &e) {
            EXPECT_EQ(str(e.className()), "ERangeError");
            EXPECT_EQ(str(e.userText()), "Range check error");
        }
    }
}

TEST(Designators, MemberOfANumberIsRefused)
{
    Runner r;
    r.script.AddVariable(QStringLiteral("N"), QStringLiteral("Variant"), Variant(5));
    EXPECT_FALSE(r.compile(QStringLiteral("begin Emit(N.Text) end.")));
    EXPECT_EQ(str(r.script.ErrorText), "Class type required");
    // Known only at run time: refused when the designator is built.
    Runner late;
    ASSERT_TRUE(late.compile(QStringLiteral("var v: Variant; begin v := 7; Emit(v.Text) end.")));
    EXPECT_THROW(late.script.Execute(), ScriptError);
}

// One index into an array variable: the array is looked at only once the
// index is known; several indexes are all evaluated before any is applied.
TEST(Designators, ArrayElementsKeepTheirOrderOfChecks)
{
    struct Case {
        const char *program;
        QStringList expected;
    };
    const Case cases[] = {
        {"var d: array of Integer; function Grow: Integer; begin d := [4, 5, 6]; Result := 2 end;\n"
         "begin d := [1]; Emit(d[Grow]); d := [1]; d[Grow] := 9; Emit(d[2]) end.",
         {QStringLiteral("6"), QStringLiteral("9")}},
        {"var m: array[0..1, 0..1] of Integer; begin m[0, 0] := 1; m[1, m[0, 0]] := 7; Emit(m[1, 1]) end.",
         {QStringLiteral("7")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.program);
        Runner r;
        EXPECT_EQ(r.run(QString::fromUtf8(c.program)), c.expected);
    }
}

TEST(Designators, ArrayElementAssignedThroughAParameterLandsInIt)
{
    struct Case {
        const char *language;
        const char *source;
    };
    const Case cases[] = {
        {"PascalScript",
         "procedure P(var b: array of Integer); begin b[0] := 7 end;\n"
         "var y: array of Integer; begin y := [4, 5]; P(y); Emit(y[0]) end."},
        {"PascalScript",
         "procedure P(var b: Variant); begin b[0] := 7 end;\n"
         "var y: Variant; begin y := [4, 5]; P(y); Emit(y[0]) end."},
        {"JScript", "function p(&b) { b[0] = 7; }\ny = [4, 5]; p(y); Emit(y[0]);"},
        {"BasicScript", "Sub P(ByRef b)\nb[0] = 7\nEnd Sub\ny = [4, 5]\nP(y)\nEmit(y[0])\n"},
        {"C++Script", "void p(Variant &b) { b[0] = 7; }\nVariant y;\n{ y = [4, 5]; p(y); Emit(y[0]); }"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        Runner r(QLatin1String(c.language));
        EXPECT_EQ(r.run(QLatin1String(c.source)), QStringList{QStringLiteral("7")});
    }
}

TEST(Designators, IndexThroughAVariantParameterIndexesItsValue)
{
    Runner r;
    EXPECT_EQ(r.run(QStringLiteral("function Second(v: Variant): Variant; begin Result := v[1] end;\n"
                                   "begin Emit(Second([10, 20, 30])) end.")),
              QStringList{QStringLiteral("20")});
    // A default says nothing about the argument: the index is built for
    // the value the parameter holds when the procedure runs.
    Runner withDefault;
    EXPECT_EQ(withDefault.run(QStringLiteral("procedure Q(x: Variant = 'abc'); begin Emit(x[1]) end;\n"
                                             "begin Q([5, 6]) end.")),
              QStringList{QStringLiteral("6")});
}

TEST(Designators, MemberOfAVariantWithoutObjectRaisesEveryTime)
{
    // Built at run time; while the variant holds no object the chain cannot
    // be built and must neither read nor assign the variant itself.
    Runner r;
    const QStringList out = r.run(QStringLiteral("var v: Variant; n: Integer;\n"
                                                 "begin\n"
                                                 "  for n := 1 to 2 do\n"
                                                 "    try Emit(v.Value) except Emit(ExceptionMessage) end;\n"
                                                 "  try with v do Value := 3 except Emit(ExceptionMessage) end;\n"
                                                 "  Emit(v = Null);\n"
                                                 "end."));
    EXPECT_EQ(out, (QStringList{QStringLiteral("Invalid object reference"), QStringLiteral("Invalid object reference"),
                                QStringLiteral("Invalid object reference"), QStringLiteral("True")}));
}

TEST(Statements, BasicSetStatementAssigns)
{
    Runner r(QStringLiteral("BasicScript"));
    EXPECT_EQ(r.run(QStringLiteral("Set p = 5\nEmit(p)\nSet p = p + 1\nEmit(p)\n")),
              (QStringList{QStringLiteral("5"), QStringLiteral("6")}));
}

TEST(Statements, TryFinallyWithPendingBreakRunsTheWholeFinallyPart)
{
    Runner r;
    const QStringList out = r.run(QStringLiteral(
        "var i: Integer;\n"
        "begin for i := 1 to 5 do try if i = 2 then break; if i = 1 then continue finally Emit(i); Emit('f') end;\n"
        "Emit('after') end."));
    EXPECT_EQ(out, (QStringList{QStringLiteral("1"), QStringLiteral("f"), QStringLiteral("2"), QStringLiteral("f"),
                                QStringLiteral("after")}));
}

TEST(Statements, ExitInsideTryFinallyRunsTheFinallyPartThenLeaves)
{
    Runner r;
    EXPECT_EQ(r.run(QStringLiteral("procedure P; begin try exit; Emit('no') finally Emit('f') end; Emit('no') end;\n"
                                   "begin P; Emit('back') end.")),
              (QStringList{QStringLiteral("f"), QStringLiteral("back")}));
}

TEST(Statements, ForLoopCountIs64Bit)
{
    struct Case {
        const char *loop;
        QStringList out;
    };
    const Case cases[] = {
        {"for i := 2147483646 to 2147483647 do Emit(i)", {"2147483646", "2147483647"}},
        {"for i := -2147483647 downto -2147483648 do Emit(i)", {"-2147483647", "-2147483648"}},
        {"for i := 5 to 1 do Emit(i)", {}},
        {"for i := 1 downto 1 do Emit(i)", {"1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.loop);
        Runner r;
        EXPECT_EQ(r.run(QStringLiteral("var i: Variant; begin %1 end.").arg(QLatin1String(c.loop))), c.out);
    }
}

TEST(BuildErrors, ProcedureDeclaredInsideAStatementIsRefused)
{
    struct Case {
        const char *language;
        const char *source;
    };
    const Case cases[] = {
        {"JScript", "while (0) function f() { return 1; }\nf();"},
        {"BasicScript", "If 1 = 1 Then\n  Function F\n  End Function\nEnd If\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        Runner r(QLatin1String(c.language));
        EXPECT_FALSE(r.compile(QString::fromUtf8(c.source)));
        EXPECT_EQ(str(r.script.ErrorText), "Procedure or function declaration is not allowed here");
    }
}

TEST(BuildErrors, HugeArrayDeclarationIsRefused)
{
    Runner r;
    EXPECT_FALSE(r.compile(QStringLiteral("var a: array[0..99999, 0..99999] of Integer; begin end.")));
    EXPECT_EQ(str(r.script.ErrorText), "Array too large");
}

TEST(BuildErrors, ExpressionTooComplexIsRefused)
{
    // A chain of operators builds a tree as deep as it is long; past the
    // limit it is refused instead of running off the stack.
    const auto chain = [](int operators) {
        return QStringLiteral("var x: Integer;\nbegin\n  x := 0") + QStringLiteral(" + 1").repeated(operators)
            + QStringLiteral(";\n  Emit(x)\nend.");
    };
    Runner atLimit;
    EXPECT_EQ(atLimit.run(chain(4096)), QStringList{QStringLiteral("4096")});
    for (int operators : {4097, 200000}) {
        SCOPED_TRACE(operators);
        Runner r;
        EXPECT_FALSE(r.compile(chain(operators)));
        EXPECT_EQ(str(r.script.ErrorText), "Expression too complex");
        EXPECT_EQ(str(r.script.ErrorPosition), "3:8");
    }
}

TEST(Script, RecursionThroughLongExpressionsRaisesStackOverflow)
{
    // Each call sits at the bottom of a 4000-operator expression: the stack
    // fills long before the call count reaches its cap.
    Runner r;
    ASSERT_TRUE(r.compile(QStringLiteral("function R(n: Integer): Integer;\n"
                                         "begin if n > 0 then Result := R(n - 1)")
                          + QStringLiteral(" + 1").repeated(4000)
                          + QStringLiteral(" else Result := 0 end;\nbegin Emit(R(900)) end.")))
        << str(r.script.ErrorText);
    try {
        r.script.Execute();
        FAIL() << "no error";
    } catch (const ScriptRuntimeError &e) {
        EXPECT_EQ(str(e.className()), "EStackOverflow");
        EXPECT_EQ(str(e.userText()), "Stack overflow");
    }
    Runner shallow;
    EXPECT_EQ(shallow.run(QStringLiteral("function F(n: Integer): Integer;\n"
                                         "begin if n > 0 then Result := F(n - 1) + 1 else Result := 0 end;\n"
                                         "begin Emit(F(999)) end.")),
              QStringList{QStringLiteral("999")});
}

TEST(BuildErrors, MessagesAndPositions)
{
    struct Case {
        const char *language;
        const char *source;
        const char *message;
        const char *position;
    };
    const Case cases[] = {
        {"PascalScript", "var a: Integer;\nvar a: Integer;\nbegin end.", "Identifier redeclared: 'a'", "2:6"},
        {"PascalScript", "var a: TNoSuch;\nbegin end.", "Unknown type: 'TNoSuch'", "1:15"},
        {"PascalScript", "begin\n  x := 1\nend.", "Undeclared identifier: 'x'", "2:4"},
        {"PascalScript", "var i: Integer;\nbegin i := 'a' end.", "Incompatible types: 'Integer', 'String'", "2:15"},
        {"PascalScript", "begin Emit('a' + 1) end.", "Incompatible types", "1:17"},
        {"PascalScript", "begin Emit(1, 2) end.", "Too many actual parameters", "1:11"},
        {"PascalScript", "begin Emit end.", "Not enough actual parameters", "1:11"},
        {"PascalScript", "const c = 1;\nbegin c := 2 end.", "Left side cannot be assigned to", "2:13"},
        {"PascalScript", "var s: String;\nbegin for s := 1 to 2 do end.", "For loop variable must be numeric variable",
         "2:12"},
        {"PascalScript", "var i: Integer;\nbegin with i do end.", "Class type required", "2:13"},
        {"PascalScript", "var s: String;\nbegin s.Length end.", "Strings doesn't have properties or methods",
         "2:15"},
        {"PascalScript", "var i: Integer;\nbegin i.x end.", "Array type required", "2:10"},
        {"C++Script", "{ Emit(1) }", "';' expected", "1:11"},
        {"JScript", "if (1) {\n  function f() { }\n}", "Procedure or function declaration is not allowed here",
         "2:3"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        Runner r(QLatin1String(c.language));
        EXPECT_FALSE(r.compile(QString::fromUtf8(c.source)));
        EXPECT_EQ(str(r.script.ErrorText), c.message);
        EXPECT_EQ(str(r.script.ErrorPosition), c.position);
    }
}

TEST(BuildErrors, UnknownLanguageRaises)
{
    Runner r(QStringLiteral("Klingon"));
    EXPECT_THROW(r.compile(QStringLiteral("x")), bralvo::Error);
}

TEST(RuntimeErrors, ClassNamesAndMessagesScriptsSee)
{
    struct Case {
        std::function<void()> raise;
        const char *className;
        const char *message;
    };
    const Case cases[] = {
        {[] { throw rangeError(); }, "ERangeError", "Range check error"},
        {[] { throw platform::VariantError(QStringLiteral("Division by zero")); }, "EVariantError",
         "Division by zero"},
        {[] { throw platform::InvalidHandleError(); }, "EInvalidPointer", "Invalid object reference"},
        {[] { throw platform::ConversionError(QStringLiteral("'x' is not a valid integer value")); },
         "EConvertError", "'x' is not a valid integer value"},
        {[] { throw bralvo::Error(QStringLiteral("plain")); }, "Exception", "plain"},
        {[] { throw std::runtime_error("foreign"); }, "Exception", "foreign"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.className);
        try {
            c.raise();
            FAIL() << "nothing raised";
        } catch (const std::exception &e) {
            EXPECT_EQ(str(exceptionClassName(e)), c.className);
            EXPECT_EQ(str(exceptionMessage(e)), c.message);
        }
    }
}

TEST(HandleRegistry, LiveDeadUnknownAndMistypedHandles)
{
    struct Thing : platform::HandleTarget {};
    struct Other : platform::HandleTarget {};
    auto thing = std::make_unique<Thing>();
    const qint64 handle = thing->handle();
    EXPECT_EQ(handle, thing->handle());
    EXPECT_EQ(platform::HandleRegistry::lookup(handle), thing.get());
    EXPECT_EQ(platform::HandleRegistry::objectAs<Thing>(handle), thing.get());
    EXPECT_THROW(platform::HandleRegistry::objectAs<Other>(handle), platform::InvalidHandleError);
    EXPECT_EQ(platform::HandleRegistry::lookup(0), nullptr);
    EXPECT_THROW(platform::HandleRegistry::lookup(12345), platform::InvalidHandleError);
    thing.reset();
    EXPECT_FALSE(platform::HandleRegistry::isLive(handle));
    EXPECT_TRUE(platform::HandleRegistry::wasIssued(handle));
    try {
        platform::HandleRegistry::lookup(handle);
        FAIL() << "dead handle accepted";
    } catch (const platform::InvalidHandleError &e) {
        EXPECT_EQ(str(e.userText()), "Invalid object reference");
    }
    try {
        platform::HandleRegistry::objectAs<Thing>(handle, QStringLiteral("Report object is gone"));
        FAIL() << "dead handle accepted";
    } catch (const platform::InvalidHandleError &e) {
        EXPECT_EQ(str(e.userText()), "Report object is gone");
    }
    auto second = std::make_unique<Thing>();
    EXPECT_NE(second->handle(), handle); // never reused
}

// x := x op e runs in place when it can; what a call on the right does to
// the target must not leak into the result, and the Variant rules hold.
TEST(Script, CompoundAssignmentsKeepTheirMeaning)
{
    Runner r;
    EXPECT_EQ(r.run(QStringLiteral(
                  "var t, i: Integer; s: String; x: Variant;\n"
                  "function Bump: Integer; begin t := 100; Result := 1 end;\n"
                  "function Tail: String; begin s := 'zzz'; Result := 'b' end;\n"
                  "begin t := 5; t := t + Bump; Emit(t);\n"
                  "s := 'a'; s := s + Tail; Emit(s); s := s + 'c'; Emit(s);\n"
                  "i := 2147483647; i := i + 1; Emit(i); i := i * 2; Emit(i);\n"
                  "x := 3; x := x + x; Emit(x); x := '2'; x := x + 1; Emit(x); x := 'ab'; x := x + 'c'; Emit(x)\n"
                  "end.")),
              (QStringList{QStringLiteral("6"), QStringLiteral("ab"), QStringLiteral("abc"),
                           QStringLiteral("2147483648"), QStringLiteral("4294967296"), QStringLiteral("6"),
                           QStringLiteral("3"), QStringLiteral("abc")}));
}

// Every recursive call restores the caller's parameters and locals.
TEST(Script, RecursionRestoresLocalsOnEveryCall)
{
    Runner r;
    EXPECT_EQ(r.run(QStringLiteral("function F(n: Integer): Integer; var k: Integer; begin k := n;\n"
                                   "if n > 0 then Result := F(n - 1) + k else Result := 0 end;\n"
                                   "begin Emit(F(10)); Emit(F(3)) end.")),
              (QStringList{QStringLiteral("55"), QStringLiteral("6")}));
}

// Calls, parameters and operands on the paths that read and write values
// in place: each program's output pins the order of reads and the values
// a recursive call leaves behind.
TEST(Script, CallsAndOperandsKeepTheirOrderOfEvaluation)
{
    struct Case {
        const char *program;
        QStringList expected;
    };
    const Case cases[] = {
        // A call on the right changes the variable read on the left.
        {"var x: Integer; function Bump: Integer; begin x := x + 10; Result := 1 end;\n"
         "begin x := 1; Emit(x + Bump); Emit(Bump + x); Emit(x) end.",
         {"2", "22", "21"}},
        // A parameter assigned in the body, also by an assignment operator.
        {"function Down(n: Integer): Integer; begin n := n - 1; n := n * 2; Result := n end;\n"
         "var k: Integer; begin k := 5; Emit(Down(k)); Emit(k) end.",
         {"8", "5"}},
        // Text locals and parameters of a recursive call come back too.
        {"function Tag(s: String; n: Integer): String; var t: String;\n"
         "begin t := s + IntToStr(n); if n > 0 then Tag(t, n - 1); Emit(t); Result := t end;\n"
         "begin Tag('a', 2) end.",
         {"a210", "a21", "a2"}},
        // A recursive call that raises leaves the caller's locals as they were.
        {"function F(n: Integer): Integer; var k: Integer;\n"
         "begin k := n * 100; if n = 0 then RaiseException('deep');\n"
         "  try F(n - 1) except Emit(k) end; Result := k end;\n"
         "begin Emit(F(2)) end.",
         {"100", "200"}},
        // Every argument is read before any parameter is replaced.
        {"function Swap(a, b: Integer): Integer; begin\n"
         "  if a > 0 then Result := Swap(b - 10, a) * 100 + a else Result := b end;\n"
         "begin Emit(Swap(3, 7)); Emit(Swap(12, 1)) end.",
         {"303", "1212"}},
        // An index read from another array of the same type, and from the
        // same array in another dimension.
        {"var a, b: array[0..2] of Integer; m: array[0..1, 0..1] of Integer;\n"
         "begin a[1] := 11; b[0] := 1; Emit(a[b[0]]); b[a[1] - 10] := 5; Emit(b[1]);\n"
         "  m[0, 0] := 1; m[1, 1] := 7; Emit(m[1, m[0, 0]]) end.",
         {"11", "5", "7"}},
    };
    for (const Case &c : cases) {
        Runner r;
        EXPECT_EQ(r.run(QString::fromUtf8(c.program)), c.expected) << c.program;
    }
}
