// How a report answers the texts in square brackets: the name lookup
// (dataset fields, system variables, the host's OnGetValue, report,
// global and script variables) and, for anything else, the expression
// cache behind the script host; and the report's dataset look-ups.
#include "report/model/trpreport.h"

#include "report/model/reporterror.h"
#include "report/model/trpdataset.h"
#include "report/model/trpoptions.h"
#include "report/model/trpresources.h"
#include "report/model/trpvariables.h"
#include "script/tscscript.h"

namespace bralvo::report {

namespace {

enum SysVariable { svDate, svTime, svPage, svPageNo, svTotalPages, svTotalPagesNo, svLine, svLineNo, svCopyName };

platform::Variant convertedNull(TrpFieldType type)
{
    switch (type) {
    case fftNumeric: return platform::Variant(0);
    case fftString: return platform::Variant(QString());
    case fftBoolean: return platform::Variant(false);
    }
    return platform::Variant::null();
}

} // namespace

platform::Variant TrpReport::Calc(const QString &expr, script::TscScript *script)
{
    if (!script)
        script = m_tscScript.get();
    platform::Variant value = platform::Variant::null();
    if (LookUpValue(expr, value))
        return value;
    QString errorText;
    if (m_script)
        value = m_script->CalcExpression(expr, script, errorText);
    else
        errorText = QStringLiteral("Expression evaluation is not available");
    if (!errorText.isEmpty()) {
        if (!m_currentObjectName.isEmpty())
            errorText = m_currentObjectName + QStringLiteral(": ") + errorText;
        m_errorList.add(errorText);
        throw ReportError(errorText);
    }
    return value;
}

bool TrpReport::LookUpValue(const QString &name, platform::Variant &value)
{
    value = platform::Variant::null();
    TrpDataSet *ds = nullptr;
    QString field;
    GetDatasetAndField(name, ds, field);
    if (ds && !field.isEmpty()) {
        value = ds->Value(field);
        if (m_engineOptions->ConvertNulls() && value.isNull())
            value = convertedNull(ds->FieldType(field));
        return true;
    }
    for (int i = 0; i < m_sysVariables.size(); ++i) {
        if (m_sysVariables.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return lookUpSystemVariable(i, value);
    }
    if (OnGetValue) {
        platform::Variant answer; // unassigned: the host did not answer
        OnGetValue(name, answer);
        if (!answer.isEmpty()) {
            value = answer;
            return true;
        }
    }
    if (lookUpReportVariable(name, value))
        return true;
    if (GlobalVariables().IndexOf(name) >= 0) {
        value = GlobalVariables().Variables(name);
        return true;
    }
    if (script::TscCustomVariable *item = m_tscScript->FindLocal(name)) {
        value = item->GetValue();
        return true;
    }
    return false;
}

// Without an engine or a store the run-time values are unknown (Null).
bool TrpReport::lookUpSystemVariable(int index, platform::Variant &value) const
{
    const TrpCustomEngine *engine = m_engine.get();
    TrpCustomPreviewPages *pages = m_preparedPages.get();
    value = platform::Variant::null();
    switch (SysVariable(index)) {
    case svDate: if (engine) value = platform::Variant::fromDate(engine->StartDate()); break;
    case svTime: if (engine) value = platform::Variant::fromDate(engine->StartTime()); break;
    case svPage: if (pages) value = platform::Variant(pages->GetLogicalPageNo()); break;
    case svPageNo: if (pages) value = platform::Variant(pages->WritePage() + 1); break;
    case svTotalPages: if (pages) value = platform::Variant(pages->GetLogicalTotalPages()); break;
    case svTotalPagesNo: if (engine) value = platform::Variant(engine->TotalPages()); break;
    case svLine: if (engine) value = platform::Variant(engine->CurRow()); break;
    case svLineNo: if (engine) value = platform::Variant(engine->CurRowThrough()); break;
    case svCopyName: value = GlobalVariables().Variables(QStringLiteral("CopyName0")); break;
    }
    return true;
}

// A text without a line break is an expression of its own.
bool TrpReport::lookUpReportVariable(const QString &name, platform::Variant &value)
{
    const TrpVariable *variable = m_variables->Find(name);
    if (!variable)
        return false;
    const platform::Variant stored = variable->Value();
    if (!stored.isString() || stored.toString().contains(QStringLiteral("\r\n"))) {
        value = stored;
        return true;
    }
    for (const QString &open : std::as_const(m_variablesInCalc)) {
        if (SameNameText(open, name)) {
            QString text = QStringLiteral("Variable \"%1\" refers to itself").arg(name);
            if (!m_currentObjectName.isEmpty())
                text = m_currentObjectName + QStringLiteral(": ") + text;
            m_errorList.add(text);
            throw ReportError(text);
        }
    }
    m_variablesInCalc.append(name);
    struct Pop {
        QStringList &list;
        ~Pop() { list.removeLast(); }
    } pop{m_variablesInCalc};
    value = Calc(stored.toString());
    return true;
}

void TrpReport::GetDatasetAndField(const QString &complexName, TrpDataSet *&dataSet, QString &field) const
{
    dataSet = nullptr;
    field.clear();
    const qsizetype at = complexName.indexOf(QStringLiteral(".\""));
    if (at < 0)
        return;
    dataSet = GetDataset(complexName.left(at));
    field = complexName.mid(at + 2);
    // Only a closing quote is dropped: `ds."abc` keeps its last letter.
    if (field.endsWith(u'"'))
        field.chop(1);
}

TrpDataSet *TrpReport::GetDataset(const QString &alias) const
{
    const TrpDataSetItem *item = m_dataSets->FindByName(alias);
    return item ? item->DataSet() : nullptr;
}

QString TrpReport::GetAlias(const TrpDataSet *dataSet) const
{
    if (!dataSet)
        return QString();
    if (m_dataSets->Find(dataSet))
        return dataSet->UserName();
    return GetResources().Get(QStringLiteral("clDSNotIncl"));
}

void TrpReport::GetDataSetList(platform::StringList &list, bool onlyDB) const
{
    list.clear();
    for (int i = 0; i < m_dataSets->count(); ++i) {
        TrpDataSet *ds = m_dataSets->Items(i)->DataSet();
        if (!ds || (onlyDB && dynamic_cast<TrpUserDataSet *>(ds)))
            continue;
        list.add(ds->UserName(), ds);
    }
}

} // namespace bralvo::report
