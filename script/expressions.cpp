// Expression trees: building by precedence, type checking, evaluation.
#include "script/expressions.h"
#include "script/shorttexts.h"

#include "platform/handleregistry.h"
#include "script/designators.h"
#include "script/runtimeerror.h"
#include "script/scriptmessages.h"
#include "script/tschelpers.h"
#include "script/tscscript.h"
#include "script/typerules.h"

#include <type_traits>

namespace bralvo::script {

namespace {

using namespace Qt::StringLiterals;

// Up to seven ASCII characters as one number, a byte each: every operator
// of a program is looked up in the table, one number compared per entry.
constexpr quint64 packedText(QLatin1String text)
{
    quint64 value = 0;
    for (qsizetype i = text.size(); i-- > 0;)
        value = value << 8 | quint8(text.data()[i]);
    return value;
}

struct OpInfo {
    constexpr OpInfo(QLatin1String text, TscOp op, int priority)
        : text(text), op(op), priority(priority), packed(packedText(text))
    {
    }
    QLatin1String text;
    TscOp op;
    int priority;
    quint64 packed;
};

constexpr OpInfo opTable[] = {
    {">"_L1, TscOp::Great, 4},     {"<"_L1, TscOp::Less, 4},        {"<="_L1, TscOp::LessEq, 4},
    {">="_L1, TscOp::GreatEq, 4},  {"<>"_L1, TscOp::NonEq, 4},      {"="_L1, TscOp::Eq, 4},
    {"+"_L1, TscOp::Plus, 3},      {"strcat"_L1, TscOp::StrCat, 3}, {"-"_L1, TscOp::Minus, 3},
    {"or"_L1, TscOp::Or, 3},       {"xor"_L1, TscOp::Xor, 3},       {"*"_L1, TscOp::Mul, 2},
    {"/"_L1, TscOp::DivFloat, 2},  {"div"_L1, TscOp::DivInt, 2},    {"mod"_L1, TscOp::Mod, 2},
    {"and"_L1, TscOp::And, 2},     {"shl"_L1, TscOp::Shl, 2},       {"shr"_L1, TscOp::Shr, 2},
    {"("_L1, TscOp::LeftBracket, 6}, {")"_L1, TscOp::RightBracket, 5}, {"not"_L1, TscOp::Not, 1},
    {"unminus"_L1, TscOp::UnMinus, 1}, {"in"_L1, TscOp::In, 4},     {"is"_L1, TscOp::Is, 4},
};

bool isComparison(TscOp op)
{
    return op == TscOp::Great || op == TscOp::Less || op == TscOp::LessEq || op == TscOp::GreatEq
        || op == TscOp::NonEq || op == TscOp::Eq;
}

bool isOperator(const TscExpressionNode *node, TscOp op)
{
    const TscOperatorNode *opNode = node ? node->AsOperator() : nullptr;
    return opNode && opNode->OpCode == op;
}

// Whether an operator may take a left operand of this type at all.
bool operatorAllowed(TscOp op, int leftCode)
{
    switch (leftCode) {
    case tcBoolean:
        return op == TscOp::NonEq || op == TscOp::Eq || op == TscOp::Or || op == TscOp::Xor || op == TscOp::And
            || op == TscOp::Not;
    case tcChar:
    case tcString:
        return isComparison(op) || op == TscOp::Plus || op == TscOp::StrCat || op == TscOp::In;
    case tcClass:
    case tcArray:
        return op == TscOp::NonEq || op == TscOp::Eq;
    default:
        return true;
    }
}

bool arrayContains(const Variant &array, const Variant &value)
{
    if (!array.isArray())
        return value.equals(array);
    const qint64 low = array.lowBound(1);
    const qint64 high = array.highBound(1);
    for (qint64 i = low; i <= high; ++i) {
        const Variant element = array.element(i);
        if (i + 2 <= high && array.element(i + 1).isNull()) {
            if (value.greaterOrEqual(element) && value.lessOrEqual(array.element(i + 2)))
                return true;
            i += 2;
        } else if (value.equals(element)) {
            return true;
        }
    }
    return false;
}

Variant evalIs(const Variant &left, TscExpressionNode *right, TscScript *script)
{
    auto *dnode = dynamic_cast<TscDesignatorNode *>(right);
    TscCustomVariable *first = dnode ? dnode->FirstTarget() : nullptr;
    if (!first)
        return Variant(false);
    platform::HandleTarget *obj = left.isNull() || left.isEmpty() ? nullptr
                                                                  : platform::HandleRegistry::lookup(left.toInt64());
    if (!obj)
        return Variant(false);
    const QString className = first->Name;
    return Variant(ClassInheritsFrom(className, obj->scriptClassName(), script));
}

} // namespace

TscExpressionNode::~TscExpressionNode() = default;

namespace {

int constantTypeCode(const Variant &value)
{
    if (value.isBoolean())
        return tcBoolean;
    if (value.kind() == platform::varSingle || value.kind() == platform::varDouble
        || value.kind() == platform::varCurrency)
        return tcFloat;
    return value.isString() ? tcString : tcInteger;
}

} // namespace

TscOperandNode::TscOperandNode(const Variant &value)
{
    Value = value;
    TscExpressionNode::TypeCode = quint8(constantTypeCode(value));
    TscCustomVariable::TypeCode = TscExpressionNode::TypeCode;
}

TscDesignatorNode::TscDesignatorNode(std::unique_ptr<TscDesignator> designator)
    : Designator(std::move(designator))
{
    TypeCode = Designator->TypeCode;
    TypeName = Designator->TypeName;
    TargetReadOnly = Designator->ReadOnly;
    Item = Designator->Shape == TscDesignatorShape::Variable && !Designator->LateSource
               ? Designator->LinkedItem
               : static_cast<TscCustomVariable *>(Designator.get());
}

TscDesignatorNode::TscDesignatorNode(TscCustomVariable &variable)
{
    TypeCode = variable.TypeCode;
    TypeName = variable.TypeName;
    TargetReadOnly = variable.ReadOnly;
    Item = &variable;
}

TscCustomVariable *TscDesignatorNode::FirstTarget() const
{
    if (!Designator)
        return Item;
    return Designator->ItemCount() > 0 ? Designator->Item(0)->Target : nullptr;
}

TscDesignatorNode::~TscDesignatorNode() = default;

TscSetNode::TscSetNode(std::unique_ptr<TscSetExpression> set) : Set(std::move(set))
{
    TypeCode = tcVariant;
}

TscSetNode::~TscSetNode() = default;

Variant TscSetNode::GetValue()
{
    return Set->GetValue();
}

int TscOperatorNode::Code() const
{
    return OpCode == TscOp::StrCat ? int(TscOp::Plus) : int(OpCode);
}

namespace {

// The operator nodes' evaluation: one flat switch, operands left first.
class EvalNode : public TscOperatorNode {
public:
    EvalNode(TscOp op, int priority, TscScript *script) : TscOperatorNode(op, priority), m_script(script) {}

