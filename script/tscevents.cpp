// Event members and the adapters that call script procedures for them.
#include "script/tscevents.h"

#include "platform/handleregistry.h"
#include "script/runtimeerror.h"
#include "script/scriptmessages.h"
#include "script/tscscript.h"

namespace bralvo::script {

namespace {

Variant objectValue(platform::HandleTarget *object)
{
    return Variant(platform::HandleRegistry::handleOf(object));
}

platform::HandleTarget *leftObject(const Variant &value)
{
    if (value.isNull() || value.isEmpty() || !value.isIntegral() || value.toInt64() == 0)
        throw platform::InvalidHandleError();
    return platform::HandleRegistry::lookup(value.toInt64());
}

} // namespace

void TscEventHost::SetScriptEvent(const QString &eventName, TscCustomEvent *adapter)
{
    if (adapter)
        m_scriptEvents.insert(eventName.toUpper(), adapter);
    else
        m_scriptEvents.remove(eventName.toUpper());
}

TscCustomEvent *TscEventHost::ScriptEvent(const QString &eventName) const
{
    return m_scriptEvents.value(eventName.toUpper());
}

void TscEventHost::DropScriptEvent(const TscCustomEvent *adapter)
{
    for (auto it = m_scriptEvents.begin(); it != m_scriptEvents.end();)
        it = it.value() == adapter ? m_scriptEvents.erase(it) : std::next(it);
}

TscCustomEvent::TscCustomEvent(platform::HandleTarget *boundObject, TscProcVariable *handlerProc)
    : HandlerProc(handlerProc), BoundObject(boundObject),
      m_boundHandle(platform::HandleRegistry::handleOf(boundObject))
{
}

TscCustomEvent::~TscCustomEvent()
{
    if (!platform::HandleRegistry::isLive(m_boundHandle))
        return;
    if (auto *host = dynamic_cast<TscEventHost *>(platform::HandleRegistry::lookup(m_boundHandle)))
        host->DropScriptEvent(this);
}

TscEventHelper::TscEventHelper(const QString &name, TscEventClass eventClass, const QString &hostClass)
    : TscCustomHelper(name, tcString, QString()), HostClass(hostClass), EventClass(eventClass)
{
}

Variant TscEventHelper::GetValue()
{
    return Variant(QString());
}

void TscEventHelper::SetValue(const Variant &value)
{
    platform::HandleTarget *object = leftObject(LeftValue);
    TscCustomEvent *adapter = nullptr;
    const QString name = value.isNull() ? QString() : value.toString();
    if (name != QLatin1String("0")) {
        auto *proc = CallScript ? dynamic_cast<TscProcVariable *>(CallScript->Find(name)) : nullptr;
        if (!proc)
            throw ScriptRuntimeError(QStringLiteral("Exception"), scriptMessage(ScriptMessage::EventError));
        std::unique_ptr<TscCustomEvent> made = EventClass(object, proc);
        adapter = made.get();
        CallScript->Add(QString(), made.release());
    }
    if (auto *host = dynamic_cast<TscEventHost *>(object))
        host->SetScriptEvent(Name, adapter);
}

void TscCustomEvent::CallHandler(const QList<Variant> &args)
{
    if (!HandlerProc || HandlerProc->InProgress)
        return;
    for (int i = 0; i < HandlerProc->Count() && i < args.size(); ++i)
        HandlerProc->GetParam(i)->SetValue(args[i]);
    HandlerProc->GetValue();
}

Variant TscCustomEvent::ParamValue(int index, const Variant &fallback) const
{
    if (!HandlerProc || index >= HandlerProc->Count())
        return fallback;
    return HandlerProc->GetParam(index)->GetValue();
}

void TscNotifyEvent::Call(platform::HandleTarget *sender)
{
    CallHandler({objectValue(sender)});
}

void TscMouseEvent::Call(platform::HandleTarget *sender, int button, int shift, int x, int y)
{
    CallHandler({objectValue(sender), Variant(button), Variant(shift), Variant(x), Variant(y)});
}

void TscMouseMoveEvent::Call(platform::HandleTarget *sender, int shift, int x, int y)
{
    CallHandler({objectValue(sender), Variant(shift), Variant(x), Variant(y)});
}

void TscKeyEvent::Call(platform::HandleTarget *sender, quint16 &key, int shift)
{
    CallHandler({objectValue(sender), Variant(int(key)), Variant(shift)});
    key = quint16(ParamValue(1, Variant(int(key))).toInt64());
}

void TscKeyPressEvent::Call(platform::HandleTarget *sender, QChar &key)
{
    CallHandler({objectValue(sender), Variant(QString(key))});
    const Variant back = ParamValue(1, Variant(QString(key)));
    const QString text = back.isNull() ? QString() : back.toString();
    key = text.isEmpty() ? QChar(0) : text[0];
}

void TscCloseEvent::Call(platform::HandleTarget *sender, int &action)
{
    CallHandler({objectValue(sender), Variant(action)});
    action = ParamValue(1, Variant(action)).toInt();
}

void TscCloseQueryEvent::Call(platform::HandleTarget *sender, bool &canClose)
{
    CallHandler({objectValue(sender), Variant(canClose)});
    canClose = ParamValue(1, Variant(canClose)).toBool();
}

void TscCanResizeEvent::Call(platform::HandleTarget *sender, int &newWidth, int &newHeight, bool &resize)
{
    CallHandler({objectValue(sender), Variant(newWidth), Variant(newHeight), Variant(resize)});
    newWidth = ParamValue(1, Variant(newWidth)).toInt();
    newHeight = ParamValue(2, Variant(newHeight)).toInt();
    resize = ParamValue(3, Variant(resize)).toBool();
}

} // namespace bralvo::script
