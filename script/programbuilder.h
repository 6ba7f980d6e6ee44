// The program builder: walks the intermediate program (TscILParser's
// document) and creates a script's run-time objects: variables, constants,
// procedures with their parameters and local scripts, statements,
// designators and expressions. Every name is resolved here (the script,
// its procedures' local scripts, its parents, registered host classes);
// types and parameter counts are checked, and the first problem stops the
// build as a ScriptError with ErrorPos as its position.
#pragma once

#include "script/buildertree.h"
#include "script/recenttexts.h"
#include "script/sourcepos.h"
#include "script/tscscript.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <array>
#include <utility>
#include <vector>

namespace bralvo::script {

class TscXMLItem;
class TscDesignator;
class TscExpression;
class TscStatement;
class TscWithStmt;
class TscDesignatorItem;

// What TscScript::Compile does: parse Lines in SyntaxType and build.
// Syntax and build errors land in ErrorText/ErrorPosition/ErrorUnitName;
// an unknown language or an unreadable unit throws ScriptError.
void compileScript(TscScript &script);

class ProgramBuilder {
public:
    enum class Mode { Normal, Constructor, Destructor };
    // One expression holds at most this many operators ("Expression too
    // complex" otherwise).
    static constexpr int MaxExpressionOperators = 4096;

    // grammarRoot may be nullptr (late building); sourceText is the main
    // text the expression sources are cut from. lineStarts, when not empty,
    // are sourceText's line starts as the lexer found them (TscParser::
    // LineStarts): given, the text is not scanned again.
    ProgramBuilder(TscScript &program, const TscXMLItem *grammarRoot, bool needDeclareVars,
                   const QString &sourceText = QString(), const std::vector<int> &lineStarts = {});

    // Builds ilRoot into the program. A ScriptError (or any bralvo::Error)
    // becomes the program's ErrorText, ErrorPosition and ErrorUnitName;
    // what was built so far stays.
    void BuildProgramItems(const TscXMLItem *ilRoot);

    // Throw ScriptError on any problem.
    std::unique_ptr<TscExpression> MakeExpression(const TscXMLItem &element, TscScript &script);
    std::unique_ptr<TscDesignator> MakeDesignator(const TscXMLItem &element, TscScript &script, Mode mode);

