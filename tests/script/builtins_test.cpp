// The built-in module: registration order, the worked examples in every
// language, conversions under regional settings, edit masks, and the
// faults built soundly (out-of-range positions, overflowing conversions).
#include "platform/messageboxseam.h"
#include "platform/regionalsettings.h"
#include "script/formatmasktext.h"
#include "script/runtimeerror.h"
#include "script/tschelpers.h"
#include "script/tscscript.h"
#include "script/tscsysfunctions.h"
#include "tests/script/keepscript.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using platform::Variant;

namespace {

std::string str(const QString &text)
{
    return text.toStdString();
}

// "int:2", "float:2", "str:x", "bool:true", "int64:3" for the kinds tests compare.
QString typed(const Variant &v)
{
    if (v.isNull())
        return QStringLiteral("null");
    if (v.isBoolean())
        return v.toBool() ? QStringLiteral("bool:true") : QStringLiteral("bool:false");
    if (v.isString())
        return QStringLiteral("str:") + v.toString();
    if (v.isFloat())
        return QStringLiteral("float:") + QString::number(v.toDouble(), 'g', 15);
    if (v.kind() == platform::varInt64)
        return QStringLiteral("int64:") + QString::number(v.toInt64());
    return QStringLiteral("int:") + QString::number(v.toInt64());
}

struct Language {
    const char *name;
    const char *before;
    const char *after;
};

const Language languages[] = {
    {"PascalScript", "begin Keep(", ") end."},
    {"C++Script", "{ Keep(", "); }"},
    {"JScript", "Keep(", ");"},
    {"BasicScript", "Keep(", ")"},
};

// Runs Keep(expression) in a language; gives the kept value, or the error
// as "CLASS: message".
QString evaluate(const QString &expression, const Language &language = languages[0])
{
    const platform::ScopedRegionalSettings slovak(platform::RegionalSettings::slovak());
    TscScript script;
    script.AddRTTI();
    Variant kept = Variant::null();
    test::addKeep(script, [&kept](const Variant &value) { kept = value; });
    script.SyntaxType = QLatin1String(language.name);
    script.SetLines({QLatin1String(language.before) + expression + QLatin1String(language.after)});
    const QString failure = test::compileAndRun(script);
    return failure.isEmpty() ? typed(kept) : failure;
}

// Runs a PascalScript program whose Keep calls collect values.
QStringList runPascal(const QString &program)
{
    const platform::ScopedRegionalSettings slovak(platform::RegionalSettings::slovak());
    TscScript script;
    script.AddRTTI();
    QStringList kept;
    test::addKeep(script, [&kept](const Variant &value) { kept.append(typed(value)); });
    script.SetLines(program.split(QLatin1Char('\n')));
    const QString failure = test::compileAndRun(script);
    if (!failure.isEmpty())
        kept.append(failure);  // after a compile error nothing was kept
    return kept;
}

struct Case {
    const char *expression;
    const char *expected;
};

void expectCases(std::initializer_list<Case> cases, const Language &language = languages[0])
{
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(language.name) + ": " + c.expression);
        QString expression = QString::fromUtf8(c.expression);
        // Texts are quoted with ' in PascalScript and " everywhere else.
        if (QLatin1String(language.name) != QLatin1String("PascalScript"))
            expression.replace(QLatin1Char('\''), QLatin1Char('"'));
        EXPECT_EQ(str(evaluate(expression, language)), c.expected);
    }
}

TEST(BuiltIns, WorkedExamplesGiveTheSameResultsInEveryLanguage)
{
    for (const Language &language : languages) {
        expectCases({{"Round(2.5)", "int:2"},
                     {"Round(-2.5)", "int:-2"},
                     {"Round(3.5)", "int:4"},
                     {"Trunc(-2.7)", "int:-2"},
                     {"Int(2.7)", "float:2"},
                     {"NameCase('jOHN smith')", "str:John Smith"},
                     {"CompareText('abc', 'ABD')", "int:-1"},
                     {"Length(VarArrayCreate([0, 4], varVariant))", "int:5"},
                     {"Length(12345)", "int:5"},
                     {"DaysInMonth(2000, 2)", "int:29"},
                     {"DaysInMonth(1900, 2)", "int:28"},
                     {"ValidInt('12a')", "bool:false"},
                     {"Format('%d items', [3])", "str:3 items"},
                     {"VarType(VarArrayCreate([0, 1], varVariant))", "int:8204"},
                     {"Pi", "float:3.14159265358979"}},
                    language);
    }
}

