// Script procedures as handlers of host events. Writing a procedure's name
// to an event member (Button1.OnClick := 'Button1Click') creates an
// adapter that turns the host's call into a call of that procedure:
// the event's arguments become the procedure's parameters, and what the
// procedure leaves in the by-reference ones flows back to the host.
//
// A host object with events derives from TscEventHost besides
// platform::HandleTarget; it keeps the adapters it is given (by event
// name) and fires one through its typed Call. Adapters belong to the
// script in which the assignment ran and live until that script is
// cleared; an adapter that goes unbinds itself from a host still alive,
// so a host never calls a freed adapter.
#pragma once

#include "script/tschelpers.h"

#include <QHash>

namespace bralvo::script {

class TscCustomEvent;

class TscEventHost {
public:
    virtual ~TscEventHost() = default;
    // Binds (adapter) or unbinds (nullptr) the event eventName (names
    // ignore case). The adapter is not owned. Overrides call the base.
    virtual void SetScriptEvent(const QString &eventName, TscCustomEvent *adapter);
    // The adapter bound to eventName, nullptr when none.
    TscCustomEvent *ScriptEvent(const QString &eventName) const;
    template <class Event>
    Event *ScriptEventAs(const QString &eventName) const
    {
        return dynamic_cast<Event *>(ScriptEvent(eventName));
    }
    // Unbinds every event bound to adapter (called as the adapter goes).
    void DropScriptEvent(const TscCustomEvent *adapter);

private:
    QHash<QString, TscCustomEvent *> m_scriptEvents;
};

// An adapter class: makes the adapter for a bound object and handler.
using TscEventClass = std::unique_ptr<TscCustomEvent> (*)(platform::HandleTarget *boundObject,
                                                         TscProcVariable *handlerProc);

template <class Event>
std::unique_ptr<TscCustomEvent> createScriptEvent(platform::HandleTarget *boundObject, TscProcVariable *handlerProc)
{
    return std::make_unique<Event>(boundObject, handlerProc);
}

// The event member of a registered class. Reading gives the empty text.
// Writing a procedure name binds; nil (0) unbinds; a name that is no
// procedure raises "Event handler must be a procedure" and leaves the
// event as it was.
class TscEventHelper : public TscCustomHelper {
public:
    TscEventHelper(const QString &name, TscEventClass eventClass, const QString &hostClass);
    Variant GetValue() override;
    void SetValue(const Variant &value) override;

    QString HostClass;
    TscEventClass EventClass;
};

class TscCustomEvent : public TscObject {
public:
    TscCustomEvent(platform::HandleTarget *boundObject, TscProcVariable *handlerProc);
    // Unbinds itself from the bound object when that is still alive.
    ~TscCustomEvent() override;

    // Runs the handler with args (objects as handles, characters as
    // one-character texts), unless it is running already: a handler that
    // fires its own event is not called again. Handler errors pass on.
    void CallHandler(const QList<Variant> &args);
    // Parameter index of the handler after the call; fallback when the
    // handler has no such parameter.
    Variant ParamValue(int index, const Variant &fallback) const;

    TscProcVariable *HandlerProc;
    platform::HandleTarget *BoundObject;

private:
    qint64 m_boundHandle = 0;
};

// The adapters of the standard control and form events. Call is the
// host's entry point; by-reference arguments get the handler's values.
class TscNotifyEvent : public TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *sender);
};

class TscMouseEvent : public TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *sender, int button, int shift, int x, int y);
};

class TscMouseMoveEvent : public TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *sender, int shift, int x, int y);
};

class TscKeyEvent : public TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *sender, quint16 &key, int shift);
};

// An empty text left in Key hands back the character #0.
class TscKeyPressEvent : public TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *sender, QChar &key);
};

class TscCloseEvent : public TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *sender, int &action);
};

class TscCloseQueryEvent : public TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *sender, bool &canClose);
};

class TscCanResizeEvent : public TscCustomEvent {
public:
    using TscCustomEvent::TscCustomEvent;
    void Call(platform::HandleTarget *sender, int &newWidth, int &newHeight, bool &resize);
};

} // namespace bralvo::script