    Variant GetValue() override
    {
        switch (OpCode) {
        case TscOp::Not: return Left->GetValue().logicalNot();
        case TscOp::UnMinus: return Left->GetValue().negate();
        case TscOp::None: return Left->GetValue();
        case TscOp::Or: return shortCircuit(false);
        case TscOp::And: return shortCircuit(true);
        default: break;
        }
        if (OpCode == TscOp::In || OpCode == TscOp::Is)
            return membership();
        return withOperands([this](const Variant &left, const Variant &right) { return binary(left, right); });
    }

    bool IsTrue() override
    {
        if (!isComparison(OpCode))
            return GetValue().toBool();
        return withOperands([this](const Variant &left, const Variant &right) { return compare(left, right); });
    }

    void GetValueInto(Variant &target) override
    {
        switch (OpCode) {
        case TscOp::Plus:
            return withOperands([&](const Variant &left, const Variant &right) { left.addTo(right, target); });
        case TscOp::Minus:
            return withOperands([&](const Variant &left, const Variant &right) { left.subtractTo(right, target); });
        case TscOp::Mul:
            return withOperands([&](const Variant &left, const Variant &right) { left.multiplyTo(right, target); });
        default: target = GetValue(); return;
        }
    }

private:
    Variant membership()
    {
        const Variant left = Left->GetValue();
        if (OpCode == TscOp::In) {
            if (auto *set = dynamic_cast<TscSetNode *>(Right.get()))
                return Variant(set->Set->Contains(left));
            return Variant(arrayContains(Right->GetValue(), left));
        }
        return evalIs(left, Right.get(), m_script);
    }

    // The value an operand node reads without side effects and without a
    // copy (a constant, a plain variable), else nullptr.
    static const Variant *slotOf(TscExpressionNode *node)
    {
        if (!node)
            return nullptr;
        if (IsExactly<TscOperandNode>(*node))
            return &static_cast<TscOperandNode *>(node)->Value;
        if (!IsExactly<TscDesignatorNode>(*node))
            return nullptr;
        TscCustomVariable *item = static_cast<TscDesignatorNode *>(node)->Item;
        return HoldsPlainValue(*item) ? &item->Value : nullptr;
    }

