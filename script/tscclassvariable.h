// A registered host class and its members. Members are found by name
// ignoring case, the class's own first, then its ancestor's (looked up in
// the script the class was registered in).
#pragma once

#include "script/tscevents.h"
#include "script/tschelpers.h"

namespace bralvo::platform {
struct ClassInfo;
class Component;
}

namespace bralvo::script {

// A component owned by a registered form, reached as a member of the
// form's class: reading gives the component's handle (0 when it is no
// object scripts can hold).
class TscComponentHelper : public TscCustomHelper {
public:
    explicit TscComponentHelper(platform::Component *component);
    Variant GetValue() override;

    qint64 ChildComponent = 0;
};

class TscClassVariable : public TscCustomVariable {
public:
    static constexpr quint32 OwnKind = ikClass;
    quint32 Kinds() const override { return TscCustomVariable::Kinds() | OwnKind; }
    TscClassVariable(const QString &className, const QString &ancestorName, TscScript *homeScript);

    // A type cast TSomeClass(x) yields x; the parameter is reset to Null.
    Variant GetValue() override;

    TscCustomVariable *Find(const QString &name) const;

    TscMethodHelper *AddMethod(const QString &declaration, const TscDirectCallback &callback);
    // "constructor Create(...)" becomes "function Create(...): Constructor".
    TscMethodHelper *AddConstructor(const QString &declaration, const TscDirectCallback &callback);
    TscPropertyHelper *AddProperty(const QString &name, const QString &typeName, const TscGetterCallback &getter,
                                   const TscSetterCallback &setter = {});
    TscMethodHelper *AddIndexProperty(const QString &name, const QString &indexTypes, const QString &typeName,
                                      const TscDirectCallback &callback, bool readOnly = false);
    TscMethodHelper *AddDefaultProperty(const QString &name, const QString &indexTypes, const QString &typeName,
                                        const TscDirectCallback &callback, bool readOnly = false);

    // An event member: writing a procedure name binds it (tscevents.h).
    TscEventHelper *AddEvent(const QString &name, TscEventClass eventClass);

    // A member for a component the class's forms own (TscScript::AddComponent).
    TscComponentHelper *AddComponent(platform::Component *component);

    // One published property helper per stored property of info (methods
    // excepted), sorted by name, answered through the property table.
    void AddPublishedProperties(const platform::ClassInfo &info);

    QString AncestorName;
    TscCustomVariable *DefaultMember = nullptr;
    TscScript *HomeScript = nullptr;

private:
    std::vector<std::unique_ptr<TscCustomVariable>> m_members;
};

} // namespace bralvo::script