TEST(BuiltIns, ConversionsFollowTheRegionalSettings)
{
    expectCases({{"IntToStr(-42)", "str:-42"},
                 {"FloatToStr(0.1 + 0.2)", "str:0,3"},
                 {"FloatToStr(1e20)", "str:1E20"},
                 {"StrToFloat('1,25')", "float:1.25"},
                 {"StrToFloat('1.25')", "EConvertError: '1.25' is not a valid floating point value"},
                 {"DateToStr(36526)", "str:01.01.2000"},
                 {"TimeToStr(0.75)", "str:18:00:00"},
                 {"DateTimeToStr(36526.5)", "str:01.01.2000 12:00:00"},
                 {"DateTimeToStr(36526)", "str:01.01.2000"},
                 {"StrToDate('24.12.1999')", "float:36518"},
                 {"StrToTime('6:00')", "float:0.25"},
                 {"StrToDateTime('1.1.2000 18:00')", "float:36526.75"},
                 {"VarToStr(Null)", "str:"},
                 {"FormatFloat('#,##0.00', 1234567.891)", "str:1 234 567,89"},
                 {"FormatDateTime('yyyy-mm-dd hh:nn', 36526.5)", "str:2000-01-01 12:00"},
                 {"Format('%s|%5.1f|%x', ['a', 2.25, 255])", "str:a|  2,3|FF"}});

    platform::RegionalSettings dotted = platform::RegionalSettings::slovak();
    dotted.decimalSeparator = u'.';
    dotted.shortDateFormat = QStringLiteral("yyyy-mm-dd");
    dotted.dateSeparator = u'-';
    const platform::ScopedRegionalSettings scope(dotted);
    TscScript script;
    script.AddRTTI();
    script.SetLines({QStringLiteral("begin Result := FloatToStr(2.5) + ' ' + DateToStr(36526) end.")});
    script.AddVariable(QStringLiteral("Result"), QStringLiteral("String"), Variant(QString()));
    // evaluate() pins Slovak settings; this one runs under the dotted ones.
    ASSERT_TRUE(script.Compile()) << str(script.ErrorText);
    script.Execute();
    EXPECT_EQ(str(script.Find(QStringLiteral("Result"))->GetValue().toString()), "2.5 2000-01-01");
}

TEST(BuiltIns, IntegerTextIsDecimalOrHexadecimal)
{
    expectCases({{"StrToInt('123')", "int:123"},
                 {"StrToInt(' -17')", "int:-17"},
                 {"StrToInt('$FF')", "int:255"},
                 {"StrToInt('$FFFFFFFF')", "int:-1"},
                 {"StrToInt('-2147483648')", "int:-2147483648"},
                 {"StrToInt64('9223372036854775807')", "int64:9223372036854775807"},
                 {"StrToInt('')", "EConvertError: '' is not a valid integer value"},
                 {"StrToInt('1 2')", "EConvertError: '1 2' is not a valid integer value"},
                 {"ValidInt('$7F')", "bool:true"},
                 {"ValidFloat('1,5e3')", "bool:true"},
                 {"ValidDate('30.2.2024')", "bool:false"}});
}

TEST(BuiltIns, StrToIntBeyond32BitsRaisesInsteadOfWrapping)
{
    expectCases({{"StrToInt('2147483648')", "EConvertError: '2147483648' is not a valid integer value"},
                 {"StrToInt('99999999999')", "EConvertError: '99999999999' is not a valid integer value"},
                 {"StrToInt64('9223372036854775808')",
                  "EConvertError: '9223372036854775808' is not a valid integer value"},
                 {"ValidInt('99999999999')", "bool:false"}});
}

TEST(BuiltIns, RoundAndTruncBeyond32BitsRaiseOverflow)
{
    expectCases({{"Round(1e12)", "EIntOverflow: Integer overflow"},
                 {"Trunc(-3e9)", "EIntOverflow: Integer overflow"},
                 {"Round(2147483647.4)", "int:2147483647"},
                 {"Trunc(-2147483648.9)", "int:-2147483648"}});
}

TEST(BuiltIns, MathErrorsRaiseTheFloatingPointExceptions)
{
    expectCases({{"Sqrt(-1)", "EInvalidOp: Invalid floating point operation"},
                 {"Ln(0)", "EZeroDivide: Floating point division by zero"},
                 {"Ln(-1)", "EInvalidOp: Invalid floating point operation"},
                 {"Exp(1000)", "EOverflow: Floating point overflow"},
                 {"Frac(-2.75)", "float:-0.75"},
                 {"Abs(-3)", "float:3"},
                 {"Tan(0)", "float:0"}});
}

