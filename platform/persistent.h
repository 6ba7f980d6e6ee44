// Root of the class library: objects with class identity (ClassInfo),
// assignment between persistent objects, and the hook through which a
// class streams extra properties (defineProperties). No Qt meta-objects.
#pragma once

#include "platform/conversionerror.h"
#include "platform/error.h"
#include "platform/propertytable.h"

#include <QString>
#include <functional>
#include <vector>

namespace bralvo::platform {

class Component;
class ValueReader;
class ValueWriter;

// Errors of the class library layer.
class ClassLibError : public Error {
public:
    using Error::Error;
};
// A text that is no valid number, identifier or enumeration name: the
// platform's one conversion error.
using ConvertError = ConversionError;
// Assign between classes that do not know each other.
class AssignError : public ClassLibError {
public:
    using ClassLibError::ClassLibError;
};
// A list index outside 0 .. Count - 1.
class ListIndexError : public ClassLibError {
public:
    using ClassLibError::ClassLibError;
};
// A class name that no one registered.
class ClassNotFoundError : public ClassLibError {
public:
    using ClassLibError::ClassLibError;
};
// An object of another class than the one required.
class InvalidCastError : public ClassLibError {
public:
    using ClassLibError::ClassLibError;
};
// Malformed binary property data.
class ReadError : public ClassLibError {
public:
    using ClassLibError::ClassLibError;
};

// Class identity: name, parent class, virtual constructor, own
// properties. One static instance per class, built on first use.
struct ClassInfo {
    QString name;
    const ClassInfo *parent = nullptr;
    // Virtual constructor; empty for abstract classes. Owner may be null.
    std::function<Persistent *(Component *owner)> create;
    PropertyTable ownProperties;

    bool inheritsFrom(const ClassInfo &other) const;
    // Ancestors first, each class in declared order; built once.
    const PropertyTable &allProperties() const;
    // The first of allProperties() named Name ignoring case, or nullptr.
    const PropInfo *findProperty(const QString &name) const;

private:
    // allProperties() indexes by a case-blind hash of their ASCII names,
    // sorted by hash: readers look properties up by the ten thousand.
    struct NameSlot {
        quint32 hash;
        int index;
    };
    mutable PropertyTable m_all;
    mutable std::vector<NameSlot> m_byName;
    mutable bool m_allBuilt = false;
};

// Receives the extra properties a class streams besides its table
// (form-definition "DefineProperties"). A property with hasData false is
// read but not written.
class PropertyFiler {
public:
    virtual ~PropertyFiler() = default;
    using ReadFn = std::function<void(ValueReader &)>;
    using WriteFn = std::function<void(ValueWriter &)>;
    virtual void defineProperty(const QString &name, ReadFn read, WriteFn write, bool hasData) = 0;
    // True while the object is being written, false while it is read.
    virtual bool isWriting() const = 0;
};

class Persistent {
public:
    Persistent() = default;
    Persistent(const Persistent &) = delete;
    Persistent &operator=(const Persistent &) = delete;
    virtual ~Persistent() = default;

    static const ClassInfo &staticClass();
    virtual const ClassInfo &classInfo() const { return staticClass(); }
    QString className() const { return classInfo().name; }
    bool inheritsFrom(const ClassInfo &c) const { return classInfo().inheritsFrom(c); }

    // Copies Source into this object. The default asks Source's
    // assignTo; throws AssignError when neither side knows the other.
    virtual void assign(const Persistent &source);
    virtual void defineProperties(PropertyFiler &) {}

protected:
    virtual void assignTo(Persistent &dest) const;
};

// Builds a ClassInfo: name, parent, optional factory, then fills the
// property table through Fill(PropertyTable&).
template <class Fill>
ClassInfo makeClassInfo(const QString &name, const ClassInfo *parent,
                        std::function<Persistent *(Component *)> create, Fill fill)
{
    ClassInfo info;
    info.name = name;
    info.parent = parent;
    info.create = std::move(create);
    fill(info.ownProperties);
    return info;
}

} // namespace bralvo::platform

// Declares class identity inside a class body; the .cpp defines
// staticClass() (usually with makeClassInfo).
#define BRALVO_CLASS(Cls)                                                                         \
public:                                                                                           \
    static const ::bralvo::platform::ClassInfo &staticClass();                                    \
    const ::bralvo::platform::ClassInfo &classInfo() const override { return Cls::staticClass(); } \
                                                                                                  \
private:
