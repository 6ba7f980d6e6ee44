// The script engine against Lua 5.4 on the same small workloads, in one
// process. Each workload is compiled once and run per iteration; both
// results are checked, and after the runs a table gives the time ratio
// (engine / Lua) per workload. Three more workloads follow the table's
// simple ones: host properties served by a class-library property table,
// the report's expression cache (a thousand short texts compiled once and
// evaluated with changing values) and compiling a 5,000-line program.
// That compile is also measured as the first one in a fresh process
// (grammar loading and one-off tables included), in child processes of
// this program, with the memory the compile takes per source line.
#include "platform/handleregistry.h"
#include "platform/persistent.h"
#include "platform/propertytable.h"
#include "platform/variant.h"
#include "report/engine/trpexpressioncache.h"
#include "script/tscscript.h"

#include "timesreporter.h"

#include <benchmark/benchmark.h>
#include <lua.hpp>

#include <QMap>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

using namespace bralvo;
using platform::Variant;

namespace {

struct Workload {
    const char *name;
    const char *pascal;
    const char *lua; // a chunk returning the result
    double expected; // for "strings": the expected length
};

const Workload workloads[] = {
    {"integer_loop",
     "var i, s: Integer; begin s := 0; for i := 1 to 100000 do s := s + i; SetResult(s) end.",
     "local s = 0 for i = 1, 100000 do s = s + i end return s", 5000050000.0},
    {"float_loop",
     "var i: Integer; x: Extended; begin x := 0.0; for i := 1 to 100000 do x := x + i * 0.5; SetResult(x) end.",
     "local x = 0.0 for i = 1, 100000 do x = x + i * 0.5 end return x", 2500025000.0},
    {"recursive_calls",
     "function Fib(n: Integer): Integer; begin if n < 2 then Result := n "
     "else Result := Fib(n - 1) + Fib(n - 2) end; begin SetResult(Fib(20)) end.",
     "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end return fib(20)", 6765},
    {"string_appends",
     "var i: Integer; s: String; begin s := ''; for i := 1 to 10000 do s := s + 'ab'; SetResult(s) end.",
     "local t = {} for i = 1, 10000 do t[#t + 1] = 'ab' end return table.concat(t)", 20000},
    {"array_fill",
     "var a: array[0..9999] of Integer; i, s: Integer; begin for i := 0 to 9999 do a[i] := i * 2; "
     "s := 0; for i := 0 to 9999 do s := s + a[i]; SetResult(s) end.",
     "local a = {} for i = 0, 9999 do a[i] = i * 2 end local s = 0 for i = 0, 9999 do s = s + a[i] end return s",
     99990000},
    {"host_calls",
     "var i, s: Integer; begin s := 0; for i := 1 to 100000 do s := HostAdd(s, 1); SetResult(s) end.",
     "local s = 0 for i = 1, 100000 do s = HostAdd(s, 1) end return s", 100000},
    {"host_properties",
     "var i: Integer; begin G.Width := 0; for i := 1 to 100000 do G.Width := G.Width + G.Step; "
     "SetResult(G.Width) end.",
     "G.Width = 0 for i = 1, 100000 do G.Width = G.Width + G.Step end return G.Width", 100000},
};

// The names of the workloads with a run of their own, after the table's.
const char *const ownWorkloads[] = {"report_expressions", "compile_5000_lines"};

// A class-library object with a property table, as report objects are.
struct Gadget : platform::Persistent, platform::HandleTarget {
    qint64 width = 0;
    const platform::ClassInfo &classInfo() const override { return info(); }
    QString scriptClassName() const override { return QStringLiteral("TGadget"); }