TEST(BuiltIns, DatesEncodeDecodeAndCheckTheirParts)
{
    expectCases({{"EncodeDate(2024, 2, 29)", "float:45351"},
                 {"EncodeDate(2023, 2, 29)", "EConvertError: Invalid argument to date encode"},
                 {"EncodeDate(0, 1, 1)", "EConvertError: Invalid argument to date encode"},
                 {"EncodeTime(12, 0, 0, 0)", "float:0.5"},
                 {"EncodeTime(23, 60, 0, 0)", "EConvertError: Invalid argument to time encode"},
                 {"DayOfWeek(EncodeDate(2026, 12, 13))", "int:1"},
                 {"DayOfWeek(EncodeDate(2026, 12, 12))", "int:7"},
                 {"IsLeapYear(2000)", "bool:true"},
                 {"IsLeapYear(2100)", "bool:false"},
                 {"IsLeapYear(2024)", "bool:true"}});
    EXPECT_EQ(runPascal("var y, m, d, h, n, s, z: Integer;\n"
                        "begin DecodeDate(EncodeDate(1999, 12, 24) + 0.5, y, m, d); Keep(y); Keep(m); Keep(d);\n"
                        "DecodeTime(EncodeTime(13, 5, 9, 250), h, n, s, z); Keep(h); Keep(n); Keep(s); Keep(z);\n"
                        "Keep(Date = Int(Now)); Keep(Time < 1) end."),
              (QStringList{"int:1999", "int:12", "int:24", "int:13", "int:5", "int:9", "int:250", "bool:true",
                           "bool:true"}));
}

TEST(BuiltIns, DateTextOfADayCountThatIsNoDateRaisesRangeError)
{
    const char *const outside[] = {"3000000", "-700000.5", "1e20", "-1e20"};
    for (const char *count : outside) {
        const QString arg = QString::fromLatin1(count);
        for (const QString &call : {"DecodeDate(" + arg + ", y, m, d)", "Keep(DateToStr(" + arg + "))",
                                    "Keep(TimeToStr(" + arg + "))", "Keep(DateTimeToStr(" + arg + "))",
                                    "Keep(FormatDateTime('yyyy', " + arg + "))"})
            EXPECT_EQ(runPascal("var y, m, d: Integer; begin " + call + " end."),
                      QStringList{"ERangeError: Range check error"})
                << str(call);
    }
    // The last days the range holds still print.
    expectCases({{"DateToStr(2958465)", "str:31.12.9999"},
                 {"DateToStr(-693593)", "str:01.01.0001"},
                 {"FormatDateTime('hh:nn', -1.25)", "str:06:00"}});
}

TEST(BuiltIns, DaysInMonthOutsideOneToTwelveRaisesRangeError)
{
    expectCases({{"DaysInMonth(2020, 0)", "ERangeError: Range check error"},
                 {"DaysInMonth(2020, 13)", "ERangeError: Range check error"},
                 {"DaysInMonth(2020, 12)", "int:31"}});
}

TEST(BuiltIns, StringFunctions)
{
    expectCases({{"Copy('abcdef', 2, 3)", "str:bcd"},
                 {"Pos('cd', 'abcdcd')", "int:3"},
                 {"Pos('x', 'abc')", "int:0"},
                 {"Uppercase('žltý kôň')", "str:ŽLTÝ KÔŇ"},
                 {"Lowercase('ČAJ')", "str:čaj"},
                 {"Trim(#9' a b '#13#10)", "str:a b"},
                 {"NameCase(' ab cd')", "str: ab Cd"},
                 {"CompareText('ABC', 'abc')", "int:0"},
                 {"CompareText('b', 'A')", "int:1"},
                 {"Chr(65)", "str:A"},
                 {"Chr(269)", "str:č"},
                 {"Ord('A')", "int:65"},
                 {"Ord('')", "int:0"},
                 {"VarToStr(2.5)", "str:2,5"}});
    EXPECT_EQ(runPascal("var s: String; v: Variant;\n"
                        "begin s := 'abcdef'; Delete(s, 2, 2); Keep(s);\n"
                        "s := 'abc'; Insert('XY', s, 2); Keep(s);\n"
                        "s := 'abcdef'; SetLength(s, 3); Keep(s); SetLength(s, 5); Keep(s);\n"
                        "v := VarArrayCreate([0, 1], varVariant); v[1] := 7; SetLength(v, 3); Keep(Length(v)); "
                        "Keep(v[1]) end."),
              (QStringList{"str:adef", "str:aXYbc", "str:abc", "str:abc  ", "int:3", "int:7"}));
}

