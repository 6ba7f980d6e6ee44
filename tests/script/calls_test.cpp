// Script procedure calls: what a call sees in its locals and parameters,
// and what the caller finds in its own after a call, on every way out
// (normal end, Exit, a raised error), for direct, mutual and nested
// recursion, by-value and by-reference parameters, in the call shapes the
// builder makes (a bare call, a call inside an expression, a call followed
// by more of the chain).
#include "script/runtimeerror.h"
#include "script/tscscript.h"
#include "tests/script/keepscript.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using platform::Variant;

namespace {

struct CallCase {
    const char *language;
    const char *program;
    const char *expected; // what it keeps, each value followed by ";"
};

// Runs a program; each Keep(V) adds V's text and ";", and an error that
// ends the run adds "raised " and its text.
QString runKeeping(const char *language, const char *program)
{
    TscScript script;
    script.AddRTTI();
    script.SyntaxType = QString::fromUtf8(language);
    QString kept;
    test::addKeep(script, [&kept](const Variant &value) { kept += value.toString() + QLatin1Char(';'); });
    script.SetLines(QString::fromUtf8(program).split(QLatin1Char('\n')));
    EXPECT_TRUE(script.Compile()) << script.ErrorPosition.toStdString() << " " << script.ErrorText.toStdString();
    try {
        script.Execute();
    } catch (const Error &e) {
        kept += QStringLiteral("raised ") + e.userText();
    }
    return kept;
}

void expectAll(const CallCase *begin, const CallCase *end)
{
    for (const CallCase *c = begin; c != end; ++c)
        EXPECT_EQ(runKeeping(c->language, c->program).toStdString(), c->expected) << c->program;
}

} // namespace