    static const platform::ClassInfo &info()
    {
        static const platform::ClassInfo gadget = [] {
            platform::ClassInfo ci;
            ci.name = QStringLiteral("TGadget");
            platform::PropInfo left;
            left.name = QStringLiteral("Left");
            left.kind = platform::PropKind::Float;
            left.getFloat = [](const platform::Persistent &) { return 0.0; };
            platform::PropInfo step;
            step.name = QStringLiteral("Step");
            step.getOrd = [](const platform::Persistent &) { return qint64(1); };
            platform::PropInfo width;
            width.name = QStringLiteral("Width");
            width.getOrd = [](const platform::Persistent &o) { return static_cast<const Gadget &>(o).width; };
            width.setOrd = [](platform::Persistent &o, qint64 v) { static_cast<Gadget &>(o).width = v; };
            ci.ownProperties = {left, step, width};
            return ci;
        }();
        return gadget;
    }
};

double measure(const Variant &value)
{
    return value.isString() ? double(value.toString().size()) : value.toDouble();
}

void engineWorkload(benchmark::State &state, const Workload &w)
{
    script::TscScript program;
    program.AddRTTI();
    Gadget gadget;
    program.AddClass(Gadget::info(), QString());
    program.AddObject(QStringLiteral("G"), &gadget, QStringLiteral("TGadget"));
    Variant result;
    program.AddMethod(QStringLiteral("procedure SetResult(V: Variant)"),
                      [&result](platform::HandleTarget *, const QString &, const QString &,
                                script::TscMethodHelper &h) {
                          result = h.GetParamValue(0);
                          return Variant::null();
                      });
    program.AddMethod(QStringLiteral("function HostAdd(a, b: Integer): Integer"),
                      [](platform::HandleTarget *, const QString &, const QString &, script::TscMethodHelper &h) {
                          return h.GetParamValue(0).add(h.GetParamValue(1));
                      });
    program.SetLines({QString::fromUtf8(w.pascal)});
    if (!program.Compile()) {
        state.SkipWithError((program.ErrorPosition + QLatin1Char(' ') + program.ErrorText).toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        program.Execute();
        benchmark::DoNotOptimize(result);
    }
    if (measure(result) != w.expected)
        state.SkipWithError("wrong engine result");
}

int luaHostAdd(lua_State *lua)
{
    lua_pushinteger(lua, luaL_checkinteger(lua, 1) + luaL_checkinteger(lua, 2));
    return 1;
}

// The Lua side of the gadget: a userdata whose metatable looks the
// property name up on every access, as a host binding does.
int luaGadgetIndex(lua_State *lua)
{
    const qint64 *width = static_cast<qint64 *>(lua_touserdata(lua, 1));
    const char *key = luaL_checkstring(lua, 2);
    if (std::strcmp(key, "Width") == 0)
        lua_pushinteger(lua, *width);
    else if (std::strcmp(key, "Step") == 0)
        lua_pushinteger(lua, 1);
    else if (std::strcmp(key, "Left") == 0)
        lua_pushnumber(lua, 0.0);
    else
        lua_pushnil(lua);
    return 1;
}

int luaGadgetNewIndex(lua_State *lua)
{
    auto *width = static_cast<qint64 *>(lua_touserdata(lua, 1));
    if (std::strcmp(luaL_checkstring(lua, 2), "Width") == 0)
        *width = luaL_checkinteger(lua, 3);
    return 0;
}

void luaAddGadget(lua_State *lua)
{
    *static_cast<qint64 *>(lua_newuserdatauv(lua, sizeof(qint64), 0)) = 0;
    luaL_newmetatable(lua, "Gadget");
    lua_pushcfunction(lua, luaGadgetIndex);
    lua_setfield(lua, -2, "__index");
    lua_pushcfunction(lua, luaGadgetNewIndex);
    lua_setfield(lua, -2, "__newindex");
    lua_setmetatable(lua, -2);
    lua_setglobal(lua, "G");
}

void luaWorkload(benchmark::State &state, const Workload &w)
{
    lua_State *lua = luaL_newstate();
    luaL_openlibs(lua);
    lua_register(lua, "HostAdd", luaHostAdd);
    luaAddGadget(lua);
    if (luaL_loadstring(lua, w.lua) != LUA_OK) {
        state.SkipWithError(lua_tostring(lua, -1));
        lua_close(lua);
        return;
    }
    const int chunk = lua_gettop(lua);
    double result = 0;
    for (auto _ : state) {
        lua_pushvalue(lua, chunk);
        lua_call(lua, 0, 1);
        result = lua_isstring(lua, -1) && !lua_isnumber(lua, -1) ? double(lua_rawlen(lua, -1))
                                                                  : lua_tonumber(lua, -1);
        lua_pop(lua, 1);
    }
    lua_close(lua);
    if (result != w.expected)
        state.SkipWithError("wrong Lua result");
}

// --- the report's expressions: each text compiled once by the expression
// cache, then every text evaluated once per round with new values of the
// report variables A, B and C. Both sides add the results up (a Boolean
// counts -1, a text its length) so that they can be compared.

constexpr int expressionCount = 1000;
constexpr int expressionRounds = 10000;

// The expression of one index, in the script's syntax or in Lua's.
QString expressionText(int index, bool forLua)
{
    const QString k = QString::number(index);
    switch (index % 6) {
    case 0: return QStringLiteral("A * ") + k + QStringLiteral(" + B");
    case 1: return QStringLiteral("(A + ") + k + QStringLiteral(") * C / 4");
    case 2:
        return forLua ? QStringLiteral("A % (") + k + QStringLiteral(" + 1) + B // 3")
                      : QStringLiteral("A mod (") + k + QStringLiteral(" + 1) + B div 3");
    case 3: return QStringLiteral("(A > ") + k + QStringLiteral(") and (B < C)");
    case 4: return QStringLiteral("A - B + C * ") + k + QStringLiteral(" - 1.5");
    default:
        return forLua ? QStringLiteral("'Nr. ' .. tostring(A + ") + k + QStringLiteral(")")
                      : QStringLiteral("'Nr. ' + IntToStr(A + ") + k + QStringLiteral(")");
    }
}

// The values of A, B and C in one round.
int roundValue(int round, int which)
{
    static const int moduli[] = {97, 13, 7};
    return round % moduli[which] + which + 1;
}

double expressionSum(double sum, const Variant &value)
{
    if (value.isString())
        return sum + double(value.toString().size());
    return sum + value.toDouble();
}

double expectedExpressionSum()
{
    double sum = 0;
    for (int r = 0; r < expressionRounds; ++r) {
        const qint64 a = roundValue(r, 0), b = roundValue(r, 1), c = roundValue(r, 2);
        for (int i = 0; i < expressionCount; ++i) {
            switch (i % 6) {
            case 0: sum += double(a * i + b); break;
            case 1: sum += double((a + i) * c) / 4; break;
            case 2: sum += double(a % (i + 1) + b / 3); break;
            case 3: sum += (a > i && b < c) ? -1 : 0; break;
            case 4: sum += double(a - b + c * i) - 1.5; break;
            default: sum += double(4 + QString::number(a + i).size()); break;
            }
        }
    }
    return sum;
}

void engineExpressions(benchmark::State &state)
{
    script::TscScript reportScript;
    reportScript.AddRTTI();
    script::TscCustomVariable *vars[3];
    for (int v = 0; v < 3; ++v)
        vars[v] = reportScript.AddVariable(QString(QChar(u'A' + v)), QStringLiteral("Variant"), Variant(0));
    report::TrpExpressionCache cache(&reportScript);
    cache.Language = QStringLiteral("PascalScript");
    QStringList texts;
    QString error;
    for (int i = 0; i < expressionCount; ++i) {
        texts.append(expressionText(i, false));
        cache.Calc(texts.last(), error, &reportScript);
        if (!error.isEmpty())
            return state.SkipWithError(error.toUtf8().constData());
    }
    double sum = 0;
    for (auto _ : state) {
        sum = 0;
        for (int r = 0; r < expressionRounds; ++r) {
            for (int v = 0; v < 3; ++v)
                vars[v]->SetValue(Variant(roundValue(r, v)));
            for (const QString &text : std::as_const(texts))
                sum = expressionSum(sum, cache.Calc(text, error, &reportScript));
        }
    }
    if (!error.isEmpty() || sum != expectedExpressionSum())
        state.SkipWithError("wrong engine result");
}

void luaExpressions(benchmark::State &state)
{
    lua_State *lua = luaL_newstate();
    luaL_openlibs(lua);
    std::vector<int> chunks;
    for (int i = 0; i < expressionCount; ++i) {
        const QByteArray text = (QStringLiteral("return ") + expressionText(i, true)).toUtf8();
        if (luaL_loadstring(lua, text.constData()) != LUA_OK) {
            state.SkipWithError(lua_tostring(lua, -1));
            lua_close(lua);
            return;
        }
        chunks.push_back(luaL_ref(lua, LUA_REGISTRYINDEX));
    }
    static const char *const names[] = {"A", "B", "C"};
    double sum = 0;
    for (auto _ : state) {
        sum = 0;
        for (int r = 0; r < expressionRounds; ++r) {
            for (int v = 0; v < 3; ++v) {
                lua_pushinteger(lua, roundValue(r, v));
                lua_setglobal(lua, names[v]);
            }
            for (int chunk : chunks) {
                lua_rawgeti(lua, LUA_REGISTRYINDEX, chunk);
                lua_call(lua, 0, 1);
                if (lua_isboolean(lua, -1))
                    sum += lua_toboolean(lua, -1) ? -1 : 0;
                else if (lua_type(lua, -1) == LUA_TSTRING)
                    sum += double(lua_rawlen(lua, -1));
                else
                    sum += lua_tonumber(lua, -1);
                lua_pop(lua, 1);
            }
        }
    }
    lua_close(lua);
    if (sum != expectedExpressionSum())
        state.SkipWithError("wrong Lua result");
}

// --- compiling a 5,000-line program: the same functions in both languages,
// each calling the one before it; the main block calls the last.

constexpr int programLines = 5000;

struct Program {
    QString text;
    int functions = 0;
};

Program pascalProgram(int lineCount = programLines)
{
    Program p;
    QStringList lines;
    while (lines.size() + 14 + 3 <= lineCount) {
        const QString k = QString::number(p.functions);
        const QString callee = QString::number(p.functions > 0 ? p.functions - 1 : 0);
        lines << QStringLiteral("function F") + k + QStringLiteral("(a, b: Integer): Integer;")
              << QStringLiteral("var t, i: Integer;") << QStringLiteral("    s: String;") << QStringLiteral("begin")
              << QStringLiteral("  t := a * 2 + b;") << QStringLiteral("  s := 'text ' + IntToStr(t);")
              << QStringLiteral("  for i := 1 to 3 do") << QStringLiteral("    t := t + i * ") + k + QStringLiteral(";")
              << QStringLiteral("  if (t > 10) and (Length(s) > 2) then") << QStringLiteral("    t := t - 1")
              << QStringLiteral("  else") << QStringLiteral("    t := F") + callee + QStringLiteral("(t, 1);")
              << QStringLiteral("  Result := t;") << QStringLiteral("end;");
        ++p.functions;
    }
    while (lines.size() < lineCount - 3)
        lines << QStringLiteral("{ }");
    lines << QStringLiteral("begin") << QStringLiteral("  SetResult(F") + QString::number(p.functions - 1)
              + QStringLiteral("(1, 2))") << QStringLiteral("end.");
    p.text = lines.join(QLatin1Char('\n'));
    return p;
}

QByteArray luaProgram(int functions)
{
    QStringList lines;
    for (int f = 0; f < functions; ++f) {
        const QString k = QString::number(f);
        const QString callee = QString::number(f > 0 ? f - 1 : 0);
        lines << QStringLiteral("function F") + k + QStringLiteral("(a, b)") << QStringLiteral("  local t, i")
              << QStringLiteral("  local s") << QStringLiteral("  t = a * 2 + b")
              << QStringLiteral("  s = 'text ' .. tostring(t)") << QStringLiteral("  for i = 1, 3 do")
              << QStringLiteral("    t = t + i * ") + k << QStringLiteral("  end")
              << QStringLiteral("  if (t > 10) and (#s > 2) then") << QStringLiteral("    t = t - 1")
              << QStringLiteral("  else") << QStringLiteral("    t = F") + callee + QStringLiteral("(t, 1)")
              << QStringLiteral("  end") << QStringLiteral("  return t") << QStringLiteral("end");
    }
    lines << QStringLiteral("return F") + QString::number(functions - 1) + QStringLiteral("(1, 2)");
    return lines.join(QLatin1Char('\n')).toUtf8();
}

// F(a, b) of the last function k: 2a + b + 6k, which is above 10, minus 1.
double expectedProgramResult(int functions)
{
    return 3 + 6.0 * (functions - 1);
}

void engineCompile(benchmark::State &state)
{
    const Program p = pascalProgram();
    // SetResult lives in a parent script, so that Clear leaves it alone.
    script::TscScript host;
    host.AddRTTI();
    script::TscScript program;
    program.AddRTTI();
    program.ParentScript = &host;
    Variant result;
    host.AddMethod(QStringLiteral("procedure SetResult(V: Variant)"),
                      [&result](platform::HandleTarget *, const QString &, const QString &,
                                script::TscMethodHelper &h) {
                          result = h.GetParamValue(0);
                          return Variant::null();
                      });
    program.SetLines({p.text});
    for (auto _ : state) {
        program.Clear();
        if (!program.Compile())
            return state.SkipWithError((program.ErrorPosition + QLatin1Char(' ') + program.ErrorText).toUtf8().constData());
    }
    program.Execute();
    if (result.toDouble() != expectedProgramResult(p.functions))
        state.SkipWithError("wrong engine result");
}

void luaCompile(benchmark::State &state)
{
    const QByteArray text = luaProgram(pascalProgram().functions);
    lua_State *lua = luaL_newstate();
    luaL_openlibs(lua);
    for (auto _ : state) {
        lua_settop(lua, 0);
        if (luaL_loadbuffer(lua, text.constData(), size_t(text.size()), "program") != LUA_OK)
            break;
    }
    lua_call(lua, 0, 1);
    const double result = lua_tonumber(lua, -1);
    lua_close(lua);
    if (result != expectedProgramResult(pascalProgram().functions))
        state.SkipWithError("wrong Lua result");
}

// --- the first compile in a process: a child process of this program
// sets up either side, compiles the program once and prints the time and
// the memory taken, both as the process's resident set sees it: peak is
// its growth during the compile (the high-water mark is reset just before
// it), held its growth still there afterwards, the compiled program alive.
// The heap's free pages are given back first, so that neither side reuses
// memory unseen.

struct CompileFigures {
    double micros = 0;
    double peakBytes = 0;
    double heldBytes = 0;
};

long statusKiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0)
            return std::stol(line.substr(length + 1));
    return -1;
}

