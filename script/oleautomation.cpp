// Automation class registry, object creation and the by-name member calls.
#include "script/oleautomation.h"

#include "script/runtimeerror.h"
#include "script/tscscript.h"

#include <QHash>

namespace bralvo::script {

namespace {

QHash<QString, OleClassFactory> &oleClasses()
{
    static QHash<QString, OleClassFactory> classes;
    return classes;
}

// Keeps a created object alive for as long as the script that made it.
class OleObjectHolder : public TscObject {
public:
    explicit OleObjectHolder(std::unique_ptr<OleAutomationObject> object) : m_object(std::move(object)) {}

private:
    std::unique_ptr<OleAutomationObject> m_object;
};

std::vector<std::unique_ptr<OleObjectHolder>> &processObjects()
{
    static std::vector<std::unique_ptr<OleObjectHolder>> objects;
    return objects;
}

// The platform's variant-to-dispatch conversion: only a live automation
// object passes.
OleAutomationObject *dispatchOf(const Variant &value)
{
    const bool handleKind = value.kind() == platform::varDispatch || value.isIntegral();
    const qint64 handle = handleKind && !value.isArray() ? value.toInt64() : 0;
    auto *object = platform::HandleRegistry::isLive(handle)
                       ? dynamic_cast<OleAutomationObject *>(platform::HandleRegistry::lookup(handle))
                       : nullptr;
    if (!object)
        throw platform::VariantError(QStringLiteral("Could not convert variant of type (%1) into type (Dispatch)")
                                         .arg(Variant::kindName(value.kind())));
    return object;
}

QString errorText(qint32 code, const QString &name, const OleExceptionInfo &info)
{
    QString text = QStringLiteral("OLE error ")
                   + QString::number(quint32(code), 16).toUpper().rightJustified(8, QLatin1Char('0'))
                   + QStringLiteral(": ") + name + QStringLiteral(": ") + oleSystemMessage(code);
    if (!info.source.isEmpty())
        text += QStringLiteral("\r\nSource        ::  ") + info.source;
    if (!info.description.isEmpty())
        text += QStringLiteral("\r\nDescription ::  ") + info.description;
    if (!info.helpFile.isEmpty())
        text += QStringLiteral("\r\nHelp File     ::  ") + info.helpFile;
    return text;
}

} // namespace

void RegisterOleClass(const QString &programId, const OleClassFactory &factory)
{
    oleClasses().insert(programId.toUpper(), factory);
}

void UnregisterOleClass(const QString &programId)
{
    oleClasses().remove(programId.toUpper());
}

Variant CreateOleObject(const QString &programId, TscScript *owner)
{
    const auto it = oleClasses().constFind(programId.toUpper());
    if (it == oleClasses().cend() || !*it)
        throw ScriptRuntimeError(QStringLiteral("EOleSysError"), QStringLiteral("Invalid class string"));
    std::unique_ptr<OleAutomationObject> object = (*it)();
    if (!object)
        throw ScriptRuntimeError(QStringLiteral("EOleSysError"), QStringLiteral("Invalid class string"));
    const qint64 handle = object->handle();
    auto holder = std::make_unique<OleObjectHolder>(std::move(object));
    if (owner)
        owner->Add(QString(), holder.release());
    else
        processObjects().push_back(std::move(holder));
    return Variant::fromDispatch(handle);
}

QString oleSystemMessage(qint32 code)
{
    switch (quint32(code)) {
    case 0x80020003u: return QStringLiteral("Member not found.");
    case 0x80020004u: return QStringLiteral("Parameter not found.");
    case 0x80020005u: return QStringLiteral("Type mismatch.");
    case 0x80020006u: return QStringLiteral("Unknown name.");
    case 0x80020009u: return QStringLiteral("Exception occurred.");
    case 0x8002000Eu: return QStringLiteral("Invalid number of parameters.");
    case 0x8002000Fu: return QStringLiteral("Parameter not optional.");
    case 0x80004001u: return QStringLiteral("Not implemented");
    case 0x80004005u: return QStringLiteral("Unspecified error");
    case 0x80070057u: return QStringLiteral("The parameter is incorrect.");
    case 0x800401F3u: return QStringLiteral("Invalid class string");
    default: return QString();
    }
}

TscOLEHelper::TscOLEHelper(const QString &name) : TscCustomHelper(name, tcVariant, QString()) {}

Variant TscOLEHelper::GetValue()
{
    QList<Variant> args;
    for (int i = 0; i < Count(); ++i)
        args.append(GetParam(i)->GetValue());
    return dispatch(args, kDispatchMethod, ResultWanted, false);
}

void TscOLEHelper::SetValue(const Variant &value)
{
    QList<Variant> args;
    for (int i = 0; i < Count(); ++i)
        args.append(GetParam(i)->GetValue());
    args.append(value);
    dispatch(args, kDispatchPropertyPut, false, true);
}

Variant TscOLEHelper::dispatch(QList<Variant> args, int flags, bool wantResult, bool put)
{
    OleAutomationObject *object = dispatchOf(LeftValue);
    if (args.size() > MaxArguments)
        throw ScriptRuntimeError(QStringLiteral("Exception"),
                                 errorText(kDispEBadParamCount, Name, OleExceptionInfo()));
    const qint32 id = object->idOfName(Name);
    // The block holds the arguments last first; a property write's value
    // (the last argument) thereby comes first, named as the put argument.
    std::reverse(args.begin(), args.end());
    if (wantResult)
        flags |= kDispatchPropertyGet;
    Variant result = Variant::null();
    OleExceptionInfo info;
    const qint32 code = object->invoke(id, flags, args, put, wantResult ? &result : nullptr, info);
    if (code != 0)
        throw ScriptRuntimeError(QStringLiteral("Exception"), errorText(code, Name, info));
    return wantResult ? result : Variant::null();
}

} // namespace bralvo::script
