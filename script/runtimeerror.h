// Errors a running script raises, each with the class name that a script's
// try..except sees in ExceptionClassName. Compile errors never throw out of
// TscScript::Compile; they end up in its ErrorText.
#pragma once

#include "platform/error.h"
#include "script/scripterror.h"

#include <exception>

namespace bralvo::script {

class ScriptRuntimeError : public bralvo::Error {
public:
    // className is what ExceptionClassName shows ("Exception", "ERangeError").
    ScriptRuntimeError(const QString &className, const QString &userText)
        : bralvo::Error(userText), m_className(className) {}

    const QString &className() const noexcept { return m_className; }

private:
    QString m_className;
};

// The builder's own failures while turning the intermediate program into
// items; TscScript::Compile turns them into ErrorText and ErrorPosition.
using ScriptBuildError = ScriptError;

// "Range check error": a string or array index outside its bounds.
ScriptRuntimeError rangeError();

// The class name a script sees for any error that reaches a try..except:
// ScriptRuntimeError its own, VariantError "EVariantError", an invalid
// object handle "EInvalidPointer", a platform RangeError "ERangeError", a conversion or format error
// "EConvertError", any other bralvo::Error "Exception".
QString exceptionClassName(const std::exception &error);

// The message of any error, as the user reads it.
QString exceptionMessage(const std::exception &error);

} // namespace bralvo::script
