// A grammar document compiled for the interpreter: the rules as a tree of
// GrammarNode (attributes decoded once, references resolved to rule
// indexes), the lexer settings of the `parser` element, the error texts and
// the `types` element. Built from the document's root (`language`); the
// document must outlive the GrammarRules (types() points into it).
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace bralvo::script {

class TscXMLItem;

struct GrammarNode {
    enum Kind { Char, Keyword, Ident, Number, String, FrString, Eol, Sequence, Switch,
                OptionalSwitch, Loop, OptionalLoop, Optional, Reference };
    Kind kind = Sequence;
    QString name;        // element name, lower case
    QString text;        // token text or loop separator, lower case
    QString node;        // lower case
    QString add;
    QString addText;
    bool hasAddText = false;
    QString err;
    bool term = false;
    QString skip;
    int rule = -1;       // for Reference: index of the rule, -1 when unknown
    std::vector<GrammarNode> children;
};

// The `parser` settings; an unset optional keeps the lexer default.
struct LexerSettings {
    QStringList keywords;
    std::optional<QString> identChars, commentLine1, commentLine2, commentBlock1, commentBlock2,
        stringQuotes, hexSequence, skipChar;
    bool lineEndsSignificant = false; // skipeol "0"
    bool caseSensitive = false;       // casesensitive "1"
    bool undeclaredAllowed = false;   // declarevars "0"
};

class GrammarRules {
public:
    GrammarRules() = default;
    explicit GrammarRules(const TscXMLItem &language);

    const LexerSettings &settings() const { return m_settings; }
    // Text of errN; empty when the grammar has none of that name.
    QString errorText(const QString &err) const { return m_errors.value(err.toLower()); }
    const TscXMLItem *types() const { return m_types; }
    // The rule a reference names. Throws ScriptError (SInvalidLanguage) when
    // the grammar has no such rule.
    const GrammarNode &rule(const GrammarNode &reference) const;
    // The `program` rule; throws ScriptError (SInvalidLanguage) without one.
    const GrammarNode &programRule() const;
    // True when the program ends in a loop (a run of statements) rather than
    // in a closing token, so leftover text means nothing could start there.
    bool programIsOpenEnded() const;

private:
    GrammarNode compile(const TscXMLItem &item) const;
    void resolve(GrammarNode &node) const;

    LexerSettings m_settings;
    QHash<QString, QString> m_errors;
    const TscXMLItem *m_types = nullptr;
    std::vector<GrammarNode> m_rules;
    QHash<QString, int> m_ruleIndex;
};

} // namespace bralvo::script