    // What a designator operand reads: its item, without the node between;
    // nullptr for any other node.
    static TscCustomVariable *itemOf(TscExpressionNode *node)
    {
        return IsExactly<TscDesignatorNode>(*node) ? static_cast<TscDesignatorNode *>(node)->Item : nullptr;
    }

    // Bound on the first evaluation, when the tree is complete.
    void bindSlots()
    {
        m_leftSlot = slotOf(Left.get());
        m_rightSlot = slotOf(Right.get());
        m_leftItem = itemOf(Left.get());
        m_rightItem = itemOf(Right.get());
        m_slotsBound = true;
    }

    Variant leftValue() { return m_leftItem ? m_leftItem->GetValue() : Left->GetValue(); }
    Variant rightValue() { return m_rightItem ? m_rightItem->GetValue() : Right->GetValue(); }

    // Reads both operands of a binary operator, left first, and hands them
    // to apply. Reading the right side cannot change a left one read in
    // place; any other left operand is copied before the right is read.
    template <class Apply>
    std::invoke_result_t<Apply, const Variant &, const Variant &> withOperands(Apply apply)
    {
        if (!m_slotsBound)
            bindSlots();
        if (m_rightSlot) {
            if (m_leftSlot)
                return apply(*m_leftSlot, *m_rightSlot);
            const Variant left = leftValue();
            return apply(left, *m_rightSlot);
        }
        const Variant left = leftValue();
        return apply(left, rightValue());
    }

    bool compare(const Variant &left, const Variant &right) const
    {
        switch (OpCode) {
        case TscOp::Great: return left.greater(right);
        case TscOp::Less: return left.less(right);
        case TscOp::LessEq: return left.lessOrEqual(right);
        case TscOp::GreatEq: return left.greaterOrEqual(right);
        case TscOp::NonEq: return left.notEquals(right);
        default: return left.equals(right);
        }
    }

    Variant shortCircuit(bool isAnd)
    {
        const Variant left = Left->GetValue();
        if (!IsBoolean)
            return isAnd ? left.logicalAnd(Right->GetValue()) : left.logicalOr(Right->GetValue());
        return left.toBool() == isAnd ? Right->GetValue() : left;
    }

    Variant binary(const Variant &left, const Variant &right) const
    {
        switch (OpCode) {
        case TscOp::Great:
        case TscOp::Less:
        case TscOp::LessEq:
        case TscOp::GreatEq:
        case TscOp::NonEq:
        case TscOp::Eq: return Variant(compare(left, right));
        case TscOp::Plus: return left.add(right);
        case TscOp::StrCat:
            if (left.isString())
                return Variant(left.toString() + (right.isNull() ? QString() : right.toString()));
            return left.add(right);
        case TscOp::Minus: return left.subtract(right);
        case TscOp::Xor: return left.logicalXor(right);
        case TscOp::Mul: return left.multiply(right);
        case TscOp::DivFloat: return left.divide(right);
        case TscOp::DivInt: return left.intDivide(right);
        case TscOp::Mod: return left.modulo(right);
        case TscOp::Shl: return left.shiftLeft(right);
        case TscOp::Shr: return left.shiftRight(right);
        default: return Variant::null();
        }
    }

