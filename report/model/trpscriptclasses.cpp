// The report classes module: constants, enumerations, classes and
// functions; the members of the classes live in trpscriptmembers.cpp.
#include "report/model/trpscriptclasses.h"

#include "platform/classregistry.h"
#include "report/model/trpband.h"
#include "report/model/trpcomponent.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdialogpage.h"
#include "report/model/trpdisplayformat.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpenginebases.h"
#include "report/model/trpframe.h"
#include "report/model/trplineview.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"
#include "report/model/trpshapeview.h"
#include "report/model/trpstretcheable.h"
#include "report/model/trpvariables.h"
#include "report/model/trpview.h"
#include "report/model/twidestrings.h"
#include "script/bindings/tscstandardmodules.h"
#include "script/tscclassvariable.h"
#include "script/tscscript.h"

#include <QDate>

namespace bralvo::report {

namespace {

using platform::Variant;
using script::TscMethodHelper;

// Classes whose property tables the module reads, by name.
const QHash<QString, const platform::ClassInfo *> &knownClasses()
{
    static const QHash<QString, const platform::ClassInfo *> map = [] {
        QHash<QString, const platform::ClassInfo *> m;
        for (const platform::ClassInfo *c : platform::registeredClasses())
            m.insert(c->name, c);
        for (const platform::ClassInfo *c : bandClasses())
            m.insert(c->name, c);
        for (const platform::ClassInfo *c :
             {&TWideStrings::staticClass(), &TrpComponent::staticClass(), &TrpReportComponent::staticClass(),
              &TrpDialogComponent::staticClass(), &TrpDialogControl::staticClass(), &TrpDataSet::staticClass(),
              &TrpUserDataSet::staticClass(), &TrpCustomDBDataSet::staticClass(), &TrpFrameLine::staticClass(),
              &TrpFrame::staticClass(), &TrpView::staticClass(), &TrpShapeView::staticClass(),
              &TrpStretcheable::staticClass(), &TrpCustomMemoView::staticClass(), &TrpMemoView::staticClass(),
              &TrpSysMemoView::staticClass(), &TrpDMPMemoView::staticClass(), &TrpCustomLineView::staticClass(),
              &TrpLineView::staticClass(), &TrpDMPLineView::staticClass(), &TrpDMPCommand::staticClass(),
              &TrpPictureView::staticClass(), &TrpSubreport::staticClass(), &TrpBand::staticClass(),
              &TrpDataBand::staticClass(), &TrpPage::staticClass(), &TrpReportPage::staticClass(),
              &TrpDialogPage::staticClass(), &TrpDMPPage::staticClass(), &TrpDataPage::staticClass(),
              &TrpEngineOptions::staticClass(), &TrpPrintOptions::staticClass(), &TrpPreviewOptions::staticClass(),
              &TrpReportOptions::staticClass(), &TrpVariable::staticClass(), &TrpVariables::staticClass(),
              &TrpArray::staticClass(), &TrpReport::staticClass(), &TrpCustomEngine::staticClass(),
              &TrpCustomOutline::staticClass()})
            m.insert(c->name, c);
        return m;
    }();
    return map;
}

// The enumerations scripts see, in registration order, each from the
// model's table (a set's values are its bits).
QList<std::pair<const platform::EnumInfo *, bool>> scriptEnums()
{
    return {{&stretchModeEnum(), false},  {&shiftModeEnum(), false},     {&duplexModeEnum(), false},
            {&alignEnum(), false},        {&frameStyleEnum(), false},    {&frameTypeEnum(), true},
            {&hAlignEnum(), false},       {&vAlignEnum(), false},        {&restrictionEnum(), true},
            {&shapeKindEnum(), false},    {&previewButtonEnum(), true},  {&zoomModeEnum(), false},
            {&printPagesEnum(), false},   {&DMPFontStylesEnum(), true},  {&rangeBeginEnum(), false},
            {&rangeEndEnum(), false},     {&fieldTypeEnum(), false},     {&formatKindEnum(), false}};
}

// "d", "m" or "yyyy" of a date, read back as a number.
int datePart(const Variant &value, char part)
{
    const QDate date = QDate(1899, 12, 30).addDays(qint64(std::floor(value.toDouble())));
    return part == 'd' ? date.day() : part == 'm' ? date.month() : date.year();
}

} // namespace

TrpScriptClasses::TrpScriptClasses(script::TscScript &script) : TscBindingModule(script)
{
    registerConstants();
    registerEnums();
    registerStrings();
    registerDataSet();
    registerComponents();
    registerViews();
    registerPages();
    registerVariables();
    registerReport();
    registerEngine();
    registerFunctions();
}

void TrpScriptClasses::registerConstants()
{
    script::TscScript &s = TargetScript;
    const QString ext = QStringLiteral("Extended");
    s.AddConst(QStringLiteral("fr01cm"), ext, Variant(3.77953));
    s.AddConst(QStringLiteral("fr1cm"), ext, Variant(37.7953));
    s.AddConst(QStringLiteral("fr01in"), ext, Variant(9.6));
    s.AddConst(QStringLiteral("fr1in"), ext, Variant(96));
    s.AddConst(QStringLiteral("fr1CharX"), ext, Variant(9.6));
    s.AddConst(QStringLiteral("fr1CharY"), ext, Variant(17));
    s.AddConst(QStringLiteral("clTransparent"), QStringLiteral("Integer"), Variant(0x1FFFFFFF));
    s.AddConst(QStringLiteral("crHand"), QStringLiteral("Integer"), Variant(150));
    s.AddConst(QStringLiteral("crZoom"), QStringLiteral("Integer"), Variant(151));
    s.AddConst(QStringLiteral("crFormat"), QStringLiteral("Integer"), Variant(152));
}

void TrpScriptClasses::registerEnums()
{
    for (const auto &[info, isSet] : scriptEnums()) {
        const QString names = info->names.join(QStringLiteral(", "));
        if (isSet)
            TargetScript.AddEnumSet(info->typeName, names);
        else
            TargetScript.AddEnum(info->typeName, names);
    }
}

void TrpScriptClasses::registerFunctions()
{
    script::TscScript &s = TargetScript;
    const QString date = QStringLiteral("ctDate");
    s.AddMethod(QStringLiteral("function DayOf(Date: TDateTime): Integer"),
                script::member([](auto *, TscMethodHelper &h) { return Variant(datePart(h.GetParamValue(0), 'd')); }),
                date);
    s.AddMethod(QStringLiteral("function MonthOf(Date: TDateTime): Integer"),
                script::member([](auto *, TscMethodHelper &h) { return Variant(datePart(h.GetParamValue(0), 'm')); }),
                date);
    s.AddMethod(QStringLiteral("function YearOf(Date: TDateTime): Integer"),
                script::member([](auto *, TscMethodHelper &h) { return Variant(datePart(h.GetParamValue(0), 'y')); }),
                date);
    // Placeholders: their place and category in function lists.
    const auto zero = script::member([](auto *, TscMethodHelper &) { return Variant(0); });
    s.AddMethod(QStringLiteral("function IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant"), zero,
                QStringLiteral("ctOther"));
    for (const char *decl : {"function SUM(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
                             "function AVG(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
                             "function MIN(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
                             "function MAX(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
                             "function COUNT(Band: Variant = 0; Flags: Integer = 0): Variant"})
        s.AddMethod(QString::fromLatin1(decl), zero, QStringLiteral("ctAggregate"));
}

Variant TrpScriptClasses::listOf(const platform::HandleTarget *owner, const QString &member,
                                 const QList<TrpComponent *> &items)
{
    const QString key = QString::number(platform::HandleRegistry::handleOf(owner)) + u'.' + member;
    qint64 handle = m_lists.value(key);
    if (!platform::HandleRegistry::isLive(handle)) {
        handle = adopt(std::make_unique<script::TscList>());
        m_lists.insert(key, handle);
    }
    auto *list = platform::HandleRegistry::objectAs<script::TscList>(handle);
    list->Items.clear();
    for (TrpComponent *item : items)
        list->Items.append(platform::HandleRegistry::handleOf(item));
    return Variant(handle);
}

// Registers a class with its table when the model has one for the name.
script::TscClassVariable *addReportClass(script::TscScript &script, const QString &name, const QString &ancestor)
{
    const platform::ClassInfo *info = knownClasses().value(name);
    return info ? script.AddClass(*info, ancestor) : script.AddClass(name, ancestor);
}

void registerReportScriptModule()
{
    script::registerStandardModules();
    script::RegisterRTTIModule(&script::createRTTIModule<TrpScriptClasses>);
}

} // namespace bralvo::report
