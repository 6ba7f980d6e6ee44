// Persistent-property tables: each class lists its stored properties in
// declared order with kind, accessors, declared default and "stored" rule.
// The report serializer, the property editors and the script bindings all
// read and write properties through these tables, so they cannot drift.
#pragma once

#include "platform/variant.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <type_traits>

namespace bralvo::platform {

class Persistent;
class Component;
struct ClassInfo;

// Names of an enumeration, in ordinal order ("baNone", "baLeft", ...).
// A set property uses the names of its element enumeration; bit i of
// the set's mask stands for element i.
struct EnumInfo {
    QString typeName;
    QStringList names;

    // -1 when Name is none of the identifiers (compared ignoring case).
    int valueOf(const QString &name) const;
    // Empty for an ordinal outside the list.
    QString nameOf(qint64 ordinal) const;
};

// The enumeration behind every Boolean property: False = 0, True = 1.
const EnumInfo &booleanEnum();

enum class PropKind {
    Integer,     // 32-bit (colours too)
    Int64,
    Enumeration, // Booleans included
    Set,         // bit mask of up to 32 elements
    Float,
    String,
    Variant,
    Object,      // a sub-object owned by the object; setting assigns into it
    Reference,   // a link to a component the object does not own
    Method       // a host call-back; listed, never stored
};

struct PropInfo {
    QString name;
    PropKind kind = PropKind::Integer;
    const EnumInfo *enumInfo = nullptr;     // Enumeration and Set
    const ClassInfo *valueClass = nullptr;  // Object and Reference
    std::optional<qint64> defaultOrd;       // declared default of ordinal kinds

    std::function<qint64(const Persistent &)> getOrd;
    std::function<void(Persistent &, qint64)> setOrd;
    std::function<double(const Persistent &)> getFloat;
    std::function<void(Persistent &, double)> setFloat;
    std::function<QString(const Persistent &)> getString;
    std::function<void(Persistent &, const QString &)> setString;
    std::function<Variant(const Persistent &)> getVariant;
    std::function<void(Persistent &, const Variant &)> setVariant;
    std::function<Persistent *(const Persistent &)> getObject; // Object, Reference
    std::function<void(Persistent &, Persistent *)> setObject;
    std::function<bool(const Persistent &)> storedRule;      // empty: always stored

    bool isOrdinal() const;
    bool hasSetter() const;
    bool isStored(const Persistent &obj) const { return !storedRule || storedRule(obj); }
};

using PropertyTable = QList<PropInfo>;

// Builds the table of class T with member-function accessors:
//   PropertyBuilder<TrpView> b(table);
//   b.enumeration("Align", alignEnum(), &TrpView::align, &TrpView::setAlign, 0);
//   b.floating("Left", &TrpView::left, &TrpView::setLeft);
// A setter may be nullptr for a read-only property.
template <class T>
class PropertyBuilder {
public:
    explicit PropertyBuilder(PropertyTable &table) : m_table(table) {}

    // Chains on the property just added: it is stored only when Rule(obj).
    template <class Rule>
    PropertyBuilder &storedIf(Rule rule)
    {
        m_table.last().storedRule = [rule](const Persistent &p) {
            return std::invoke(rule, static_cast<const T &>(p));
        };
        return *this;
    }

