// The script engine against Lua 5.4 on the same small workloads, in one
// process. Each workload is compiled once and run per iteration; both
// results are checked, and after the runs a table gives the time ratio
// (engine / Lua) per workload.
#include "platform/variant.h"
#include "script/tscscript.h"

#include "timesreporter.h"

#include <benchmark/benchmark.h>
#include <lua.hpp>

#include <QMap>
#include <cstdio>

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
};

double measure(const Variant &value)
{
    return value.isString() ? double(value.toString().size()) : value.toDouble();
}

void engineWorkload(benchmark::State &state, const Workload &w)
{
    script::TscScript program;
    program.AddRTTI();
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

void luaWorkload(benchmark::State &state, const Workload &w)
{
    lua_State *lua = luaL_newstate();
    luaL_openlibs(lua);
    lua_register(lua, "HostAdd", luaHostAdd);
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

// Keeps each run's time per iteration so that the ratios can be printed.
class RatioReporter : public TimesReporter {
public:
    void printRatios() const
    {
        std::printf("\n%-18s %14s %14s %8s\n", "workload", "engine (us)", "lua (us)", "ratio");
        for (const Workload &w : workloads) {
            const double engine = m_times.value(QStringLiteral("engine/") + QLatin1String(w.name), -1);
            const double lua = m_times.value(QStringLiteral("lua/") + QLatin1String(w.name), -1);
            if (engine > 0 && lua > 0)
                std::printf("%-18s %14.1f %14.1f %8.1f\n", w.name, engine, lua, engine / lua);
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    for (const Workload &w : workloads) {
        benchmark::RegisterBenchmark((std::string("engine/") + w.name).c_str(),
                                     [&w](benchmark::State &s) { engineWorkload(s, w); })
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("lua/") + w.name).c_str(),
                                     [&w](benchmark::State &s) { luaWorkload(s, w); })
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
