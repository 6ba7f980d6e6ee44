// Registered host classes and their member lookup.
#include "script/tscclassvariable.h"

#include "platform/component.h"
#include "platform/handleregistry.h"
#include "platform/persistent.h"
#include "script/tscpropertytable.h"
#include "script/tscscript.h"

#include <algorithm>
#include "script/typerules.h"

namespace bralvo::script {

TscClassVariable::TscClassVariable(const QString &className, const QString &ancestorName, TscScript *homeScript)
    : TscCustomVariable(className, tcClass, className), AncestorName(ancestorName), HomeScript(homeScript)
{
    auto cast = std::make_unique<TscParamItem>(QStringLiteral("Value"), tcVariant, QString());
    cast->Optional = true;
    AddParam(std::move(cast));
}

Variant TscClassVariable::GetValue()
{
    // TSomeClass(x) passes x; TSomeClass.Create has its constructor make
    // the instance, so a bare class reads as no object.
    const Variant cast = GetParam(0)->GetValue();
    GetParam(0)->SetValue(Variant::null());
    return cast.isNull() ? Variant(0) : cast;
}

TscCustomVariable *TscClassVariable::Find(const QString &name) const
{
    const TscClassVariable *cls = this;
    for (int depth = 0; cls && depth < 256; ++depth) {
        for (const auto &member : cls->m_members)
            if (member->Name.compare(name, Qt::CaseInsensitive) == 0)
                return member.get();
        cls = cls->HomeScript ? cls->HomeScript->FindClass(cls->AncestorName) : nullptr;
        if (cls == this)
            break;
    }
    return nullptr;
}

void TscClassVariable::AddPublishedProperties(const platform::ClassInfo &info)
{
    QList<const platform::PropInfo *> props;
    for (const platform::PropInfo &prop : info.allProperties())
        if (prop.kind != platform::PropKind::Method)
            props.append(&prop);
    std::stable_sort(props.begin(), props.end(), [](const platform::PropInfo *a, const platform::PropInfo *b) {
        return a->name.compare(b->name, Qt::CaseInsensitive) < 0;
    });
    for (const platform::PropInfo *prop : props)
        m_members.push_back(makeTableProperty(*prop, Name));
}

TscMethodHelper *TscClassVariable::AddMethod(const QString &declaration, const TscDirectCallback &callback)
{
    auto helper = std::make_unique<TscMethodHelper>(declaration, HomeScript);
    helper->DirectCallback = callback;
    helper->HostClass = Name;
    TscMethodHelper *raw = helper.get();
    m_members.push_back(std::move(helper));
    return raw;
}

TscMethodHelper *TscClassVariable::AddConstructor(const QString &declaration, const TscDirectCallback &callback)
{
    const QString rest = declaration.trimmed().section(QLatin1Char(' '), 1);
    return AddMethod(QStringLiteral("function ") + rest + QStringLiteral(": Constructor"), callback);
}

TscComponentHelper::TscComponentHelper(platform::Component *component)
    : TscCustomHelper(component->name(), tcClass, component->className()),
      ChildComponent(platform::HandleRegistry::handleOf(dynamic_cast<platform::HandleTarget *>(component)))
{
    ReadOnly = true;
}

Variant TscComponentHelper::GetValue()
{
    return Variant(ChildComponent);
}

TscComponentHelper *TscClassVariable::AddComponent(platform::Component *component)
{
    auto helper = std::make_unique<TscComponentHelper>(component);
    TscComponentHelper *raw = helper.get();
    m_members.push_back(std::move(helper));
    return raw;
}

TscEventHelper *TscClassVariable::AddEvent(const QString &name, TscEventClass eventClass)
{
    auto helper = std::make_unique<TscEventHelper>(name, eventClass, Name);
    TscEventHelper *raw = helper.get();
    m_members.push_back(std::move(helper));
    return raw;
}

TscPropertyHelper *TscClassVariable::AddProperty(const QString &name, const QString &typeName,
                                                 const TscGetterCallback &getter, const TscSetterCallback &setter)
{
    auto helper = std::make_unique<TscPropertyHelper>(name, TypeCodeOfName(typeName, HomeScript), typeName);
    helper->HostClass = Name;
    helper->Getter = getter;
    helper->Setter = setter;
    helper->ReadOnly = !setter;
    TscPropertyHelper *raw = helper.get();
    m_members.push_back(std::move(helper));
    return raw;
}

TscMethodHelper *TscClassVariable::AddIndexProperty(const QString &name, const QString &indexTypes,
                                                    const QString &typeName, const TscDirectCallback &callback,
                                                    bool readOnly)
{
    QStringList params;
    const QStringList types = indexTypes.split(QLatin1Char(','));
    for (int i = 0; i < types.size(); ++i)
        params.append(QStringLiteral("p%1: %2").arg(i).arg(types[i].trimmed()));
    TscMethodHelper *helper = AddMethod(
        QStringLiteral("function %1(%2): %3").arg(name, params.join(QStringLiteral("; ")), typeName), callback);
    helper->ReadOnly = readOnly;
    helper->IsIndexProperty = true;
    return helper;
}

TscMethodHelper *TscClassVariable::AddDefaultProperty(const QString &name, const QString &indexTypes,
                                                      const QString &typeName, const TscDirectCallback &callback,
                                                      bool readOnly)
{
    TscMethodHelper *helper = AddIndexProperty(name, indexTypes, typeName, callback, readOnly);
    DefaultMember = helper;
    return helper;
}

} // namespace bralvo::script
