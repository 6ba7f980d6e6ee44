// Late-bound automation: a registry of automation classes by name (the
// program identifiers scripts pass to CreateOleObject), the object base
// such classes derive from, and TscOLEHelper, the designator link that
// calls a member of an automation object by name at run time.
//
// An automation object reaches a script as a Variant of kind Dispatch
// holding the object's handle. The script that created it owns it (it is
// freed when that script is cleared or destroyed).
#pragma once

#include "platform/handleregistry.h"
#include "script/tschelpers.h"

#include <QList>
#include <functional>
#include <memory>

namespace bralvo::script {

// Dispatch flags and identifiers of the automation convention.
inline constexpr int kDispatchMethod = 1;
inline constexpr int kDispatchPropertyGet = 2;
inline constexpr int kDispatchPropertyPut = 4;
inline constexpr qint32 kDispIdUnknown = -1;
inline constexpr qint32 kDispIdPropertyPut = -3;

// Result codes an object commonly returns (0 is success).
inline constexpr qint32 kDispEMemberNotFound = qint32(0x80020003u);
inline constexpr qint32 kDispEUnknownName = qint32(0x80020006u);
inline constexpr qint32 kDispETypeMismatch = qint32(0x80020005u);
inline constexpr qint32 kDispEBadParamCount = qint32(0x8002000Eu);
inline constexpr qint32 kDispEException = qint32(0x80020009u);
inline constexpr qint32 kCoEClassString = qint32(0x800401F3u);

// What an object reports along with a failed call; empty fields are left
// out of the error text.
struct OleExceptionInfo {
    QString source;
    QString description;
    QString helpFile;
};

class OleAutomationObject : public platform::HandleTarget {
public:
    // The member's dispatch identifier, kDispIdUnknown when there is none
    // (the caller still invokes it, and the object answers with an error).
    virtual qint32 idOfName(const QString &name) = 0;
    // args is the parameter block: the arguments in reverse order (the last
    // one written first); with namedPut the first entry is the value of a
    // property write. result is nullptr when no result is wanted. Returns
    // 0 or an error code, filling info when it has more to say.
    virtual qint32 invoke(qint32 dispId, int flags, const QList<platform::Variant> &args, bool namedPut,
                          platform::Variant *result, OleExceptionInfo &info) = 0;
};

using OleClassFactory = std::function<std::unique_ptr<OleAutomationObject>()>;

// Registry of automation classes (UI thread). Names compare ignoring case;
// registering a name again replaces its factory.
void RegisterOleClass(const QString &programId, const OleClassFactory &factory);
void UnregisterOleClass(const QString &programId);

// Creates an object of a registered class, owned by owner (or kept for
// the process when owner is nullptr), as a Dispatch variant. An unknown
// name raises "EOleSysError" "Invalid class string".
platform::Variant CreateOleObject(const QString &programId, TscScript *owner);

// The platform's text for a result code ("Member not found."); empty for
// codes it does not know.
QString oleSystemMessage(qint32 code);

// A member of an automation object, named like the link; one variant
// parameter per argument written. LeftValue holds the object.
class TscOLEHelper : public TscCustomHelper {
public:
    static constexpr quint32 OwnKind = ikOLEHelper;
    quint32 Kinds() const override { return TscCustomHelper::Kinds() | OwnKind; }
    static constexpr int MaxArguments = 64;

    explicit TscOLEHelper(const QString &name);
    // A call or property read (no result requested unless ResultWanted).
    Variant GetValue() override;
    // A property write: the arguments, then value as the put argument.
    void SetValue(const Variant &value) override;

private:
    Variant dispatch(QList<Variant> args, int flags, bool wantResult, bool put);
};

} // namespace bralvo::script