    TscScript *m_script;
    const Variant *m_leftSlot = nullptr;
    const Variant *m_rightSlot = nullptr;
    TscCustomVariable *m_leftItem = nullptr;
    TscCustomVariable *m_rightItem = nullptr;
    bool m_slotsBound = false;
};

} // namespace

TscExpression::TscExpression(TscScript *script, TscOperatorNode &top)
    : Current(&top), Script(script), m_top(&top)
{
}

TscExpression::~TscExpression() = default;

void TscExpression::attach(std::unique_ptr<TscExpressionNode> node)
{
    node->SourcePos = SourcePos;
    node->Parent = Current;
    TscExpressionNode *raw = node.get();
    if (!Current->Left)
        Current->Left = std::move(node);
    else
        Current->Right = std::move(node);
    Current = raw;
}

void TscExpression::AddConst(const Variant &value)
{
    attach(std::make_unique<TscOperandNode>(value));
}

void TscExpression::AddDesignator(std::unique_ptr<TscDesignator> designator)
{
    attach(std::make_unique<TscDesignatorNode>(std::move(designator)));
}

void TscExpression::AddVariable(TscCustomVariable &variable)
{
    attach(std::make_unique<TscDesignatorNode>(variable));
}

void TscExpression::AddSet(std::unique_ptr<TscSetExpression> set)
{
    attach(std::make_unique<TscSetNode>(std::move(set)));
}

namespace {

// text lower-cased and packed as packedText packs the table's texts; 0
// when it is no such text (empty, longer, or not plain ASCII).
quint64 packedLowerText(QStringView text)
{
    if (text.size() > 7)
        return 0;
    quint64 value = 0;
    for (qsizetype i = text.size(); i-- > 0;) {
        char16_t c = text[i].unicode();
        if (c == 0 || c >= 0x80)
            return 0;
        if (c >= 'A' && c <= 'Z')
            c = char16_t(c - 'A' + 'a');
        value = value << 8 | c;
    }
    return value;
}

const OpInfo *findOperator(QStringView text)
{
    if (const quint64 packed = packedLowerText(text)) {
        for (const OpInfo &info : opTable)
            if (info.packed == packed)
                return &info;
        return nullptr;
    }
    for (const OpInfo &info : opTable)
        if (lowersTo(text, info.text))
            return &info;
    return nullptr;
}

} // namespace

void TscExpression::AddOperator(QStringView text)
{
    if (const OpInfo *found = findOperator(text)) {
        const OpInfo &info = *found;
        if (info.op == TscOp::RightBracket)
            return closeBracket();
        auto node = std::make_unique<EvalNode>(info.op, info.priority, Script);
        if (info.op == TscOp::LeftBracket || info.op == TscOp::Not || info.op == TscOp::UnMinus)
            return attach(std::move(node));
        return addBinary(std::move(node));
    }
    throw ScriptBuildError(QStringLiteral("Unknown operator '%1'").arg(text.toString().toLower()));
}

void TscExpression::closeBracket()
{
    TscExpressionNode *node = Current;
    while (node && node->Priority() <= 5)
        node = node->Parent;
    if (!node || !isOperator(node, TscOp::LeftBracket) || !node->Left)
        throw ScriptBuildError(scriptMessage(ScriptMessage::IncompatibleTypes));
    TscExpressionNode *parent = node->Parent;
    std::unique_ptr<TscExpressionNode> inner = std::move(node->Left);
    inner->Parent = parent;
    TscExpressionNode *raw = inner.get();
    // The "(" node dies when its slot in the parent is overwritten.
    if (parent->Left.get() == node)
        parent->Left = std::move(inner);
    else
        parent->Right = std::move(inner);
    Current = raw;
}

void TscExpression::addBinary(std::unique_ptr<TscOperatorNode> op)
{
    op->SourcePos = SourcePos;
    if (Current == m_top) {
        op->Parent = Current;
        TscOperatorNode *raw = op.get();
        (Current->Left ? Current->Right : Current->Left) = std::move(op);
        Current = raw;
        return;
    }
    TscExpressionNode *a = Current;
    TscExpressionNode *t = nullptr;
    if (!isOperator(Current, TscOp::LeftBracket)) {
        t = Current;
        a = t->Parent;
        while (a->Priority() <= op->Priority()) {
            t = a;
            a = a->Parent;
        }
    }
    TscOperatorNode *raw = op.get();
    op->Parent = a;
    if (t) {
        std::unique_ptr<TscExpressionNode> &slot = a->Left.get() == t ? a->Left : a->Right;
        std::unique_ptr<TscExpressionNode> detached = std::move(slot);
        detached->Parent = raw;
        op->Left = std::move(detached);
        slot = std::move(op);
    } else {
        (a->Left ? a->Right : a->Left) = std::move(op);
    }
    Current = raw;
}

TscSourcePos TscExpression::check(TscExpressionNode *node)
{
    auto *op = node->AsOperator();
    if (!op)
        return TscSourcePos();
    TscSourcePos error = node->Left ? check(node->Left.get()) : TscSourcePos();
    const TscSourcePos rightError = node->Right ? check(node->Right.get()) : TscSourcePos();
    if (error.isEmpty())
        error = rightError;
    const int left = node->Left ? int(node->Left->TypeCode) : int(tcVariant);
    const int right = node->Right ? int(node->Right->TypeCode) : int(tcVariant);
    // Read in place: every operator of every expression passes here.
    static const QString noName;
    const QString &leftName = node->Left ? node->Left->TypeName : noName;
    const QString &rightName = node->Right ? node->Right->TypeName : noName;
    op->IsBoolean = left == tcBoolean && right == tcBoolean;
    // Every operator needs its operands; a tree without them never runs.
    const bool unary = op->OpCode == TscOp::Not || op->OpCode == TscOp::UnMinus;
    const bool complete = node->Left && (unary || node->Right) && op->OpCode != TscOp::LeftBracket;
    const bool fits = complete
        && ((op->OpCode == TscOp::Is && left == tcClass && right == tcClass)
            || (TypesCompatible(left, leftName, right, rightName, Script) && operatorAllowed(op->OpCode, left)));
    if (!fits && error.isEmpty())
        error = node->SourcePos.isEmpty() ? TscSourcePos::numbers(0, 0) : node->SourcePos;
    node->TypeCode = quint8(left);
    node->TypeName = leftName;
    if ((left == tcInteger && right == tcFloat) || (left == tcFloat && right == tcInteger)
        || (left == tcInteger && right == tcInteger && op->OpCode == TscOp::DivFloat))
        node->TypeCode = tcFloat;
    if (isComparison(op->OpCode) || op->OpCode == TscOp::In || op->OpCode == TscOp::Is)
        node->TypeCode = tcBoolean;
    return error;
}

TscSourcePos TscExpression::Finalize()
{
    std::unique_ptr<TscExpressionNode> inner = m_top ? std::move(m_top->Left) : std::move(Root);
    m_top = nullptr;
    if (!inner)
        inner = std::make_unique<TscOperandNode>(Variant::null());
    inner->Parent = nullptr;
    Root = std::move(inner);
    Current = Root.get();
    const TscSourcePos error = check(Root.get());
    TypeCode = Root->TypeCode;
    TypeName = Root->TypeName;
    auto *dnode = Root->AsDesignatorNode();
    ReadOnly = !(dnode && !dnode->TargetReadOnly);
    return error;
}

void TscExpression::SetValue(const Variant &value)
{
    if (ReadOnly)
        return;
    // A plain variable assigns as its variable designator would.
    if (auto *dnode = dynamic_cast<TscDesignatorNode *>(Root.get()))
        dnode->Designator ? dnode->Designator->SetValue(value) : dnode->Item->SetValue(value);
}

QString TscExpression::Source() const
{
    return m_source ? m_source->text.mid(m_source->start, m_source->length) : QString();
}

void TscExpression::SetSource(const QString &text, qsizetype start, qsizetype length)
{
    if (!m_source)
        m_source = std::make_unique<SourceSpan>();
    m_source->text = text;
    m_source->start = start;
    m_source->length = length;
}

TscCustomVariable *TscExpression::SingleItemOf(TscExpressionNode *root)
{
    if (!root)
        return nullptr;
    if (auto *dnode = root->AsDesignatorNode())
        return dnode->Item;
    if (root->AsOperator())
        return nullptr;
    if (IsExactly<TscOperandNode>(*root))
        return static_cast<TscOperandNode *>(root);
    return nullptr;
}

namespace {

bool isSameVariable(const TscExpressionNode *node, const TscCustomVariable &target)
{
    const TscDesignatorNode *dnode = node ? node->AsDesignatorNode() : nullptr;
    if (!dnode)
        return false;
    if (!dnode->Designator)
        return dnode->Item == &target;
    return dnode->Designator->Shape == TscDesignatorShape::Variable && !dnode->Designator->LateSource
        && dnode->Designator->LinkedItem == &target;
}

} // namespace

QString TscExpression::OptimizeAssignment(const TscCustomVariable &target)
{
    auto *op = Root ? Root->AsOperator() : nullptr;
    if (!op)
        return QStringLiteral(" ");
    // "strcat" must stay: s := s & 1 concatenates text, an add-assign would add.
    QString modifier;
    switch (op->OpCode) {
    case TscOp::Plus: modifier = QStringLiteral("+"); break;
    case TscOp::Minus: modifier = QStringLiteral("-"); break;
    case TscOp::Mul: modifier = QStringLiteral("*"); break;
    case TscOp::DivFloat: modifier = QStringLiteral("/"); break;
    default: return QStringLiteral(" ");
    }
    const int varType = target.TypeCode;
    if (isSameVariable(op->Left.get(), target)) {
        std::unique_ptr<TscExpressionNode> rest = std::move(op->Right);
        Root = std::move(rest);
    } else if (isSameVariable(op->Right.get(), target) && (modifier == QLatin1String("+") || modifier == QLatin1String("*"))
               && varType != tcString && varType != tcVariant) {
        std::unique_ptr<TscExpressionNode> rest = std::move(op->Left);
        Root = std::move(rest);
    } else {
        return QStringLiteral(" ");
    }
    Root->Parent = nullptr;
    return modifier;
}

} // namespace bralvo::script
