// Host objects of the standard script classes: what a script gets from
// TList.Create, TStringList.Create, TMemoryStream.Create, ... Each is a
// handle target (scripts hold handles, never addresses) that knows the
// class name scripts see it as.
//
// Ownership: an object a script creates lives in a TscObjectPool (one per
// registration module and script) until the script frees it or the
// script goes. TObject.Free destroys only objects of a pool; freeing an
// object the host owns (a report's memo lines, a dataset's field list)
// raises TscFreeError instead.
#pragma once

#include "platform/error.h"
#include "platform/handleregistry.h"
#include "platform/stream.h"
#include "platform/stringlist.h"
#include "platform/variant.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace bralvo::script {

// "Free" on an object the script did not create (scripts see it as
// EInvalidPointer).
class TscFreeError : public platform::InvalidHandleError {
public:
    TscFreeError();
};

// The base of the standard classes' host objects.
class TscHostObject : public platform::HandleTarget {
public:
    explicit TscHostObject(const QString &className) : m_className(className) {}
    QString scriptClassName() const override { return m_className; }
    void setScriptClassName(const QString &name) { m_className = name; }

private:
    QString m_className;
};

// TList: references to objects, kept as handles (0 for nil).
class TscList : public TscHostObject {
public:
    TscList() : TscHostObject(QStringLiteral("TList")) {}
    QList<qint64> Items;
};

// TStrings / TStringList over the class library's string list. Objects
// attached to lines are handles, so a dead one reads as a dead handle.
class TscStrings : public TscHostObject {
public:
    TscStrings() : TscHostObject(QStringLiteral("TStringList")) {}
    // After a script changed List (a control's items follow it).
    virtual void Changed() {}
    platform::StringList List;
    qint64 objectAt(int index) const;
    void setObjectAt(int index, qint64 handle);
};

// A component a script created with TComponent.Create(AOwner): Owner is
// the owner's handle (0 for none).
class TscComponentObject : public TscHostObject {
public:
    using TscHostObject::TscHostObject;
    qint64 Owner = 0;
};

// TStream and its descendants; Stream is what the script reads and writes.
class TscStream : public TscHostObject {
public:
    TscStream(const QString &className, std::unique_ptr<platform::Stream> stream);
    platform::Stream &Stream() { return *m_stream; }

private:
    std::unique_ptr<platform::Stream> m_stream;
};

// Objects created by one script through one module. Destroying the pool
// destroys what is left, newest first.
class TscObjectPool {
public:
    TscObjectPool();
    ~TscObjectPool();
    TscObjectPool(const TscObjectPool &) = delete;
    TscObjectPool &operator=(const TscObjectPool &) = delete;

    // Takes object and gives its handle.
    qint64 adopt(std::unique_ptr<platform::HandleTarget> object);
    // Takes object out without destroying it (its new owner took it);
    // nullptr when it is not in this pool.
    std::unique_ptr<platform::HandleTarget> release(const platform::HandleTarget *object);
    bool contains(const platform::HandleTarget *object) const;

    // Destroys object when some pool holds it or a releaser takes it;
    // throws TscFreeError when neither does (the host owns it). nullptr
    // does nothing.
    static void freeObject(platform::HandleTarget *object);
    // A host that lets scripts free objects it made elsewhere answers true
    // after destroying object, false when object is not one of its own.
    static void addReleaser(std::function<bool(platform::HandleTarget *object)> releaser);
    // Takes object out of whichever pool holds it; nullptr when none.
    static std::unique_ptr<platform::HandleTarget> releaseAnywhere(const platform::HandleTarget *object);

private:
    std::vector<std::unique_ptr<platform::HandleTarget>> m_objects;
};

// The live object behind a handle argument, as T; nullptr for 0 (nil).
// Throws platform::InvalidHandleError for a dead or foreign handle and for
// an object that is not a T.
template <class T>
T *objectArg(const platform::Variant &value)
{
    if (value.isNull() || value.isEmpty())
        return nullptr;
    return platform::HandleRegistry::objectAs<T>(value.toInt64());
}

// A string list of a script argument (TStrings or TStringList).
platform::StringList *stringsArg(const platform::Variant &value);
// A stream of a script argument; raises InvalidHandleError for nil.
platform::Stream &streamArg(const platform::Variant &value);

// Makers of objects by class name (the forms module adds its controls
// and forms, the data bindings their parameter lists); TComponent.Create
// (AOwner) and TObject.Create use them. Owner may be nullptr.
using TscComponentFactory =
    std::function<std::unique_ptr<platform::HandleTarget>(const QString &className, platform::HandleTarget *owner)>;
void registerComponentFactory(const QString &className, TscComponentFactory factory);
// nullptr when no factory makes that class (names ignore case).
const TscComponentFactory *componentFactory(const QString &className);

// The handle of object as a script value (0 for nullptr).
platform::Variant handleValue(const platform::HandleTarget *object);

} // namespace bralvo::script
