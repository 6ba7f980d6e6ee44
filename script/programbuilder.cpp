// Building a script from its intermediate program: declarations and
// statements. Expressions and designators are built in
// programbuilder_expr.cpp.
#include "script/programbuilder.h"

#include "script/buildertree.h"
#include "script/designators.h"
#include "script/expressions.h"
#include "script/runtimeerror.h"
#include "script/scriptmessages.h"
#include "script/statements.h"
#include "script/tscclassvariable.h"
#include "script/tscilparser.h"
#include "script/tscxmldocument.h"
#include "script/typerules.h"

namespace bralvo::script {

namespace {

using builder::childNamed;
using builder::attributeText;
using builder::isKind;
using builder::kindOf;
using builder::quoted;

// Runs a call when the scope is left, however it is left.
template <class Call>
class OnExit {
public:
    explicit OnExit(Call call) : m_call(std::move(call)) {}
    OnExit(const OnExit &) = delete;
    OnExit &operator=(const OnExit &) = delete;
    ~OnExit() { m_call(); }

private:
    Call m_call;
};

} // namespace

void compileScript(TscScript &script)
{
    ILParserOptions options;
    options.highCharIdents = script.HighCharIdents;
    if (script.OnGetUnit) {
        options.unitSource = [&script](const QString &unitName) -> std::optional<QString> {
            QString text;
            script.OnGetUnit(&script, unitName, text);
            return text;
        };
    }
    TscILParser parser(options);
    parser.LoadLanguageGrammar(script.SyntaxType);
    // A program given as one text (the usual case) is not copied to join it.
    const QStringList &lines = script.Lines;
    const QString text = NormalizeScriptText(lines.size() == 1 ? lines.first() : lines.join(QLatin1Char('\n')));
    if (!parser.BuildIntermediateProgram(text)) {
        script.ErrorText = parser.ErrorText();
        script.ErrorPosition = parser.ErrorPosition();
        script.ErrorUnitName = parser.ErrorUnitName();
        // A failed parse must never read as success.
        if (script.ErrorText.isEmpty()) {
            script.ErrorText = QStringLiteral("Syntax error");
            if (script.ErrorPosition.isEmpty())
                script.ErrorPosition = QStringLiteral("1:1");
        }
        return;
    }
    const TscParser &lexer = parser.Lexer();
    ProgramBuilder builder(script, parser.Grammar().Root(), parser.NeedDeclareVars(), lexer.Text(),
                           lexer.LineStarts());
    builder.BuildProgramItems(parser.ILScript().Root());
}

ProgramBuilder::ProgramBuilder(TscScript &program, const TscXMLItem *grammarRoot, bool needDeclareVars,
                               const QString &sourceText, const std::vector<int> &lineStarts)
    : m_program(program), m_grammarRoot(grammarRoot), m_needDeclareVars(needDeclareVars), m_sourceText(sourceText)
{
    if (!lineStarts.empty()) {
        m_lineStarts = QList<int>(lineStarts.begin(), lineStarts.end());
        return;
    }
    m_lineStarts.append(0);
    for (int i = 0; i < sourceText.size(); ++i)
        if (sourceText[i] == QLatin1Char('\n'))
            m_lineStarts.append(i + 1);
}

void ProgramBuilder::BuildProgramItems(const TscXMLItem *ilRoot)
{
    m_withList.clear();
    m_errorPosOf = nullptr;
    m_program.ErrorUnitName.clear();
    m_unitName.clear();
    m_unit = TscUnitRef();
    m_ilRoot = ilRoot;
    try {
        if (ilRoot)
            DoProgram(*ilRoot, m_program);
        settleErrorPos();
        m_program.ErrorPosition.clear();
    } catch (const bralvo::Error &error) {
        m_program.ErrorText = error.userText();
        if (m_program.ErrorText.isEmpty())
            m_program.ErrorText = QStringLiteral("Error");
        m_program.ErrorPosition = errorPos();
        m_program.ErrorUnitName = m_unitName;
    }
}

void ProgramBuilder::fail(const QString &message) const
{
    throw ScriptError(message, errorPos());
}

void ProgramBuilder::setErrorPos(const TscXMLItem &element)
{
    // Asked for nearly every element, mostly with the position it has.
    if (&element == m_errorPosOf)
        return;
    // The text is read in the same pass: most elements kept here are
    // asked for it next.
    TscXMLAttributeValues values;
    if (!element.AttributeValues(values))
        return setErrorPosFromText(element);
    // The parser's elements, nearly all: numbers, made into text only when
    // an error is reported.
    m_errorPos = TscSourcePos::numbers(values.line, values.column);
    m_errorPosOf = &element;
    m_errorPosText = values.text;
}

// Kept apart, so that the common case above needs no frame of its own.
Q_NEVER_INLINE void ProgramBuilder::setErrorPosFromText(const TscXMLItem &element)
{
    const builder::RawAttributes attributes = builder::rawAttributes(element);
    const builder::RawPosition raw = attributes.position();
    if (raw.isEmpty())
        return;
    m_errorPos = sourcePosOf(raw);
    m_errorPosOf = &element;
    m_errorPosText = attributes.text;
}

void ProgramBuilder::setErrorPos(TscSourcePos pos)
{
    m_errorPos = pos;
    m_errorPosOf = nullptr;
}

const QString &ProgramBuilder::errorPos() const
{
    m_errorPosShown = m_errorPos.text();
    return m_errorPosShown;
}

void ProgramBuilder::settleErrorPos()
{
    m_errorPosOf = nullptr;
}

TscSourcePos ProgramBuilder::sourcePosOf(const builder::RawPosition &raw)
{
    if (raw.isNumbers)
        return TscSourcePos::numbers(raw.line, raw.column);
    // As Prop gives the attribute: unescaped when it holds an entity.
    if (builder::hasEntity(raw.text))
        return TscSourcePos::fromText(builder::unescapedAttribute(raw.text));
    return TscSourcePos::fromText(raw.text);
}

TscSourcePos ProgramBuilder::positionOf(const TscXMLItem &element) const
{
    // Most elements are asked for the position setErrorPos has just kept:
    // their attributes need no second search.
    if (&element == m_errorPosOf)
        return m_errorPos;
    return sourcePosOf(builder::rawAttributes(element).position());
}

TscSourcePos ProgramBuilder::positionOf(const TscXMLItem &element, const builder::RawPosition &rawPos) const
{
    if (&element == m_errorPosOf)
        return m_errorPos;
    return sourcePosOf(rawPos);
}

QStringView ProgramBuilder::rawTextOf(const TscXMLItem &element) const
{
    return &element == m_errorPosOf ? m_errorPosText : builder::rawAttributes(element).text;
}

QString ProgramBuilder::textOf(const TscXMLItem &element) const
{
    return builder::unescapedAttribute(rawTextOf(element));
}

QString ProgramBuilder::nameOf(const TscXMLItem &element) const
{
    const QStringView raw = rawTextOf(element);
    if (raw.isEmpty() || builder::hasEntity(raw))
        return builder::unescapedAttribute(raw);
    return m_recentNames.sharedText(raw);
}

void ProgramBuilder::record(TscStatement &list, std::unique_ptr<TscStatement> statement)
{
    const TscSourcePos pos = statement->SourcePos;
    list.Add(std::move(statement));
    if (pos.isEmpty())
        return;
    if (!pos.isNumbers())
        return m_program.AddCodeLine(m_unitName, pos.text());
    // Only read: the digits need no text of their own.
    const builder::PositionDigits digits(pos.line(), pos.column());
    const QStringView view = digits.view();
    m_program.AddCodeLine(m_unitName, QString::fromRawData(reinterpret_cast<const QChar *>(view.utf16()), view.size()));
}

void ProgramBuilder::CheckIdent(TscScript &script, const QString &name)
{
    if (script.FindLocal(name))
        fail(scriptMessage(ScriptMessage::IdRedeclared) + quoted(name));
}

TscClassVariable *ProgramBuilder::FindClassOrError(const QString &name)
{
    TscClassVariable *cls = m_program.FindClass(name);
    if (!cls)
        fail(scriptMessage(ScriptMessage::UnknownType) + quoted(name));
    return cls;
}

void ProgramBuilder::CheckTypes(const TscCustomVariable &variable, const TscCustomVariable &expression)
{
    if (!AssignCompatible(variable, expression, &m_program))
        fail(scriptMessage(ScriptMessage::IncompatibleTypes) + QStringLiteral(": '") + variable.ReportedTypeName()
             + QStringLiteral("', '") + expression.ReportedTypeName() + QLatin1Char('\''));
}

TscCustomVariable *ProgramBuilder::FindVariable(TscScript &script, QStringView name)
{
    if (TscCustomVariable *item = script.Find(name))
        return item;
    if (m_needDeclareVars)
        fail(scriptMessage(ScriptMessage::IdUndeclared) + quoted(name.toString()));
    auto *variable = new TscVariable(name.toString(), tcVariant, QString());
    m_program.Add(variable->Name, variable);
    return variable;
}

const TscXMLItem *ProgramBuilder::typesOf(const TscXMLItem *scope)
{
    if (!scope)
        return nullptr;
    for (const auto &[recentScope, recentTypes] : m_recentTypes)
        if (recentScope == scope)
            return recentTypes;
    // Every declaration asks, and a program has thousands of children.
    const TscXMLItem *types = nullptr;
    const auto known = m_typesElements.constFind(scope);
    if (known != m_typesElements.cend()) {
        types = *known;
    } else {
        types = childNamed(*scope, u"types");
        m_typesElements.insert(scope, types);
    }
    m_recentTypes[2] = m_recentTypes[1];
    m_recentTypes[1] = m_recentTypes[0];
    m_recentTypes[0] = {scope, types};
    return types;
}

QString ProgramBuilder::typeNameOf(const QString &typeName)
{
    // The program being built is asked first: a procedure's body is one.
    if (const TscXMLItem *types = typesOf(m_progRoot)) {
        const int index = builder::indexOfChild(*types, typeName);
        if (index >= 0)
            return attributeText(*types->Items(index), "type");
    }
    // Declarations name the same few types over and over, and the trees
    // searched stay as they are while building: a recent answer holds.
    return m_recentTypeNames.answer(typeName, [this, &typeName] {
        for (const TscXMLItem *scope : {m_ilRoot, m_grammarRoot}) {
            const TscXMLItem *types = typesOf(scope);
            const int index = types ? builder::indexOfChild(*types, typeName) : -1;
            if (index >= 0)
                return attributeText(*types->Items(index), "type");
        }
        return typeName;
    });
}

bool ProgramBuilder::searchedScriptsUnchanged()
{
    bool same = true;
    int depth = 0;
    for (const TscScript *script = &m_program; script; script = script->ParentScript, ++depth) {
        if (depth == kStampedScripts) {
            m_stampedDepth = -1; // too long a chain to remember
            return false;
        }
        ScriptStamp &stamp = m_searchedScripts[size_t(depth)];
        if (stamp.script != script || stamp.generation != script->Generation()) {
            stamp = {script, script->Generation()};
            same = false;
        }
    }
    same = same && depth == m_stampedDepth;
    m_stampedDepth = depth;
    return same;
}

const TscCustomVariable *ProgramBuilder::findTypeItem(const QString &name)
{
    if (!searchedScriptsUnchanged())
        m_recentTypeItems.clear();
    return m_recentTypeItems.answer(name, [this, &name] { return m_program.Find(name); });
}

int ProgramBuilder::TypeCodeOf(const QString &typeName)
{
    const QString name = typeNameOf(typeName);
    // What TypeCodeOfName answers, the item found remembered.
    const TscCustomVariable *item = findTypeItem(name);
    const int code = item ? int(item->TypeCode) : int(tcClass);
    if (code == tcClass)
        FindClassOrError(name);
    return code;
}

void ProgramBuilder::DoProgram(const TscXMLItem &element, TscScript &script)
{
    const TscXMLItem *savedRoot = m_progRoot;
    m_progRoot = &element;
    declareProcedures(element, script);
    for (int i = 0; i < element.Count(); ++i)
        DoStmt(*element.Items(i), script, *script.MainBlock);
    m_progRoot = savedRoot;
}

void ProgramBuilder::declareProcedures(const TscXMLItem &element, TscScript &script)
{
    for (int i = 0; i < element.Count(); ++i) {
        const TscXMLItem &child = *element.Items(i);
        const bool isFunction = isKind(child, "function");
        if (isFunction || isKind(child, "procedure"))
            declareProcedure(child, script, isFunction);
        else if (isKind(child, "compoundstmt"))
            declareProcedures(child, script);
    }
}

void ProgramBuilder::DoCompound(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    list.Reserve(element.Count());
    for (int i = 0; i < element.Count(); ++i)
        DoStmt(*element.Items(i), script, list);
}

namespace {

enum class StatementKind {
    Assignment, Call, Delete, If, Case, For, VbFor, CppFor, While, Repeat, Try,
    Break, Continue, Exit, Return, With, Compound, Uses, Var, Const, Procedure, Other
};

// Every statement element is sorted here: its name is compared in place
// with each known kind, the commonest first.
StatementKind statementKindOf(const TscXMLItem &element)
{
    using namespace Qt::StringLiterals;
    static constexpr struct {
        QLatin1String name;
        StatementKind kind;
    } kinds[] = {
        {"assignstmt"_L1, StatementKind::Assignment}, {"callstmt"_L1, StatementKind::Call},
        {"ifstmt"_L1, StatementKind::If},             {"compoundstmt"_L1, StatementKind::Compound},
        {"var"_L1, StatementKind::Var},               {"forstmt"_L1, StatementKind::For},
        {"procedure"_L1, StatementKind::Procedure},   {"function"_L1, StatementKind::Procedure},
        {"whilestmt"_L1, StatementKind::While},       {"repeatstmt"_L1, StatementKind::Repeat},
        {"casestmt"_L1, StatementKind::Case},         {"trystmt"_L1, StatementKind::Try},
        {"exit"_L1, StatementKind::Exit},             {"break"_L1, StatementKind::Break},
        {"continue"_L1, StatementKind::Continue},     {"return"_L1, StatementKind::Return},
        {"with"_L1, StatementKind::With},             {"const"_L1, StatementKind::Const},
        {"uses"_L1, StatementKind::Uses},             {"delete"_L1, StatementKind::Delete},
        {"vbforstmt"_L1, StatementKind::VbFor},       {"cppforstmt"_L1, StatementKind::CppFor},
    };
    for (const auto &entry : kinds)
        if (isKind(element, entry.name))
            return entry.kind;
    return StatementKind::Other;
}

} // namespace

void ProgramBuilder::DoStmt(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    setErrorPos(element);
    switch (statementKindOf(element)) {
    case StatementKind::Assignment:
        if (element.Count() == 1 && isKind(*element.Items(0), "assignstmt")) {
            // BasicScript's "Set x = e" wraps the assignment in a second one.
            DoStmt(*element.Items(0), script, list);
        } else {
            const TscXMLItem *modifier = element.Count() > 2 ? element.Items(1) : nullptr;
            doAssignment(*element.Items(0), modifier, *element.Items(element.Count() - 1), positionOf(element),
                         script, list);
        }
        break;
    case StatementKind::Call: doCall(element, script, list, Mode::Normal); break;
    case StatementKind::Delete: doCall(element, script, list, Mode::Destructor); break;
    case StatementKind::If: doIf(element, script, list); break;
    case StatementKind::Case: doCase(element, script, list); break;
    case StatementKind::For: doFor(element, script, list); break;
    case StatementKind::VbFor: doVbFor(element, script, list); break;
    case StatementKind::CppFor: doCppFor(element, script, list); break;
    case StatementKind::While: doWhile(element, script, list); break;
    case StatementKind::Repeat: doRepeat(element, script, list); break;
    case StatementKind::Try: doTry(element, script, list); break;
    case StatementKind::Break:
        record(list, std::make_unique<TscBreakStmt>(&script, positionOf(element), m_unit));
        break;
    case StatementKind::Continue:
        record(list, std::make_unique<TscContinueStmt>(&script, positionOf(element), m_unit));
        break;
    case StatementKind::Exit:
        record(list, std::make_unique<TscExitStmt>(&script, positionOf(element), m_unit));
        break;
    case StatementKind::Return: doReturn(element, script, list); break;
    case StatementKind::With: doWith(element, script, list); break;
    case StatementKind::Compound: DoCompound(element, script, list); break;
    case StatementKind::Uses: doUses(element, script); break;
    case StatementKind::Var: doVar(element, script, list); break;
    case StatementKind::Const: doConst(element, script); break;
    case StatementKind::Procedure: doProcedureBody(element, script); break;
    case StatementKind::Other: break;
    }
}

void ProgramBuilder::doAssignment(const TscXMLItem &target, const TscXMLItem *modifier, const TscXMLItem &value,
                                  TscSourcePos pos, TscScript &script, TscStatement &list)
{
    // A plain variable needs no designator at all; anything else is built
    // on the stack first.
    TscDesignator subject(&script);
    TscCustomVariable *variable = plainVariableOf(target, script);
    bool finished = true;
    if (!variable) {
        finished = buildDesignator(target, script, Mode::Normal, subject);
        if (finished && subject.Shape == TscDesignatorShape::Variable && !subject.LateSource)
            variable = subject.LinkedItem;
    }
    std::unique_ptr<TscExpression> expr = expressionOf(value, script);
    // A variable designator is typed as its variable.
    const TscCustomVariable &assigned = variable ? *variable : subject;
    if (assigned.ReadOnly)
        fail(scriptMessage(ScriptMessage::LeftCantAssigned));
    CheckTypes(assigned, *expr);
    QString op = modifier ? builder::textAttribute(*modifier)
                          : variable ? expr->OptimizeAssignment(*variable) : QStringLiteral(" ");
    std::unique_ptr<TscAssignmentStmt> statement;
    const bool arithmetic = op.size() == 1
        && (op[0] == u'+' || op[0] == u'-' || op[0] == u'*' || op[0] == u'/');
    if (arithmetic)
        statement = std::make_unique<TscAssignOpStmt>(&script, pos, m_unit, op[0]);
    else
        statement = std::make_unique<TscAssignmentStmt>(&script, pos, m_unit);
    if (variable)
        statement->TargetVar = variable;
    else
        statement->Subject = keepDesignator(target, subject, finished);
    statement->ValueExpr = std::move(expr);
    statement->Optimize();
    record(list, std::move(statement));
}

void ProgramBuilder::doCall(const TscXMLItem &element, TscScript &script, TscStatement &list, Mode mode)
{
    auto statement = std::make_unique<TscCallStmt>(&script, positionOf(element), m_unit);
    statement->Subject = MakeDesignator(*element.Items(0), script, mode);
    if (element.Count() > 1 && isKind(*element.Items(1), "modificator")) {
        statement->StepSign = builder::textAttribute(*element.Items(1));
        if (statement->Subject->ReadOnly)
            fail(scriptMessage(ScriptMessage::LeftCantAssigned));
    }
    record(list, std::move(statement));
}

void ProgramBuilder::doIf(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    auto statement = std::make_unique<TscIfStmt>(&script, positionOf(element), m_unit);
    statement->Test = expressionOf(*element.Items(0), script);
    if (const TscXMLItem *then = childNamed(element, u"thenstmt"))
        DoCompound(*then, script, *statement);
    if (const TscXMLItem *otherwise = childNamed(element, u"elsestmt"))
        DoCompound(*otherwise, script, statement->ElseBlock);
    record(list, std::move(statement));
}

void ProgramBuilder::doCase(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    const TscSourcePos pos = positionOf(element);
    auto statement = std::make_unique<TscCaseStmt>(&script, pos, m_unit);
    statement->Test = expressionOf(*element.Items(0), script);
    for (int i = 1; i < element.Count(); ++i) {
        const TscXMLItem &child = *element.Items(i);
        if (!isKind(child, "caseselector")) {
            if (i == element.Count() - 1)
                DoStmt(child, script, statement->ElseBlock);
            continue;
        }
        if (child.Count() != 2)
            continue;
        auto selector = std::make_unique<TscCaseSelector>(&script, positionOf(child), m_unit);
        selector->MatchSet = std::make_unique<TscSetExpression>();
        const TscXMLItem &set = *child.Items(0);
        for (int k = 0; k < set.Count(); ++k) {
            setErrorPos(*set.Items(k));
            if (isKind(*set.Items(k), "range"))
                selector->MatchSet->AddElement(nullptr);
            else
                selector->MatchSet->AddElement(expressionOf(*set.Items(k), script));
        }
        DoStmt(*child.Items(1), script, *selector);
        statement->AddSelector(std::move(selector));
    }
    record(list, std::move(statement));
}

namespace {

bool isNumericLoopVariable(const TscCustomVariable *variable)
{
    return ItemAs<TscVariable>(variable) && !ItemAs<TscStringVariable>(variable)
        && (variable->TypeCode == tcInteger || variable->TypeCode == tcFloat || variable->TypeCode == tcVariant);
}

} // namespace

void ProgramBuilder::doFor(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    auto statement = std::make_unique<TscForStmt>(&script, positionOf(element), m_unit);
    setErrorPos(*element.Items(0));
    statement->LoopVar = FindVariable(script, nameOf(*element.Items(0)));
    if (!isNumericLoopVariable(statement->LoopVar))
        fail(scriptMessage(ScriptMessage::ForError));
    statement->FromExpr = checkedBound(*element.Items(1), script, *statement->LoopVar);
    int next = 2;
    if (next < element.Count() && isKind(*element.Items(next), "downto")) {
        statement->Downward = true;
        ++next;
    }
    statement->ToExpr = checkedBound(*element.Items(next++), script, *statement->LoopVar);
    if (next < element.Count())
        DoStmt(*element.Items(next), script, *statement);
    record(list, std::move(statement));
}

std::unique_ptr<TscExpression> ProgramBuilder::checkedBound(const TscXMLItem &element, TscScript &script,
                                                            const TscCustomVariable &loopVariable)
{
    std::unique_ptr<TscExpression> bound = expressionOf(element, script);
    CheckTypes(loopVariable, *bound);
    return bound;
}

void ProgramBuilder::doVbFor(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    auto statement = std::make_unique<TscVbForStmt>(&script, positionOf(element), m_unit);
    setErrorPos(*element.Items(0));
    statement->LoopVar = FindVariable(script, nameOf(*element.Items(0)));
    if (!isNumericLoopVariable(statement->LoopVar))
        fail(scriptMessage(ScriptMessage::ForError));
    statement->FromExpr = checkedBound(*element.Items(1), script, *statement->LoopVar);
    statement->ToExpr = checkedBound(*element.Items(2), script, *statement->LoopVar);
    int next = 3;
    if (next < element.Count() && isKind(*element.Items(next), "expr")) {
        statement->StepExpr = checkedBound(*element.Items(next++), script, *statement->LoopVar);
    }
    if (next < element.Count())
        DoStmt(*element.Items(next), script, *statement);
    record(list, std::move(statement));
}

void ProgramBuilder::doCppFor(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    auto statement = std::make_unique<TscCppForStmt>(&script, positionOf(element), m_unit);
    if (element.Count() > 0)
        DoStmt(*element.Items(0), script, statement->InitBlock);
    statement->Test = expressionOf(*element.Items(1), script);
    if (element.Count() > 2)
        DoStmt(*element.Items(2), script, statement->StepBlock);
    if (element.Count() > 3)
        DoStmt(*element.Items(3), script, *statement);
    record(list, std::move(statement));
}

void ProgramBuilder::doWhile(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    auto statement = std::make_unique<TscWhileStmt>(&script, positionOf(element), m_unit);
    statement->Test = expressionOf(*element.Items(0), script);
    if (element.Count() > 1)
        DoStmt(*element.Items(1), script, *statement);
    record(list, std::move(statement));
}

void ProgramBuilder::doRepeat(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    auto statement = std::make_unique<TscRepeatStmt>(&script, positionOf(element), m_unit);
    int last = element.Count() - 1;
    if (last >= 0 && isKind(*element.Items(last), "inverse")) {
        statement->StopOnFalse = true;
        --last;
    }
    for (int i = 0; i < last; ++i)
        DoStmt(*element.Items(i), script, *statement);
    statement->Test = expressionOf(*element.Items(last), script);
    record(list, std::move(statement));
}

void ProgramBuilder::doTry(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    auto statement = std::make_unique<TscTryStmt>(&script, positionOf(element), m_unit);
    for (int i = 0; i < element.Count(); ++i) {
        const TscXMLItem &child = *element.Items(i);
        const QString kind = kindOf(child);
        if (kind == QLatin1String("exceptstmt")) {
            statement->CatchMode = true;
            DoCompound(child, script, statement->HandlerBlock);
        } else if (kind == QLatin1String("finallystmt")) {
            DoCompound(child, script, statement->HandlerBlock);
        } else {
            DoStmt(child, script, *statement);
        }
    }
    record(list, std::move(statement));
}

void ProgramBuilder::doReturn(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    const TscSourcePos pos = positionOf(element);
    if (element.Count() == 1) {
        const TscXMLItem &value = *element.Items(0);
        TscXMLItem target;
        target.SetName(QStringLiteral("dsgn"));
        target.SetProp(QStringLiteral("pos"), positionOf(value).text());
        TscXMLItem *node = target.Add();
        node->SetName(QStringLiteral("node"));
        node->SetProp(QStringLiteral("text"), QStringLiteral("Result"));
        node->SetProp(QStringLiteral("pos"), positionOf(value).text());
        const OnExit settle([this] { settleErrorPos(); }); // target dies here
        doAssignment(target, nullptr, value, pos, script, list);
    }
    record(list, std::make_unique<TscExitStmt>(&script, pos, m_unit));
}

void ProgramBuilder::doWith(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    const int pushed = m_withList.size();
    // An empty body writes nothing: then every child is a designator.
    const bool hasBody = element.Count() > 0 && kindOf(*element.Items(element.Count() - 1)) != QLatin1String("dsgn");
    const int designators = hasBody ? element.Count() - 1 : element.Count();
    for (int i = 0; i < designators; ++i) {
        setErrorPos(*element.Items(i));
        std::unique_ptr<TscDesignator> subject = MakeDesignator(*element.Items(i), script, Mode::Normal);
        if (subject->TypeCode != tcClass && subject->TypeCode != tcVariant)
            fail(scriptMessage(ScriptMessage::ClassRequired));
        QString name;
        for (int n = 0;; ++n) {
            name = QString::number(n);
            bool taken = script.FindLocal(name);
            for (const auto &entry : m_withList)
                taken = taken || entry.first == name;
            if (!taken)
                break;
        }
        auto *withVar = new TscVariable(name, subject->TypeCode, subject->TypeName);
        script.Add(name, withVar);
        auto statement = std::make_unique<TscWithStmt>(&script, positionOf(element), m_unit);
        statement->Subject = std::move(subject);
        statement->WithVar = withVar;
        m_withList.append({name, statement.get()});
        record(list, std::move(statement));
    }
    if (hasBody)
        DoStmt(*element.Items(element.Count() - 1), script, list);
    while (m_withList.size() > pushed)
        m_withList.removeLast();
}

void ProgramBuilder::doUses(const TscXMLItem &element, TscScript &script)
{
    const QString savedUnit = m_unitName;
    const TscUnitRef savedRef = m_unit;
    m_unitName = attributeText(element, "unit");
    m_unit = TscUnitRef(m_unitName);
    QString ilText;
    if (m_program.OnGetILUnit)
        m_program.OnGetILUnit(&m_program, m_unitName, ilText);
    if (!ilText.isEmpty()) {
        TscXMLDocument document;
        const OnExit settle([this] { settleErrorPos(); }); // the unit's tree dies here
        document.LoadFromText(ilText);
        if (document.Root())
            DoProgram(*document.Root(), script);
    } else {
        for (int i = 0; i < element.Count(); ++i)
            DoProgram(*element.Items(i), script);
    }
    m_unitName = savedUnit;
    m_unit = savedRef;
}

void ProgramBuilder::doVar(const TscXMLItem &element, TscScript &script, TscStatement &list)
{
    for (int i = 0; i < element.Count(); ++i) {
        const TscXMLItem &child = *element.Items(i);
        if (!isKind(child, "ident"))
            continue;
        setErrorPos(child);
        const QString name = nameOf(child);
        CheckIdent(script, name);
        TscCustomVariable *variable = createVariable(element, name, script, &list, false);
        script.Add(name, variable);
    }
}

void ProgramBuilder::doConst(const TscXMLItem &element, TscScript &script)
{
    setErrorPos(*element.Items(0));
    const QString name = nameOf(*element.Items(0));
    CheckIdent(script, name);
    std::unique_ptr<TscExpression> expr = expressionOf(*element.Items(1), script);
    auto constant = std::make_unique<TscVariable>(name, expr->TypeCode, expr->TypeName);
    constant->Value = expr->GetValue();
    constant->ReadOnly = true;
    constant->DeclUnit = m_unit;
    script.Add(name, constant.release());
}

} // namespace bralvo::script