    const QString &ErrorPos() const { return errorPos(); }

private:
    void DoProgram(const TscXMLItem &element, TscScript &script);
    void declareProcedures(const TscXMLItem &element, TscScript &script);
    void DoStmt(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void DoCompound(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doAssignment(const TscXMLItem &target, const TscXMLItem *modifier, const TscXMLItem &value,
                      TscSourcePos pos, TscScript &script, TscStatement &list);
    void doCall(const TscXMLItem &element, TscScript &script, TscStatement &list, Mode mode);
    void doIf(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doCase(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doFor(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doVbFor(const TscXMLItem &element, TscScript &script, TscStatement &list);
    // A bound or step of a for loop, checked against the loop variable.
    std::unique_ptr<TscExpression> checkedBound(const TscXMLItem &element, TscScript &script,
                                                const TscCustomVariable &loopVariable);
    void doCppFor(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doWhile(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doRepeat(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doTry(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doReturn(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doWith(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doUses(const TscXMLItem &element, TscScript &script);
    void doVar(const TscXMLItem &element, TscScript &script, TscStatement &list);
    void doConst(const TscXMLItem &element, TscScript &script);
    void doProcedureBody(const TscXMLItem &element, TscScript &script);
    void declareProcedure(const TscXMLItem &element, TscScript &script, bool isFunction);
    void readParameters(const TscXMLItem &element, TscProcVariable &proc);
    TscCustomVariable *createVariable(const TscXMLItem &element, const QString &name, TscScript &script,
                                      TscStatement *list, bool byRef);
    // The array and init children that belong to the declared name.
    std::pair<const TscXMLItem *, const TscXMLItem *> partsOf(const TscXMLItem &element, const QString &name,
                                                              bool typeFirst) const;
    void appendInitialAssignment(const TscXMLItem &element, TscCustomVariable &variable,
                                 std::unique_ptr<TscExpression> expr, TscScript &script, TscStatement &list);
    void defineArray(const TscXMLItem &arrayElement, TscScript &script, TscCustomVariable &variable,
                     int elementCode, const QString &elementType);
    std::unique_ptr<TscExpression> expressionOf(const TscXMLItem &element, TscScript &script);
    // MakeExpression; with keepSource the expression records its source
    // (TscExpression::Source), as arguments of host functions that take
    // their arguments' texts need.
    std::unique_ptr<TscExpression> makeExpression(const TscXMLItem &element, TscScript &script, bool keepSource);
    void addExpressionChildren(const TscXMLItem &element, TscScript &script, TscExpression &expr);
    void addSet(const TscXMLItem &element, TscScript &script, TscExpression &expr);
    // The text between the expression's pos and pos1 (from its element's
    // attributes), cut from the main text.
    void recordSource(const builder::RawAttributes &attributes, TscExpression &expr) const;

    // Builds element into d; false when the rest has to wait for the run
    // (d is then general, typed Variant).
    bool buildDesignator(const TscXMLItem &element, TscScript &script, Mode mode, TscDesignator &d);
    void addDesignatorOperand(const TscXMLItem &element, TscScript &script, Mode mode, TscExpression &expr);
    // The variable or parameter element reads when it is a designator of
    // one plain name and no more (resolved as building it would), else
    // nullptr and the designator is built in full.
    TscCustomVariable *plainVariableOf(const TscXMLItem &element, TscScript &script);
    // d, built from element, moved into a designator of its own.
    std::unique_ptr<TscDesignator> keepDesignator(const TscXMLItem &element, TscDesignator &d, bool finished);

    // Designator steps.
    bool resolveFirst(const QString &name, TscDesignator &d, const TscXMLItem &element, TscScript &script);
    bool resolveNext(const QString &name, TscDesignator &d, const TscXMLItem &element, TscScript &script);
    bool variantStep(TscCustomVariable *p, bool isIndex, TscDesignator &d, const TscXMLItem &element, int &code,
                     QString &className);
    bool classStep(const QString &name, const QString &className, TscCustomVariable *p, TscDesignatorItem &item,
                   TscDesignator &d, const TscXMLItem &element);
    void appendLifetimeLink(TscDesignator &d, Mode mode);
    void postpone(TscDesignator &d, const TscXMLItem &element, const QString &withName);
    void checkArguments(TscDesignator &d);

    // Checks that raise ScriptError.
    void CheckIdent(TscScript &script, const QString &name);
    class TscClassVariable *FindClassOrError(const QString &name);
    void CheckTypes(const TscCustomVariable &variable, const TscCustomVariable &expression);
    TscCustomVariable *FindVariable(TscScript &script, QStringView name);
    int TypeCodeOf(const QString &typeName);
    // The name typeName stands for in the `types` of the program being
    // built, the intermediate program or the grammar; typeName itself
    // when none lists it.
    QString typeNameOf(const QString &typeName);
    // m_program.Find(name) for a type name. Declarations ask for the same
    // few, and an answer stands while the scripts searched are the same
    // and unchanged (their generations tell).
    const TscCustomVariable *findTypeItem(const QString &name);
    // Whether m_program and its parents are the scripts, of the
    // generations, they were at the last call.
    bool searchedScriptsUnchanged();
    const TscXMLItem *typesOf(const TscXMLItem *scope);
    [[noreturn]] void fail(const QString &message) const;
    void setErrorPos(const TscXMLItem &element);
    // setErrorPos for an element that holds its attributes as text.
    void setErrorPosFromText(const TscXMLItem &element);
    void setErrorPos(TscSourcePos pos);
    // The text of the position errors report, made when asked for.
    const QString &errorPos() const;
    // Forgets the element the position was read from: before a tree the
    // builder made for itself goes away.
    void settleErrorPos();
    // A position attribute as the element holds it, as a position whose
    // text is what Prop gives.
    static TscSourcePos sourcePosOf(const builder::RawPosition &raw);
    // The element's pos attribute.
    TscSourcePos positionOf(const TscXMLItem &element) const;
    // The same, rawPos being that attribute as the element holds it.
    TscSourcePos positionOf(const TscXMLItem &element, const builder::RawPosition &rawPos) const;
    // The element's text attribute as it stands, and as Prop gives it: read
    // once with the position when setErrorPos has just kept the element.
    QStringView rawTextOf(const TscXMLItem &element) const;
    QString textOf(const TscXMLItem &element) const;
    // textOf for names and type names: a text shared with its recent
    // equals, since declarations and designators repeat the same few.
    QString nameOf(const TscXMLItem &element) const;
    void record(TscStatement &list, std::unique_ptr<TscStatement> statement);

    TscScript &m_program;
    const TscXMLItem *m_grammarRoot;
    const TscXMLItem *m_ilRoot = nullptr;
    const TscXMLItem *m_progRoot = nullptr;
    bool m_needDeclareVars;
    QString m_sourceText;
    QList<int> m_lineStarts;
    QString m_unitName;
    TscUnitRef m_unit; // the same, as statements and items keep it
    TscSourcePos m_errorPos;
    mutable QString m_errorPosShown; // errorPos()'s text
    // The element the position was last read from, while it still holds
    // that element's position; nullptr when it does not.
    const TscXMLItem *m_errorPosOf = nullptr;
    // m_errorPosOf's text attribute as it stands, read in the same pass as
    // its position.
    QStringView m_errorPosText;
    // Name texts made lately (nameOf).
    mutable RecentByText<QString, 64> m_recentNames;
    QList<std::pair<QString, TscWithStmt *>> m_withList;
    QSet<const TscXMLItem *> m_declared;
    // A scope's `types` child; the tree stays as it is while building.
    QHash<const TscXMLItem *, const TscXMLItem *> m_typesElements;
    // The scopes typesOf answered last, newest first: every declaration
    // asks for the same three in turn, and the table costs more.
    std::array<std::pair<const TscXMLItem *, const TscXMLItem *>, 3> m_recentTypes{};
    // typeNameOf's recent answers from the intermediate program and the
    // grammar.
    RecentByText<QString, 16> m_recentTypeNames;
    // findTypeItem's recent answers, while the scripts searched stay as
    // they were.
    RecentByText<const TscCustomVariable *, 16> m_recentTypeItems;
    struct ScriptStamp {
        const TscScript *script = nullptr;
        quint64 generation = 0;
    };
    static constexpr int kStampedScripts = 8;
    std::array<ScriptStamp, kStampedScripts> m_searchedScripts{};
    int m_stampedDepth = -1;
    bool m_runTime = false; // building a postponed designator while the script runs
};

} // namespace bralvo::script