// A local or Result that the running call has not assigned yet holds what
// the same procedure's caller had there when it called; a first call finds
// what the previous call left behind.
TEST(Calls, UnassignedLocalsShowWhatTheCallerHeld)
{
    const CallCase cases[] = {
        {"PascalScript",
         "procedure P(n: Integer); var k: Integer; s: String;\n"
         "begin Keep(k); Keep(s); k := n * 10; s := s + 'x'; if n > 0 then P(n - 1); Keep(k); Keep(s) end;\n"
         "begin P(2); P(0) end.",
         "0;;20;x;10;xx;0;xxx;10;xx;20;x;20;x;0;xx;"},
        {"PascalScript",
         "function F(n: Integer): Integer;\n"
         "begin Keep(Result); if n = 0 then Result := 7 else begin Result := n * 100; F(n - 1) end end;\n"
         "begin Keep(F(2)); Keep(F(0)) end.",
         ";200;100;200;200;7;"},
        {"PascalScript",
         "function G(n: Integer): Integer; var a: array[0..1] of Integer;\n"
         "begin Keep(a[0]); a[0] := n; if n > 0 then G(n - 1); Keep(a[0]); Result := a[0] end;\n"
         "begin G(2) end.",
         ";2;1;0;1;2;"},
        // Four plain locals, one of them a constant, and then five.
        {"PascalScript",
         "function C(n: Integer): Integer; const Base = 100; var v: Variant;\n"
         "begin Keep(v); v := Base + n; if n > 0 then C(n - 1); Keep(v); Result := v end;\n"
         "begin C(1) end.",
         ";101;100;101;"},
        {"PascalScript",
         "procedure W(n: Integer); var a, b, c, d: Integer;\n"
         "begin Keep(d); a := n; b := a * 2; c := b * 2; d := c * 2; if n > 0 then W(n - 1); Keep(a + b + c + d) end;\n"
         "begin W(2) end.",
         "0;16;8;0;15;30;"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

// The caller's locals and parameters come back after a call on every way
// out: the end of the body, Exit, and an error raised any number of calls
// deeper, caught at any depth.
TEST(Calls, CallerLocalsComeBackOnEveryWayOut)
{
    const CallCase cases[] = {
        {"PascalScript",
         "function F(n: Integer): Integer; var k: Integer; t: String;\n"
         "begin k := n; t := IntToStr(n); if n = 0 then begin Result := 0; Exit end;\n"
         "  Result := F(n - 1) + k; Keep(t); Exit; Keep('no') end;\n"
         "begin Keep(F(3)) end.",
         "1;2;3;6;"},
        {"PascalScript",
         "function F(n: Integer): Integer; var k: Integer;\n"
         "begin k := n; if n = 0 then RaiseException('deep');\n"
         "  if n = 2 then try F(n - 1) except Keep('caught at ' + IntToStr(k)) end else F(n - 1);\n"
         "  Keep(k); Result := k end;\n"
         "begin Keep(F(4)) end.",
         "caught at 2;2;3;4;4;"},
        {"PascalScript",
         "function F(n: Integer): Integer; var k: Integer;\n"
         "begin k := n; if n = 0 then RaiseException('deep'); try Result := F(n - 1) finally Keep(k) end end;\n"
         "begin F(3) end.",
         "1;2;3;raised deep"},
        {"PascalScript",
         "procedure P(n: Integer); var k: Integer;\n"
         "begin k := n; try if n > 0 then P(n - 1) else Exit finally Keep(k) end; Keep(-k) end;\n"
         "begin P(2) end.",
         "0;1;-1;2;-2;"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

// Recursion through several procedures, nested declarations and the other
// call shapes: a call statement, a call inside an expression, a call as an
// argument of a call, a call with more of the chain after it.
TEST(Calls, RecursionKeepsLocalsInEveryCallShape)
{
    const CallCase cases[] = {
        {"PascalScript",
         "function IsEven(n: Integer): Boolean; var k: Integer;\n"
         "begin k := n; if n = 0 then Result := True else Result := IsOdd(n - 1); Keep(k) end;\n"
         "function IsOdd(n: Integer): Boolean; var k: Integer;\n"
         "begin k := -n; if n = 0 then Result := False else Result := IsEven(n - 1); Keep(k) end;\n"
         "begin Keep(IsEven(3)) end.",
         "0;1;-2;3;False;"},
        {"PascalScript",
         "function Outer(n: Integer): Integer; var k: Integer;\n"
         "  function Inner(m: Integer): Integer; begin Result := Outer(m - 1) * 10 + k end;\n"
         "begin k := n; if n = 0 then Result := 0 else Result := Inner(n); Keep(k) end;\n"
         "begin Keep(Outer(3)) end.",
         "0;1;2;3;123;"},
        {"PascalScript",
         "function S(n: Integer): String; var t: String;\n"
         "begin t := Chr(Ord('a') + n); if n = 0 then Result := t else Result := t + S(n - 1)[1] + S(n - 1); Keep(t) end;\n"
         "begin Keep(S(2)) end.",
         "a;a;b;a;a;b;c;cbbaa;"},
        {"PascalScript",
         "function Add(a, b: Integer): Integer; begin Result := a + b end;\n"
         "function F(n: Integer): Integer; begin if n = 0 then Result := 1 else Result := Add(F(n - 1), Add(n, F(n - 1))) end;\n"
         "begin Keep(F(3)) end.",
         "19;"},
        {"JScript",
         "function f(n) { var k = n; if (n > 0) { f(n - 1); } Keep(k); return k * 2; }\n"
         "Keep(f(2));",
         "0;1;2;4;"},
        {"BasicScript",
         "Function F(n)\nDim k = n\nIf n > 0 Then\nF(n - 1)\nEnd If\nKeep(k)\nReturn k * 3\nEnd Function\nKeep(F(2))\n",
         "0;1;2;6;"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

// A by-reference parameter hands its value back after the callee's locals
// are restored: a caller's own local passed down keeps the result, also
// when the callee raises on the way.
TEST(Calls, ByReferenceParametersHandBackThroughRecursion)
{
    const CallCase cases[] = {
        {"PascalScript",
         "procedure Count(var total: Integer; n: Integer); var mine: Integer;\n"
         "begin if n = 0 then total := 1 else begin mine := n; Count(mine, n - 1); total := mine * 10 + n end end;\n"
         "var r: Integer; begin Count(r, 3); Keep(r) end.",
         "1123;"},
        {"PascalScript",
         "procedure Both(var a, b: String; n: Integer); var x, y: String;\n"
         "begin x := 'x'; y := 'y'; if n > 0 then Both(x, y, n - 1); a := a + x; b := y + b end;\n"
         "var p, q: String; begin p := 'p'; q := 'q'; Both(p, q, 2); Keep(p); Keep(q) end.",
         "pxxx;yyyq;"},
        {"PascalScript",
         "procedure Grow(var v: Integer; n: Integer);\n"
         "begin v := v + 1; if n = 0 then RaiseException('stop'); Grow(v, n - 1) end;\n"
         "var r: Integer; begin r := 0; try Grow(r, 3) except Keep(r) end; Keep(r) end.",
         "0;0;"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

// Arguments are evaluated left to right, all before the callee's
// parameters are set, for script procedures and host functions alike.
TEST(Calls, ArgumentsAreReadLeftToRightBeforeAnyIsPassed)
{
    const CallCase cases[] = {
        {"PascalScript",
         "var c: Integer; function Next: Integer; begin c := c + 1; Keep(c); Result := c end;\n"
         "begin c := 0; Keep(Format('%d-%d', [Next, Next])); Keep(IntToStr(Next) + IntToStr(Next)) end.",
         "1;2;1-2;3;4;34;"},
        {"PascalScript",
         "var c: Integer; function Next: Integer; begin c := c + 1; Result := c end;\n"
         "function Two(a, b: Integer): Integer; begin Result := a * 10 + b end;\n"
         "function Three(a, b, x: Integer): Integer; begin Result := (a * 10 + b) * 10 + x end;\n"
         "begin c := 0; Keep(Two(Next, Next)); Keep(Three(Next, Next, Next)); Keep(Copy('abcdef', Next, Next)) end.",
         "12;345;f;"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

// A condition is read as its value's truth: comparisons of every kind of
// operand (Null, texts, floats, Int64, calls read left first), and
// conditions that are no comparison, in if, while and repeat alike.
TEST(Calls, ConditionsReadAsTheirValuesTruth)
{
    const CallCase cases[] = {
        {"PascalScript",
         "var v, w, a: Variant; b: Boolean;\n"
         "begin v := Null; w := 1;\n"
         "if v < w then Keep('lt') else Keep('nlt'); if v <> w then Keep('ne') else Keep('nne');\n"
         "if v = Null then Keep('eq') else Keep('neq');\n"
         "if 'abc' < 'abd' then Keep('s'); if 1.5 > w then Keep('f'); if w >= 1.0 then Keep('ge');\n"
         "a := 3000000000; if a > 2147483647 then Keep('wide'); if w <= a then Keep('le');\n"
         "b := False; if b then Keep('b') else Keep('nb'); if not b and (w = 1) then Keep('and');\n"
         "v := 'text'; if v <> 'text' then Keep('x') else Keep('same')\n"
         "end.",
         "nlt;ne;eq;s;f;ge;wide;le;nb;and;same;"},
        {"PascalScript",
         "function F(n: Integer): Integer; begin Keep(n); Result := n end;\n"
         "var i: Integer;\n"
         "begin if F(1) < F(2) then Keep('lt'); if F(4) > F(3) then Keep('gt');\n"
         "i := 0; while i < 3 do i := i + 1; Keep(i);\n"
         "i := 0; repeat i := i + 2 until i >= 5; Keep(i);\n"
         "while F(i) <> 6 do i := i + 1\n"
         "end.",
         "1;2;lt;4;3;gt;3;6;6;"},
        {"PascalScript",
         "var v: Variant; begin v := 'abc'; if v < 1 then Keep('lt') end.",
         "raised Could not convert variant of type (String) into type (Double)"},
    };
    expectAll(std::begin(cases), std::end(cases));
}

// An operator's result lands in the assigned variable as a whole value:
// overflow widens to Int64, a target holding text takes a number, the
// target may be an operand, a call may change the target before it is
// read, and a failed operation leaves the target as it was.
TEST(Calls, OperatorResultsAssignAsWholeValues)
{
    const CallCase cases[] = {
        {"PascalScript",
         "var a, b: Integer; v, w: Variant; d: Double; s, t: String;\n"
         "begin a := 2147483647; b := 1; v := a + b; Keep(v); v := -a - 2; Keep(v);\n"
         "v := 'text'; v := b + b; Keep(v); v := 'text'; v := 1.5 * b; Keep(v = 1.5);\n"
         "v := 10; w := 3; v := w - v; Keep(v); v := 12; v := v * v; Keep(v);\n"
         "d := 0.5; d := d * 3; Keep(d = 1.5); d := b + 0.25; Keep(d = 1.25);\n"
         "s := 'b'; t := 'a'; s := t + s; Keep(s)\n"
         "end.",
         "2147483648;-2147483649;2;True;-7;144;True;True;ab;"},
        {"PascalScript",
         "var g: Variant;\n"
         "function F: Integer; begin g := 10; Result := 1 end;\n"
         "begin g := 1; g := F + g; Keep(g); g := 1; g := F * g; Keep(g) end.",
         "11;10;"},
        {"PascalScript",
         "var v, w: Variant;\n"
         "begin v := 5; w := 'abc'; try v := w - 1 except Keep('failed') end; Keep(v) end.",
         "failed;5;"},
    };
    expectAll(std::begin(cases), std::end(cases));
}
