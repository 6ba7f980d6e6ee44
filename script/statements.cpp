// Statement execution on the program's control flags.
#include "script/statements.h"

#include "script/designators.h"
#include "script/expressions.h"
#include "script/runtimeerror.h"
#include "script/tschelpers.h"
#include "script/tscscript.h"

#include <typeinfo>

namespace bralvo::script {

TscStatement::TscStatement(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName)
    : ProgScript(prog), SourcePos(sourcePos), UnitName(unitName)
{
}

TscStatement::~TscStatement() = default;

void TscStatement::Add(std::unique_ptr<TscStatement> statement)
{
    m_list.push_back(std::move(statement));
}

void TscStatement::Execute()
{
    ExecuteBlock();
}

void TscStatement::ExecuteBlock()
{
    TscScript &prog = *ProgScript;
    for (const auto &statement : m_list) {
        if (prog.TerminateFlag)
            return;
        statement->Execute();
        if (prog.BreakFlag || prog.ContinueFlag || prog.ExitFlag)
            return;
    }
}

void TscStatement::RunLine()
{
    for (TscScript *script = ProgScript; script; script = script->ParentScript) {
        if (script->OnRunLine)
            return reportLine(*script);
    }
}

bool TscStatement::StartStep()
{
    // RunLine inlined: most programs have no line hook at all.
    for (TscScript *script = ProgScript; script; script = script->ParentScript) {
        if (script->OnRunLine) {
            reportLine(*script);
            break;
        }
    }
    return ProgScript->TerminateFlag;
}

// Apart from the loops above: only a hook needs the texts made.
Q_NEVER_INLINE void TscStatement::reportLine(TscScript &hooked)
{
    hooked.OnRunLine(ProgScript, UnitName.text(), SourcePos.text());
}

namespace {

// After one round of a loop body: true when the loop must end.
bool endOfRound(TscScript &prog)
{
    if (prog.BreakFlag || prog.ExitFlag)
        return true;
    prog.ContinueFlag = false;
    return false;
}

bool isTrue(const TscExpressionTree &test)
{
    return test.IsTrue();
}

} // namespace

TscAssignmentStmt::~TscAssignmentStmt() = default;

void TscAssignmentStmt::Optimize()
{
    if (Subject)
        TargetVar = Subject->Shape == TscDesignatorShape::Variable && !Subject->LateSource
                        ? Subject->LinkedItem
                        : static_cast<TscCustomVariable *>(Subject.get());
    TscCustomVariable *single = TscExpression::SingleItemOf(ValueExpr.get());
    SourceExpr = single;
    m_sourceNode = single ? nullptr : ValueExpr.get();
    m_targetSlot = HoldsPlainValue(*TargetVar) ? &TargetVar->Value : nullptr;
    m_sourceSlot = single && (HoldsPlainValue(*single) || IsExactly<TscOperandNode>(*single)) ? &single->Value
                                                                                               : nullptr;
    m_sourceOperator = m_sourceNode ? m_sourceNode->AsOperator() : nullptr;
}

void TscAssignmentStmt::Execute()
{
    if (StartStep())
        return;
    if (m_targetSlot && !TargetVar->ReadOnly) {
        if (m_sourceOperator)
            m_sourceOperator->GetValueInto(*m_targetSlot);
        else
            *m_targetSlot = sourceValue();
    } else
        TargetVar->SetValue(sourceValue());
}

void TscAssignOpStmt::Execute()
{
    if (StartStep())
        return;
    if (m_targetSlot && m_sourceSlot && !TargetVar->ReadOnly) {
        // Reading the operand has no side effect: no copy of either side.
        switch (m_op.unicode()) {
        case '+': m_targetSlot->addTo(*m_sourceSlot, *m_targetSlot); return;
        case '-': m_targetSlot->subtractTo(*m_sourceSlot, *m_targetSlot); return;
        case '*': m_targetSlot->multiplyTo(*m_sourceSlot, *m_targetSlot); return;
        default: *m_targetSlot = m_targetSlot->divide(*m_sourceSlot); return;
        }
    }
    if (m_op == QLatin1Char('+') && m_sourceSlot && m_sourceSlot->isString()
        && IsExactly<TscStringVariable>(*TargetVar)) {
        // Text + text appends: grow the variable's own text in place instead
        // of copying it whole for every append.
        static_cast<TscStringVariable *>(TargetVar)->Text += m_sourceSlot->toString();
        return;
    }
    const Variant current = m_targetSlot ? *m_targetSlot : TargetVar->GetValue();
    const Variant operand = sourceValue();
    if (m_targetSlot && !TargetVar->ReadOnly) {
        // Straight into the variable's value: no temporary for numbers.
        switch (m_op.unicode()) {
        case '+': current.addTo(operand, *m_targetSlot); return;
        case '-': current.subtractTo(operand, *m_targetSlot); return;
        case '*': current.multiplyTo(operand, *m_targetSlot); return;
        default: *m_targetSlot = current.divide(operand); return;
        }
    }
    switch (m_op.unicode()) {
    case '+': TargetVar->SetValue(current.add(operand)); break;
    case '-': TargetVar->SetValue(current.subtract(operand)); break;
    case '*': TargetVar->SetValue(current.multiply(operand)); break;
    default: TargetVar->SetValue(current.divide(operand)); break;
    }
}

TscCallStmt::~TscCallStmt() = default;

void TscCallStmt::Execute()
{
    if (StartStep())
        return;
    if (StepSign.isEmpty()) {
        Subject->ResultWanted = false;
        Subject->GetValue();
    } else {
        const Variant value = Subject->GetValue();
        Subject->SetValue(StepSign == QLatin1String("+") ? value.add(Variant(1)) : value.subtract(Variant(1)));
    }
}

TscIfStmt::TscIfStmt(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName)
    : TscStatement(prog, sourcePos, unitName), ElseBlock(prog, sourcePos, unitName)
{
}

TscIfStmt::~TscIfStmt() = default;

void TscIfStmt::Execute()
{
    if (StartStep())
        return;
    if (isTrue(Test))
        ExecuteBlock();
    else
        ElseBlock.Execute();
}

TscCaseSelector::~TscCaseSelector() = default;

TscCaseStmt::TscCaseStmt(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName)
    : TscStatement(prog, sourcePos, unitName), ElseBlock(prog, sourcePos, unitName)
{
}

TscCaseStmt::~TscCaseStmt() = default;

void TscCaseStmt::AddSelector(std::unique_ptr<TscCaseSelector> selector)
{
    m_selectors.push_back(std::move(selector));
}

void TscCaseStmt::Execute()
{
    const Variant value = Test->GetValue();
    if (StartStep())
        return;
    for (const auto &selector : m_selectors) {
        if (selector->MatchSet->Contains(value)) {
            selector->Execute();
            return;
        }
    }
    ElseBlock.Execute();
}

TscRepeatStmt::~TscRepeatStmt() = default;

void TscRepeatStmt::Execute()
{
    if (StartStep())
        return;
    TscScript &prog = *ProgScript;
    for (;;) {
        ExecuteBlock();
        if (endOfRound(prog) || prog.TerminateFlag || prog.PollStop())
            break;
        const bool value = isTrue(Test);
        if (StopOnFalse ? !value : value)
            break;
    }
    prog.BreakFlag = false;
}

TscWhileStmt::~TscWhileStmt() = default;

void TscWhileStmt::Execute()
{
    if (StartStep())
        return;
    TscScript &prog = *ProgScript;
    while (!prog.TerminateFlag && isTrue(Test)) {
        ExecuteBlock();
        if (endOfRound(prog) || prog.TerminateFlag || prog.PollStop())
            break;
    }
    prog.BreakFlag = false;
}

TscForStmt::~TscForStmt() = default;

void TscForStmt::Execute()
{
    // 64-bit bounds and count: "to MaxInt" ends instead of wrapping around.
    const qint64 from = FromExpr->GetValue().toInt64();
    const qint64 to = ToExpr->GetValue().toInt64();
    if (StartStep())
        return;
    TscScript &prog = *ProgScript;
    if (Downward ? from < to : to < from)
        return;
    const quint64 rounds = Downward ? quint64(from) - quint64(to) : quint64(to) - quint64(from);
    qint64 current = from;
    for (quint64 round = 0;; ++round) {
        LoopVar->Value = current >= INT_MIN && current <= INT_MAX ? Variant(int(current)) : Variant(current);
        ExecuteBlock();
        if (endOfRound(prog) || prog.TerminateFlag || prog.PollStop() || round == rounds)
            break;
        current += Downward ? -1 : 1;
    }
    prog.BreakFlag = false;
}

TscVbForStmt::~TscVbForStmt() = default;

void TscVbForStmt::Execute()
{
    Variant current = FromExpr->GetValue();
    const Variant to = ToExpr->GetValue();
    const Variant step = StepExpr ? StepExpr->GetValue() : Variant(1);
    if (StartStep())
        return;
    TscScript &prog = *ProgScript;
    const bool down = step.less(Variant(0));
    while (!prog.TerminateFlag && (down ? current.greaterOrEqual(to) : current.lessOrEqual(to))) {
        LoopVar->Value = current;
        ExecuteBlock();
        if (endOfRound(prog) || prog.TerminateFlag || prog.PollStop())
            break;
        current = current.add(step);
    }
    prog.BreakFlag = false;
}

TscCppForStmt::TscCppForStmt(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName)
    : TscStatement(prog, sourcePos, unitName),
      InitBlock(prog, sourcePos, unitName),
      StepBlock(prog, sourcePos, unitName)
{
}

TscCppForStmt::~TscCppForStmt() = default;

void TscCppForStmt::Execute()
{
    if (StartStep())
        return;
    TscScript &prog = *ProgScript;
    InitBlock.Execute();
    while (!prog.TerminateFlag && isTrue(Test)) {
        ExecuteBlock();
        if (endOfRound(prog) || prog.TerminateFlag || prog.PollStop())
            break;
        StepBlock.Execute();
    }
    prog.BreakFlag = false;
}

TscTryStmt::TscTryStmt(TscScript *prog, TscSourcePos sourcePos, TscUnitRef unitName)
    : TscStatement(prog, sourcePos, unitName),
      HandlerBlock(prog, sourcePos, unitName)
{
}

TscTryStmt::~TscTryStmt() = default;

void TscTryStmt::runFinally()
{
    TscScript &prog = *ProgScript;
    const bool savedBreak = prog.BreakFlag;
    const bool savedContinue = prog.ContinueFlag;
    const bool savedExit = prog.ExitFlag;
    prog.BreakFlag = prog.ContinueFlag = prog.ExitFlag = false;
    HandlerBlock.Execute();
    // The finally part's own break/continue/exit must not outlive it.
    prog.BreakFlag = savedBreak;
    prog.ContinueFlag = savedContinue;
    prog.ExitFlag = savedExit || prog.ExitFlag;
}

void TscTryStmt::Execute()
{
    if (StartStep())
        return;
    if (!CatchMode) {
        try {
            ExecuteBlock();
        } catch (...) {
            runFinally();
            throw;
        }
        runFinally();
        return;
    }
    try {
        ExecuteBlock();
    } catch (const bralvo::Error &error) {
        ProgScript->SetVariable(QStringLiteral("ExceptionClassName"), Variant(exceptionClassName(error)));
        ProgScript->SetVariable(QStringLiteral("ExceptionMessage"), Variant(exceptionMessage(error)));
        HandlerBlock.Execute();
    }
}

void TscBreakStmt::Execute()
{
    ProgScript->BreakFlag = true;
}

void TscContinueStmt::Execute()
{
    ProgScript->ContinueFlag = true;
}

void TscExitStmt::Execute()
{
    RunLine();
    ProgScript->ExitFlag = true;
}

TscWithStmt::~TscWithStmt() = default;

void TscWithStmt::Execute()
{
    ExecuteBlock();
    WithVar->Value = Subject->GetValue();
}

} // namespace bralvo::script
