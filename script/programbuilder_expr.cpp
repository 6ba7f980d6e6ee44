// Building expressions and designators from the intermediate program,
// including the postponed (late) building of designators whose meaning
// depends on a value known only at run time.
#include "script/programbuilder.h"

#include "script/buildertree.h"
#include "platform/handleregistry.h"
#include "script/designators.h"
#include "script/expressions.h"
#include "script/oleautomation.h"
#include "script/scriptmessages.h"
#include "script/tscclassvariable.h"
#include "script/tscxmldocument.h"
#include "script/typerules.h"

#include <QPoint>

namespace bralvo::script {

namespace {

using builder::isKind;
using builder::kindOf;
using builder::quoted;

// The value a variable holds while building; anything else is unknown yet.
// A parameter holds its argument only while its procedure runs, so its
// value counts when a postponed designator is built at run time.
Variant buildTimeValue(TscCustomVariable *item, bool runTime)
{
    if (ItemAs<TscVariable>(item) || (runTime && ItemAs<TscParamItem>(item)))
        return item->GetValue();
    return Variant::null();
}

// Operators of one expression, nested parentheses included: an upper bound
// of the depth of the tree built from it.
int operatorCount(const TscXMLItem &element)
{
    int count = 0;
    for (int i = 0; i < element.Count(); ++i) {
        const TscXMLItem &child = *element.Items(i);
        if (isKind(child, "op"))
            ++count;
        else if (isKind(child, "expr"))
            count += operatorCount(child);
    }
    return count;
}

// raw, an attribute as it stands, as Prop gives it: in place unless it
// holds an entity; decoded is the storage for that case.
QStringView unescapedView(QStringView raw, QString &decoded)
{
    if (!builder::hasEntity(raw))
        return raw;
    decoded = builder::unescapedAttribute(raw);
    return decoded;
}

// A "line:col" attribute as the element holds it, as a point (x the
// column).
QPoint pointOf(const builder::RawPosition &raw)
{
    if (raw.isNumbers)
        return QPoint(raw.column, raw.line);
    QString decoded;
    return StrToXY(unescapedView(raw.text, decoded));
}

bool isPendingIndexProperty(const TscDesignatorItem &item)
{
    auto *method = ItemAs<TscMethodHelper>(item.Target);
    return method && method->IsIndexProperty && method->Count() > 0 && item.Count() == 0;
}

} // namespace

std::unique_ptr<TscExpression> ProgramBuilder::expressionOf(const TscXMLItem &element, TscScript &script)
{
    return MakeExpression(element, script);
}

std::unique_ptr<TscExpression> ProgramBuilder::MakeExpression(const TscXMLItem &element, TscScript &script)
{
    return makeExpression(element, script, false);
}

std::unique_ptr<TscExpression> ProgramBuilder::makeExpression(const TscXMLItem &element, TscScript &script,
                                                              bool keepSource)
{
    // The tree is checked, evaluated and freed recursively: a chain of
    // thousands of operators would run off the end of the stack.
    if (operatorCount(element) > MaxExpressionOperators) {
        setErrorPos(element);
        fail(QStringLiteral("Expression too complex"));
    }
    // pos and pos1 read in one pass, for the source and the position.
    const builder::RawAttributes attributes = builder::rawAttributes(element);
    TscOperatorNode top = TscExpression::MakeTop();
    auto expr = std::make_unique<TscExpression>(&m_program, top);
    addExpressionChildren(element, script, *expr);
    if (keepSource && m_unitName.isEmpty())
        recordSource(attributes, *expr);
    const TscSourcePos bad = expr->Finalize();
    if (!bad.isEmpty()) {
        setErrorPos(bad);
        fail(scriptMessage(ScriptMessage::IncompatibleTypes));
    }
    expr->SourcePos = positionOf(element, attributes.position());
    return expr;
}

void ProgramBuilder::addExpressionChildren(const TscXMLItem &element, TscScript &script, TscExpression &expr)
{
    QString decoded;
    for (int i = 0; i < element.Count(); ++i) {
        const TscXMLItem &child = *element.Items(i);
        setErrorPos(child);
        if (isKind(child, "op")) {
            const QStringView text = unescapedView(rawTextOf(child), decoded);
            if (text != u")" && i == element.Count() - 1)
                continue;
            // Operators report type errors at their own position; operand
            // nodes never report theirs.
            expr.SourcePos = m_errorPos;
            expr.AddOperator(text);
        } else if (isKind(child, "number")) {
            expr.AddConst(ParserStringToVariant(unescapedView(rawTextOf(child), decoded)));
        } else if (isKind(child, "string")) {
            expr.AddConst(ParserStringToVariant(textOf(child)));
        } else if (isKind(child, "dsgn")) {
            addDesignatorOperand(child, script, Mode::Normal, expr);
        } else if (isKind(child, "set")) {
            addSet(child, script, expr);
        } else if (isKind(child, "new") && child.Count() > 0) {
            addDesignatorOperand(*child.Items(0), script, Mode::Constructor, expr);
        } else if (isKind(child, "expr")) {
            addExpressionChildren(child, script, expr);
        }
    }
}

void ProgramBuilder::addSet(const TscXMLItem &element, TscScript &script, TscExpression &expr)
{
    auto set = std::make_unique<TscSetExpression>();
    for (int i = 0; i < element.Count(); ++i) {
        const TscXMLItem &child = *element.Items(i);
        if (isKind(child, "range"))
            set->AddElement(nullptr);
        else if (isKind(child, "expr"))
            set->AddElement(MakeExpression(child, script));
    }
    expr.AddSet(std::move(set));
}

// The text between the element's pos and pos1, from the main text.
void ProgramBuilder::recordSource(const builder::RawAttributes &attributes, TscExpression &expr) const
{
    const QPoint a = pointOf(attributes.position());
    const QPoint b = pointOf(attributes.endPosition());
    auto position = [this](QPoint p) {
        return p.y() >= 1 && p.y() <= m_lineStarts.size() ? p.x() + m_lineStarts[p.y() - 1] : -1;
    };
    const int start = position(a);
    const int end = position(b);
    if (start < 1 || end < start || end - 1 > m_sourceText.size())
        return;
    expr.SetSource(m_sourceText, start - 1, end - start);
}

std::unique_ptr<TscDesignator> ProgramBuilder::MakeDesignator(const TscXMLItem &element, TscScript &script,
                                                              Mode mode)
{
    // Built on the stack: only the designator of its final class is
    // allocated, once its shape is known.
    TscDesignator d(&script);
    const bool finished = buildDesignator(element, script, mode, d);
    return keepDesignator(element, d, finished);
}

std::unique_ptr<TscDesignator> ProgramBuilder::keepDesignator(const TscXMLItem &element, TscDesignator &d,
                                                              bool finished)
{
    d.SourcePos = positionOf(element);
    return finished ? TscDesignator::Specialize(d) : TscDesignator::TakeAsGeneral(d);
}

void ProgramBuilder::addDesignatorOperand(const TscXMLItem &element, TscScript &script, Mode mode,
                                          TscExpression &expr)
{
    if (mode == Mode::Normal) {
        if (TscCustomVariable *variable = plainVariableOf(element, script))
            return expr.AddVariable(*variable);
    }
    TscDesignator d(&script);
    const bool finished = buildDesignator(element, script, mode, d);
    if (finished && d.Shape == TscDesignatorShape::Variable && !d.LateSource)
        expr.AddVariable(*d.LinkedItem);
    else
        expr.AddDesignator(keepDesignator(element, d, finished));
}

TscCustomVariable *ProgramBuilder::plainVariableOf(const TscXMLItem &element, TscScript &script)
{
    // A with statement may claim any name: those designators take the
    // full way.
    if (!m_withList.isEmpty() || element.Count() != 1 || !isKind(*element.Items(0), "node"))
        return nullptr;
    const TscXMLItem &node = *element.Items(0);
    setErrorPos(node);
    QString decoded;
    TscCustomVariable *item = FindVariable(script, unescapedView(rawTextOf(node), decoded));
    // What TscDesignator::Finish takes for the variable shape; an item
    // with parameters would get default arguments.
    const bool plain = (item->Kinds() & (ikVariable | ikParam)) && item->Count() == 0;
    return plain ? item : nullptr;
}

bool ProgramBuilder::buildDesignator(const TscXMLItem &element, TscScript &script, Mode mode, TscDesignator &d)
{
    d.ReserveItems(element.Count());
    for (int i = 0; i < element.Count(); ++i) {
        const TscXMLItem &child = *element.Items(i);
        setErrorPos(child);
        if (isKind(child, "node")) {
            const QString text = nameOf(child);
            const bool first = d.ItemCount() == 0;
            const bool goOn = first ? resolveFirst(text, d, element, script) : resolveNext(text, d, element, script);
            if (!goOn) {
                d.Finish();
                d.TypeCode = tcVariant;
                d.TypeName.clear();
                d.ReadOnly = false;
                return false;
            }
            if (first && mode == Mode::Constructor)
                appendLifetimeLink(d, Mode::Constructor);
        } else if (isKind(child, "expr")) {
            if (d.ItemCount() == 0)
                continue;
            TscDesignatorItem *last = d.Item(d.ItemCount() - 1);
            if (auto *ole = ItemAs<TscOLEHelper>(last->Target))
                ole->AddParam(std::make_unique<TscParamItem>(QString(), tcVariant, QString()));
            // Only a host function that takes its arguments' texts reads them.
            last->AddArg(makeExpression(child, script, last->Target && last->Target->TakesSourceText));
        } else if (isKind(child, "addr")) {
            if (element.Count() != 2 || !isKind(*element.Items(i + 1), "node"))
                fail(scriptMessage(ScriptMessage::VarRequired));
            auto *address = new TscStringVariable(QString(), tcString, QString());
            address->Text = builder::textAttribute(*element.Items(++i));
            script.Add(QString(), address);
            TscDesignatorItem *item = d.AddItem();
            item->Target = address;
            item->SourcePos = m_errorPos;
        }
    }
    if (mode == Mode::Destructor)
        appendLifetimeLink(d, Mode::Destructor);
    checkArguments(d);
    d.Finish();
    return true;
}

// "new TFoo(...)" calls the class's Create; "delete x" calls TObject.Free.
void ProgramBuilder::appendLifetimeLink(TscDesignator &d, Mode mode)
{
    TscCustomVariable *last = d.ItemCount() > 0 ? d.Item(d.ItemCount() - 1)->Target : nullptr;
    TscCustomVariable *member = nullptr;
    QString memberName;
    if (mode == Mode::Constructor) {
        auto *cls = ItemAs<TscClassVariable>(last);
        if (!cls)
            fail(scriptMessage(ScriptMessage::ClassRequired));
        memberName = QStringLiteral("Create");
        member = cls->Find(memberName);
    } else {
        if (!last || (last->TypeCode != tcClass && last->TypeCode != tcVariant))
            fail(scriptMessage(ScriptMessage::ClassRequired));
        memberName = QStringLiteral("Free");
        member = FindClassOrError(QStringLiteral("TObject"))->Find(memberName);
    }
    if (!member)
        fail(scriptMessage(ScriptMessage::IdUndeclared) + quoted(memberName));
    TscDesignatorItem *item = d.AddItem();
    item->Target = member;
    item->SourcePos = m_errorPos;
}

bool ProgramBuilder::resolveFirst(const QString &name, TscDesignator &d, const TscXMLItem &element,
                                  TscScript &script)
{
    TscDesignatorItem *item = d.AddItem();
    item->SourcePos = m_errorPos;
    for (int w = m_withList.size() - 1; w >= 0; --w) {
        const QString withName = m_withList[w].first;
        TscCustomVariable *withVar = script.FindLocal(withName);
        if (!withVar)
            continue;
        if (withVar->TypeCode == tcVariant) {
            if (script.Find(name))
                break;
            d.RemoveItem(d.ItemCount() - 1);
            postpone(d, element, withName);
            return false;
        }
        if (withVar->TypeCode != tcClass)
            continue;
        TscCustomVariable *member = FindClassOrError(withVar->TypeName)->Find(name);
        if (!member)
            continue;
        auto withItem = std::make_unique<TscDesignatorItem>();
        withItem->Target = withVar;
        withItem->SourcePos = item->SourcePos;
        d.InsertItem(d.ItemCount() - 1, std::move(withItem));
        item->Target = member;
        return true;
    }
    item->Target = FindVariable(script, name);
    return true;
}

void ProgramBuilder::postpone(TscDesignator &d, const TscXMLItem &element, const QString &withName)
{
    auto copy = std::make_shared<TscXMLItem>();
    copy->Assign(&element);
    if (!withName.isEmpty()) {
        auto *node = new TscXMLItem;
        node->SetName(QStringLiteral("node"));
        node->SetProp(QStringLiteral("text"), withName);
        node->SetProp(QStringLiteral("pos"), positionOf(element).text());
        copy->InsertItem(0, node);
    }
    // Built at first use in the designator's own script, declarations
    // required and no with statement active.
    d.LateSource = [copy](TscScript *script) {
        ProgramBuilder builder(*script, nullptr, true);
        builder.m_runTime = true;
        return builder.MakeDesignator(*copy, *script, Mode::Normal);
    };
}

bool ProgramBuilder::resolveNext(const QString &name, TscDesignator &d, const TscXMLItem &element,
                                 TscScript &script)
{
    TscDesignatorItem &previous = *d.Item(d.ItemCount() - 1);
    TscCustomVariable *p = previous.Target;
    const bool isIndex = name == QLatin1String("[");
    if (isPendingIndexProperty(previous)) {
        if (!isIndex)
            fail(scriptMessage(ScriptMessage::IndexRequired));
        return true; // the index goes to the property's own item
    }
    // After an automation object every link is called by name at run time;
    // "[" adds nothing, its arguments go to the link before it.
    if (ItemAs<TscOLEHelper>(p)
        || (p->TypeCode == tcVariant && buildTimeValue(p, m_runTime).kind() == platform::varDispatch)) {
        if (isIndex)
            return true;
        auto *helper = new TscOLEHelper(name);
        script.Add(QString(), helper);
        TscDesignatorItem *item = d.AddItem();
        item->Target = helper;
        item->SourcePos = m_errorPos;
        return true;
    }
    int code = p->TypeCode;
    QString className = p->TypeName;
    if (code == tcVariant && !variantStep(p, isIndex, d, element, code, className))
        return false;
    TscDesignatorItem *item = d.AddItem();
    item->SourcePos = m_errorPos;
    if (code == tcString || code == tcChar) {
        if (!isIndex)
            fail(scriptMessage(ScriptMessage::StringError));
        item->Target = FindVariable(script, QStringLiteral("__StringHelper"));
    } else if (code == tcClass) {
        return classStep(name, className, p, *item, d, element);
    } else if (code == tcArray) {
        item->Target = ItemAs<TscArrayHelper>(p->LinkedItem)
                           ? p->LinkedItem
                           : FindVariable(script, QStringLiteral("__ArrayHelper"));
    } else {
        fail(scriptMessage(ScriptMessage::ArrayRequired));
    }
    return true;
}

// A variant link: its value while building decides what follows. False
// when building has to wait for the run.
bool ProgramBuilder::variantStep(TscCustomVariable *p, bool isIndex, TscDesignator &d, const TscXMLItem &element,
                                 int &code, QString &className)
{
    const Variant value = buildTimeValue(p, m_runTime);
    if (value.isNull() || value.isEmpty()) {
        postpone(d, element, QString());
        return false;
    }
    if (value.isString()) {
        code = tcString;
    } else if (value.isArray()) {
        if (!isIndex)
            fail(scriptMessage(ScriptMessage::IndexRequired));
        code = tcArray; // a variant has no array helper: the generic one serves
    } else {
        // Only a live object handle has members; a number never does,
        // and a handle whose object is gone raises as a stale reference.
        const qint64 handle = value.isIntegral() ? value.toInt64() : 0;
        if (platform::HandleRegistry::wasIssued(handle))
            platform::HandleRegistry::lookup(handle);
        platform::HandleTarget *obj =
            platform::HandleRegistry::isLive(handle) ? platform::HandleRegistry::lookup(handle) : nullptr;
        if (!obj || obj->scriptClassName().isEmpty())
            fail(scriptMessage(ScriptMessage::ClassRequired));
        className = obj->scriptClassName();
        code = tcClass;
    }
    return true;
}

// A member or default-property link of a class. False when building has
// to wait because the object is not known yet.
bool ProgramBuilder::classStep(const QString &name, const QString &className, TscCustomVariable *p,
                               TscDesignatorItem &item, TscDesignator &d, const TscXMLItem &element)
{
    TscClassVariable *cls = FindClassOrError(className);
    if (name == QLatin1String("[")) {
        if (!cls->DefaultMember)
            fail(scriptMessageWith(ScriptMessage::ClassError, cls->Name));
        item.Target = cls->DefaultMember;
        return true;
    }
    if (TscCustomVariable *member = cls->Find(name)) {
        item.Target = member;
        return true;
    }
    const Variant value = buildTimeValue(p, m_runTime);
    const bool noObject = value.isNull() || value.isEmpty() || (value.isIntegral() && value.toInt64() == 0);
    if (!noObject || ItemAs<TscClassVariable>(p))
        fail(scriptMessage(ScriptMessage::IdUndeclared) + quoted(name));
    while (d.ItemCount() > 1)
        d.RemoveItem(d.ItemCount() - 1);
    postpone(d, element, QString());
    return false;
}

void ProgramBuilder::checkArguments(TscDesignator &d)
{
    for (int i = 0; i < d.ItemCount(); ++i) {
        TscDesignatorItem &item = *d.Item(i);
        TscCustomVariable *target = item.Target;
        if (ItemAs<TscDesignator>(target))
            continue;
        setErrorPos(item.SourcePos);
        if (item.Count() < target->RequiredParamCount())
            fail(scriptMessage(ScriptMessage::NotEnoughParams));
        if (item.Count() > target->Count())
            fail(scriptMessage(ScriptMessage::TooManyParams));
        const int written = item.Count();
        for (int k = written; k < target->Count(); ++k) {
            TscOperatorNode top = TscExpression::MakeTop();
            auto expr = std::make_unique<TscExpression>(&m_program, top);
            expr->AddConst(target->GetParam(k)->DefaultValue);
            expr->Finalize();
            item.AddArg(std::move(expr));
        }
        for (int k = 0; k < written; ++k) {
            if (!item.Arg(k)->SourcePos.isEmpty())
                setErrorPos(item.Arg(k)->SourcePos);
            CheckTypes(*target->GetParam(k), *item.Arg(k));
        }
    }
}

} // namespace bralvo::script
