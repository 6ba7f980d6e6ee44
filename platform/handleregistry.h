// Host objects reach scripts and stored values as integer handles, never as
// memory addresses. A handle names a live HandleTarget; once the object is
// destroyed its handle is dead for good (handles are never reused), so a
// stale or forged reference raises InvalidHandleError instead of crashing.
//
// Use from the user-interface thread; the registry locks anyway, so an
// object destroyed on another thread still unregisters safely.
#pragma once

#include "platform/error.h"

#include <QString>
#include <QtGlobal>

namespace bralvo::platform {

// Raised for a handle that was never issued or whose object is gone.
// Its text is "Invalid object reference" unless the caller gave its own.
class InvalidHandleError : public Error {
public:
    InvalidHandleError();
    explicit InvalidHandleError(const QString &userText);
};

// Base of every object that may be handed to a script. The handle is
// issued on first use and withdrawn by the destructor.
class HandleTarget {
public:
    HandleTarget() = default;
    HandleTarget(const HandleTarget &) {}             // a copy is a new object:
    HandleTarget &operator=(const HandleTarget &) { return *this; } // own handle
    virtual ~HandleTarget();

    // Never 0; the same value for the object's whole life.
    qint64 handle() const;
    // True once handle() was asked for: destroying the object then has
    // a handle to withdraw.
    bool hasHandle() const noexcept { return m_handle != 0; }
    // The class name scripts know the object by (for "is" tests); empty
    // when the object belongs to no registered class.
    virtual QString scriptClassName() const { return QString(); }

private:
    mutable qint64 m_handle = 0;
};

// The process-wide table from handle to live object.
class HandleRegistry {
public:
    // 0 for nullptr (0 stands for "no object" everywhere).
    static qint64 handleOf(const HandleTarget *object);

    // nullptr for 0; the object for a live handle.
    // Throws InvalidHandleError for an unknown or dead handle.
    static HandleTarget *lookup(qint64 handle);

    // Like lookup(), but also raises when the object is not a T.
    // message replaces the default text when not empty.
    template <class T>
    static T *objectAs(qint64 handle, const QString &message = QString())
    {
        HandleTarget *object = lookupOr(handle, message);
        if (!object)
            return nullptr;
        T *typed = dynamic_cast<T *>(object);
        if (!typed)
            throw message.isEmpty() ? InvalidHandleError() : InvalidHandleError(message);
        return typed;
    }

    // True when handle names a live object (0 gives false).
    static bool isLive(qint64 handle);
    // True when handle was issued at some time, live or dead: a dead handle
    // is a stale reference, any other number is no reference at all.
    static bool wasIssued(qint64 handle);

    // Number of live registered objects (for tests and leak checks).
    static int liveCount();

private:
    friend class HandleTarget;
    static HandleTarget *lookupOr(qint64 handle, const QString &message);
    static qint64 issue(const HandleTarget *object);
    static void withdraw(qint64 handle);
};

} // namespace bralvo::platform
