// Class names and messages of the errors a script can catch.
#include "script/runtimeerror.h"

#include "platform/conversionerror.h"
#include "platform/handleregistry.h"
#include "platform/rangeerror.h"
#include "platform/variant.h"

namespace bralvo::script {

ScriptRuntimeError rangeError()
{
    return ScriptRuntimeError(QStringLiteral("ERangeError"), QStringLiteral("Range check error"));
}

QString exceptionClassName(const std::exception &error)
{
    if (auto *own = dynamic_cast<const ScriptRuntimeError *>(&error))
        return own->className();
    if (dynamic_cast<const platform::VariantError *>(&error))
        return QStringLiteral("EVariantError");
    if (dynamic_cast<const platform::RangeError *>(&error))
        return QStringLiteral("ERangeError");
    if (dynamic_cast<const platform::InvalidHandleError *>(&error))
        return QStringLiteral("EInvalidPointer");
    if (dynamic_cast<const platform::ConversionError *>(&error))
        return QStringLiteral("EConvertError");
    return QStringLiteral("Exception");
}

QString exceptionMessage(const std::exception &error)
{
    if (auto *own = dynamic_cast<const bralvo::Error *>(&error))
        return own->userText();
    return QString::fromUtf8(error.what());
}

} // namespace bralvo::script
