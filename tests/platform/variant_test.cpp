// Variant: the conversion, arithmetic and comparison rules the script engine
// and the report library rely on, and copy-on-write of texts and arrays.
#include "platform/regionalsettings.h"
#include "platform/variant.h"
#include "tests/support/errortext.h"

#include <gtest/gtest.h>
#include <limits>

using bralvo::platform::VarArrayBound;
using bralvo::platform::Variant;
using bralvo::platform::VariantError;
using namespace bralvo::platform;

namespace {

QString errorText(const std::function<void()> &f)
{
    return bralvo::test::errorTextOf<VariantError>(f);
}

} // namespace

TEST(Variant, VarTypeCodesOfEachKind)
{
    struct Case { Variant v; int code; };
    const Case cases[] = {
        {Variant(), 0}, {Variant::null(), 1}, {Variant(3), 3}, {Variant(2.5), 5},
        {Variant::fromCurrency(1.25), 6}, {Variant::fromDate(45000), 7}, {Variant(true), 11},
        {Variant(qint64(1) << 40), 20}, {Variant("x"), 256}, {Variant::fromInteger(7, varByte), 17},
        {Variant::fromInteger(-7, varSmallint), 2}, {Variant::fromInteger(7, varWord), 18},
        {Variant::fromInteger(7, varLongWord), 19}, {Variant::fromInteger(-7, varShortInt), 16},
        {Variant::fromSingle(1.5f), 4}, {Variant::fromDispatch(12), 9},
        {Variant::createArray({{0, 4}}, varVariant), 8192 + 12},
        {Variant::createArray({{1, 2}}, varInteger), 8192 + 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.v.varType(), c.code);
    }
}

TEST(Variant, NullPropagatesThroughArithmetic)
{
    const Variant n = Variant::null();
    EXPECT_TRUE(n.add(Variant(1)).isNull());
    EXPECT_TRUE(Variant(1).subtract(n).isNull());
    EXPECT_TRUE(n.multiply(Variant("a")).isNull());
    EXPECT_TRUE(Variant(1).divide(n).isNull());
    EXPECT_TRUE(n.intDivide(Variant(2)).isNull());
    EXPECT_TRUE(n.modulo(Variant(2)).isNull());
    EXPECT_TRUE(n.logicalAnd(Variant(true)).isNull());
    EXPECT_TRUE(n.negate().isNull());
    EXPECT_TRUE(n.logicalNot().isNull());
}

TEST(Variant, NullComparisons)
{
    const Variant n = Variant::null();
    EXPECT_TRUE(n.equals(Variant::null()));
    EXPECT_FALSE(n.notEquals(Variant::null()));
    EXPECT_FALSE(n.equals(Variant(0)));
    EXPECT_TRUE(n.notEquals(Variant(0)));
    EXPECT_FALSE(n.equals(Variant()));
    for (const Variant &other : {Variant(1), Variant("a"), Variant::null()}) {
        EXPECT_FALSE(n.less(other));
        EXPECT_FALSE(n.lessOrEqual(other));
        EXPECT_FALSE(n.greater(other));
        EXPECT_FALSE(n.greaterOrEqual(other));
        EXPECT_FALSE(other.less(n));
        EXPECT_FALSE(other.greaterOrEqual(n));
    }
}

TEST(Variant, NullToNumberRaises)
{
    EXPECT_EQ(errorText([] { Variant::null().toInt64(); }),
              "Could not convert variant of type (Null) into type (Int64)");
    EXPECT_EQ(errorText([] { Variant::null().toDouble(); }),
              "Could not convert variant of type (Null) into type (Double)");
    EXPECT_EQ(errorText([] { Variant::null().toBool(); }),
              "Could not convert variant of type (Null) into type (Boolean)");
    EXPECT_EQ(Variant::null().toString(), "");
}

TEST(Variant, BooleansConvertToMinusOne)
{
    EXPECT_EQ(Variant(true).toInt64(), -1);
    EXPECT_EQ(Variant(false).toInt64(), 0);
    EXPECT_EQ(Variant(true).add(Variant(1)).toInt64(), 0);
    EXPECT_EQ(Variant(true).toString(), "True");
    EXPECT_TRUE(Variant("true").toBool());
    EXPECT_FALSE(Variant("FALSE").toBool());
    EXPECT_TRUE(Variant(-1).toBool());
    EXPECT_FALSE(Variant(0.0).toBool());
}

