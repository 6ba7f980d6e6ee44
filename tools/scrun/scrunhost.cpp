// scrun's host names: Emit and the TScrunObject class.
#include "tools/scrun/scrunhost.h"

#include "platform/handleregistry.h"
#include "platform/variant.h"
#include "script/runtimeerror.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"
#include "tools/scrun/scrunautomation.h"
#include "tools/scrun/scrunevents.h"

#include <QHash>
#include <memory>

namespace bralvo::scrun {

using platform::Variant;
using script::TscMethodHelper;

namespace {

class ScrunObject : public platform::HandleTarget {
public:
    explicit ScrunObject(qint64 start) : value(start) {}
    QString scriptClassName() const override { return QStringLiteral("TScrunObject"); }
    qint64 value = 0;
};

// Objects the script created; FreeObject destroys them, killing the handle.
QHash<qint64, std::shared_ptr<ScrunObject>> &liveObjects()
{
    static QHash<qint64, std::shared_ptr<ScrunObject>> objects;
    return objects;
}

Variant newObject(qint64 start)
{
    auto object = std::make_shared<ScrunObject>(start);
    const qint64 handle = object->handle();
    liveObjects().insert(handle, object);
    return Variant(handle);
}

QString escaped(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text;
}

void registerObjectClass(script::TscScript &script)
{
    script::TscClassVariable *cls = script.AddClass(QStringLiteral("TScrunObject"), QStringLiteral("TObject"));
    if (!cls)
        return;
    cls->AddConstructor(QStringLiteral("constructor Create(Start: Integer)"),
                        [](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &h) {
                            return newObject(h.GetParamValue(0).toInt64());
                        });
    cls->AddProperty(
        QStringLiteral("Value"), QStringLiteral("Integer"),
        [](platform::HandleTarget *obj, const QString &, const QString &) {
            return Variant(int(static_cast<ScrunObject *>(obj)->value));
        },
        [](platform::HandleTarget *obj, const QString &, const QString &, const Variant &v) {
            static_cast<ScrunObject *>(obj)->value = v.toInt64();
        });
    cls->AddMethod(QStringLiteral("procedure Add(N: Integer)"),
                   [](platform::HandleTarget *obj, const QString &, const QString &, TscMethodHelper &h) {
                       static_cast<ScrunObject *>(obj)->value += h.GetParamValue(0).toInt64();
                       return Variant::null();
                   });
    cls->AddDefaultProperty(QStringLiteral("Items"), QStringLiteral("Integer"), QStringLiteral("Integer"),
                            [](platform::HandleTarget *obj, const QString &, const QString &name, TscMethodHelper &h) {
                                auto *o = static_cast<ScrunObject *>(obj);
                                if (name.endsWith(QLatin1String(".SET")))
                                    o->value = h.GetParamValue(1).toInt64();
                                return Variant(int(o->value * h.GetParamValue(0).toInt64()));
                            });
}

} // namespace

QString typedForm(const Variant &value)
{
    if (value.isArray()) {
        QStringList parts;
        if (value.dimCount() == 1)
            for (qint64 i = value.lowBound(1); i <= value.highBound(1); ++i)
                parts.append(typedForm(value.element(i)));
        return QStringLiteral("array[") + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    if (value.isNull())
        return QStringLiteral("null");
    if (value.isEmpty())
        return QStringLiteral("empty");
    if (value.isBoolean())
        return value.toBool() ? QStringLiteral("bool:true") : QStringLiteral("bool:false");
    if (value.isString())
        return QStringLiteral("str:") + escaped(value.toString());
    if (value.isFloat())
        return QStringLiteral("float:") + QString::number(value.toDouble(), 'g', 15);
    if (value.kind() == platform::varDispatch) {
        const qint64 n = value.toInt64();
        if (n != 0 && platform::HandleRegistry::isLive(n))
            return QStringLiteral("obj:") + platform::HandleRegistry::lookup(n)->scriptClassName();
        return n == 0 ? QStringLiteral("nilobj") : QStringLiteral("deadobj");
    }
    if (value.isIntegral()) {
        const qint64 n = value.toInt64();
        if (n != 0 && platform::HandleRegistry::isLive(n))
            return QStringLiteral("obj:") + platform::HandleRegistry::lookup(n)->scriptClassName();
        if (platform::HandleRegistry::wasIssued(n))
            return QStringLiteral("deadobj");
        return (value.kind() == platform::varInt64 ? QStringLiteral("int64:") : QStringLiteral("int:"))
            + QString::number(n);
    }
    return QStringLiteral("vartype:") + QString::number(value.varType());
}

void registerHost(script::TscScript &script, QTextStream &out)
{
    script.AddMethod(QStringLiteral("procedure Emit(V: Variant)"),
                     [&out](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &h) {
                         out << typedForm(h.GetParamValue(0)) << '\n';
                         out.flush();
                         return Variant::null();
                     });
    if (script::TscClassVariable *base = script.AddClass(QStringLiteral("TObject"), QString()))
        base->AddMethod(QStringLiteral("procedure Free"),
                        [](platform::HandleTarget *obj, const QString &, const QString &, TscMethodHelper &) {
                            liveObjects().remove(obj->handle());
                            return Variant::null();
                        });
    registerObjectClass(script);
    registerEventHost(script);
    registerAutomationServer();
    script.AddMethod(QStringLiteral("function NewObject(Start: Integer): TScrunObject"),
                     [](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &h) {
                         return newObject(h.GetParamValue(0).toInt64());
                     });
    script.AddMethod(QStringLiteral("procedure FreeObject(var O: Variant)"),
                     [](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &h) {
                         liveObjects().remove(h.GetParamValue(0).toInt64());
                         return Variant::null();
                     });
}

} // namespace bralvo::scrun
