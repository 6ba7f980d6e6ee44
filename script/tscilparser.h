// TscILParser: turns script source text into the intermediate program, an
// XML document (TscXMLDocument) in which every declaration, statement and
// expression is an element. It knows no language: it interprets the rules
// of the selected grammar document over the lexer, backtracking by lexer
// position. The program builder (the runtime) reads the document it leaves
// in ILScript().
//
// The intermediate program (the contract with the builder):
// - root `program`; its children are the elements written for the text, in
//   order, then a copy of the grammar's `types` element as the last child;
// - an included unit stands where its clause stood as `uses unit="name"`
//   whose single child is the unit's own `program` element;
// - elements written by a rule's `node` have pos="line:col" of their first
//   token; `expr` also has pos1 = the position just after the expression;
// - elements written by `add` are empty, with text="token" (numbers with
//   "$" for hexadecimal, strings in single quotes) and pos = the position
//   just after the token.
//
// Errors: a syntax error is not thrown: BuildIntermediateProgram() returns
// false and ErrorText()/ErrorPosition() ("line:col", 1-based) say what and
// where; ErrorUnitName() names the unit when the error lies in one. Thrown
// (ScriptError): an unknown language (SLangNotFound), a grammar referring to
// a missing rule (SInvalidLanguage), an unreadable unit file, a character
// code out of range. Nesting deeper than kMaxDepth grammar levels (for
// example thousands of "(") is a syntax error SNestingTooDeep.
#pragma once

#include "script/tscparser.h"
#include "script/tscxmldocument.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace bralvo::script {

// What the compiling script lends the parser.
struct ILParserOptions {
    // Characters from 128 upwards may occur in identifiers.
    bool highCharIdents = false;
    // Text of the unit named in a uses/#include/import/imports clause, or
    // nothing to read the file of that name (relative to the working folder).
    std::function<std::optional<QString>(const QString &unitName)> unitSource;
};

// Script text as the engine compiles it: every line end (CR LF, LF or CR)
// becomes CR LF, and the last line gets one too (BasicScript needs it).
QString NormalizeScriptText(const QString &text);

class TscILParser {
public:
    static constexpr int kMaxDepth = 1500;

    explicit TscILParser(ILParserOptions options = {});
    ~TscILParser();
    TscILParser(const TscILParser &) = delete;
    TscILParser &operator=(const TscILParser &) = delete;

    // Resets every lexer setting and the declaration flag, then applies the
    // named grammar. Throws ScriptError (SLangNotFound) for an unknown name.
    void LoadLanguageGrammar(const QString &name);
    // Parses text into ILScript(). A first line "#language Name" selects that
    // language first. True when parsing succeeded and no error was recorded.
    bool BuildIntermediateProgram(const QString &text);

    // The last program built; a failed build leaves it as it was. Its
    // token texts view the parser's sources, so it is read while the
    // parser lives: a copy made with TscXMLItem::Assign outlives it.
    const TscXMLDocument &ILScript() const;
    // The selected grammar document (its root is `language`); read-only and
    // shared between parsers of the same grammar; empty before a selection.
    const TscXMLDocument &Grammar() const;
    TscParser &Lexer();
    const QString &LangName() const;
    // False once a grammar with declarevars "0" is selected: undeclared names
    // become variant variables of the main program.
    bool NeedDeclareVars() const;
    const QString &ErrorText() const;
    const QString &ErrorPosition() const;
    const QString &ErrorUnitName() const;

    // Unit bookkeeping: the name of the unit this parser reads (empty for
    // the main text) and the units included so far in the whole tree.
    QString UnitName;
    QStringList UsesList;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace bralvo::script