    template <class G, class S>
    PropertyBuilder &integer(const QString &name, G get, S set, std::optional<qint64> def = std::nullopt,
                             PropKind kind = PropKind::Integer)
    {
        PropInfo &p = add(name, kind);
        p.defaultOrd = def;
        p.getOrd = [get](const Persistent &o) {
            return static_cast<qint64>(std::invoke(get, static_cast<const T &>(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setOrd = [set](Persistent &o, qint64 v) {
                using Arg = decltype(argOf(set));
                std::invoke(set, static_cast<T &>(o), static_cast<Arg>(v));
            };
        }
        return *this;
    }

    template <class G, class S>
    PropertyBuilder &boolean(const QString &name, G get, S set, std::optional<bool> def = std::nullopt)
    {
        integer(name, get, set, def ? std::optional<qint64>(*def ? 1 : 0) : std::nullopt,
                PropKind::Enumeration);
        m_table.last().enumInfo = &booleanEnum();
        return *this;
    }

    template <class G, class S>
    PropertyBuilder &enumeration(const QString &name, const EnumInfo &info, G get, S set,
                                 std::optional<qint64> def = std::nullopt)
    {
        integer(name, get, set, def, PropKind::Enumeration);
        m_table.last().enumInfo = &info;
        return *this;
    }

    template <class G, class S>
    PropertyBuilder &set(const QString &name, const EnumInfo &info, G get, S set,
                         std::optional<qint64> def = std::nullopt)
    {
        integer(name, get, set, def, PropKind::Set);
        m_table.last().enumInfo = &info;
        return *this;
    }

    template <class G, class S>
    PropertyBuilder &floating(const QString &name, G get, S set)
    {
        PropInfo &p = add(name, PropKind::Float);
        p.getFloat = [get](const Persistent &o) {
            return static_cast<double>(std::invoke(get, static_cast<const T &>(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setFloat = [set](Persistent &o, double v) { std::invoke(set, static_cast<T &>(o), v); };
        return *this;
    }

    template <class G, class S>
    PropertyBuilder &variant(const QString &name, G get, S set)
    {
        PropInfo &p = add(name, PropKind::Variant);
        p.getVariant = [get](const Persistent &o) {
            return Variant(std::invoke(get, static_cast<const T &>(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setVariant = [set](Persistent &o, const Variant &v) { std::invoke(set, static_cast<T &>(o), v); };
        return *this;
    }

    template <class G, class S>
    PropertyBuilder &string(const QString &name, G get, S set)
    {
        PropInfo &p = add(name, PropKind::String);
        p.getString = [get](const Persistent &o) {
            return QString(std::invoke(get, static_cast<const T &>(o)));
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setString = [set](Persistent &o, const QString &v) { std::invoke(set, static_cast<T &>(o), v); };
        return *this;
    }

    // A sub-object the object owns; the setter assigns Value into it.
    template <class Sub, class G, class S>
    PropertyBuilder &object(const QString &name, G get, S set)
    {
        PropInfo &p = add(name, PropKind::Object);
        p.valueClass = &Sub::staticClass();
        p.getObject = [get](const Persistent &o) {
            return static_cast<Persistent *>(const_cast<Sub *>(std::invoke(get, static_cast<const T &>(o))));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setObject = [set](Persistent &o, Persistent *v) {
                std::invoke(set, static_cast<T &>(o), dynamic_cast<Sub *>(v));
            };
        }
        return *this;
    }

    // A link to a component of class Ref (nullptr allowed).
    template <class Ref, class G, class S>
    PropertyBuilder &reference(const QString &name, G get, S set)
    {
        PropInfo &p = add(name, PropKind::Reference);
        p.valueClass = &Ref::staticClass();
        p.getObject = [get](const Persistent &o) {
            return static_cast<Persistent *>(const_cast<Ref *>(std::invoke(get, static_cast<const T &>(o))));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.setObject = [set](Persistent &o, Persistent *v) {
                std::invoke(set, static_cast<T &>(o), dynamic_cast<Ref *>(v));
            };
        }
        return *this;
    }

    PropertyBuilder &method(const QString &name)
    {
        add(name, PropKind::Method);
        return *this;
    }

private:
    template <class R, class C, class A>
    static std::decay_t<A> argOf(R (C::*)(A));

    PropInfo &add(const QString &name, PropKind kind)
    {
        PropInfo p;
        p.name = name;
        p.kind = kind;
        m_table.append(p);
        return m_table.last();
    }

    PropertyTable &m_table;
};

// All stored properties of Obj's class, ancestors first.
const PropertyTable &propertiesOf(const Persistent &obj);
// The property of that name (ignoring case), or nullptr.
const PropInfo *findProperty(const Persistent &obj, const QString &name);

// Text form of a property value as editors and scripts show it:
// enumerations by identifier, sets as "[a,b]", floats shortest.
// Throws Error for Object, Reference and Method kinds.
QString propertyText(const Persistent &obj, const PropInfo &prop);
// The reverse of propertyText; throws ConvertError on a bad value.
void setPropertyText(Persistent &obj, const PropInfo &prop, const QString &text);

// A property value as a Variant for scripts: Booleans as Boolean,
// other ordinals as Integer (Int64 beyond 32 bits), floats as Double,
// texts as String. Throws ClassLibError for Object, Reference and Method
// kinds (scripts reach objects through handles).
Variant propertyValue(const Persistent &obj, const PropInfo &prop);
// The reverse; an enumeration also takes its identifier as text. Throws
// ConvertError or VariantError for a value that does not fit.
void setPropertyValue(Persistent &obj, const PropInfo &prop, const Variant &value);

} // namespace bralvo::platform