// Brackets one compile: memory baselines before, figures after.
class CompileProbe {
public:
    CompileProbe()
    {
        malloc_trim(0); // what setting up freed is not there to be reused unseen
        std::ofstream("/proc/self/clear_refs") << "5"; // resets the high-water mark
        m_rss = statusKiB("VmRSS:");
        m_start = std::chrono::steady_clock::now();
    }
    void finish() const
    {
        const double micros =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - m_start).count();
        std::printf("%.1f %.0f %.0f\n", micros, double(statusKiB("VmHWM:") - m_rss) * 1024,
                    double(statusKiB("VmRSS:") - m_rss) * 1024);
    }

private:
    long m_rss;
    std::chrono::steady_clock::time_point m_start;
};

int firstEngineCompile(int lines)
{
    const Program p = pascalProgram(lines);
    script::TscScript program;
    program.AddRTTI();
    program.AddMethod(QStringLiteral("procedure SetResult(V: Variant)"),
                      [](platform::HandleTarget *, const QString &, const QString &, script::TscMethodHelper &) {
                          return Variant::null();
                      });
    program.SetLines({p.text});
    CompileProbe probe;
    if (!program.Compile())
        return 1;
    probe.finish();
    return 0;
}

int firstLuaCompile(int lines)
{
    const QByteArray text = luaProgram(pascalProgram(lines).functions);
    lua_State *lua = luaL_newstate();
    luaL_openlibs(lua);
    CompileProbe probe;
    if (luaL_loadbuffer(lua, text.constData(), size_t(text.size()), "program") != LUA_OK)
        return 1;
    probe.finish();
    lua_close(lua);
    return 0;
}