TEST(Variant, IntegerArithmeticPromotesAndOverflows)
{
    struct Case { Variant result; int kind; qint64 value; };
    const qint64 max32 = std::numeric_limits<qint32>::max();
    const Case cases[] = {
        {Variant(2).add(Variant(3)), varInteger, 5},
        {Variant(int(max32)).add(Variant(1)), varInt64, max32 + 1},
        {Variant(std::numeric_limits<qint32>::min()).subtract(Variant(1)), varInt64, qint64(std::numeric_limits<qint32>::min()) - 1},
        {Variant(65536).multiply(Variant(65536)), varInt64, qint64(1) << 32},
        {Variant(qint64(5)).add(Variant(1)), varInt64, 6},
        {Variant(std::numeric_limits<qint32>::min()).negate(), varInt64, -qint64(std::numeric_limits<qint32>::min())},
        {Variant(7).intDivide(Variant(2)), varInteger, 3},
        {Variant(-7).modulo(Variant(2)), varInteger, -1},
        {Variant(6).logicalAnd(Variant(3)), varInteger, 2},
        {Variant(6).logicalXor(Variant(3)), varInteger, 5},
        {Variant(1).shiftLeft(Variant(4)), varInteger, 16},
        {Variant(0).logicalNot(), varInteger, -1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cases[i].result.kind(), cases[i].kind);
        EXPECT_EQ(cases[i].result.toInt64(), cases[i].value);
    }
    const Variant big(std::numeric_limits<qint64>::max());
    EXPECT_EQ(errorText([&] { big.add(Variant(1)); }), "Variant overflow");
    EXPECT_EQ(errorText([&] { big.multiply(Variant(2)); }), "Variant overflow");
    EXPECT_EQ(errorText([] { Variant(std::numeric_limits<qint64>::min()).negate(); }), "Variant overflow");
}

TEST(Variant, FloatsAndDivision)
{
    const Variant half = Variant(7).divide(Variant(2));
    EXPECT_EQ(half.kind(), varDouble);
    EXPECT_DOUBLE_EQ(half.toDouble(), 3.5);
    EXPECT_EQ(Variant(1).add(Variant(0.5)).kind(), varDouble);
    EXPECT_EQ(errorText([] { Variant(1).divide(Variant(0)); }), "Division by zero");
    EXPECT_EQ(errorText([] { Variant(1).intDivide(Variant(0)); }), "Division by zero");
    EXPECT_EQ(errorText([] { Variant(1).modulo(Variant(0)); }), "Division by zero");
}

TEST(Variant, FloatToIntegerRoundsHalvesToEven)
{
    struct Case { double in; qint64 out; };
    for (const Case &c : {Case{2.5, 2}, Case{3.5, 4}, Case{-2.5, -2}, Case{-3.5, -4}, Case{2.4999, 2}, Case{0.5, 0}, Case{1.5, 2}}) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(Variant(c.in).toInt64(), c.out);
    }
    EXPECT_EQ(Variant(7.5).intDivide(Variant(2)).toInt64(), 4); // 8 div 2
    EXPECT_EQ(errorText([] { Variant(1e300).toInt64(); }), "Variant overflow");
    EXPECT_EQ(errorText([] { Variant(3e9).toInt(); }), "Variant overflow");
}

TEST(Variant, TextsWithNumbersAndEachOther)
{
    EXPECT_EQ(Variant("ab").add(Variant("cd")).toString(), "abcd");
    EXPECT_EQ(Variant("2").add(Variant(3)).toDouble(), 5.0);
    EXPECT_EQ(Variant(3).multiply(Variant("$10")).toDouble(), 48.0);
    EXPECT_EQ(errorText([] { Variant("abc").add(Variant(1)); }),
              "Could not convert variant of type (String) into type (Double)");
    EXPECT_EQ(Variant(42).toString(), "42");
    EXPECT_EQ(Variant(Variant(2.5).toString()).toDouble(), 2.5);
    EXPECT_EQ(Variant().add(Variant("x")).toString(), "x");
    EXPECT_EQ(Variant().add(Variant(4)).toInt64(), 4);
}

TEST(Variant, TextComparisonSlovakOrderExactEquality)
{
    // Slovak collation: "ch" sorts after "h", "č" between "c" and "d".
    EXPECT_TRUE(Variant("hora").less(Variant("chata")));
    EXPECT_TRUE(Variant("cesta").less(Variant("čaj")));
    EXPECT_TRUE(Variant("čaj").less(Variant("dom")));
    EXPECT_FALSE(Variant("Abc").equals(Variant("abc")));
    EXPECT_TRUE(Variant("abc").equals(Variant("abc")));
    EXPECT_TRUE(Variant("Abc").notEquals(Variant("abc")));
    // Different texts are never "equal" in ordering either.
    EXPECT_TRUE(Variant("Abc").less(Variant("abc")) != Variant("abc").less(Variant("Abc")));
}

