// The report's script events: object events around printing, preview
// clicks and the "Value" variable, passed to the script host.
#include "report/model/trpreport.h"

#include "report/model/trpview.h"

namespace bralvo::report {

namespace {

platform::Variant arrayOf(const QList<platform::Variant> &items)
{
    platform::Variant a = platform::Variant::createArray({platform::VarArrayBound{0, items.size() - 1}},
                                                         platform::varVariant);
    for (int i = 0; i < items.size(); ++i)
        a.setElement(i, items.at(i));
    return a;
}

} // namespace

void TrpReport::RunScriptEvent(platform::HandleTarget *obj, const QString &eventName, bool runAlways)
{
    platform::Variant params = arrayOf({platform::Variant(platform::HandleRegistry::handleOf(obj))});
    RunScriptEventParams(eventName, params, runAlways);
}

void TrpReport::RunScriptEventParams(const QString &eventName, platform::Variant &params, bool runAlways)
{
    if (eventName.trimmed().isEmpty() || !m_script)
        return;
    if (!runAlways && !(m_engine && m_engine->IsRunning()))
        return;
    m_script->RunScriptEventParams(eventName, params);
}

void TrpReport::DoBeforePrint(TrpReportComponent *obj)
{
    if (OnBeforePrint)
        OnBeforePrint(obj);
    RunScriptEvent(obj, obj->OnBeforePrint());
}

void TrpReport::DoAfterPrint(TrpReportComponent *obj)
{
    if (OnAfterPrint)
        OnAfterPrint(obj);
    RunScriptEvent(obj, obj->OnAfterPrint());
}

void TrpReport::DoPreviewClick(TrpView *view, int button, int shift, bool &modified)
{
    platform::Variant params = arrayOf({platform::Variant(platform::HandleRegistry::handleOf(view)),
                                        platform::Variant(button), platform::Variant(shift),
                                        platform::Variant(modified)});
    RunScriptEventParams(view->OnPreviewClick(), params, true);
    const platform::Variant back = params.element(3);
    modified = !back.isNull() && !back.isEmpty() && back.toBool();
    if (OnClickObject)
        OnClickObject(view, button, shift, modified);
}

void TrpReport::SetValueVariable(const platform::Variant &value)
{
    if (m_script)
        m_script->SetValueVariable(value);
}

} // namespace bralvo::report
