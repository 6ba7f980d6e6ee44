// The report's script side: PrepareReportScript fills the report's
// script with the report objects, "Report", "Engine", "Outline", the
// variable "Value" and the functions Get, Set, IIF, SUM, AVG, MIN, MAX
// and COUNT, then compiles the report's script text; bracketed
// expressions go through the expression cache; object events call
// report-script procedures.
#pragma once

#include "report/engine/trpexpressioncache.h"
#include "report/model/trpenginebases.h"

#include <memory>

namespace bralvo::script {
class TscScript;
class TscCustomVariable;
}

namespace bralvo::report {

class TrpReport;

class TrpReportScript : public TrpReportScriptHost {
public:
    explicit TrpReportScript(TrpReport &report);
    ~TrpReportScript() override;

    // See the header comment; false when the script text does not
    // compile ("Script error at line:col: message" in the ErrorList).
    bool PrepareReportScript() override;
    void RunMainBlock() override;
    void Terminate() override;
    platform::Variant CalcExpression(const QString &expr, script::TscScript *script, QString &errorText) override;
    void RunScriptEventParams(const QString &eventName, platform::Variant &params) override;
    void SetValueVariable(const platform::Variant &value) override;

    TrpExpressionCache &ExpressionCache() { return m_cache; }

private:
    void registerObjects();
    void registerFunctions();
    void registerHostClass(const platform::Persistent &object);
    void registerEngineMethods();
    platform::Variant getFunction(const QString &name);
    platform::Variant macroFunction(const QString &name, platform::Variant &args);
    platform::Variant calcArgument(const platform::Variant &arg);

    TrpReport &m_report;
    script::TscScript &m_script;
    TrpExpressionCache m_cache;
    script::TscCustomVariable *m_valueItem = nullptr;
};

} // namespace bralvo::report
