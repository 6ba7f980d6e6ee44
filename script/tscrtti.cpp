// The module list and the core names every script starts with.
#include "script/tscrtti.h"

#include "script/tschelpers.h"
#include "script/tscscript.h"

#include <QList>

namespace bralvo::script {

namespace {

QList<TscRTTIModule> &modules()
{
    static QList<TscRTTIModule> list{RegisterCoreNames};
    return list;
}

const void *const rttiTag = reinterpret_cast<const void *>(1);

} // namespace

void RegisterScriptModule(const TscRTTIModule &module)
{
    modules().append(module);
}

void RegisterCoreNames(TscScript &script)
{
    for (const char *name : {"Byte", "Word", "Integer", "Longint", "Cardinal", "TColor"})
        script.AddType(QLatin1String(name), tcInteger);
    script.AddType(QStringLiteral("Boolean"), tcBoolean);
    for (const char *name : {"Real", "Single", "Double", "Extended", "Currency", "TDate", "TTime", "TDateTime"})
        script.AddType(QLatin1String(name), tcFloat);
    script.AddType(QStringLiteral("Char"), tcChar);
    script.AddType(QStringLiteral("String"), tcString);
    script.AddType(QStringLiteral("Variant"), tcVariant);
    script.AddType(QStringLiteral("Pointer"), tcVariant);
    script.AddType(QStringLiteral("Array"), tcArray);
    script.AddType(QStringLiteral("Constructor"), tcConstructor);

    script.AddConst(QStringLiteral("True"), QStringLiteral("Boolean"), Variant(true));
    script.AddConst(QStringLiteral("False"), QStringLiteral("Boolean"), Variant(false));
    script.AddConst(QStringLiteral("nil"), QStringLiteral("Variant"), Variant(0));
    script.AddConst(QStringLiteral("Null"), QStringLiteral("Variant"), Variant::null());

    script.Add(QStringLiteral("__StringHelper"), new TscStringHelper);
    script.Add(QStringLiteral("__ArrayHelper"), new TscArrayHelper(QStringLiteral("__ArrayHelper"), tcVariant,
                                                                   QString(), -1));

    script.AddVariable(QStringLiteral("ExceptionClassName"), QStringLiteral("String"), Variant(QString()));
    script.AddVariable(QStringLiteral("ExceptionMessage"), QStringLiteral("String"), Variant(QString()));

    const std::pair<const char *, int> varTypes[] = {
        {"varEmpty", 0},       {"varNull", 1},       {"varSmallint", 2},  {"varInteger", 3},
        {"varSingle", 4},      {"varDouble", 5},     {"varCurrency", 6},  {"varDate", 7},
        {"varOleStr", 8},      {"varDispatch", 9},   {"varError", 10},    {"varBoolean", 11},
        {"varVariant", 12},    {"varUnknown", 13},   {"varShortInt", 16}, {"varByte", 17},
        {"varWord", 18},       {"varLongWord", 19},  {"varInt64", 20},    {"varStrArg", 72},
        {"varString", 256},    {"varAny", 257},      {"varTypeMask", 4095}, {"varArray", 8192},
        {"varByRef", 16384}};
    for (const auto &[name, code] : varTypes)
        script.AddConst(QLatin1String(name), QStringLiteral("Integer"), Variant(code));
}

void LoadScriptModules(TscScript &script)
{
    if (script.RttiLoaded)
        return;
    const void *saved = script.OwnerTag;
    script.OwnerTag = rttiTag;
    try {
        for (const TscRTTIModule &module : modules())
            module(script);
    } catch (...) {
        script.OwnerTag = saved;
        throw;
    }
    script.OwnerTag = saved;
    script.RttiLoaded = true;
}

void UnloadScriptModules(TscScript &script)
{
    if (!script.RttiLoaded)
        return;
    script.RemoveItems(rttiTag);
    script.RttiLoaded = false;
}

} // namespace bralvo::script