TEST(BuiltIns, CopyDeleteAndInsertWithOutOfRangeIndexesStayInsideTheText)
{
    expectCases({{"Copy('abcdef', -5, 2)", "str:ab"},
                 {"Copy('abcdef', 5, 100)", "str:ef"},
                 {"Copy('abcdef', 7, 1)", "str:"},
                 {"Copy('abcdef', 2, -1)", "str:"},
                 {"Copy('abc', 2, 99999999999)", "str:bc"},
                 {"Copy('abc', -99999999999, 2)", "str:ab"}});
    EXPECT_EQ(runPascal("var s: String;\n"
                        "begin s := 'abcdef'; Delete(s, 0, 2); Keep(s); Delete(s, -3, 2); Keep(s);\n"
                        "Delete(s, 5, 99999999999); Keep(s); Delete(s, 99, 1); Keep(s); Delete(s, 1, -1); Keep(s);\n"
                        "s := 'abc'; Insert('X', s, 99); Keep(s); Insert('Y', s, -99999999999); Keep(s) end."),
              (QStringList{"str:abcdef", "str:abcdef", "str:abcd", "str:abcd", "str:abcd", "str:abcX",
                           "str:YabcX"}));
}

TEST(BuiltIns, SetLengthWithNegativeOrHugeLengthRaisesRangeError)
{
    EXPECT_EQ(runPascal("var s: String; begin s := 'ab'; SetLength(s, -1) end."),
              QStringList{"ERangeError: Range check error"});
    EXPECT_EQ(runPascal("var s: String; begin s := 'ab'; SetLength(s, 99999999999) end."),
              QStringList{"ERangeError: Range check error"});
    EXPECT_EQ(runPascal("var v: Variant; begin v := 5; SetLength(v, 2) end."),
              QStringList{"EVariantError: Variant is not an array"});
}

TEST(BuiltIns, ChrOutsideUnicodeRaisesRangeError)
{
    expectCases({{"Chr(-1)", "ERangeError: Range check error"},
                 {"Chr(1114112)", "ERangeError: Range check error"},
                 {"Chr(55296)", "ERangeError: Range check error"},
                 {"Ord(Chr(128512))", "int:128512"}});
}

TEST(BuiltIns, VarArrayCreateTakesBoundsPairwise)
{
    expectCases({{"VarArrayCreate([0], varVariant)", "EVariantError: Error creating variant or safe array"},
                 {"VarArrayCreate([0, 99999999999], varVariant)",
                  "EVariantError: Error creating variant or safe array"},
                 {"VarArrayCreate([0, 1], 9999)", "EVariantError: Error creating variant or safe array"},
                 {"VarArrayCreate([0, 100000000], 12)", "EVariantError: Error creating variant or safe array"},
                 {"VarArrayCreate([0, 1000, 0, 100000], 12)",
                  "EVariantError: Error creating variant or safe array"},
                 {"VarArrayCreate([-9223372036854775807, 9223372036854775807], 12)",
                  "EVariantError: Error creating variant or safe array"},
                 {"Length(VarArrayCreate([9223372036854775805, 9223372036854775807], 12))", "int:3"},
                 {"VarType(VarArrayCreate([1, 3], varInteger))", "int:8195"},
                 {"Length(VarArrayCreate([1, 3, 0, 9], varVariant))", "int:3"}});
}

TEST(BuiltIns, IncDecRaiseExceptionAndVarType)
{
    EXPECT_EQ(runPascal("var i: Integer;\n"
                        "begin i := 1; Inc(i); Keep(i); Inc(i, 5); Keep(i); Dec(i); Keep(i); Dec(i, 10); Keep(i);\n"
                        "try RaiseException('x') except Keep(ExceptionClassName); Keep(ExceptionMessage) end;\n"
                        "Keep(VarType(3)); Keep(VarType('x')); Keep(VarType(1.5)); Keep(VarType(True)); "
                        "Keep(VarType(Null)) end."),
              (QStringList{"int:2", "int:7", "int:6", "int:-4", "str:Exception", "str:x", "int:3", "int:256",
                           "int:5", "int:11", "int:1"}));
    EXPECT_EQ(str(evaluate("RaiseException('out')")), "Exception: out");
}