// Runs the child for one side; false when it failed.
bool runFirstCompile(const char *self, const char *side, int lines, CompileFigures &figures)
{
    const std::string command = std::string("'") + self + "' --first-compile " + side + ' ' + std::to_string(lines);
    FILE *child = popen(command.c_str(), "r");
    if (!child)
        return false;
    const int read = std::fscanf(child, "%lf %lf %lf", &figures.micros, &figures.peakBytes, &figures.heldBytes);
    return pclose(child) == 0 && read == 3;
}

// Memory is taken from a program ten times as long, so that the resident
// set's coarse steps do not blur it.
constexpr int memoryProgramLines = 10 * programLines;

// Alternates the two sides over a few fresh processes and prints the
// median times and their ratio, then the memory per source line.
void printFirstCompile(const char *self)
{
    constexpr int rounds = 7;
    std::vector<double> engine(rounds), lua(rounds);
    CompileFigures e, l;
    for (int r = 0; r < rounds; ++r) {
        if (!runFirstCompile(self, "engine", programLines, e) || !runFirstCompile(self, "lua", programLines, l)) {
            std::printf("\nfirst compile: a child process failed\n");
            return;
        }
        engine[r] = e.micros;
        lua[r] = l.micros;
    }
    std::sort(engine.begin(), engine.end());
    std::sort(lua.begin(), lua.end());
    const double em = engine[rounds / 2], lm = lua[rounds / 2];
    std::printf("%-20s %14.1f %14.1f %8.1f\n", "compile_5000_first", em, lm, em / lm);
    if (!runFirstCompile(self, "engine", memoryProgramLines, e) || !runFirstCompile(self, "lua", memoryProgramLines, l)) {
        std::printf("\nfirst compile: a child process failed\n");
        return;
    }
    std::printf("\n%-26s %14s %14s %8s\n", "compile memory per line", "engine (B)", "lua (B)", "ratio");
    for (const auto &[name, field] : {std::pair{"peak", &CompileFigures::peakBytes},
                                      std::pair{"held after", &CompileFigures::heldBytes}}) {
        const double ep = e.*field / memoryProgramLines, lp = l.*field / memoryProgramLines;
        std::printf("%-26s %14.0f %14.0f %8.1f\n", name, ep, lp, lp > 0 ? ep / lp : 0.0);
    }
}

