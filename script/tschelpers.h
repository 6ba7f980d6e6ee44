// Helpers: the items that stand for host things inside a designator chain
// (array and string indexing, host properties and methods), and the set
// expression of case selectors and "in". A designator sets LeftItem,
// LeftValue and CallScript right before it reads or assigns a helper.
#pragma once

#include "script/tscitems.h"

#include <functional>

namespace bralvo::platform {
class HandleTarget;
}

namespace bralvo::script {

class TscMethodHelper;

// What a registration module supplies. Obj is the host object (nullptr for
// a global function), HostClass the class name the member was registered
// on, MemberName the upper-case member name (+ ".GET"/".SET" for indexed
// properties).
using TscGetterCallback =
    std::function<Variant(platform::HandleTarget *obj, const QString &hostClass, const QString &memberName)>;
using TscSetterCallback = std::function<void(platform::HandleTarget *obj, const QString &hostClass,
                                             const QString &memberName, const Variant &value)>;
using TscArrayCallback = std::function<Variant(platform::HandleTarget *obj, const QString &hostClass,
                                               const QString &memberName, Variant &args)>;
using TscDirectCallback = std::function<Variant(platform::HandleTarget *obj, const QString &hostClass,
                                                const QString &memberName, TscMethodHelper &helper)>;

class TscCustomHelper : public TscCustomVariable {
public:
    using TscCustomVariable::TscCustomVariable;
    static constexpr quint32 OwnKind = ikHelper;
    quint32 Kinds() const override { return TscCustomVariable::Kinds() | OwnKind; }

    TscCustomVariable *LeftItem = nullptr;
    Variant LeftValue = Variant::null();
    TscScript *CallScript = nullptr;
};

// Indexes the variant array stored in LeftItem's Value (1 to 3 dimensions).
// An index outside the array's bounds raises "Range check error".
class TscArrayHelper : public TscCustomHelper {
public:
    static constexpr quint32 OwnKind = ikArrayHelper;
    quint32 Kinds() const override { return TscCustomHelper::Kinds() | OwnKind; }
    // dimensions -1 makes the generic "__ArrayHelper": three index
    // parameters, the second and third optional.
    TscArrayHelper(const QString &name, int typeCode, const QString &typeName, int dimensions);
    Variant GetValue() override;
    void SetValue(const Variant &value) override;

private:
    // The index parameters' values, refilled in place for every access:
    // nothing runs between filling the list and using it.
    const QList<qint64> &indices(int dims);

    QList<qint64> m_index;
};

// "__StringHelper": one character of the text on the left, 1-based.
// An index outside 1..Length raises "Range check error"; assigning an empty
// text to a character raises as well.
class TscStringHelper : public TscCustomHelper {
public:
    static constexpr quint32 OwnKind = ikStringHelper;
    quint32 Kinds() const override { return TscCustomHelper::Kinds() | OwnKind; }
    TscStringHelper();
    Variant GetValue() override;
    void SetValue(const Variant &value) override;
};

// A host property answered by call-backs.
class TscPropertyHelper : public TscCustomHelper {
public:
    using TscCustomHelper::TscCustomHelper;
    // Null without a getter; a Boolean property gives False for 0, else True.
    Variant GetValue() override;
    // Ignored when ReadOnly. Throws InvalidHandleError for a dead object.
    void SetValue(const Variant &value) override;

    QString HostClass;
    bool FromPropertyTable = false;
    TscGetterCallback Getter;
    TscSetterCallback Setter;
};

// A host method, global function or indexed property.
class TscMethodHelper : public TscCustomHelper {
public:
    static constexpr quint32 OwnKind = ikMethodHelper;
    quint32 Kinds() const override { return TscCustomHelper::Kinds() | OwnKind; }
    // Parses declaration (PascalScript syntax) in script's name space.
    // Throws ScriptBuildError on a malformed declaration.
    TscMethodHelper(const QString &declaration, TscScript *script);

    // A call; 0 when no call-back is set. An instance member (HostClass
    // set, not a constructor) reached through a nil object raises
    // InvalidHandleError instead of being called without its object.
    Variant GetValue() override;
    // Only for indexed properties: the ".SET" call.
    void SetValue(const Variant &value) override;

    // Index = Count() gives AssignedValue.
    Variant GetParamValue(int index) const;
    void SetParamValue(int index, const Variant &value);

    QString Category;
    QString HostClass;
    QString Description;
    bool IsIndexProperty = false;
    TscArrayCallback ArrayCallback;
    TscDirectCallback DirectCallback;
    Variant AssignedValue = Variant::null();
    QString DeclText;
    Variant ParamArray = Variant::null();

private:
    platform::HandleTarget *hostObject(bool assigning) const;
};

// Elements of a set constructor; a null entry marks a range between the
// elements around it.
class TscSetExpression : public TscCustomVariable {
public:
    TscSetExpression();
    // Takes ownership; nullptr adds a range mark.
    void AddElement(std::unique_ptr<TscCustomVariable> element);
    int ElementCount() const { return int(m_elements.size()); }
    // A variant array of the element values, Null at each range mark.
    Variant GetValue() override;
    bool Contains(const Variant &value) const;

private:
    std::vector<std::unique_ptr<TscCustomVariable>> m_elements;
};

} // namespace bralvo::script
