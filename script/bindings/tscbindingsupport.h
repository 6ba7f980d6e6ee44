// Small helpers the standard binding modules share: member call-backs
// written as plain lambdas over the host object and the call, argument
// access, and the module base that owns the objects its script creates.
#pragma once

#include "script/bindings/tschostobjects.h"
#include "script/tschelpers.h"
#include "script/tscrttimodule.h"

namespace bralvo::script {

class TscClassVariable;

using platform::Variant;

// A member body: the host object (nullptr for global functions and
// constructors) and the call with its arguments.
using TscMemberFn = std::function<Variant(platform::HandleTarget *obj, TscMethodHelper &call)>;

inline TscDirectCallback member(TscMemberFn fn)
{
    return [fn = std::move(fn)](platform::HandleTarget *obj, const QString &, const QString &, TscMethodHelper &h) {
        return fn(obj, h);
    };
}

// The host object as T; raises InvalidHandleError when it is none or
// another kind of object.
template <class T>
T &self(platform::HandleTarget *obj)
{
    auto *typed = dynamic_cast<T *>(obj);
    if (!typed)
        throw platform::InvalidHandleError();
    return *typed;
}

inline Variant arg(TscMethodHelper &call, int index)
{
    return call.GetParamValue(index);
}
inline int intArg(TscMethodHelper &call, int index)
{
    return call.GetParamValue(index).toInt();
}
inline QString textArg(TscMethodHelper &call, int index)
{
    const Variant v = call.GetParamValue(index);
    return v.isNull() ? QString() : v.toString();
}
// A set argument ([a, b] arrives as an array of the elements' bit
// values; a number is taken as the bits themselves).
int setArg(TscMethodHelper &call, int index);
// The same for a value assigned to a set property.
int setBits(const Variant &value);

// The value being assigned to an indexed property (".SET").
inline Variant assigned(TscMethodHelper &call)
{
    return call.AssignedValue;
}

// The class the script named in TSomeClass.Create(...): the class item
// left of the constructor, else the class that registered it.
QString constructedClass(const TscMethodHelper &call, const QString &registeringClass);

// Getter and setter of a property answered by lambdas over the object.
TscGetterCallback getter(std::function<Variant(platform::HandleTarget *obj)> fn);
TscSetterCallback setter(std::function<void(platform::HandleTarget *obj, const Variant &value)> fn);

// An indexed property's call-back: get on ".GET", set on ".SET" (the
// assigned value is call.AssignedValue).
TscDirectCallback indexed(TscMemberFn get, std::function<void(platform::HandleTarget *, TscMethodHelper &)> set = {});

// A registration module that keeps the objects its script creates.
class TscBindingModule : public TscRTTIModule {
public:
    using TscRTTIModule::TscRTTIModule;

protected:
    qint64 adopt(std::unique_ptr<platform::HandleTarget> object) { return m_pool.adopt(std::move(object)); }
    TscObjectPool &pool() { return m_pool; }

private:
    TscObjectPool m_pool;
};

} // namespace bralvo::script
