// Registration of the built-in module: names in the fixed order scripts
// and editors rely on.
#include "script/tscsysfunctions.h"

#include "script/builtinfunctions.h"
#include "script/tscscript.h"

namespace bralvo::script {

namespace {

using Group = Variant (*)(const QString &, TscMethodHelper &);

struct FunctionEntry {
    const char *declaration;
    const char *category;
    Group call;
};

const FunctionEntry functions[] = {
    {"function IntToStr(i: Integer): String", TscSysFunctions::ctConv, callToText},
    {"function FloatToStr(e: Extended): String", TscSysFunctions::ctConv, callToText},
    {"function DateToStr(e: Extended): String", TscSysFunctions::ctConv, callToText},
    {"function TimeToStr(e: Extended): String", TscSysFunctions::ctConv, callToText},
    {"function DateTimeToStr(e: Extended): String", TscSysFunctions::ctConv, callToText},
    {"function VarToStr(v: Variant): String", TscSysFunctions::ctConv, callOther},
    {"function StrToInt(s: String): Integer", TscSysFunctions::ctConv, callFromText},
    {"function StrToInt64(s: String): Integer", TscSysFunctions::ctConv, callFromText},
    {"function StrToFloat(s: String): Extended", TscSysFunctions::ctConv, callFromText},
    {"function StrToDate(s: String): Extended", TscSysFunctions::ctConv, callFromText},
    {"function StrToTime(s: String): Extended", TscSysFunctions::ctConv, callFromText},
    {"function StrToDateTime(s: String): Extended", TscSysFunctions::ctConv, callFromText},
    {"function Format(Fmt: String; Args: array): String", TscSysFunctions::ctFormat, callFormat},
    {"function FormatFloat(Fmt: String; Value: Extended): String", TscSysFunctions::ctFormat, callFormat},
    {"function FormatDateTime(Fmt: String; DateTime: TDateTime): String", TscSysFunctions::ctFormat, callFormat},
    {"function FormatMaskText(EditMask: string; Value: string): string", TscSysFunctions::ctFormat, callFormat},
    {"function EncodeDate(Year, Month, Day: Word): TDateTime", TscSysFunctions::ctDate, callDate},
    {"procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)", TscSysFunctions::ctDate, callDate},
    {"function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime", TscSysFunctions::ctDate, callDate},
    {"procedure DecodeTime(Time: TDateTime; var Hour, Min, Sec, MSec: Word)", TscSysFunctions::ctDate, callDate},
    {"function Date: TDateTime", TscSysFunctions::ctDate, callDate},
    {"function Time: TDateTime", TscSysFunctions::ctDate, callDate},
    {"function Now: TDateTime", TscSysFunctions::ctDate, callDate},
    {"function DayOfWeek(aDate: TDateTime): Integer", TscSysFunctions::ctDate, callDate},
    {"function IsLeapYear(Year: Word): Boolean", TscSysFunctions::ctDate, callDate},
    {"function DaysInMonth(nYear, nMonth: Integer): Integer", TscSysFunctions::ctDate, callDate},
    {"function Length(s: Variant): Integer", TscSysFunctions::ctString, callString},
    {"function Copy(s: String; from, count: Integer): String", TscSysFunctions::ctString, callString},
    {"function Pos(substr, s: String): Integer", TscSysFunctions::ctString, callString},
    {"procedure Delete(var s: String; from, count: Integer)", TscSysFunctions::ctString, callString},
    {"procedure DeleteStr(var s: String; from, count: Integer)", TscSysFunctions::ctString, callString},
    {"procedure Insert(s: String; var s2: String; pos: Integer)", TscSysFunctions::ctString, callString},
    {"function Uppercase(s: String): String", TscSysFunctions::ctString, callString},
    {"function Lowercase(s: String): String", TscSysFunctions::ctString, callString},
    {"function Trim(s: String): String", TscSysFunctions::ctString, callString},
    {"function NameCase(s: String): String", TscSysFunctions::ctString, callString},
    {"function CompareText(s, s1: String): Integer", TscSysFunctions::ctString, callString},
    {"function Chr(i: Integer): Char", TscSysFunctions::ctString, callString},
    {"function Ord(ch: Char): Integer", TscSysFunctions::ctString, callString},
    {"procedure SetLength(var S: Variant; L: Integer)", TscSysFunctions::ctString, callString},
    {"function Round(e: Extended): Integer", TscSysFunctions::ctMath, callMath},
    {"function Trunc(e: Extended): Integer", TscSysFunctions::ctMath, callMath},
    {"function Int(e: Extended): Integer", TscSysFunctions::ctMath, callMath},
    {"function Frac(X: Extended): Extended", TscSysFunctions::ctMath, callMath},
    {"function Sqrt(e: Extended): Extended", TscSysFunctions::ctMath, callMath},
    {"function Abs(e: Extended): Extended", TscSysFunctions::ctMath, callMath},
    {"function Sin(e: Extended): Extended", TscSysFunctions::ctMath, callMath},
    {"function Cos(e: Extended): Extended", TscSysFunctions::ctMath, callMath},
    {"function ArcTan(X: Extended): Extended", TscSysFunctions::ctMath, callMath},
    {"function Tan(X: Extended): Extended", TscSysFunctions::ctMath, callMath},
    {"function Exp(X: Extended): Extended", TscSysFunctions::ctMath, callMath},
    {"function Ln(X: Extended): Extended", TscSysFunctions::ctMath, callMath},
    {"function Pi: Extended", TscSysFunctions::ctMath, callMath},
    {"procedure Inc(var i: Integer; incr: Integer = 1)", TscSysFunctions::ctOther, callOther},
    {"procedure Dec(var i: Integer; decr: Integer = 1)", TscSysFunctions::ctOther, callOther},
    {"procedure RaiseException(Param: String)", TscSysFunctions::ctOther, callOther},
    {"procedure ShowMessage(Msg: Variant)", TscSysFunctions::ctOther, callOther},
    {"procedure Randomize", TscSysFunctions::ctOther, callOther},
    {"function Random: Extended", TscSysFunctions::ctOther, callOther},
    {"function ValidInt(cInt: String): Boolean", TscSysFunctions::ctOther, callOther},
    {"function ValidFloat(cFlt: String): Boolean", TscSysFunctions::ctOther, callOther},
    {"function ValidDate(cDate: String): Boolean", TscSysFunctions::ctOther, callOther},
    {"function CreateOleObject(ClassName: String): Variant", TscSysFunctions::ctOther, callOther},
    {"function VarArrayCreate(Bounds: Array; Typ: Integer): Variant", TscSysFunctions::ctOther, callOther},
    {"function VarType(V: Variant): Integer", TscSysFunctions::ctOther, callOther},
};

void registerTypes(TscScript &script)
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
}

void registerConstantsAndHelpers(TscScript &script)
{
    script.AddConst(QStringLiteral("True"), QStringLiteral("Boolean"), Variant(true));
    script.AddConst(QStringLiteral("False"), QStringLiteral("Boolean"), Variant(false));
    script.AddConst(QStringLiteral("nil"), QStringLiteral("Variant"), Variant(0));
    script.AddConst(QStringLiteral("Null"), QStringLiteral("Variant"), Variant::null());
    script.Add(QStringLiteral("__StringHelper"), new TscStringHelper);
    script.Add(QStringLiteral("__ArrayHelper"),
               new TscArrayHelper(QStringLiteral("__ArrayHelper"), tcVariant, QString(), -1));
    script.AddVariable(QStringLiteral("ExceptionClassName"), QStringLiteral("String"), Variant(QString()));
    script.AddVariable(QStringLiteral("ExceptionMessage"), QStringLiteral("String"), Variant(QString()));
}

void registerFunctions(TscScript &script)
{
    for (const FunctionEntry &entry : functions) {
        const Group call = entry.call;
        script.AddMethod(
            QLatin1String(entry.declaration),
            [call](platform::HandleTarget *, const QString &, const QString &name, TscMethodHelper &h) {
                return call(name, h);
            },
            QLatin1String(entry.category));
    }
}

void registerVarTypeConstants(TscScript &script)
{
    const std::pair<const char *, int> varTypes[] = {
        {"varEmpty", 0},     {"varNull", 1},      {"varSmallint", 2},    {"varInteger", 3},  {"varSingle", 4},
        {"varDouble", 5},    {"varCurrency", 6},  {"varDate", 7},        {"varOleStr", 8},   {"varDispatch", 9},
        {"varError", 10},    {"varBoolean", 11},  {"varVariant", 12},    {"varUnknown", 13}, {"varShortInt", 16},
        {"varByte", 17},     {"varWord", 18},     {"varLongWord", 19},   {"varInt64", 20},   {"varStrArg", 72},
        {"varString", 256},  {"varAny", 257},     {"varTypeMask", 4095}, {"varArray", 8192}, {"varByRef", 16384}};
    for (const auto &[name, code] : varTypes)
        script.AddConst(QLatin1String(name), QStringLiteral("Integer"), Variant(code));
}

} // namespace

TscSysFunctions::TscSysFunctions(TscScript &script) : TscRTTIModule(script)
{
    registerTypes(script);
    registerConstantsAndHelpers(script);
    registerFunctions(script);
    registerVarTypeConstants(script);
}

} // namespace bralvo::script
