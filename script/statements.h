// Statements: compiled script code is a tree of statement objects, each
// also a block of statements, run directly on the program's flags
// (BreakFlag, ContinueFlag, ExitFlag, TerminateFlag) and on designators and
// expressions. The same classes serve all four languages.
#pragma once

#include "script/designators.h"
#include "script/expressions.h"
#include "script/tschelpers.h"

namespace bralvo::script {

// Statement lists are many and short: their storage comes from the block
// pool, as the statements themselves do.
template <class T>
using TscOwnedList = std::vector<std::unique_ptr<T>, blockpool::Allocator<std::unique_ptr<T>>>;

class TscStatement : public TscObject {
public:
    explicit TscStatement(TscScript *prog, TscSourcePos sourcePos = TscSourcePos(),
                          TscUnitRef unitName = TscUnitRef());
    ~TscStatement() override;

    void Add(std::unique_ptr<TscStatement> statement);
    // Room for count more statements without growing.
    void Reserve(int count) { m_list.reserve(m_list.size() + size_t(count)); }
    int Count() const { return int(m_list.size()); }
    TscStatement *At(int index) const { return m_list[size_t(index)].get(); }
    void Clear() { m_list.clear(); }

    // Runs the block: each statement in order while not terminated; stops
    // after one that set BreakFlag, ContinueFlag or ExitFlag.
    virtual void Execute();
    void RunLine();

    TscScript *ProgScript = nullptr;
    TscSourcePos SourcePos;
    TscUnitRef UnitName;

protected:
    void ExecuteBlock();
    // RunLine, then true when the program has been terminated.
    bool StartStep();
    // Calls hooked's OnRunLine for this statement.
    void reportLine(TscScript &hooked);

    TscOwnedList<TscStatement> m_list;
};

class TscAssignmentStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    ~TscAssignmentStmt() override;
    // Binds TargetVar and SourceExpr once the statement is complete.
    void Optimize();
    void Execute() override;

    // Empty when the target is a plain variable: TargetVar is set instead.
    std::unique_ptr<TscDesignator> Subject;
    TscExpressionTree ValueExpr;
    TscCustomVariable *TargetVar = nullptr;
    // The item a single operand reads (variable, designator, constant),
    // else nullptr.
    TscCustomVariable *SourceExpr = nullptr;

protected:
    // The value assigned: an operator tree is read through its root, since
    // the expression would only hand the call on.
    Variant sourceValue() { return m_sourceNode ? m_sourceNode->GetValue() : SourceExpr->GetValue(); }

    // ValueExpr's root when there is no SourceExpr, else nullptr.
    TscExpressionNode *m_sourceNode = nullptr;
    // TargetVar's own Value when it is a plain variable or parameter (no
    // read or write of its own to go through), else nullptr; the same for
    // SourceExpr, which may also be a constant.
    Variant *m_targetSlot = nullptr;
    const Variant *m_sourceSlot = nullptr;
    // SourceExpr when it is an operator node: its result is written into
    // m_targetSlot with no temporary.
    TscOperatorNode *m_sourceOperator = nullptr;
};

// Compound assignments: target := target op value (variant arithmetic).
class TscAssignOpStmt : public TscAssignmentStmt {
public:
    TscAssignOpStmt(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName, QChar op)
        : TscAssignmentStmt(prog, sourcePos, unitName), m_op(op) {}
    void Execute() override;

private:
    QChar m_op;
};

class TscCallStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    ~TscCallStmt() override;
    void Execute() override;

    std::unique_ptr<TscDesignator> Subject;
    QString StepSign; // "", "+" or "-"
};

class TscIfStmt : public TscStatement {
public:
    TscIfStmt(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName);
    ~TscIfStmt() override;
    void Execute() override;

    TscExpressionTree Test;
    TscStatement ElseBlock; // a block of its own: no allocation when empty
};

class TscCaseSelector : public TscStatement {
public:
    using TscStatement::TscStatement;
    ~TscCaseSelector() override;

    std::unique_ptr<TscSetExpression> MatchSet;
};

class TscCaseStmt : public TscStatement {
public:
    TscCaseStmt(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName);
    ~TscCaseStmt() override;
    void Execute() override;
    void AddSelector(std::unique_ptr<TscCaseSelector> selector);

    TscExpressionTree Test;
    TscStatement ElseBlock; // a block of its own: no allocation when empty

private:
    TscOwnedList<TscCaseSelector> m_selectors;
};

class TscRepeatStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    ~TscRepeatStmt() override;
    void Execute() override;

    TscExpressionTree Test;
    bool StopOnFalse = false;
};

class TscWhileStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    ~TscWhileStmt() override;
    void Execute() override;

    TscExpressionTree Test;
};

// for..to / for..downto; the count is 64-bit, so bounds near the 32-bit
// limits neither overflow nor wrap.
class TscForStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    ~TscForStmt() override;
    void Execute() override;

    TscExpressionTree FromExpr;
    bool Downward = false;
    TscExpressionTree ToExpr;
    TscCustomVariable *LoopVar = nullptr;
};

class TscVbForStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    ~TscVbForStmt() override;
    void Execute() override;

    TscExpressionTree FromExpr;
    TscExpressionTree ToExpr;
    TscExpressionTree StepExpr; // may be empty
    TscCustomVariable *LoopVar = nullptr;
};

class TscCppForStmt : public TscStatement {
public:
    TscCppForStmt(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName);
    ~TscCppForStmt() override;
    void Execute() override;

    TscStatement InitBlock;
    TscExpressionTree Test;
    TscStatement StepBlock;
};

// try..except (CatchMode) and try..finally. A finally part runs with every
// control flag saved and cleared, and all of them are restored after it, so
// a pending break, continue or exit neither cuts the finally part short nor
// gets lost.
class TscTryStmt : public TscStatement {
public:
    TscTryStmt(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName);
    ~TscTryStmt() override;
    void Execute() override;

    bool CatchMode = false;
    TscStatement HandlerBlock;

private:
    void runFinally();
};

class TscBreakStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    void Execute() override;
};

class TscContinueStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    void Execute() override;
};

class TscExitStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    void Execute() override;
};

class TscWithStmt : public TscStatement {
public:
    using TscStatement::TscStatement;
    ~TscWithStmt() override;
    void Execute() override;

    std::unique_ptr<TscDesignator> Subject;
    TscCustomVariable *WithVar = nullptr;
};

} // namespace bralvo::script
