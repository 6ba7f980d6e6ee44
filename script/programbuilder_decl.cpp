// Building declarations: procedures and their parameters, variables with
// their arrays and initial values.
#include "script/programbuilder.h"

#include "script/buildertree.h"
#include "script/designators.h"
#include "script/expressions.h"
#include "script/scriptmessages.h"
#include "script/statements.h"
#include "script/tscxmldocument.h"

namespace bralvo::script {

namespace {

constexpr double MaxArrayElements = 1 << 24;

using builder::childNamed;
using builder::isKind;
using builder::kindOf;

Variant initialValue(int typeCode)
{
    switch (typeCode) {
    case tcBoolean: return Variant(false);
    case tcChar:
    case tcString: return Variant(QString());
    case tcInteger:
    case tcFloat:
    case tcClass: return Variant(0);
    default: return Variant::null();
    }
}

// Whether raw, a text attribute as it stands, is name ignoring case once
// unescaped; compared in place unless it holds an entity.
bool isNamed(QStringView raw, const QString &name)
{
    if (builder::hasEntity(raw))
        return builder::unescapedAttribute(raw).compare(name, Qt::CaseInsensitive) == 0;
    return SameNameIgnoringCase(raw, name);
}

// typeName, as a text made from a literal when it is one of the common
// type names. Every node and expression that reads a variable copies its
// type name, and each copy and release of a shared text is an atomic
// count; a literal's text has no count to touch.
QString literalTypeName(const QString &typeName)
{
    static const QString common[] = {
        QStringLiteral("Integer"),  QStringLiteral("String"),   QStringLiteral("Boolean"),
        QStringLiteral("Extended"), QStringLiteral("Double"),   QStringLiteral("Variant"),
        QStringLiteral("Char"),     QStringLiteral("Real"),     QStringLiteral("Byte"),
        QStringLiteral("Word"),     QStringLiteral("Longint"),  QStringLiteral("Cardinal"),
        QStringLiteral("Single"),   QStringLiteral("Currency"), QStringLiteral("TDateTime"),
    };
    for (const QString &literal : common)
        if (literal == typeName)
            return literal;
    return typeName;
}

} // namespace

// The array and init parts that belong to a declared name: those after it,
// up to the next name when the type stood first (C++Script).
std::pair<const TscXMLItem *, const TscXMLItem *> ProgramBuilder::partsOf(const TscXMLItem &element,
                                                                          const QString &name, bool typeFirst) const
{
    const TscXMLItem *arrayItem = nullptr;
    const TscXMLItem *initItem = nullptr;
    int at = 0;
    while (at < element.Count() && !isNamed(rawTextOf(*element.Items(at)), name))
        ++at;
    for (++at; at < element.Count(); ++at) {
        const TscXMLItem &child = *element.Items(at);
        if (typeFirst && isKind(child, "ident"))
            break;
        if (isKind(child, "array"))
            arrayItem = &child;
        else if (isKind(child, "init"))
            initItem = &child;
    }
    return {arrayItem, initItem};
}

void ProgramBuilder::declareProcedure(const TscXMLItem &element, TscScript &script, bool isFunction)
{
    setErrorPos(element);
    const TscXMLItem *nameItem = childNamed(element, u"name");
    if (!nameItem)
        return;
    // Read while the element's attributes are at hand.
    const TscSourcePos pos = positionOf(element);
    setErrorPos(*nameItem);
    const QString name = nameOf(*nameItem);
    CheckIdent(script, name);
    QString typeName;
    int typeCode = tcVariant;
    bool hasResult = false;
    if (isFunction) {
        const TscXMLItem *typeItem = childNamed(element, u"type");
        if (typeItem) {
            setErrorPos(*typeItem);
            typeName = literalTypeName(nameOf(*typeItem));
            typeCode = TypeCodeOf(typeName);
        }
        hasResult = typeName.compare(QLatin1String("void"), Qt::CaseInsensitive) != 0;
    }
    auto proc = std::make_unique<TscProcVariable>(name, typeCode, typeName, hasResult, &script);
    proc->SourcePos = pos;
    proc->DeclUnit = m_unit;
    if (const TscXMLItem *params = childNamed(element, u"parameters"))
        readParameters(*params, *proc);
    script.Add(name, proc.release());
    m_declared.insert(&element);
}

void ProgramBuilder::readParameters(const TscXMLItem &element, TscProcVariable &proc)
{
    bool groupByRef = false;
    for (int i = 0; i < element.Count(); ++i) {
        const TscXMLItem &group = *element.Items(i);
        if (isKind(group, "varparams")) {
            groupByRef = true;
            continue;
        }
        if (!isKind(group, "var"))
            continue;
        bool nextByRef = false;
        for (int k = 0; k < group.Count(); ++k) {
            const TscXMLItem &child = *group.Items(k);
            if (isKind(child, "varparam")) {
                nextByRef = true;
                continue;
            }
            if (!isKind(child, "ident"))
                continue;
            setErrorPos(child);
            const QString name = nameOf(child);
            CheckIdent(*proc.LocalScript, name);
            TscCustomVariable *created = createVariable(group, name, *proc.LocalScript, nullptr,
                                                        groupByRef || nextByRef);
            auto *param = static_cast<TscParamItem *>(created);
            param->DefaultValue = param->Value;
            proc.AddParam(std::unique_ptr<TscParamItem>(param));
            proc.LocalScript->Add(name, param, false);
            nextByRef = false;
        }
        groupByRef = false;
    }
}

TscCustomVariable *ProgramBuilder::createVariable(const TscXMLItem &element, const QString &name,
                                                  TscScript &script, TscStatement *list, bool byRef)
{
    const TscXMLItem *typeItem = childNamed(element, u"type");
    const bool typeFirst = typeItem && element.Count() > 0 && element.Items(0) == typeItem;
    // First, while the name's element may still have its attributes at hand.
    const auto [arrayItem, initItem] = partsOf(element, name, typeFirst);
    if (typeItem)
        setErrorPos(*typeItem);
    const QString typeName = typeItem ? literalTypeName(nameOf(*typeItem)) : QStringLiteral("Variant");
    const TscSourcePos sourcePos = m_errorPos;
    int typeCode = TypeCodeOf(typeName);
    Variant value = initialValue(typeCode);

    std::unique_ptr<TscCustomVariable> variable;
    const bool isParam = list == nullptr;
    if (isParam) {
        auto param = std::make_unique<TscParamItem>(name, typeCode, typeName);
        param->ByRef = byRef;
        param->Optional = initItem != nullptr;
        variable = std::move(param);
    } else if (!arrayItem && (typeCode == tcChar || typeCode == tcString)) {
        variable = std::make_unique<TscStringVariable>(name, typeCode, typeName);
    } else {
        variable = std::make_unique<TscVariable>(name, typeCode, typeName);
    }
    variable->SetValue(value);
    variable->SourcePos = sourcePos;
    variable->DeclUnit = m_unit;
    if (arrayItem)
        defineArray(*arrayItem, script, *variable, typeCode, typeName);
    if (initItem && initItem->Count() > 0) {
        std::unique_ptr<TscExpression> expr = expressionOf(*initItem->Items(0), script);
        CheckTypes(*variable, *expr);
        if (isParam)
            variable->SetValue(expr->GetValue()); // a default is evaluated once, now
        else
            appendInitialAssignment(element, *variable, std::move(expr), script, *list);
    }
    return variable.release();
}

// Declared initial values are assigned when the block runs, in
// declaration order.
void ProgramBuilder::appendInitialAssignment(const TscXMLItem &element, TscCustomVariable &variable,
                                             std::unique_ptr<TscExpression> expr, TscScript &script,
                                             TscStatement &list)
{
    auto statement = std::make_unique<TscAssignmentStmt>(&script, positionOf(element), m_unit);
    statement->TargetVar = &variable;
    statement->ValueExpr = std::move(expr);
    statement->Optimize();
    record(list, std::move(statement));
}

void ProgramBuilder::defineArray(const TscXMLItem &arrayElement, TscScript &script, TscCustomVariable &variable,
                                 int elementCode, const QString &elementType)
{
    QList<platform::VarArrayBound> bounds;
    for (int i = 0; i < arrayElement.Count(); ++i) {
        const TscXMLItem &dim = *arrayElement.Items(i);
        if (!isKind(dim, "dim"))
            continue;
        QList<qint64> values;
        for (int k = 0; k < dim.Count(); ++k)
            if (isKind(*dim.Items(k), "expr"))
                values.append(expressionOf(*dim.Items(k), script)->GetValue().toInt64());
        if (values.size() >= 2)
            bounds.append({values[0], values[1]});
        else if (values.size() == 1)
            bounds.append({0, values[0] - 1});
    }
    if (bounds.isEmpty())
        bounds.append({0, 0});
    // A declaration must not be able to exhaust memory.
    double elements = 1;
    for (const platform::VarArrayBound &bound : bounds)
        elements *= double(std::max<qint64>(0, bound.high - bound.low + 1));
    if (elements > MaxArrayElements)
        fail(QStringLiteral("Array too large"));
    variable.Value = Variant::createArray(bounds, platform::varVariant);
    variable.TypeCode = tcArray;
    auto *helper = new TscArrayHelper(QString(), elementCode, elementType, int(bounds.size()));
    script.Add(QString(), helper);
    variable.LinkedItem = helper;
}

void ProgramBuilder::doProcedureBody(const TscXMLItem &element, TscScript &script)
{
    // A declaration inside another statement was never declared: it must
    // not be built as if its name led to a procedure.
    if (!m_declared.contains(&element))
        fail(QStringLiteral("Procedure or function declaration is not allowed here"));
    const TscXMLItem *nameItem = childNamed(element, u"name");
    setErrorPos(*nameItem);
    auto *proc = ItemAs<TscProcVariable>(FindVariable(script, nameOf(*nameItem)));
    if (!proc)
        fail(QStringLiteral("Procedure or function declaration is not allowed here"));
    DoProgram(element, *proc->LocalScript);
}

} // namespace bralvo::script
