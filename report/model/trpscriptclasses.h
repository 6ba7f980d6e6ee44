// The report classes for scripts: one registration module (the report
// classes' TFunctions) that gives every script the report classes with
// their explicit members and every stored property of their property
// tables, the report enumerations (taken from the model's own enumeration
// tables, so script values always equal the model's), the report
// constants, "rpGlobalVariables", and DayOf, MonthOf, YearOf plus
// placeholder IIF and aggregate functions (0; a report's own
// registrations of those names do the work in its script).
//
// registerReportScriptModule() appends the module to the module list,
// after the standard modules (script/bindings/tscstandardmodules.h); the
// report classes' start-up (registerReportClasses) calls it.
#pragma once

#include "script/bindings/tscbindingsupport.h"

#include <QHash>

namespace bralvo::report {

class TrpScriptClasses : public script::TscBindingModule {
public:
    explicit TrpScriptClasses(script::TscScript &script);

private:
    void registerConstants();
    void registerEnums();
    void registerFunctions();
    void registerStrings();
    void registerDataSet();
    void registerComponents();
    void registerViews();
    void registerPages();
    void registerVariables();
    void registerReport();
    void registerEngine();
    // A list object (TList) the script reads from a member; one per
    // object and member, refreshed at each read, freed with the script.
    platform::Variant listOf(const platform::HandleTarget *owner, const QString &member,
                             const QList<class TrpComponent *> &items);

    QHash<QString, qint64> m_lists;
};

void registerReportScriptModule();

// The module's own files: registers name with ancestor, with the stored
// properties of the model's table for that name when there is one.
script::TscClassVariable *addReportClass(script::TscScript &script, const QString &name, const QString &ancestor);

} // namespace bralvo::report
