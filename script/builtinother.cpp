// The remaining built-ins: Inc, Dec, RaiseException, ShowMessage, the
// random numbers, the Valid... tests, CreateOleObject, VarArrayCreate,
// VarType and VarToStr.
#include "script/builtinfunctions.h"

#include "platform/conversionerror.h"
#include "platform/floattext.h"
#include "platform/messageboxseam.h"
#include "platform/parsedatetime.h"
#include "platform/regionalsettings.h"
#include "script/oleautomation.h"
#include "script/runtimeerror.h"
#include "script/tschelpers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <random>

namespace bralvo::script {

namespace {

// Without Randomize the sequence is the same in every run.
std::mt19937_64 &generator()
{
    static std::mt19937_64 engine(0);
    return engine;
}

Variant step(TscMethodHelper &h, bool up)
{
    const Variant value = h.GetParamValue(0);
    const Variant by = h.GetParamValue(1);
    h.SetParamValue(0, up ? value.add(by) : value.subtract(by));
    return Variant::null();
}

bool validInt(const QString &text)
{
    try {
        textToInt32(text);
        return true;
    } catch (const platform::ConversionError &) {
        return false;
    }
}

// Bounds come as pairs of low and high bound, one pair per dimension.
Variant varArrayCreate(const Variant &bounds, qint64 elementType)
{
    const QString error = QStringLiteral("Error creating variant or safe array");
    if (!bounds.isArray() || bounds.dimCount() != 1 || bounds.arrayLength() % 2 != 0)
        throw platform::VariantError(error);
    QList<platform::VarArrayBound> dims;
    for (qint64 i = bounds.lowBound(1); i + 1 <= bounds.highBound(1); i += 2)
        dims.append({bounds.element(i).toInt64(), bounds.element(i + 1).toInt64()});
    if (elementType < 0 || elementType > platform::varTypeMask)
        throw platform::VariantError(error);
    return Variant::createArray(dims, platform::VarType(elementType));
}

} // namespace

Variant callOther(const QString &name, TscMethodHelper &h)
{
    if (name == QLatin1String("VARTOSTR"))
        return Variant(valueText(h.GetParamValue(0)));
    if (name == QLatin1String("INC") || name == QLatin1String("DEC"))
        return step(h, name == QLatin1String("INC"));
    if (name == QLatin1String("RAISEEXCEPTION"))
        throw ScriptRuntimeError(QStringLiteral("Exception"), valueText(h.GetParamValue(0)));
    if (name == QLatin1String("SHOWMESSAGE")) {
        platform::messageBoxSeam().messageBox(valueText(h.GetParamValue(0)), QCoreApplication::applicationName(),
                                              platform::kMbOk);
        return Variant::null();
    }
    if (name == QLatin1String("RANDOMIZE")) {
        generator().seed(quint64(QDateTime::currentMSecsSinceEpoch()) ^ std::random_device{}());
        return Variant::null();
    }
    if (name == QLatin1String("RANDOM"))
        return Variant(double(generator()() >> 11) * 0x1.0p-53); // 53 random bits: [0, 1)
    const platform::RegionalSettings &rs = platform::regionalSettings();
    if (name == QLatin1String("VALIDINT"))
        return Variant(validInt(valueText(h.GetParamValue(0))));
    if (name == QLatin1String("VALIDFLOAT"))
        return Variant(platform::TryStrToFloat(valueText(h.GetParamValue(0)), rs).has_value());
    if (name == QLatin1String("VALIDDATE"))
        return Variant(platform::TryStrToDate(valueText(h.GetParamValue(0)), rs).has_value());
    if (name == QLatin1String("CREATEOLEOBJECT"))
        return CreateOleObject(valueText(h.GetParamValue(0)), h.CallScript);
    if (name == QLatin1String("VARARRAYCREATE"))
        return varArrayCreate(h.GetParamValue(0), h.GetParamValue(1).toInt64());
    return Variant(h.GetParamValue(0).varType()); // VARTYPE
}

} // namespace bralvo::script