TEST(BuiltIns, RandomStaysInTheUnitInterval)
{
    EXPECT_EQ(runPascal("var i: Integer; ok: Boolean; r: Extended;\n"
                        "begin Randomize; ok := True;\n"
                        "for i := 1 to 1000 do begin r := Random; ok := ok and (r >= 0) and (r < 1) end;\n"
                        "Keep(ok) end."),
              QStringList{"bool:true"});
}

class RecordingSeam : public platform::MessageBoxSeam {
public:
    int messageBox(const QString &text, const QString &, int flags) override
    {
        shown.append(text + QLatin1Char('/') + QString::number(flags));
        return platform::kIdOk;
    }
    std::optional<QString> openFileName(const platform::FileDialogRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const platform::FileDialogRequest &) override { return std::nullopt; }
    std::optional<QString> existingFolder(const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> askText(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<int> askChoice(const QString &, const QString &, const QStringList &, int) override
    {
        return std::nullopt;
    }
    QStringList shown;
};

TEST(BuiltIns, ShowMessageGoesThroughTheMessageBoxSeam)
{
    RecordingSeam seam;
    platform::MessageBoxSeam *previous = platform::setMessageBoxSeam(&seam);
    runPascal("begin ShowMessage(12); ShowMessage('done') end.");
    platform::setMessageBoxSeam(previous);
    EXPECT_EQ(seam.shown, (QStringList{"12/0", "done/0"}));
}

TEST(BuiltIns, ModuleRegistersInTheFixedOrderWithCategories)
{
    TscScript script;
    script.AddRTTI();
    auto indexOf = [&script](const QString &name) {
        for (int i = 0; i < script.Count(); ++i)
            if (script.NameAt(i) == name)
                return i;
        return -1;
    };
    const QStringList order{"Byte",      "Constructor",        "True",     "Null",  "__StringHelper",
                            "__ArrayHelper", "ExceptionClassName", "IntToStr", "Format", "VarType",
                            "varEmpty",  "varByRef"};
    for (int i = 1; i < order.size(); ++i) {
        SCOPED_TRACE(str(order[i]));
        EXPECT_GE(indexOf(order[i - 1]), 0);
        EXPECT_LT(indexOf(order[i - 1]), indexOf(order[i]));
    }
    int functions = 0;
    QHash<QString, QString> categories;
    for (int i = 0; i < script.Count(); ++i)
        if (auto *method = dynamic_cast<TscMethodHelper *>(script.ItemAt(i))) {
            ++functions;
            categories.insert(method->Name, method->Category);
        }
    EXPECT_EQ(functions, 65);
    EXPECT_EQ(str(categories.value("StrToDate")), "ctConv");
    EXPECT_EQ(str(categories.value("FormatMaskText")), "ctFormat");
    EXPECT_EQ(str(categories.value("DaysInMonth")), "ctDate");
    EXPECT_EQ(str(categories.value("SetLength")), "ctString");
    EXPECT_EQ(str(categories.value("Pi")), "ctMath");
    EXPECT_EQ(str(categories.value("VarType")), "ctOther");
    EXPECT_EQ(script.Find(QStringLiteral("Word"))->TypeCode, tcInteger);
    EXPECT_EQ(script.Find(QStringLiteral("TDateTime"))->TypeCode, tcFloat);
    EXPECT_EQ(script.Find(QStringLiteral("Pointer"))->TypeCode, tcVariant);
    EXPECT_EQ(script.Find(QStringLiteral("varArray"))->GetValue().toInt(), 8192);
}

TEST(FormatMaskText, FillsTheMaskFromTheValue)
{
    const platform::ScopedRegionalSettings slovak(platform::RegionalSettings::slovak());
    struct MaskCase {
        const char *mask, *value, *expected;
    };
    const MaskCase cases[] = {
        {"!99/99/0000;1;_", "24/12/1999", "24.12.1999"},
        {"000-000;0;_", "12345", "123-45_"},
        {">LL-0000;0; ", "ab12", "AB-12  "},
        {"<LLL;0;*", "XYZ", "xyz"},
        {"00:00;0;_", "1230", "12:30"},
        {"\\(000\\);0;_", "42", "(42_)"},
        {"0000;0;_", "12ab", "12__"},
        {"", "abc", ""},
    };
    for (const MaskCase &c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(str(FormatMaskText(QString::fromUtf8(c.mask), QString::fromUtf8(c.value))), c.expected);
    }
}

} // namespace