// Keeps each run's time per iteration so that the ratios can be printed.
class RatioReporter : public TimesReporter {
public:
    void printRatios() const
    {
        std::printf("\n%-20s %14s %14s %8s\n", "workload", "engine (us)", "lua (us)", "ratio");
        for (const Workload &w : workloads)
            printRatio(w.name);
        for (const char *name : ownWorkloads)
            printRatio(name);
    }

private:
    void printRatio(const char *name) const
    {
        const double engine = m_times.value(QStringLiteral("engine/") + QLatin1String(name), -1);
        const double lua = m_times.value(QStringLiteral("lua/") + QLatin1String(name), -1);
        if (engine > 0 && lua > 0)
            std::printf("%-20s %14.1f %14.1f %8.1f\n", name, engine, lua, engine / lua);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--first-compile") == 0) {
        const int lines = std::atoi(argv[3]);
        return std::strcmp(argv[2], "lua") == 0 ? firstLuaCompile(lines) : firstEngineCompile(lines);
    }
    for (const Workload &w : workloads) {
        benchmark::RegisterBenchmark((std::string("engine/") + w.name).c_str(),
                                     [&w](benchmark::State &s) { engineWorkload(s, w); })
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("lua/") + w.name).c_str(),
                                     [&w](benchmark::State &s) { luaWorkload(s, w); })
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("engine/report_expressions", engineExpressions)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("lua/report_expressions", luaExpressions)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("engine/compile_5000_lines", engineCompile)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("lua/compile_5000_lines", luaCompile)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    printFirstCompile(argv[0]);
    benchmark::Shutdown();
    return 0;
}