TEST(Variant, MixedComparisons)
{
    EXPECT_TRUE(Variant("10").equals(Variant(10)));
    EXPECT_TRUE(Variant("9").less(Variant(10)));        // as numbers, not text
    EXPECT_TRUE(Variant(1).less(Variant(1.5)));
    EXPECT_TRUE(Variant(qint64(1) << 40).greater(Variant(1)));
    EXPECT_TRUE(Variant(false).less(Variant(true)));
    EXPECT_TRUE(Variant(true).equals(Variant(-1)));
    EXPECT_TRUE(Variant().equals(Variant("")));
    EXPECT_TRUE(Variant().equals(Variant(0)));
}

TEST(Variant, ArraysBoundsAndElements)
{
    Variant a = Variant::createArray({{1, 3}}, varInteger);
    EXPECT_EQ(a.dimCount(), 1);
    EXPECT_EQ(a.lowBound(1), 1);
    EXPECT_EQ(a.highBound(1), 3);
    EXPECT_EQ(a.arrayLength(), 3);
    EXPECT_EQ(a.element(2).toInt64(), 0);
    a.setElement(2, Variant("7"));
    EXPECT_EQ(a.element(2).kind(), varInteger); // converted to the element kind
    EXPECT_EQ(a.element(2).toInt64(), 7);
    EXPECT_EQ(errorText([&] { a.element(4); }), "Variant array index out of bounds");
    EXPECT_EQ(errorText([&] { a.element(0); }), "Variant array index out of bounds");

    Variant grid = Variant::createArray({{0, 1}, {0, 2}}, varVariant);
    grid.setElement({1, 2}, Variant("x"));
    EXPECT_EQ(grid.element({1, 2}).toString(), "x");
    EXPECT_TRUE(grid.element({0, 0}).isEmpty());
    EXPECT_EQ(errorText([&] { grid.element(1); }), "Variant array index out of bounds");
    EXPECT_EQ(errorText([&] { a.add(Variant(1)); }), "Invalid variant operation");
}

TEST(Variant, RedimKeepsRemainingElements)
{
    Variant a = Variant::createArray({{0, 2}}, varVariant);
    for (int i = 0; i < 3; ++i)
        a.setElement(i, Variant(i * 10));
    a.redim(4);
    EXPECT_EQ(a.highBound(1), 4);
    EXPECT_EQ(a.element(2).toInt64(), 20);
    EXPECT_TRUE(a.element(4).isEmpty());
    a.redim(0);
    EXPECT_EQ(a.arrayLength(), 1);
    EXPECT_EQ(a.element(0).toInt64(), 0);
}

TEST(Variant, CopiesShareUntilWritten)
{
    Variant a = Variant::createArray({{0, 1}}, varVariant);
    a.setElement(0, Variant("one"));
    Variant b = a;
    EXPECT_TRUE(a.sharesArrayWith(b));
    b.setElement(0, Variant("two"));
    EXPECT_FALSE(a.sharesArrayWith(b));
    EXPECT_EQ(a.element(0).toString(), "one");
    EXPECT_EQ(b.element(0).toString(), "two");

    Variant s("text");
    Variant t = s;
    t = t.add(Variant("!"));
    EXPECT_EQ(s.toString(), "text");
    EXPECT_EQ(t.toString(), "text!");
}

TEST(Variant, AsTypeConvertsAndChecksRange)
{
    EXPECT_EQ(Variant("12").asType(varInteger).kind(), varInteger);
    EXPECT_EQ(Variant(12).asType(varString).toString(), "12");
    EXPECT_EQ(Variant(2.5).asType(varInteger).toInt64(), 2);
    EXPECT_EQ(errorText([] { Variant(300).asType(varByte); }), "Variant overflow");
    EXPECT_EQ(errorText([] { Variant::createArray({{0, -2}}, varVariant); }),
              "Error creating variant or safe array");
}

