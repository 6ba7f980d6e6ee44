// Compiled expressions. The builder feeds the flat token sequence of an
// intermediate "expr" element (operands and operators in source order,
// parentheses included); the tree is built by precedence as tokens arrive
// (lower priority binds tighter, equal priorities associate to the left).
// Finalize checks operand types and fixes the result type; evaluation walks
// the tree with Variant arithmetic and throws the Variant's errors.
#pragma once

#include "script/tscitems.h"

namespace bralvo::script {

class TscDesignator;
class TscDesignatorNode;
class TscOperatorNode;
class TscSetExpression;

// A node of an expression tree. Not a script item: a program holds
// thousands of nodes, and none has a name, parameters or a value of its
// own to carry (TscOperandNode, the constant, is also an item).
class TscExpressionNode {
public:
    TscExpressionNode() = default;
    virtual ~TscExpressionNode();
    TscExpressionNode(const TscExpressionNode &) = delete;
    TscExpressionNode &operator=(const TscExpressionNode &) = delete;
    // Made and freed with the rest of a program: from the block pool.
    static void *operator new(std::size_t size) { return blockpool::take(size); }
    static void operator delete(void *block, std::size_t size) noexcept { blockpool::give(block, size); }

    virtual int Priority() const = 0;
    // Evaluates the subtree; throws what evaluating its operands throws.
    virtual Variant GetValue() = 0;
    // The node as an operator, or nullptr: building and checking ask this
    // of every node, where a cast would cost more than the rest.
    virtual TscOperatorNode *AsOperator() { return nullptr; }
    const TscOperatorNode *AsOperator() const { return const_cast<TscExpressionNode *>(this)->AsOperator(); }
    // The same for a designator operand.
    virtual TscDesignatorNode *AsDesignatorNode() { return nullptr; }
    const TscDesignatorNode *AsDesignatorNode() const
    {
        return const_cast<TscExpressionNode *>(this)->AsDesignatorNode();
    }

    std::unique_ptr<TscExpressionNode> Left;
    std::unique_ptr<TscExpressionNode> Right;
    TscExpressionNode *Parent = nullptr;
    TscSourcePos SourcePos;
    quint8 TypeCode = tcVariant;
    QString TypeName;
};

// A constant, also an item whose Value is the constant (so that code bound
// to an item may read it in place). Its type is the same as item and as
// node.
class TscOperandNode : public TscExpressionNode, public TscCustomVariable {
public:
    explicit TscOperandNode(const Variant &value);
    using TscObject::operator new;
    using TscObject::operator delete;
    int Priority() const override { return 0; }
    Variant GetValue() override { return Value; }

    using TscExpressionNode::SourcePos;
    using TscExpressionNode::TypeCode;
    using TscExpressionNode::TypeName;
};

// An operand read through a designator, or, for the commonest operand, a
// plain variable or parameter read directly with no designator at all.
class TscDesignatorNode : public TscExpressionNode {
public:
    explicit TscDesignatorNode(std::unique_ptr<TscDesignator> designator);
    // A plain variable or parameter, read directly: typed as it is.
    explicit TscDesignatorNode(TscCustomVariable &variable);
    ~TscDesignatorNode() override;
    int Priority() const override { return 0; }
    Variant GetValue() override { return Item->GetValue(); }
    TscDesignatorNode *AsDesignatorNode() override { return this; }

    // The item the chain starts with (the variable when there is no
    // designator).
    TscCustomVariable *FirstTarget() const;

    std::unique_ptr<TscDesignator> Designator; // empty for a plain variable
    // The plain variable for a variable designator, else the designator.
    TscCustomVariable *Item = nullptr;
    // Whether what the node reads cannot be assigned (as its designator
    // was when built).
    bool TargetReadOnly = false;
};

class TscSetNode : public TscExpressionNode {
public:
    explicit TscSetNode(std::unique_ptr<TscSetExpression> set);
    ~TscSetNode() override;
    int Priority() const override { return 0; }
    Variant GetValue() override;

    std::unique_ptr<TscSetExpression> Set;
};

// Operator codes.
enum class TscOp : quint8 {
    None = 0, Great, Less, LessEq, GreatEq, NonEq, Eq, Plus, Minus, Or, Xor, Mul, DivFloat,
    DivInt, Mod, And, Shl, Shr, LeftBracket, RightBracket, Not, UnMinus, In, Is, StrCat
};

class TscOperatorNode : public TscExpressionNode {
public:
    TscOperatorNode(TscOp op, int priority) : OpCode(op), m_priority(priority) {}
    int Priority() const override { return m_priority; }
    // Null: the operators a tree holds evaluate as their code says; a plain
    // operator node is only the top an expression is built under.
    Variant GetValue() override { return Variant::null(); }
    TscOperatorNode *AsOperator() override { return this; }
    // Code as the operator table numbers it ("strcat" shares 7 with "+").
    int Code() const;
    // GetValue().toBool(), without the Variant where the operator yields
    // the truth itself (comparisons).
    virtual bool IsTrue() { return GetValue().toBool(); }
    // target = GetValue(), without the temporary where the result can be
    // written into target directly. Operands are read first, so target
    // may be one of them; on an error target keeps its value.
    virtual void GetValueInto(Variant &target) { target = GetValue(); }

