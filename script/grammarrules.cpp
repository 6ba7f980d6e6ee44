// GrammarRules: a grammar document compiled once per language selection.
#include "script/grammarrules.h"
#include "script/scripterror.h"
#include "script/scriptmessages.h"
#include "script/tscxmldocument.h"

namespace bralvo::script {

namespace {

GrammarNode::Kind kindOf(const QString &name)
{
    static const QHash<QString, GrammarNode::Kind> kinds{
        {QStringLiteral("char"), GrammarNode::Char},
        {QStringLiteral("keyword"), GrammarNode::Keyword},
        {QStringLiteral("ident"), GrammarNode::Ident},
        {QStringLiteral("number"), GrammarNode::Number},
        {QStringLiteral("string"), GrammarNode::String},
        {QStringLiteral("frstring"), GrammarNode::FrString},
        {QStringLiteral("eol"), GrammarNode::Eol},
        {QStringLiteral("sequence"), GrammarNode::Sequence},
        {QStringLiteral("switch"), GrammarNode::Switch},
        {QStringLiteral("optionalswitch"), GrammarNode::OptionalSwitch},
        {QStringLiteral("loop"), GrammarNode::Loop},
        {QStringLiteral("optionalloop"), GrammarNode::OptionalLoop},
        {QStringLiteral("optional"), GrammarNode::Optional},
    };
    return kinds.value(name, GrammarNode::Reference);
}

[[noreturn]] void invalidLanguage()
{
    throw ScriptError(scriptMessage(ScriptMessage::InvalidLanguage));
}

void readSettings(const TscXMLItem &parser, LexerSettings &s, QHash<QString, QString> &errors)
{
    for (int i = 0; i < parser.Count(); ++i) {
        const TscXMLItem &item = *parser.Items(i);
        const QString name = item.Name().toLower();
        const QString value = item.Prop(QStringLiteral("text"));
        if (name == QLatin1String("keywords")) {
            for (int k = 0; k < item.Count(); ++k)
                s.keywords.append(item.Items(k)->Name());
        } else if (name == QLatin1String("errors")) {
            for (int k = 0; k < item.Count(); ++k)
                errors.insert(item.Items(k)->Name().toLower(), item.Items(k)->Prop(QStringLiteral("text")));
        } else if (name == QLatin1String("identchars")) {
            s.identChars = value;
        } else if (name == QLatin1String("commentline1")) {
            s.commentLine1 = value;
        } else if (name == QLatin1String("commentline2")) {
            s.commentLine2 = value;
        } else if (name == QLatin1String("commentblock1")) {
            s.commentBlock1 = value;
        } else if (name == QLatin1String("commentblock2")) {
            s.commentBlock2 = value;
        } else if (name == QLatin1String("stringquotes")) {
            s.stringQuotes = value;
        } else if (name == QLatin1String("hexsequence")) {
            s.hexSequence = value;
        } else if (name == QLatin1String("skipchar")) {
            s.skipChar = value;
        } else if (name == QLatin1String("skipeol")) {
            s.lineEndsSignificant = value == QLatin1String("0");
        } else if (name == QLatin1String("casesensitive")) {
            s.caseSensitive = value == QLatin1String("1");
        } else if (name == QLatin1String("declarevars")) {
            s.undeclaredAllowed = value == QLatin1String("0");
        }
    }
}

} // namespace

GrammarRules::GrammarRules(const TscXMLItem &language)
{
    // Every child of the root is a rule definition by name; parser and types
    // are looked up by name as well.
    for (int i = 0; i < language.Count(); ++i) {
        const TscXMLItem &item = *language.Items(i);
        const QString name = item.Name().toLower();
        if (name == QLatin1String("parser") && !m_ruleIndex.contains(name))
            readSettings(item, m_settings, m_errors);
        if (name == QLatin1String("types") && !m_types)
            m_types = &item;
        if (!m_ruleIndex.contains(name))
            m_ruleIndex.insert(name, int(m_rules.size()));
        m_rules.push_back(compile(item));
    }
    for (GrammarNode &rule : m_rules)
        resolve(rule);
}

GrammarNode GrammarRules::compile(const TscXMLItem &item) const
{
    GrammarNode n;
    n.name = item.Name().toLower();
    n.kind = kindOf(n.name);
    n.text = item.Prop(QStringLiteral("text")).toLower();
    n.node = item.Prop(QStringLiteral("node")).toLower();
    n.add = item.Prop(QStringLiteral("add"));
    n.addText = item.Prop(QStringLiteral("addtext"));
    n.hasAddText = (QLatin1Char(' ') + item.Text()).contains(QLatin1String(" addtext=\""), Qt::CaseInsensitive);
    n.err = item.Prop(QStringLiteral("err"));
    n.term = item.Prop(QStringLiteral("term")) == QLatin1String("1");
    n.skip = item.Prop(QStringLiteral("skip"));
    n.children.reserve(size_t(item.Count()));
    for (int i = 0; i < item.Count(); ++i)
        n.children.push_back(compile(*item.Items(i)));
    return n;
}

void GrammarRules::resolve(GrammarNode &node) const
{
    if (node.kind == GrammarNode::Reference)
        node.rule = m_ruleIndex.value(node.name, -1);
    for (GrammarNode &child : node.children)
        resolve(child);
}

const GrammarNode &GrammarRules::rule(const GrammarNode &reference) const
{
    if (reference.rule < 0)
        invalidLanguage();
    return m_rules[size_t(reference.rule)];
}

const GrammarNode &GrammarRules::programRule() const
{
    const int i = m_ruleIndex.value(QStringLiteral("program"), -1);
    if (i < 0)
        invalidLanguage();
    return m_rules[size_t(i)];
}

bool GrammarRules::programIsOpenEnded() const
{
    const GrammarNode *n = &programRule();
    // Follow the last element through references (a bounded walk: grammars
    // may be cyclic).
    for (int hops = 0; hops < 64; ++hops) {
        if (n->children.empty())
            return false;
        const GrammarNode &last = n->children.back();
        if (last.kind == GrammarNode::Loop || last.kind == GrammarNode::OptionalLoop)
            return true;
        if (last.kind != GrammarNode::Reference || last.rule < 0)
            return false;
        n = &m_rules[size_t(last.rule)];
    }
    return false;
}

} // namespace bralvo::script
