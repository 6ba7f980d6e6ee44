// Helpers of the standard binding modules.
#include "script/bindings/tscbindingsupport.h"

namespace bralvo::script {

QString constructedClass(const TscMethodHelper &call, const QString &registeringClass)
{
    if (call.LeftItem && call.LeftItem->TypeCode == tcClass && !call.LeftItem->Name.isEmpty())
        return call.LeftItem->Name;
    return registeringClass;
}

int setArg(TscMethodHelper &call, int index)
{
    return setBits(call.GetParamValue(index));
}

int setBits(const Variant &v)
{
    if (!v.isArray())
        return v.isNull() || v.isEmpty() ? 0 : v.toInt();
    int bits = 0;
    for (qint64 i = v.lowBound(1); i <= v.highBound(1); ++i) {
        const Variant e = v.element(i);
        if (!e.isNull())
            bits |= e.toInt();
    }
    return bits;
}

TscGetterCallback getter(std::function<Variant(platform::HandleTarget *obj)> fn)
{
    return [fn = std::move(fn)](platform::HandleTarget *obj, const QString &, const QString &) { return fn(obj); };
}

TscSetterCallback setter(std::function<void(platform::HandleTarget *obj, const Variant &value)> fn)
{
    return [fn = std::move(fn)](platform::HandleTarget *obj, const QString &, const QString &, const Variant &v) {
        fn(obj, v);
    };
}

TscDirectCallback indexed(TscMemberFn get, std::function<void(platform::HandleTarget *, TscMethodHelper &)> set)
{
    return [get = std::move(get), set = std::move(set)](platform::HandleTarget *obj, const QString &,
                                                         const QString &name, TscMethodHelper &h) {
        if (name.endsWith(QLatin1String(".SET"))) {
            if (set)
                set(obj, h);
            return Variant::null();
        }
        return get(obj, h);
    };
}

} // namespace bralvo::script
