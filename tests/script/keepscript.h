// For tests that run a script and look at what it computed: a Keep
// procedure that hands each value to the test, and one run that turns
// every failure into text.
#pragma once

#include "platform/variant.h"
#include "script/runtimeerror.h"
#include "script/tscscript.h"

#include <QString>
#include <exception>
#include <functional>

namespace bralvo::script::test {

// Adds "procedure Keep(V: Variant)" to script; each call hands V to keep.
inline void addKeep(TscScript &script, std::function<void(const platform::Variant &)> keep)
{
    script.AddMethod(QStringLiteral("procedure Keep(V: Variant)"),
                     [keep = std::move(keep)](platform::HandleTarget *, const QString &, const QString &,
                                              TscMethodHelper &h) {
                         keep(h.GetParamValue(0));
                         return platform::Variant::null();
                     });
}

// Compiles and executes the lines already set. "" when the script ran to
// its end; "compile error: <ErrorText>" when it did not compile (nothing
// ran); "CLASS: message" for the exception that ended the run.
inline QString compileAndRun(TscScript &script)
{
    if (!script.Compile())
        return QStringLiteral("compile error: ") + script.ErrorText;
    try {
        script.Execute();
    } catch (const std::exception &error) {
        return exceptionClassName(error) + QStringLiteral(": ") + exceptionMessage(error);
    }
    return QString();
}

} // namespace bralvo::script::test