    TscOp OpCode;
    bool IsBoolean = false;

private:
    int m_priority;
};

// Built token by token below a top node that the builder keeps (on its
// stack, so that an expression costs no node of its own) until Finalize
// takes the tree out of it; the top must outlive the building.
class TscExpression final : public TscCustomExpression {
public:
    TscExpression(TscScript *script, TscOperatorNode &top);
    ~TscExpression() override;

    // A top for building: an operator above every other.
    static TscOperatorNode MakeTop() { return TscOperatorNode(TscOp::None, 7); }

    void AddConst(const Variant &value);
    void AddDesignator(std::unique_ptr<TscDesignator> designator);
    // A plain variable or parameter (what a designator of the variable
    // shape reads): the operand reads it with no designator.
    void AddVariable(TscCustomVariable &variable);
    void AddSet(std::unique_ptr<TscSetExpression> set);
    // Any case. Throws ScriptBuildError for an unknown operator text or a
    // ")" without "(".
    void AddOperator(QStringView text);
    // Empty when the types fit, else the SourcePos of the first operator
    // whose operands do not.
    TscSourcePos Finalize();

    Variant GetValue() override { return Root->GetValue(); }
    // GetValue().toBool(), as a condition of if, while and repeat reads it.
    bool IsTrue() { return IsTrueTree(*Root); }
    // Assigns through the root designator (by-reference arguments).
    void SetValue(const Variant &value) override;

    // "+", "-", "*", "/" when target := target op e was rewritten, else " ".
    // Only "+" (not "strcat") is rewritten for code 7. target is the plain
    // variable assigned to.
    QString OptimizeAssignment(const TscCustomVariable &target);
    // Root's Item for a designator root, the node for a constant, else nullptr.
    TscCustomVariable *SingleItem() const { return SingleItemOf(Root.get()); }
    // The same for any tree (nullptr for none).
    static TscCustomVariable *SingleItemOf(TscExpressionNode *root);
    // root.GetValue().toBool(), without the Variant where the root
    // operator yields the truth itself.
    static bool IsTrueTree(TscExpressionNode &root)
    {
        TscOperatorNode *op = root.AsOperator();
        return op ? op->IsTrue() : root.GetValue().toBool();
    }
    // Takes the tree out (Finalize first); the expression is of no more use.
    std::unique_ptr<TscExpressionNode> TakeTree()
    {
        Current = nullptr;
        return std::move(Root);
    }

    // The expression as written (null when it was not recorded: the
    // builder records it only for the arguments of host functions that
    // take their arguments' texts, the one place it is read).
    // Only a few host functions ask, so the text is cut out when read.
    QString Source() const;
    // Source becomes text.mid(start, length).
    void SetSource(const QString &text, qsizetype start, qsizetype length);

    std::unique_ptr<TscExpressionNode> Root; // set by Finalize
    TscExpressionNode *Current = nullptr;
    TscScript *Script = nullptr;

private:
    void attach(std::unique_ptr<TscExpressionNode> node);
    void addBinary(std::unique_ptr<TscOperatorNode> op);
    void closeBracket();
    TscSourcePos check(TscExpressionNode *node);

    // Where Source is cut from; absent for nearly every expression.
    struct SourceSpan : TscObject {
        QString text;
        qsizetype start = 0;
        qsizetype length = 0;
    };

    TscOperatorNode *m_top = nullptr; // while building
    std::unique_ptr<SourceSpan> m_source;
};

// A finalized expression's tree without the expression that built it:
// what a statement keeps, since at run time the expression would only
// hand each call on to its root.
class TscExpressionTree {
public:
    TscExpressionTree() = default;
    // Takes expression's tree. Implicit: a statement is given its
    // expression as the builder made it.
    TscExpressionTree(std::unique_ptr<TscExpression> expression)
        : m_root(expression ? expression->TakeTree() : nullptr)
    {
    }

    explicit operator bool() const { return m_root != nullptr; }
    TscExpressionNode *get() const { return m_root.get(); }
    TscExpressionNode *operator->() const { return m_root.get(); }
    TscExpressionNode &operator*() const { return *m_root; }
    bool IsTrue() const { return TscExpression::IsTrueTree(*m_root); }

private:
    std::unique_ptr<TscExpressionNode> m_root;
};

} // namespace bralvo::script
