// Built-in mathematics on floats. A result the floating-point unit would
// trap on (a square root or logarithm of a negative number, an overflow,
// a whole number beyond 32 bits) raises instead of passing NaN or garbage.
#include "script/builtinfunctions.h"

#include "script/runtimeerror.h"
#include "script/tschelpers.h"

#include <cmath>
#include <limits>

namespace bralvo::script {

namespace {

[[noreturn]] void invalidOp()
{
    throw ScriptRuntimeError(QStringLiteral("EInvalidOp"), QStringLiteral("Invalid floating point operation"));
}

// Whole numbers from Round and Trunc must fit 32 bits.
Variant toInteger(double whole)
{
    if (std::isnan(whole))
        invalidOp();
    if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max())
        throw ScriptRuntimeError(QStringLiteral("EIntOverflow"), QStringLiteral("Integer overflow"));
    return Variant(int(whole));
}

// Checks a result computed from a finite argument.
Variant checked(double x, double result)
{
    if (std::isnan(result) && !std::isnan(x))
        invalidOp();
    if (std::isinf(result) && std::isfinite(x))
        throw ScriptRuntimeError(QStringLiteral("EOverflow"), QStringLiteral("Floating point overflow"));
    return Variant(result);
}

Variant ln(double x)
{
    if (x == 0)
        throw ScriptRuntimeError(QStringLiteral("EZeroDivide"), QStringLiteral("Floating point division by zero"));
    return checked(x, std::log(x));
}

double roundHalfEven(double x)
{
    const double whole = std::floor(x);
    const double diff = x - whole;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(whole, 2.0) != 0))
        return whole + 1;
    return whole;
}

} // namespace

Variant callMath(const QString &name, TscMethodHelper &h)
{
    if (name == QLatin1String("PI"))
        return Variant(3.1415926535897932385);
    const double x = h.GetParamValue(0).toDouble();
    if (name == QLatin1String("ROUND"))
        return toInteger(roundHalfEven(x));
    if (name == QLatin1String("TRUNC"))
        return toInteger(std::trunc(x));
    if (name == QLatin1String("INT"))
        return Variant(std::trunc(x)); // a float, whatever the declaration says
    if (name == QLatin1String("FRAC"))
        return Variant(x - std::trunc(x));
    if (name == QLatin1String("SQRT"))
        return checked(x, std::sqrt(x));
    if (name == QLatin1String("ABS"))
        return Variant(std::fabs(x));
    if (name == QLatin1String("SIN"))
        return checked(x, std::sin(x));
    if (name == QLatin1String("COS"))
        return checked(x, std::cos(x));
    if (name == QLatin1String("ARCTAN"))
        return Variant(std::atan(x));
    if (name == QLatin1String("TAN"))
        return checked(x, std::sin(x) / std::cos(x));
    if (name == QLatin1String("EXP"))
        return checked(x, std::exp(x));
    return ln(x); // LN
}

} // namespace bralvo::script
