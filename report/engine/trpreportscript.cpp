#include "report/engine/trpreportscript.h"

#include "platform/error.h"
#include "platform/handleregistry.h"
#include "report/model/trpband.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trpvariables.h"
#include "script/tscclassvariable.h"
#include "script/tschelpers.h"
#include "script/statements.h"
#include "script/tscscript.h"

namespace bralvo::report {

namespace {

using platform::Variant;

// Clears the script's OwnerTag however the registration ends.
struct OwnerTagScope {
    script::TscScript &script;
    OwnerTagScope(script::TscScript &s, const void *tag) : script(s) { script.OwnerTag = tag; }
    ~OwnerTagScope() { script.OwnerTag = nullptr; }
};

bool isAggregateName(const QString &upper)
{
    return upper == QLatin1String("SUM") || upper == QLatin1String("MIN") || upper == QLatin1String("MAX") ||
           upper == QLatin1String("AVG") || upper == QLatin1String("COUNT");
}

QString argText(const Variant &arg)
{
    return arg.isString() ? arg.toString().trimmed() : QString();
}

} // namespace

TrpReportScript::TrpReportScript(TrpReport &report)
    : m_report(report), m_script(*report.Script()), m_cache(report.Script())
{
}

TrpReportScript::~TrpReportScript() = default;

bool TrpReportScript::PrepareReportScript()
{
    m_cache.Clear();
    m_cache.Language = m_report.ScriptLanguage();
    if (m_report.Engine())
        m_report.Engine()->WatchingObjects().clear();
    m_valueItem = nullptr;
    m_script.ClearItems(&m_report);
    OwnerTagScope tag(m_script, &m_report);
    m_script.MainProgramMark = true;
    registerObjects();
    m_script.AddVariable(QStringLiteral("Value"), QStringLiteral("Variant"), Variant::null());
    registerFunctions();
    m_valueItem = m_script.Find(QStringLiteral("Value"));
    m_script.Lines = m_report.ScriptText()->toStringList();
    m_script.SyntaxType = m_report.ScriptLanguage();
    bool ok = false;
    QString error;
    try {
        ok = m_script.Compile();
        if (!ok)
            error = m_script.ErrorText;
    } catch (const bralvo::Error &e) {
        error = e.userText();
    }
    if (!ok) {
        QString text = GetResources().Get(QStringLiteral("clScrError"));
        text.replace(text.indexOf(QLatin1String("%s")), 2, m_script.ErrorPosition);
        text.replace(text.indexOf(QLatin1String("%s")), 2, error);
        m_report.ErrorList().add(text);
    }
    return ok;
}

void TrpReportScript::registerHostClass(const platform::Persistent &object)
{
    const platform::ClassInfo &info = object.classInfo();
    if (m_script.Find(info.name))
        return;
    m_script.AddClass(info, info.parent ? info.parent->name : QString());
}

void TrpReportScript::registerObjects()
{
    for (TrpComponent *obj : m_report.AllObjects()) {
        obj->SetLoadingFlag(false);
        obj->BeforeStartReport();
        if (auto *picture = dynamic_cast<TrpPictureView *>(obj))
            picture->SetPictureChanged(true);
        if (obj->name().isEmpty())
            continue;
        registerHostClass(*obj);
        m_script.AddObject(obj->name(), obj, obj->className());
    }
    // Event procedures name their sender's type.
    if (!m_script.Find(QStringLiteral("TObject")))
        m_script.AddClass(QStringLiteral("TObject"), QString());
    registerHostClass(m_report);
    m_script.AddObject(QStringLiteral("Report"), &m_report, m_report.className());
    if (TrpCustomEngine *engine = m_report.Engine()) {
        registerHostClass(*engine);
        registerEngineMethods();
        m_script.AddObject(QStringLiteral("Engine"), engine, engine->className());
    }
    TrpCustomPreviewPages *pages = m_report.PreparedPages();
    if (TrpCustomOutline *outline = pages ? pages->Outline() : nullptr) {
        registerHostClass(*outline);
        m_script.AddObject(QStringLiteral("Outline"), outline, outline->className());
    }
}

// The engine's script methods (its properties come from its table).
void TrpReportScript::registerEngineMethods()
{
    TrpCustomEngine *engine = m_report.Engine();
    script::TscClassVariable *cls = m_script.FindClass(engine->className());
    // The report classes module already gives them (on TrpCustomEngine).
    if (!cls || cls->Find(QStringLiteral("FreeSpace")))
        return;
    auto eng = [this] { return m_report.Engine(); };
    cls->AddMethod(QStringLiteral("procedure NewPage"), [eng](auto *, auto &, auto &, auto &) {
        eng()->NewPage();
        return Variant::null();
    });
    cls->AddMethod(QStringLiteral("procedure NewColumn"), [eng](auto *, auto &, auto &, auto &) {
        eng()->NewColumn();
        return Variant::null();
    });
    cls->AddMethod(QStringLiteral("procedure StopReport"), [eng](auto *, auto &, auto &, auto &) {
        eng()->StopReport();
        return Variant::null();
    });
    cls->AddMethod(QStringLiteral("function FreeSpace: Extended"),
                   [eng](auto *, auto &, auto &, auto &) { return Variant(eng()->FreeSpace()); });
    cls->AddMethod(QStringLiteral("procedure ShowBand(Band: Variant)"),
                   [eng](auto *, auto &, auto &, script::TscMethodHelper &h) {
                       auto *band = platform::HandleRegistry::objectAs<TrpBand>(h.GetParamValue(0).toInt64());
                       eng()->ShowBand(band);
                       return Variant::null();
                   });
    auto pages = [this] { return m_report.PreparedPages(); };
    cls->AddMethod(QStringLiteral("procedure AddAnchor(Text: String)"),
                   [pages](auto *, auto &, auto &, script::TscMethodHelper &h) {
                       if (pages())
                           pages()->AddAnchor(h.GetParamValue(0).toString());
                       return Variant::null();
                   });
    cls->AddMethod(QStringLiteral("function GetAnchorPage(Text: String): Integer"),
                   [pages](auto *, auto &, auto &, script::TscMethodHelper &h) {
                       return Variant(pages() ? pages()->GetAnchorPage(h.GetParamValue(0).toString()) : 1);
                   });
}

void TrpReportScript::registerFunctions()
{
    m_script.AddMethodParamArray(QStringLiteral("function Get(Name: String): Variant"),
                                 [this](auto *, auto &, auto &, Variant &args) {
                                     return getFunction(args.element(0).toString());
                                 });
    m_script.AddMethodParamArray(QStringLiteral("procedure Set(Name: String; Value: Variant)"),
                                 [this](auto *, auto &, auto &, Variant &args) {
                                     m_report.Variables()->SetVariables(args.element(0).toString(),
                                                                        args.element(1));
                                     return Variant::null();
                                 });
    const auto macro = [this](auto *, auto &, const QString &name, Variant &args) {
        return macroFunction(name, args);
    };
    for (const char *decl : {"macrofunction IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant",
                             "macrofunction SUM(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
                             "macrofunction AVG(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
                             "macrofunction MIN(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
                             "macrofunction MAX(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
                             "macrofunction COUNT(Band: Variant = 0; Flags: Integer = 0): Variant"})
        m_script.AddMethodParamArray(QString::fromLatin1(decl), macro);
}

Variant TrpReportScript::getFunction(const QString &name)
{
    Variant value;
    if (m_report.LookUpValue(name, value))
        return value;
    const qsizetype paren = name.indexOf(u'(');
    if (paren >= 0 && isAggregateName(name.left(paren).trimmed().toUpper()))
        return m_report.Calc(name);
    m_report.ErrorList().add(GetResources().Get(QStringLiteral("clUnknownVar")) + u' ' + name);
    return Variant::null();
}

// An argument text evaluated where the call runs; a parameter left at
// its default arrives as a value, not a text.
Variant TrpReportScript::calcArgument(const Variant &arg)
{
    if (!arg.isString())
        return arg.isNull() || arg.isEmpty() ? Variant(0) : arg;
    const QString text = arg.toString().trimmed();
    if (text.isEmpty())
        return Variant(0);
    return m_report.Calc(text, m_script.RunningScope);
}

Variant TrpReportScript::macroFunction(const QString &name, Variant &args)
{
    if (name == QLatin1String("IIF")) {
        const Variant cond = m_report.Calc(argText(args.element(0)), m_script.RunningScope);
        const int branch = !cond.isNull() && cond.equals(Variant(true)) ? 1 : 2;
        return m_report.Calc(argText(args.element(branch)), m_script.RunningScope);
    }
    const bool count = name == QLatin1String("COUNT");
    const QString expr = count ? QString() : argText(args.element(0));
    const Variant bandValue = calcArgument(args.element(count ? 0 : 1));
    const Variant flagsValue = calcArgument(args.element(count ? 1 : 2));
    TrpBand *band = nullptr;
    if (!bandValue.isString() && bandValue.isNumeric() && bandValue.toInt64() != 0)
        band = platform::HandleRegistry::objectAs<TrpBand>(bandValue.toInt64());
    TrpCustomEngine *engine = m_report.Engine();
    if (!engine)
        return Variant::null();
    return engine->GetAggregateValue(name, expr, band, flagsValue.toInt());
}

void TrpReportScript::RunMainBlock()
{
    if (m_script.MainBlock && m_script.MainBlock->Count() > 0)
        m_script.Execute();
}

void TrpReportScript::Terminate()
{
    m_script.Terminate();
}

Variant TrpReportScript::CalcExpression(const QString &expr, script::TscScript *script, QString &errorText)
{
    return m_cache.Calc(expr, errorText, script ? script : &m_script);
}

void TrpReportScript::RunScriptEventParams(const QString &eventName, Variant &params)
{
    m_script.CallFunctionVarParams(eventName.trimmed(), params);
}

void TrpReportScript::SetValueVariable(const Variant &value)
{
    if (m_valueItem)
        m_valueItem->SetValue(value);
}

} // namespace bralvo::report