TEST(Variant, ArraysTooLargeOrWithWideBoundsAreRefused)
{
    constexpr qint64 maxI = std::numeric_limits<qint64>::max();
    constexpr qint64 minI = std::numeric_limits<qint64>::min();
    const QList<QList<VarArrayBound>> refused = {
        {{0, 100000000}},                 // gigabytes of elements
        {{0, 10000}, {0, 10000}},         // large only as a product
        {{minI, maxI}},                   // high - low overflows
        {{-1, maxI}},                     // the length overflows
        {{maxI, minI}},                   // negative length that overflows
        {{0, 1}, {minI, maxI}},
    };
    for (const QList<VarArrayBound> &bounds : refused)
        EXPECT_EQ(errorText([&] { Variant::createArray(bounds, varInteger); }),
                  "Error creating variant or safe array")
            << bounds.first().low << ".." << bounds.last().high;

    // Wide bounds themselves are fine while the array stays small.
    const Variant far = Variant::createArray({{maxI - 2, maxI}}, varInteger);
    EXPECT_EQ(far.arrayLength(), 3);
    const Variant low = Variant::createArray({{minI, minI + 1}}, varInteger);
    EXPECT_EQ(low.arrayLength(), 2);

    Variant grown = Variant::createArray({{0, 1}}, varVariant);
    EXPECT_EQ(errorText([&] { grown.redim(100000000); }), "Error creating variant or safe array");
    EXPECT_EQ(errorText([&] { grown.redim(maxI); }), "Error creating variant or safe array");
    grown.redim(1000);
    EXPECT_EQ(grown.arrayLength(), 1001);
}

TEST(Variant, TextFormsFollowTheRegionalSettings)
{
    const ScopedRegionalSettings slovak(RegionalSettings::slovak());
    EXPECT_EQ(Variant(2.5).toString(), "2,5");
    EXPECT_EQ(Variant(0.1).toString(), "0,1");
    EXPECT_EQ(Variant::fromCurrency(1234.5).toString(), "1234,5");
    EXPECT_DOUBLE_EQ(Variant("1,5").toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(Variant("1.5").toDouble(), 1.5);
    // 45000 days after 30.12.1899 is 15.03.2023; midnight adds no time.
    EXPECT_EQ(Variant::fromDate(45000).toString(), "15.03.2023");
    EXPECT_EQ(Variant::fromDate(45000.5).toString(), "15.03.2023 12:00:00");
}

// addTo and friends write into a target, which may be either operand or a
// value holding text or an array: each gives what add/subtract/multiply give.
TEST(Variant, InPlaceArithmeticMatchesTheFullRules)
{
    const qint64 big = std::numeric_limits<qint64>::max();
    const Variant operands[] = {Variant(7),         Variant(-3),        Variant(2147483647), Variant(qint64(1) << 40),
                                Variant(2.5),       Variant(big),       Variant(true),       Variant(QStringLiteral("4")),
                                Variant::null(),    Variant(),          Variant::fromCurrency(1.25)};
    using Full = Variant (Variant::*)(const Variant &) const;
    using InPlace = void (Variant::*)(const Variant &, Variant &) const;
    const std::pair<Full, InPlace> ops[] = {{&Variant::add, &Variant::addTo},
                                            {&Variant::subtract, &Variant::subtractTo},
                                            {&Variant::multiply, &Variant::multiplyTo}};
    const Variant targets[] = {Variant(0), Variant(QStringLiteral("text")),
                               Variant::createArray({VarArrayBound{0, 1}}, varVariant)};
    for (const auto &[full, inPlace] : ops) {
        for (const Variant &l : operands) {
            for (const Variant &r : operands) {
                SCOPED_TRACE(l.toString().toStdString() + " op " + r.toString().toStdString());
                QString fullError, inPlaceError;
                Variant expected;
                try {
                    expected = (l.*full)(r);
                } catch (const VariantError &e) {
                    fullError = e.userText();
                }
                for (const Variant &start : targets) {
                    Variant target = start;
                    try {
                        (l.*inPlace)(r, target);
                    } catch (const VariantError &e) {
                        inPlaceError = e.userText();
                    }
                    EXPECT_EQ(inPlaceError, fullError);
                    if (fullError.isEmpty()) {
                        EXPECT_EQ(target.varType(), expected.varType());
                        EXPECT_TRUE(target.equals(expected) || (target.isNull() && expected.isNull()));
                    }
                    inPlaceError.clear();
                }
                Variant self = l; // the target is the left operand itself
                if (fullError.isEmpty()) {
                    (self.*inPlace)(r, self);
                    EXPECT_EQ(self.varType(), expected.varType());
                }
            }
        }
    }
}
