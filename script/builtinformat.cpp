// Built-in formatting: Format, FormatFloat, FormatDateTime, FormatMaskText.
#include "script/builtinfunctions.h"

#include "platform/formatdatetime.h"
#include "platform/formatfloat.h"
#include "platform/formatstring.h"
#include "platform/regionalsettings.h"
#include "script/formatmasktext.h"
#include "script/tschelpers.h"
#include "script/typerules.h"

namespace bralvo::script {

namespace {

platform::FormatArg formatArgOf(const VarRec &arg)
{
    switch (arg.tag) {
    case VarRec::Tag::Integer:
    case VarRec::Tag::Int64: return platform::FormatArg(qint64(arg.integer));
    case VarRec::Tag::Extended: return platform::FormatArg(arg.extended);
    case VarRec::Tag::String: return platform::FormatArg(arg.string);
    case VarRec::Tag::Boolean: return platform::FormatArg(arg.boolean ? QStringLiteral("True") : QStringLiteral("False"));
    case VarRec::Tag::Variant: return platform::FormatArg(valueText(arg.variant));
    }
    return platform::FormatArg(0);
}

// The argument list: the elements of an array, or a single value as a
// list of one (Null gives none).
QList<platform::FormatArg> formatArgs(const Variant &args)
{
    Variant list = args;
    if (!args.isArray()) {
        if (args.isNull() || args.isEmpty())
            return {};
        list = Variant::createArray({platform::VarArrayBound{0, 0}}, platform::varVariant);
        list.setElement(0, args);
    }
    VarRecArray recs = VariantToVarRecArray(list);
    QList<platform::FormatArg> result;
    for (const VarRec &rec : recs)
        result.append(formatArgOf(rec));
    ClearVarRecArray(recs);
    return result;
}

} // namespace

Variant callFormat(const QString &name, TscMethodHelper &h)
{
    const platform::RegionalSettings &rs = platform::regionalSettings();
    const QString fmt = valueText(h.GetParamValue(0));
    if (name == QLatin1String("FORMAT"))
        return Variant(platform::Format(fmt, formatArgs(h.GetParamValue(1)), rs));
    if (name == QLatin1String("FORMATFLOAT"))
        return Variant(platform::FormatFloat(fmt, h.GetParamValue(1).toDouble(), rs));
    if (name == QLatin1String("FORMATDATETIME"))
        return Variant(platform::FormatDateTime(fmt, h.GetParamValue(1).toDouble(), rs));
    return Variant(FormatMaskText(fmt, valueText(h.GetParamValue(1)))); // FORMATMASKTEXT
}

} // namespace bralvo::script
